#include "ini_store.h"

#include "folders.h"
#include "platform/ini_file.h"
#include "runtime/error.h"
#include "runtime/format.h"
#include "runtime/lines.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"

namespace foundation {

namespace {

// The longest value a read returns; longer values are cut (never inside a surrogate pair).
constexpr int leseGrenze = 998;

const QString zeilenumbruch = QStringLiteral("\r\n");
const QString gespeicherterUmbruch = QStringLiteral("**");
const QChar anfuehrungszeichen = u'"';
const QChar gespeichertesAnfuehrungszeichen = QChar(0x201C);

// The settings file a file argument names. A name with a folder stays as it is; a bare name is
// looked for in the settings folder, except win.ini and system.ini, which belong to the
// system-wide defaults folder.
QString dateiAufloesen(const QString& file)
{
    QString name = rt::Trim(file);
    if (name.isEmpty())
        return ordnerSub + QStringLiteral("/Brisol.ini");
    // A name without an extension of three letters gets ".ini"; one shorter than four characters
    // is judged by its first character.
    if (rt::Mid(name, std::max(1, rt::Len(name) - 3), 1) != u".")
        name += QStringLiteral(".ini");
    if (name.contains(u'/') || name.contains(u'\\'))
        return name;
    const QString klein = rt::LCase(name);
    if (klein == u"win.ini" || klein == u"system.ini")
        return WindowsOrdner() + u'/' + name;
    return ordnerSub + u'/' + name;
}

QString sektionAufloesen(const QString& section)
{
    return section.isEmpty() ? exeName() : section;
}

QString schluesselAufloesen(const QString& key)
{
    const QString schluessel = rt::Trim(key);
    return schluessel.isEmpty() ? QStringLiteral("NoKey") : schluessel;
}

// A value as it is stored: trimmed, a line break of any kind as "**", a double quote as a
// German opening quote.
QString gespeichert(const QString& value)
{
    QString wert = rt::Trim(value);
    if (!wert.isEmpty()) {
        wert = rt::unifyLineEnds(wert); // a lone CR or LF is stored as "**" too
        wert.replace(zeilenumbruch, gespeicherterUmbruch);
        wert.replace(anfuehrungszeichen, gespeichertesAnfuehrungszeichen);
    }
    return wert;
}

// A stored value as a read gives it: cut to the read limit, "**" as CR LF, the German opening
// quote as a double quote.
QString gelesen(const QString& stored)
{
    QString wert = rt::leftWhole(stored, leseGrenze);
    if (!wert.isEmpty()) {
        wert.replace(gespeicherterUmbruch, zeilenumbruch);
        wert.replace(gespeichertesAnfuehrungszeichen, anfuehrungszeichen);
    }
    return wert;
}

} // namespace

QString IniLesen(const QString& file, const QString& section, const QString& key,
                 const QString& defaultValue)
{
    OrdnerBereitstellen();
    const QString datei = dateiAufloesen(file);
    const QString sektion = sektionAufloesen(section);
    const QString schluessel = schluesselAufloesen(key);
    const QString vorgabe = rt::RTrim(defaultValue).replace(zeilenumbruch, gespeicherterUmbruch);

    return gelesen(platform::ini::read(datei, sektion, schluessel).value_or(vorgabe));
}

QString IniSchreiben(const QString& file, const QString& section, const QString& key,
                     const QString& value)
{
    OrdnerBereitstellen();
    const QString datei = dateiAufloesen(file);
    const QString sektion = sektionAufloesen(section);
    const QString schluessel = schluesselAufloesen(key);

    const QString wert = gespeichert(value);
    // A refused write is lost without a message; the caller's error record stays as it was.
    {
        const rt::ErrorRecordGuard bewahren;
        platform::ini::write(datei, sektion, schluessel, wert);
    }
    return wert;
}

bool IniSchreibenListe(const QString& file, const QString& section,
                       const std::vector<std::pair<QString, QString>>& keysAndValues)
{
    OrdnerBereitstellen();
    std::vector<std::pair<QString, QString>> gespeichertePaare;
    gespeichertePaare.reserve(keysAndValues.size());
    for (const auto& [key, value] : keysAndValues)
        gespeichertePaare.emplace_back(schluesselAufloesen(key), gespeichert(value));
    const rt::ErrorRecordGuard bewahren;
    return platform::ini::writeAll(dateiAufloesen(file), sektionAufloesen(section),
                                   gespeichertePaare);
}

QString IniLesenVorgabe(const QString& file, const QString& section, const QString& key,
                        const QString& defaultValue)
{
    const QString wert = IniLesen(file, section, key, QString());
    if (!wert.isEmpty())
        return wert;
    return IniSchreiben(file, section, key, defaultValue);
}

double IniZaehlen(const QString& file, const QString& section, const QString& key, double step)
{
    QString gespeichert = IniLesen(file, section, key, QStringLiteral("0"));
    if (gespeichert.isEmpty())
        gespeichert = QStringLiteral("0");
    const double summe = rt::parseGermanNumber(gespeichert).value_or(0.0) + step;
    IniSchreiben(file, section, key, rt::Format(summe, QStringLiteral("0")));
    return summe;
}

QString IniGespeicherteForm(const QString& value)
{
    return gelesen(gespeichert(value));
}

} // namespace foundation
