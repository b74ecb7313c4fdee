#pragma once
// Spelling dictionaries: whether a word is spelt right, and what it may have been meant to be.
// The real checker is Hunspell with the dictionaries the system has installed (Debian's
// hunspell-de-de and its kin); tests install a fake.
//
//   const std::unique_ptr<platform::SpellDictionary> woerterbuch =
//       platform::spellChecker().loadDictionary(u"de_DE"_qs);   // nullptr: not installed
//   if (woerterbuch && !woerterbuch->spell(u"Tagebuhc"_qs))
//       vorschlaege = woerterbuch->suggest(u"Tagebuhc"_qs);     // "Tagebuch", ...
//
// A dictionary is loaded only when asked for (it takes a noticeable moment and some megabytes),
// and unloaded with its object. Words go to Hunspell in the dictionary's own encoding; a word
// that this encoding cannot hold (Greek letters for a Latin-1 dictionary) is not the
// dictionary's business and counts as spelt right.
#include <QString>
#include <QStringList>

#include <memory>

namespace platform {

class SpellDictionary {
public:
    virtual ~SpellDictionary() = default;

    // Whether word is spelt right. A word that ends in "." is also tried as an abbreviation by
    // Hunspell ("usw." is right, "usw" is not).
    virtual bool spell(const QString& word) = 0;
    // What word may have been meant to be, the likeliest first; empty when nothing comes close.
    virtual QStringList suggest(const QString& word) = 0;
};

class SpellChecker {
public:
    virtual ~SpellChecker() = default;

    // Whether the dictionary of language ("de_DE", "de_AT", "de_CH") is installed.
    virtual bool hasDictionary(const QString& language) = 0;
    // Loads it; nullptr when it is not installed or cannot be read.
    virtual std::unique_ptr<SpellDictionary> loadDictionary(const QString& language) = 0;
};

SpellChecker& spellChecker();
SpellChecker* setSpellChecker(SpellChecker* replacement); // returns the one it replaces

// The folders the real checker looks in, in order: those of $DICPATH (separated by ":"), then
// "hunspell" in every data folder of the desktop ($XDG_DATA_HOME, $XDG_DATA_DIRS), then
// /usr/share/hunspell and /usr/share/myspell/dicts. A dictionary is the pair
// "<language>.aff" and "<language>.dic" in one folder; the first folder holding both wins.
QStringList dictionaryFolders();

// A Hunspell checker over the dictionaries of folders (tests give a folder of their own).
std::unique_ptr<SpellChecker> makeHunspellChecker(const QStringList& folders);

} // namespace platform
