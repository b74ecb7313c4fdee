#include "day_info.h"

#include "string_functions.h"
#include "text_replace.h"

#include "foundation/read_only.h"
#include "foundation/file_services.h"
#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/message_text.h"
#include "platform/ini_file.h"
#include "platform/text_file.h"
#include "runtime/error.h"
#include "runtime/format.h"
#include "runtime/lines.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"

#include <QStringList>

#include <array>

namespace textlib {

namespace {

QString inDataFolder(const QString& fileName)
{
    return foundation::ordnerDat + u'/' + fileName;
}

// The text of a definition file with a "~" at its end dropped, prepared for display.
QString withoutFinalTilde(const QString& text)
{
    return text.endsWith(u'~') ? text.left(text.size() - 1) : text;
}

// The eleven keys of a day, lower-cased, in the order they are tried.
std::array<QString, 11> dayKeys(rt::VbDate day)
{
    const auto f = [day](const char* pattern) {
        return rt::LCase(rt::Format(day, QString::fromLatin1(pattern)));
    };
    return {
        f("dd.mm"), f("dd.mm."), f("mmm"), u"m:"_qs + f("mm"), f("dd.mm.yyyy"), f("yyyy-mm-dd"),
        f("dd-mm-yyyy"), f("dd.mm.yy"), f("d.m.yy"), f("d.m.yyyy"), f("mm.yyyy"),
    };
}

// The text of a hit line behind its key: leading "=", ":", blanks and Tabs removed.
QString hitText(const QString& line, qsizetype keyLength)
{
    return LinksKuerzen(line.mid(keyLength), QStringLiteral("=: \t"));
}

// A key of [Allgemein] for the hits: its value; a missing key is added with an empty value so
// that the user finds it, unless the program runs read-only.
QString hitFrame(const QString& path, const QString& key)
{
    const QString section = QStringLiteral("Allgemein");
    if (!platform::ini::read(path, section, key).has_value()) {
        if (!foundation::nurLesen)
            foundation::IniSchreiben(path, section, key, QString());
        return {};
    }
    return foundation::IniLesen(path, section, key, QString());
}

// "[name]" replaced by [Variablen] name, up to 256 rounds; a name without value keeps its
// brackets and blocks the names behind it.
QString replaceVariables(const QString& path, QString text)
{
    for (int round = 0; round < 256; ++round) {
        const QString name = TextZwischen(text, QStringLiteral("["), QStringLiteral("]"));
        if (name.isEmpty())
            break;
        const QString placeholder = u'[' + name + u']';
        const QString value =
            foundation::IniLesen(path, QStringLiteral("Variablen"), name, placeholder);
        const QString replaced = TextErsetzen(text, placeholder, value);
        // Nothing changed: every further round would find the same name again.
        if (replaced == text)
            break;
        text = replaced;
    }
    return text;
}

} // namespace


QString FeiertagText(rt::VbDate date)
{
    const QString path = inDataFolder(QStringLiteral("Feiertag.dci"));
    const QString d = rt::Format(date, QStringLiteral("dd.mm.yyyy"));
    QString text;
    const QString yearly =
        rt::Trim(foundation::IniLesen(path, QStringLiteral("Zyklisch"), d.left(5)));
    if (!yearly.isEmpty())
        text = yearly;
    const QString once = rt::Trim(foundation::IniLesen(path, QStringLiteral("Einmalig"), d));
    if (!once.isEmpty())
        text = once;
    if (text.isEmpty())
        return text;
    return foundation::MeldungAufbereiten(withoutFinalTilde(text));
}

QString FeiertagText(const QString& date)
{
    const std::optional<rt::VbDate> day = rt::CDate(date);
    if (!day) {
        rt::raiseError(rt::ErrTypeMismatch);
        return {};
    }
    return FeiertagText(*day);
}

QString DciTagesText(const QString& file, const QString& date)
{
    const QString path = inDataFolder(file.isEmpty() ? QStringLiteral("Astro.dci") : file);
    if (!foundation::DateiExistiert(path))
        return {};
    std::optional<rt::VbDate> day = rt::CDate(date);
    if (!day) {
        rt::raiseError(rt::ErrTypeMismatch);
        return {};
    }
    const QString allgemein = QStringLiteral("Allgemein");
    const double offset = rt::Val(
        foundation::IniLesen(path, allgemein, QStringLiteral("OffsetTage"), QStringLiteral("0")));
    if (offset != 0)
        day = rt::DateAdd(QStringLiteral("d"), offset, *day);
    const std::array<QString, 11> keys = dayKeys(*day);

    // The whole file is read before the scan, so that the keys added below cannot disturb it.
    const std::optional<QString> text = platform::readTextFile(path);
    if (!text)
        return {};
    const QStringList lines = rt::splitLines(*text);

    QString result;
    QString heading;
    bool framesRead = false;
    QString textVor;
    QString textNach;
    for (QString line : lines) {
        if (line.startsWith(u"=>"))
            heading = rt::Trim(line.mid(2)) + u' ';
        for (const QString& key : keys) {
            const QString lowerLine = rt::LCase(line);
            if (!lowerLine.startsWith(key) || lowerLine.size() <= key.size()
                || lowerLine[key.size()] != u'=')
                continue;
            if (!framesRead) {
                textVor = hitFrame(path, QStringLiteral("TextVor"));
                textNach = hitFrame(path, QStringLiteral("TextNach"));
                framesRead = true;
            }
            line = textVor + heading + hitText(line, key.size()) + textNach;
            result += line + u'~';
        }
    }

    result = withoutFinalTilde(replaceVariables(path, result));
    if (result.isEmpty()) {
        result = foundation::IniLesen(path, allgemein, QStringLiteral("Info0"));
    } else {
        result = foundation::IniLesen(path, allgemein, QStringLiteral("Info1")) + result
                 + foundation::IniLesen(path, allgemein, QStringLiteral("Info2"));
    }
    result.replace(u'\t', u' ');
    result = foundation::MeldungAufbereiten(result);
    result.replace(u'_', u' ');
    return result;
}

} // namespace textlib
