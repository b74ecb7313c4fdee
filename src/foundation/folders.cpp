#include "folders.h"

#include "command_line.h"
#include "ini_store.h"
#include "platform/command_line_text.h"
#include "text_replace.h"
#include "platform/ini_file.h"
#include "platform/path_resolver.h"
#include "platform/text_file.h"
#include "runtime/strings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>

namespace foundation {

QString ordnerSub;
QString ordnerTmp;
QString ordnerPrg;
QString ordnerDatPara;
QString ordnerDat;
QString ordnerCfg;
QString ordnerDatHerkunft;
QString debugDatei;

namespace {

QString programmOrdnerFuerTests;

const QString familienOrdner = QStringLiteral("Brisols-Programme");

// folder + "/" + name, without doubling the "/" of the root.
QString imOrdner(const QString& folder, const QString& name)
{
    if (folder.endsWith(u'/'))
        return folder + name;
    return folder + u'/' + name;
}

// An XDG base folder: the variable when it holds an absolute path, else the fallback below the
// home folder.
QString xdgOrdner(const char* variable, const QString& fallbackInHome)
{
    const QString value = qEnvironmentVariable(variable);
    if (value.startsWith(u'/'))
        return ordnerOhneEndTrenner(value);
    return ordnerOhneEndTrenner(imOrdner(QDir::homePath(), fallbackInHome));
}

QString programmOrdner()
{
    if (!programmOrdnerFuerTests.isEmpty())
        return ordnerOhneEndTrenner(programmOrdnerFuerTests);
    return ordnerOhneEndTrenner(QCoreApplication::applicationDirPath());
}

// Whether the program may keep its diaries in folder. A folder without any write permission
// counts as write-protected even for the super-user, as a read-only folder did on Windows.
bool beschreibbar(const QString& folder)
{
    const QFileInfo info(platform::resolvePath(folder));
    return info.isDir() && !platform::writeProtected(info);
}

QString benutzerDatenordner()
{
    return xdgOrdner("XDG_DATA_HOME", QStringLiteral(".local/share")) + u'/' + familienOrdner
        + QStringLiteral("/Korvanel");
}

// A fresh settings folder takes over the settings an administrator left in the system-wide
// defaults folder.
void einstellungsordnerEinrichten()
{
    if (!platform::listFolder(ordnerSub, QString()).isEmpty())
        return;
    const QString ziel = platform::resolvePath(ordnerSub);
    QDir().mkpath(ziel);
    for (const char* datei : {"Brisol.ini", "Bris_Prn.ini"}) {
        const QString name = QString::fromLatin1(datei);
        const QString quelle = platform::resolvePath(imOrdner(WindowsOrdner(), name));
        if (!QFileInfo(quelle).isFile())
            continue;
        // The copy is the user's own: a defaults file without write permission must not make
        // every setting the user changes fail to be stored.
        const QString kopie = imOrdner(ziel, name);
        if (QFile::copy(quelle, kopie))
            QFile::setPermissions(kopie, QFile::permissions(kopie) | QFileDevice::WriteOwner);
    }
}

QString temporaererOrdner()
{
    QString ordner = IniLesen(QStringLiteral("Brisol.ini"), QStringLiteral("Verknüpfung"),
                              QStringLiteral("TmpSrv"), QString());
    for (const char* variable : {"Tmp", "Temp", "TMPDIR", "TMP", "TEMP"}) {
        if (!ordner.isEmpty())
            break;
        ordner = qEnvironmentVariable(variable);
    }
    if (ordner.isEmpty())
        ordner = QStringLiteral("/tmp");
    return ordnerOhneEndTrenner(ordner);
}

void datenordnerFestlegen()
{
    const QString befehl = platform::Command();
    if (rt::LCase(befehl).contains(u"/ordnerdat=") && ordnerDatPara.isEmpty()) {
        ParameterZerlegen(befehl);
        ordnerDatPara = ParameterWert(QStringLiteral("OrdnerDat="));
        ordnerDatHerkunft =
            QStringLiteral("Per Parameter übergeben /OrdnerDat=´") + ordnerDatPara + u'´';
    }

    ordnerDat.clear();
    if (!ordnerDatPara.isEmpty()) {
        ordnerDat = ordnerDatPara;
    } else {
        ordnerDat = IniLesenVorgabe(QString(), QString(), QStringLiteral("OrdnerDat"), QString());
        if (!ordnerDat.isEmpty() && ordnerDatHerkunft.isEmpty())
            ordnerDatHerkunft = QStringLiteral("Per Ini gesetzt: ") + ordnerDat;
    }
    if (ordnerDat.isEmpty()) {
        if (beschreibbar(ordnerPrg)) {
            ordnerDat = ordnerPrg;
            if (ordnerDatHerkunft.isEmpty())
                ordnerDatHerkunft = QStringLiteral("Per default in den Programm-Ordners gesetzt.");
        } else {
            ordnerDat = benutzerDatenordner();
            QDir().mkpath(platform::resolvePath(ordnerDat));
            if (ordnerDatHerkunft.isEmpty())
                ordnerDatHerkunft = QStringLiteral(
                    "Per default in den Benutzer-Datenordner gesetzt, da der Programm-Ordner "
                    "schreibgeschützt ist.");
        }
    }
    ordnerDat = ordnerOhneEndTrenner(TextErsetzen(ordnerDat, QStringLiteral("{AppDir}"), ordnerPrg));
}

} // namespace

QString exeName()
{
    return QStringLiteral("Korvanel");
}

void OrdnerFestlegen()
{
    // The settings folder comes first: every INI access below needs it, and with it set the
    // settings store does not call back into this function.
    ordnerSub.clear();
    ordnerSub = imOrdner(SpezialOrdner(26), familienOrdner);
    einstellungsordnerEinrichten();

    ordnerTmp.clear();
    ordnerTmp = temporaererOrdner();

    ordnerPrg = programmOrdner();
    IniSchreiben(QString(), QString(), QStringLiteral("OrdnerPrg"), ordnerPrg);

    datenordnerFestlegen();
    IniSchreiben(QString(), QString(), QStringLiteral("OrdnerDat#"), ordnerDat);
    ordnerCfg = ordnerDat;

    ordnerDatHerkunft.replace(u'´', u'"');
    debugDatei = imOrdner(ordnerDat, QStringLiteral("Debug.txt"));
}

void OrdnerBereitstellen()
{
    if (ordnerSub.isEmpty())
        OrdnerFestlegen();
}

QString hilfeDatei()
{
    OrdnerBereitstellen();
    return imOrdner(ordnerPrg, QStringLiteral("Korvanel.chm"));
}

QString WindowsOrdner()
{
    return ordnerOhneEndTrenner(platform::ini::bareNameFolder());
}

QString SystemOrdner()
{
    return ordnerOhneEndTrenner(QLibraryInfo::path(QLibraryInfo::LibrariesPath));
}

QString SpezialOrdner(qint32 nummer)
{
    switch (nummer) {
    case 26:
        return xdgOrdner("XDG_CONFIG_HOME", QStringLiteral(".config"));
    case 36:
        return WindowsOrdner();
    default:
        return QString();
    }
}

QString ordnerOhneEndTrenner(const QString& folder)
{
    QString result = folder;
    result.replace(u'\\', u'/');
    if (result.size() > 1 && result.endsWith(u'/'))
        result.chop(1);
    return result;
}

void resetOrdner()
{
    ordnerSub.clear();
    ordnerTmp.clear();
    ordnerPrg.clear();
    ordnerDatPara.clear();
    ordnerDat.clear();
    ordnerCfg.clear();
    ordnerDatHerkunft.clear();
    debugDatei.clear();
    programmOrdnerFuerTests.clear();
}

void setProgrammOrdnerFuerTests(const QString& folder)
{
    programmOrdnerFuerTests = folder;
}

} // namespace foundation
