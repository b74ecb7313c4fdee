#include "registry.h"

#include "folders.h"
#include "ini_store.h"
#include "platform/ini_file.h"
#include "runtime/lines.h"
#include "runtime/error.h"
#include "runtime/strings.h"

#include <QRegularExpression>

#include <optional>

namespace foundation {

namespace {

const QString familienSchluessel = QStringLiteral("SOFTWARE/Brisols-Programme/");
const QString zeilenumbruch = QStringLiteral("\r\n");
const QString gespeicherterUmbruch = QStringLiteral("°°");

// The section of a key path; nothing for another root or an empty path.
std::optional<QString> sektionVon(qint32 root, const QString& path)
{
    if (root != HKEY_CURRENT_USER)
        return std::nullopt;
    QString sektion = path;
    sektion.replace(u'\\', u'/');
    if (sektion.isEmpty())
        return std::nullopt;
    return sektion;
}

bool schluesselVorhanden(const QString& sektion)
{
    const QString gesucht = rt::LCase(sektion);
    const QString darunter = gesucht + u'/';
    for (const QString& name : platform::ini::sectionNames(registryDatei())) {
        const QString klein = rt::LCase(name);
        if (klein == gesucht || klein.startsWith(darunter))
            return true;
    }
    return false;
}

QString schluesselPfad(const QString& section)
{
    return familienSchluessel
        + (section.isEmpty() ? QStringLiteral("Brisols-Korvanel") : section);
}

QString wertName(const QString& key)
{
    const QString name = rt::Trim(key);
    return name.isEmpty() ? QStringLiteral("??? Key") : name;
}

} // namespace

QString registryDatei()
{
    OrdnerBereitstellen();
    return ordnerSub + QStringLiteral("/Registry.ini");
}

QString RegSchreiben(const QString& section, const QString& key, const QString& value)
{
    const QString pfad = schluesselPfad(section);
    QString wert = rt::RTrim(value);
    if (!wert.isEmpty())
        wert = rt::unifyLineEnds(wert).replace(zeilenumbruch, gespeicherterUmbruch);

    RegSchluesselAnlegen(HKEY_CURRENT_USER, pfad);
    if (RegWertSetzen(HKEY_CURRENT_USER, pfad, wertName(key), wert))
        return RegLesen(section, key, value);
    return QStringLiteral("???");
}

QString RegLesen(const QString& section, const QString& key, const QString& defaultValue)
{
    QString kopie = defaultValue;
    if (!kopie.isEmpty())
        kopie.replace(zeilenumbruch, gespeicherterUmbruch);
    QVariant wert = kopie;
    if (RegWertLesen(HKEY_CURRENT_USER, schluesselPfad(section), wertName(key), wert))
        return wert.toString().replace(gespeicherterUmbruch, zeilenumbruch);
    return defaultValue;
}

bool RegWertSetzen(qint32 root, const QString& path, const QString& name, const QVariant& value)
{
    const std::optional<QString> sektion = sektionVon(root, path);
    if (!sektion || !schluesselVorhanden(*sektion))
        return false;

    QString gespeichert;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::Short:
        gespeichert = QStringLiteral("dword:%1")
                          .arg(static_cast<quint32>(value.toInt()), 8, 16, QLatin1Char('0'));
        break;
    case QMetaType::QString: {
        const QString text = value.toString();
        if (text.contains(u'\r') || text.contains(u'\n'))
            return false;
        gespeichert = u'"' + text + u'"';
        break;
    }
    default:
        return true;
    }
    rt::ErrorRecordGuard bewahren;
    return platform::ini::write(registryDatei(), *sektion, name, gespeichert);
}

bool RegWertLesen(qint32 root, const QString& path, const QString& name, QVariant& value)
{
    const std::optional<QString> sektion = sektionVon(root, path);
    if (!sektion || !schluesselVorhanden(*sektion))
        return false;
    const std::optional<QString> gelesen = platform::ini::read(registryDatei(), *sektion, name);
    if (!gelesen)
        return false;

    static const QRegularExpression zahl(QStringLiteral("^dword:([0-9a-f]{8})$"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch treffer = zahl.match(*gelesen);
    if (treffer.hasMatch())
        value = QVariant::fromValue(static_cast<qint32>(treffer.captured(1).toUInt(nullptr, 16)));
    else
        value = *gelesen;
    return true;
}

bool RegSchluesselAnlegen(qint32 root, const QString& path)
{
    const std::optional<QString> sektion = sektionVon(root, path);
    if (!sektion || schluesselVorhanden(*sektion))
        return false;
    // The INI engine makes a section only together with a key: a key line made and removed
    // again leaves the section line alone.
    rt::ErrorRecordGuard bewahren;
    const QString datei = registryDatei();
    const QString platzhalter = QStringLiteral("Schluessel angelegt");
    platform::ini::write(datei, *sektion, platzhalter, QString());
    platform::ini::removeKey(datei, *sektion, platzhalter);
    return schluesselVorhanden(*sektion);
}

} // namespace foundation
