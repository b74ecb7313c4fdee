#pragma once
// Dictionaries made of word lists instead of Hunspell's files.
//
//   FakeSpellChecker checker;
//   ScopedService guard(platform::setSpellChecker, &checker);
//   checker.addDictionary("de_DE", {"Heute", "ist", "Tagebuch"}, {{"Tagebuhc", {"Tagebuch"}}});
//   ... code under test ...
//   EXPECT_EQ(checker.loaded(), QStringList{"de_DE"});
//
// A word is right when its dictionary lists it (exactly); suggestions are those given for it.
#include "platform/spell_checker.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <utility>

class FakeSpellChecker : public platform::SpellChecker {
public:
    void addDictionary(const QString& language, const QStringList& words,
                       const std::map<QString, QStringList>& suggestions = {})
    {
        dictionaries_[language] = {QSet<QString>(words.begin(), words.end()), suggestions};
    }

    // The languages loaded, in order.
    const QStringList& loaded() const { return loaded_; }
    // The words asked about, in order, over every dictionary.
    const QStringList& asked() const { return asked_; }

    bool hasDictionary(const QString& language) override
    {
        return dictionaries_.count(language) != 0;
    }

    std::unique_ptr<platform::SpellDictionary> loadDictionary(const QString& language) override
    {
        const auto found = dictionaries_.find(language);
        if (found == dictionaries_.end())
            return nullptr;
        loaded_.append(language);
        return std::make_unique<Dictionary>(found->second, asked_);
    }

private:
    struct Content {
        QSet<QString> words;
        std::map<QString, QStringList> suggestions;
    };

    class Dictionary : public platform::SpellDictionary {
    public:
        Dictionary(Content content, QStringList& asked) : content_(std::move(content)), asked_(asked)
        {
        }
        bool spell(const QString& word) override
        {
            asked_.append(word);
            return content_.words.contains(word);
        }
        QStringList suggest(const QString& word) override
        {
            const auto found = content_.suggestions.find(word);
            return found == content_.suggestions.end() ? QStringList() : found->second;
        }

    private:
        Content content_;
        QStringList& asked_;
    };

    std::map<QString, Content> dictionaries_;
    QStringList loaded_;
    QStringList asked_;
};
