#include "spell_checker.h"

#include "service.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>
#include <QStringEncoder>

#include <hunspell.hxx>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace platform {

namespace {

// ISO 8859-15 differs from Latin-1 in eight places.
struct Latin9 {
    unsigned char byte;
    char16_t character;
};
constexpr Latin9 latin9[] = {
    {0xA4, u'\u20AC'}, {0xA6, u'\u0160'}, {0xA8, u'\u0161'}, {0xB4, u'\u017D'},
    {0xB8, u'\u017E'}, {0xBC, u'\u0152'}, {0xBD, u'\u0153'}, {0xBE, u'\u0178'},
};

// The words of a dictionary in its own encoding (its "SET" line) and back.
class DictionaryEncoding {
public:
    explicit DictionaryEncoding(const std::string& name)
    {
        const QString upper = QString::fromStdString(name).toUpper().remove(u'-').remove(u'_');
        if (upper == u"UTF8")
            kind_ = Kind::Utf8;
        else if (upper == u"ISO88591" || upper.isEmpty())
            kind_ = Kind::Latin1;
        else if (upper == u"ISO885915")
            kind_ = Kind::Latin9;
        else if (QStringEncoder(name.c_str()).isValid())
            other_ = QByteArray::fromStdString(name);
        else
            kind_ = Kind::Latin1; // Hunspell's own default
    }

    // nullopt when the word has a character the encoding lacks.
    std::optional<std::string> encode(const QString& word) const
    {
        switch (kind_) {
        case Kind::Utf8:
            return word.toStdString();
        case Kind::Latin1:
        case Kind::Latin9: {
            std::string bytes;
            bytes.reserve(static_cast<std::size_t>(word.size()));
            for (const QChar ch : word) {
                const std::optional<unsigned char> byte = singleByte(ch.unicode());
                if (!byte)
                    return std::nullopt;
                bytes.push_back(static_cast<char>(*byte));
            }
            return bytes;
        }
        case Kind::Other: {
            QStringEncoder encoder(other_.constData(), QStringConverter::Flag::Stateless);
            const QByteArray bytes = encoder.encode(word);
            if (encoder.hasError())
                return std::nullopt;
            return bytes.toStdString();
        }
        }
        return std::nullopt;
    }

    QString decode(const std::string& bytes) const
    {
        switch (kind_) {
        case Kind::Utf8:
            return QString::fromStdString(bytes);
        case Kind::Latin1:
        case Kind::Latin9: {
            QString text;
            text.reserve(static_cast<qsizetype>(bytes.size()));
            for (const char c : bytes)
                text.append(character(static_cast<unsigned char>(c)));
            return text;
        }
        case Kind::Other: {
            QStringDecoder decoder(other_.constData());
            return decoder.decode(
                QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
        }
        }
        return QString();
    }

private:
    enum class Kind { Utf8, Latin1, Latin9, Other };

    std::optional<unsigned char> singleByte(char16_t code) const
    {
        if (kind_ == Kind::Latin9) {
            for (const Latin9& entry : latin9) {
                if (entry.character == code)
                    return entry.byte;
                if (entry.byte == code)
                    return std::nullopt; // the Latin-1 character that the byte no longer means
            }
        }
        if (code > 0xFF)
            return std::nullopt;
        return static_cast<unsigned char>(code);
    }

    QChar character(unsigned char byte) const
    {
        if (kind_ == Kind::Latin9) {
            for (const Latin9& entry : latin9) {
                if (entry.byte == byte)
                    return QChar(entry.character);
            }
        }
        return QChar(byte);
    }

    Kind kind_ = Kind::Other;
    QByteArray other_; // the name of an encoding Qt knows
};

class HunspellDictionary final : public SpellDictionary {
public:
    HunspellDictionary(const QString& aff, const QString& dic)
        : hunspell_(QFile::encodeName(aff).constData(), QFile::encodeName(dic).constData()),
          encoding_(hunspell_.get_dict_encoding())
    {
    }

    bool spell(const QString& word) override
    {
        const std::optional<std::string> bytes = encoding_.encode(word);
        return !bytes || hunspell_.spell(*bytes);
    }

    QStringList suggest(const QString& word) override
    {
        QStringList result;
        const std::optional<std::string> bytes = encoding_.encode(word);
        if (!bytes)
            return result;
        for (const std::string& suggestion : hunspell_.suggest(*bytes))
            result.append(encoding_.decode(suggestion));
        return result;
    }

private:
    Hunspell hunspell_;
    DictionaryEncoding encoding_;
};

class HunspellChecker final : public SpellChecker {
public:
    explicit HunspellChecker(QStringList folders) : folders_(std::move(folders)) {}

    bool hasDictionary(const QString& language) override { return find(language).has_value(); }

    std::unique_ptr<SpellDictionary> loadDictionary(const QString& language) override
    {
        const std::optional<QString> folder = find(language);
        if (!folder)
            return nullptr;
        const QString pfad = *folder + u'/' + language;
        return std::make_unique<HunspellDictionary>(pfad + QStringLiteral(".aff"),
                                                    pfad + QStringLiteral(".dic"));
    }

private:
    // The first folder holding both files as readable files; nullopt when none does. A name
    // that could leave the folder is no language.
    std::optional<QString> find(const QString& language) const
    {
        if (language.isEmpty() || language.contains(u'/') || language.startsWith(u'.'))
            return std::nullopt;
        for (const QString& folder : folders_) {
            const QFileInfo aff(folder + u'/' + language + QStringLiteral(".aff"));
            const QFileInfo dic(folder + u'/' + language + QStringLiteral(".dic"));
            if (aff.isFile() && aff.isReadable() && dic.isFile() && dic.isReadable())
                return folder;
        }
        return std::nullopt;
    }

    QStringList folders_;
};

ServiceSlot<SpellChecker>& slot()
{
    static ServiceSlot<SpellChecker> instance(
        []() -> std::unique_ptr<SpellChecker> { return makeHunspellChecker(dictionaryFolders()); });
    return instance;
}

} // namespace

SpellChecker& spellChecker()
{
    return slot().get();
}

SpellChecker* setSpellChecker(SpellChecker* replacement)
{
    return slot().set(replacement);
}

QStringList dictionaryFolders()
{
    QStringList folders;
    const auto add = [&folders](const QString& folder) {
        const QString clean = QDir::cleanPath(folder);
        if (!folder.isEmpty() && !folders.contains(clean))
            folders.append(clean);
    };
    for (const QString& folder : qEnvironmentVariable("DICPATH").split(u':', Qt::SkipEmptyParts))
        add(folder);
    const QStringList daten = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    for (const QString& data : daten)
        add(data + QStringLiteral("/hunspell"));
    add(QStringLiteral("/usr/share/hunspell"));
    add(QStringLiteral("/usr/share/myspell/dicts"));
    return folders;
}

std::unique_ptr<SpellChecker> makeHunspellChecker(const QStringList& folders)
{
    return std::make_unique<HunspellChecker>(folders);
}

} // namespace platform
