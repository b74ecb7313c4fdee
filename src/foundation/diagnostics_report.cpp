#include "diagnostics_report.h"

#include "debug_log.h"
#include "file_services.h"
#include "folders.h"
#include "ini_store.h"
#include "number_format.h"
#include "product_info.h"
#include "read_only.h"
#include "user_identity.h"
#include "version.h"

#include "platform/clock.h"
#include "platform/command_line_text.h"
#include "platform/path_resolver.h"
#include "platform/print_surface.h"
#include "platform/random.h"
#include "platform/screen.h"
#include "runtime/dates.h"
#include "runtime/format.h"
#include "runtime/numbers.h"
#include "runtime/strings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <QSysInfo>
#include <QtGlobal>

#include <cmath>

namespace foundation {

namespace {

const QString zeitMuster = QStringLiteral("dd.mm.yyyy hh:nn:ss");

// The Qt libraries the program needs, looked for in SystemOrdner(). Their sizes differ from
// build to build, so no size is expected; the version must be at least the one the program was
// built with.
struct Komponente {
    QString datei;
    std::optional<qint64> groesse;
    QString mindestVersion;
};

const Komponente komponenten[] = {
    {QStringLiteral("libQt6Core.so.6"), std::nullopt, QStringLiteral(QT_VERSION_STR)},
    {QStringLiteral("libQt6Gui.so.6"), std::nullopt, QStringLiteral(QT_VERSION_STR)},
    {QStringLiteral("libQt6Widgets.so.6"), std::nullopt, QStringLiteral(QT_VERSION_STR)},
    {QStringLiteral("libQt6PrintSupport.so.6"), std::nullopt, QStringLiteral(QT_VERSION_STR)},
    {QStringLiteral("libQt6Network.so.6"), std::nullopt, QStringLiteral(QT_VERSION_STR)},
};

// The file the program runs from: the executable "korvanel" in the program folder.
QString programmDatei()
{
    return ordnerPrg + QStringLiteral("/korvanel");
}

QString aufBreite(const QString& text, int breite)
{
    return text.leftJustified(breite, u' ', true);
}

rt::VbDate geaendert(const QFileInfo& info)
{
    return rt::fromQDateTime(info.lastModified());
}

// Seconds from then to now, as an age.
QString alterSeit(rt::VbDate dann)
{
    return DauerAlsText(static_cast<double>(rt::DateDiff(QStringLiteral("s"), dann,
                                                         platform::clock().now())),
                        1);
}

QString wahr(bool ok)
{
    return ok ? QStringLiteral("true") : QStringLiteral("false !");
}

// A path in folder that names nothing yet, built from number ("$<number>.txt"), and the file
// created empty there, so that the write test never touches a file of the user's. Empty when
// the folder refuses a new file.
QString neueTestdatei(const QString& ordner, qint64 nummer)
{
    for (int versuch = 0; versuch < 1000; ++versuch, ++nummer) {
        const QString pfad = ordner + QStringLiteral("/$") + QString::number(nummer)
            + QStringLiteral(".txt");
        if (platform::pathExists(pfad))
            continue;
        QFile datei(pfad);
        if (datei.open(QIODevice::NewOnly))
            return pfad;
        if (!QFileInfo::exists(pfad))
            return QString();
    }
    return QString();
}

QString ordnerSchreibtest(const QString& label, const QString& ordner)
{
    platform::Clock& uhr = platform::clock();
    const double zufall = platform::random().Rnd();
    const QString testdatei =
        neueTestdatei(ordner, std::llround(uhr.secondsSinceMidnight() * zufall));
    const QString wert = rt::Format(uhr.secondsSinceMidnight(), QStringLiteral("0"));
    bool ok = false;
    if (!testdatei.isEmpty()) {
        IniSchreiben(testdatei, QStringLiteral("Allgemein"), QStringLiteral("Schreibtest"), wert);
        ok = IniLesen(testdatei, QStringLiteral("Allgemein"), QStringLiteral("Schreibtest"),
                      QStringLiteral("?"))
            == wert;
        QFile::remove(testdatei);
    }
    return label + ordner + QStringLiteral(" | write=") + wahr(ok);
}

QString einstellungenSchreibtest()
{
    const QString wert = NeueGUID();
    IniSchreiben(QString(), QStringLiteral("Allgemein"), QStringLiteral("Schreibtest"), wert);
    const bool ok = IniLesen(QString(), QStringLiteral("Allgemein"), QStringLiteral("Schreibtest"),
                             QStringLiteral("?"))
        == wert;
    return QStringLiteral("Check-Wrt.ini: ") + ordnerSub + QStringLiteral("/Brisol.ini | write=")
        + wahr(ok);
}

QString zahlenPruefung()
{
    const double x = 10000.0 / 3.0;
    const QString text = rt::CStr(x);
    const QString muster = rt::Format(x, QStringLiteral("0,000.0"));
    return QStringLiteral("Check-Num    : ") + text + QStringLiteral(" IsNum=")
        + wahr(rt::Left(text, 8) == QStringLiteral("3333,333")) + QStringLiteral(" | ") + muster
        + QStringLiteral(" IsNum=") + wahr(muster == QStringLiteral("3.333,3"));
}

QString schriftPruefung()
{
    const qsizetype bildschirm = platform::screen().fontFamilies().size();
    platform::PrintSurface& drucker = platform::printer();
    const int druckerSchriften = drucker.FontCount();
    return QStringLiteral("Check-Font   : ") + QString::number(bildschirm)
        + QStringLiteral(" x Screen | ") + QString::number(druckerSchriften)
        + QStringLiteral(" x Printer (") + drucker.DeviceName() + u')'
        + (bildschirm * druckerSchriften < 1 ? QStringLiteral(" !") : QString());
}

QStringList bildschirmPruefungen()
{
    platform::Screen& schirm = platform::screen();
    const int breite = schirm.widthPixels();
    const int hoehe = schirm.heightPixels();
    const QString pixel = QStringLiteral("Check-Scr.Pix: ") + QString::number(breite)
        + QStringLiteral(" x ") + QString::number(hoehe) + QStringLiteral(" Pix")
        + (breite < 800 || hoehe < 600 ? QStringLiteral("!") : QString());

    // Practically 1440 / the mean of the two twips-per-pixel values.
    const double tppX = schirm.twipsPerPixelX();
    const double tppY = schirm.twipsPerPixelY();
    const double aufloesung = 1439.99999999982 * std::pow((tppX + tppY) / 2, -0.999999999999954);
    const bool ausserhalb = tppX < 12 || tppX > 15 || tppY < 12 || tppY > 15;
    const QString dpi = QStringLiteral("Check-Scr.DPI: ") + rt::CStr(tppX) + u'x' + rt::CStr(tppY)
        + QStringLiteral(" TpP = ") + rt::Format(aufloesung, QStringLiteral("0"))
        + QStringLiteral(" DPI") + (ausserhalb ? QStringLiteral("!") : QString());
    return {pixel, dpi};
}

QString zeitPruefung()
{
    const rt::VbDate jetzt = platform::clock().now();
    return QStringLiteral("Check-Zeit   : formatiert='")
        + rt::Format(jetzt, QStringLiteral("dd.mm.yyyy hh:nn:ss dddd"))
        + QStringLiteral("' | unformatiert='") + rt::CStr(jetzt)
        + QStringLiteral("' | IsDate=true");
}

QString statistik()
{
    const auto zahl = [](const char* key) {
        return rt::Val(IniLesen(QString(), QString(), QString::fromLatin1(key), QString()));
    };
    return QStringLiteral("Stat         : ")
        + IniLesen(QString(), QString(), QStringLiteral("Stat_StartFirst"), QString())
        + QStringLiteral(" · ") + rt::Format(zahl("Stat_Starts"), QStringLiteral("#,##0"))
        + QStringLiteral("x · ")
        + rt::Format(zahl("Stat_RunMinutes") / 60, QStringLiteral("#,##0")) + u'h';
}

} // namespace

QString KomponentenZeile(const QString& pfad, std::optional<qint64> groesse,
                         const QString& mindestVersion, const QString& version)
{
    QString zeile = aufBreite(PfadTeil(pfad, 3), 15) + u'\t';
    QString bemerkung;
    if (!DateiExistiert(pfad)) {
        bemerkung = QStringLiteral(" ? nicht gefunden !");
    } else {
        const QFileInfo info(platform::resolvePath(pfad));
        zeile += rt::Format(geaendert(info), zeitMuster) + QStringLiteral("   ")
            + ZahlFormatieren(static_cast<double>(info.size()), QStringLiteral("0000000"))
            + QStringLiteral(" Bytes");
        if (groesse && info.size() < *groesse) {
            bemerkung += QStringLiteral(" (soll=") + QString::number(*groesse)
                + QStringLiteral(" <!!!)");
        } else if (groesse && info.size() > *groesse) {
            bemerkung += QStringLiteral(" (soll=") + QString::number(*groesse)
                + QStringLiteral(" >!)");
        }
        const QString text = rt::Trim(version);
        zeile += QStringLiteral("   Version ") + (text.isEmpty() ? QStringLiteral("?") : text);
        // Compared as texts, character by character, as the minimum versions are written.
        const int vergleich = QString::compare(text, mindestVersion, Qt::CaseSensitive);
        if (vergleich < 0)
            bemerkung += QStringLiteral(" (soll=") + mindestVersion + QStringLiteral(" <!!!)");
        else if (vergleich > 0)
            bemerkung += QStringLiteral(" (soll=") + mindestVersion + QStringLiteral(" >!)");
    }
    if (!bemerkung.isEmpty())
        zeile += QStringLiteral("     ") + rt::Trim(bemerkung);
    return zeile;
}

QString DiagnoseBericht()
{
    OrdnerBereitstellen();
    QStringList z;
    const QString programm = programmDatei();

    z << QStringLiteral("Programm: ") + programmTitel() + QStringLiteral(" | ") + programm;
    QString version = QStringLiteral("Version: ") + versionPunkt;
    if (DateiExistiert(programm)) {
        const QFileInfo info(platform::resolvePath(programm));
        version += QStringLiteral(" | vom: ") + rt::Format(geaendert(info), zeitMuster)
            + QStringLiteral(" | Alter: ") + alterSeit(geaendert(info))
            + QStringLiteral(" | Größe: ") + QString::number(info.size())
            + QStringLiteral(" Bytes");
    }
    z << version;
    z << QStringLiteral("User: '") + Benutzername() + QStringLiteral("' | GUID: '")
            + UserGUIDLesen() + QStringLiteral("' | Login: '") + WindowsAnmeldename()
            + QStringLiteral("'");
    z << QStringLiteral("Windows: ") + WindowsVersion();

    z << QString() << QStringLiteral("*** Ordner-Übersicht ***");
    z << QStringLiteral("Aktuell    '") + QDir::currentPath() + QStringLiteral("' [$CurDir]");
    z << QStringLiteral("Programm   '") + ordnerPrg + QStringLiteral("' [ordnerPrg] ");
    z << QStringLiteral("Daten.Sub  '") + ordnerSub + QStringLiteral("' ; [ordnerSub] Brisol.ini");
    z << QStringLiteral("Daten      '") + ordnerDat
            + QStringLiteral("' ; [ordnerDat] Ordner 1500...2200;Differenz.txt;Info.*;"
                             "Lesez*.txt;...");
    if (!ordnerDatPara.isEmpty()) {
        z << QStringLiteral("Daten.Para '") + ordnerDatPara
                + QStringLiteral("' ; [ordnerDat] per Parameter gesetzt");
    }
    z << QStringLiteral("Konfig     '") + ordnerCfg
            + QStringLiteral("' ; [ordnerCfg] ***unused***");
    z << QStringLiteral("Temporär   '") + ordnerTmp + QStringLiteral("' ; [ordnerTmp] ");
    z << QStringLiteral("Windows    '") + WindowsOrdner() + u'\'';
    z << QStringLiteral("System     '") + SystemOrdner() + u'\'';
    z << QStringLiteral("Command$   '") + platform::Command() + u'\'';

    z << QString() << QStringLiteral("*** Datei-Übersicht ***");
    z << DateiInfoZeile(QString(), ordnerSub + QStringLiteral("/Brisol.ini"), false);
    z << DateiInfoZeile(QString(), ordnerSub + QStringLiteral("/Bris_Prn.ini"), false);

    z << QString() << QStringLiteral("*** Kontrollen ***");
    z << zahlenPruefung();
    z << schriftPruefung();
    z << bildschirmPruefungen();
    z << zeitPruefung();
    z << ordnerSchreibtest(QStringLiteral("Check-Wrt.prg: "), ordnerPrg);
    z << einstellungenSchreibtest();
    z << ordnerSchreibtest(QStringLiteral("Check-Wrt.dat: "), ordnerDat);
    z << ordnerSchreibtest(QStringLiteral("Check-Wrt.tmp: "), ordnerTmp);
    z << QStringLiteral("Readonly     : ")
            + (nurLesen ? QStringLiteral("true !") : QStringLiteral("false"));
    z << QStringLiteral("Sys UpTime   : ")
            + DauerAlsText(static_cast<double>(platform::clock().tick()) / 1000, 1);
    z << statistik();

    z << QString() << QStringLiteral("*** Module (DLLs, OCXs) Übersicht ***");
    for (const Komponente& k : komponenten) {
        z << KomponentenZeile(SystemOrdner() + u'/' + k.datei, k.groesse, k.mindestVersion,
                              QString::fromLatin1(qVersion()));
    }

    QString bericht;
    for (const QString& zeile : z)
        bericht += QStringLiteral("\r\n") + zeile;
    return bericht;
}

QString DateiInfoZeile(const QString& label, const QString& path, bool toDebugLog)
{
    QString dateiTeil = u'\'' + path + u'\'';
    if (DateiExistiert(path)) {
        const QFileInfo info(platform::resolvePath(path));
        dateiTeil += QStringLiteral(" | exist=true | ")
            + rt::Format(static_cast<qint64>(info.size()), QStringLiteral("#,##0"))
            + QStringLiteral(" Bytes | ") + rt::Format(geaendert(info), zeitMuster)
            + QStringLiteral(" | Alter: ") + alterSeit(geaendert(info));
    } else {
        dateiTeil += QStringLiteral(" | exist=false !");
    }
    const QString name = label.isEmpty() ? aufBreite(PfadTeil(path, 3), 12) : label;
    if (toDebugLog)
        DebugLogbuch(rt::Trim(name) + u' ' + dateiTeil);
    return name + u' ' + dateiTeil;
}

QString DateiVersion(const QString& path)
{
    const QFileInfo info(platform::resolvePath(path));
    if (!info.isFile())
        return QStringLiteral("?");
    static const QRegularExpression versionAmEnde(QStringLiteral("\\.so\\.([0-9][0-9.]*)$"));
    const QRegularExpressionMatch treffer =
        versionAmEnde.match(QFileInfo(info.canonicalFilePath()).fileName());
    if (!treffer.hasMatch())
        return QStringLiteral("?");
    QString version = treffer.captured(1);
    if (version.endsWith(u'.'))
        version.chop(1);
    return version;
}

QString WindowsVersion()
{
    const QString name = QSysInfo::prettyProductName();
    const QString kern = QSysInfo::kernelType() + u' ' + QSysInfo::kernelVersion();
    return rt::Trim(name + u' ' + rt::Trim(kern));
}

} // namespace foundation
