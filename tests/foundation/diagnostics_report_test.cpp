#include "foundation/debug_log.h"
#include "foundation/diagnostics_report.h"
#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/read_only.h"
#include "foundation/user_identity.h"
#include "foundation/version.h"
#include "platform/command_line_text.h"
#include "support/fake_clock.h"
#include "support/fake_random.h"
#include "support/fake_screen.h"
#include "support/qt_print.h"
#include "support/recording_print_surface.h"
#include "support/scoped_service.h"
#include "support/temp_settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSysInfo>

#include <functional>
#include <gtest/gtest.h>

using foundation::DateiInfoZeile;
using foundation::DiagnoseBericht;
using foundation::KomponentenZeile;

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

const QRegularExpression guidForm(s("^\\{[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}\\}$"));

// A file of size bytes, last changed at 01.03.2024 10:00:00.
void dateiAnlegen(const QString& path, int size)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(size, 'x'));
    file.flush();
    file.setFileTime(QDateTime(QDate(2024, 3, 1), QTime(10, 0)), QFileDevice::FileModificationTime);
}

class Report : public ::testing::Test {
protected:
    Report()
    {
        foundation::resetNurLesen();
        foundation::resetDebugLogbuch();
        foundation::setAnmeldenameFuerTests(s("anna"));
        foundation::setVersionFuerTests(2026, 12, 1);
        foundation::VersionText();
        foundation::IniSchreiben(QString(), s("Allgemein"), s("User"), s("Anna Beispiel"));
        paper.setPrinters({{s("Büro-Laser"), s("usb://1"), s("CUPS")}});
        paper.setFontCount(12);
    }
    ~Report() override
    {
        foundation::resetNurLesen();
        foundation::resetDebugLogbuch();
        foundation::setAnmeldenameFuerTests(std::nullopt);
        foundation::resetVersion();
    }

    QStringList zeilen() { return DiagnoseBericht().split(s("\r\n")); }
    QString zeileMit(const QString& anfang)
    {
        for (const QString& zeile : zeilen()) {
            if (zeile.startsWith(anfang))
                return zeile;
        }
        return s("<fehlt: ") + anfang + u'>';
    }

    TempSettingsFolders folders;
    FakeClock clock; // 05.03.2024 12:00:00, tick 12345678
    ScopedService<platform::Clock> clockGuard{platform::setClock, &clock};
    FakeScreen screen; // 1024 x 768 at 96 DPI, three fonts
    ScopedService<platform::Screen> screenGuard{platform::setScreen, &screen};
    RecordingPrintSurface paper;
    ScopedService<platform::PrintSurface> paperGuard{platform::setPrinter, &paper};
    FakeRandom random{{0.0}};
    ScopedService<platform::Random> randomGuard{platform::setRandom, &random};
};

TEST_F(Report, layoutOfTheWholeReport)
{
    dateiAnlegen(foundation::ordnerPrg + s("/korvanel"), 4321);
    foundation::IniSchreiben(QString(), QString(), s("Stat_StartFirst"), s("01.01.2020"));
    foundation::IniSchreiben(QString(), QString(), s("Stat_Starts"), s("1234"));
    foundation::IniSchreiben(QString(), QString(), s("Stat_RunMinutes"), s("200"));
    // A first report stores the identifier and the write test, so that the settings file has
    // its final size; then it gets a known time.
    DiagnoseBericht();
    const QString brisol = foundation::ordnerSub + s("/Brisol.ini");
    {
        QFile file(brisol);
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.setFileTime(QDateTime(QDate(2024, 3, 5), QTime(11, 0)),
                         QFileDevice::FileModificationTime);
    }
    const qint64 brisolGroesse = QFileInfo(brisol).size();
    const QString guid = foundation::UserGUIDLesen();
    const QString prg = foundation::ordnerPrg;
    const QString sub = foundation::ordnerSub;
    const QString tmp = foundation::ordnerTmp;

    const QString bericht = DiagnoseBericht();

    const QString erwartet =
        s("\r\nProgramm: Korvanel | ") + prg + s("/korvanel")
        + s("\r\nVersion: 2026.12.0001 | vom: 01.03.2024 10:00:00 | Alter: 4,1 Tg | Größe: 4321 "
            "Bytes")
        + s("\r\nUser: 'Anna Beispiel' | GUID: '") + guid + s("' | Login: 'anna'")
        + s("\r\nWindows: ") + foundation::WindowsVersion()
        + s("\r\n\r\n*** Ordner-Übersicht ***")
        + s("\r\nAktuell    '") + QDir::currentPath() + s("' [$CurDir]")
        + s("\r\nProgramm   '") + prg + s("' [ordnerPrg] ")
        + s("\r\nDaten.Sub  '") + sub + s("' ; [ordnerSub] Brisol.ini")
        + s("\r\nDaten      '") + prg
        + s("' ; [ordnerDat] Ordner 1500...2200;Differenz.txt;Info.*;Lesez*.txt;...")
        + s("\r\nKonfig     '") + prg + s("' ; [ordnerCfg] ***unused***")
        + s("\r\nTemporär   '") + tmp + s("' ; [ordnerTmp] ")
        + s("\r\nWindows    '") + folders.defaultsFolder() + s("'")
        + s("\r\nSystem     '") + foundation::SystemOrdner() + s("'")
        + s("\r\nCommand$   ''")
        + s("\r\n\r\n*** Datei-Übersicht ***")
        + s("\r\nBrisol.ini   '") + brisol + s("' | exist=true | ")
        + QString::number(brisolGroesse) + s(" Bytes | 05.03.2024 11:00:00 | Alter: 1,0 Std")
        + s("\r\nBris_Prn.ini '") + sub + s("/Bris_Prn.ini' | exist=false !")
        + s("\r\n\r\n*** Kontrollen ***")
        + s("\r\nCheck-Num    : 3333,33333333333 IsNum=true | 3.333,3 IsNum=true")
        + s("\r\nCheck-Font   : 3 x Screen | 12 x Printer (Büro-Laser)")
        + s("\r\nCheck-Scr.Pix: 1024 x 768 Pix")
        + s("\r\nCheck-Scr.DPI: 15x15 TpP = 96 DPI")
        + s("\r\nCheck-Zeit   : formatiert='05.03.2024 12:00:00 Dienstag' | "
            "unformatiert='05.03.2024 12:00:00' | IsDate=true")
        + s("\r\nCheck-Wrt.prg: ") + prg + s(" | write=true")
        + s("\r\nCheck-Wrt.ini: ") + sub + s("/Brisol.ini | write=true")
        + s("\r\nCheck-Wrt.dat: ") + prg + s(" | write=true")
        + s("\r\nCheck-Wrt.tmp: ") + tmp + s(" | write=true")
        + s("\r\nReadonly     : false")
        + s("\r\nSys UpTime   : 3,4 Std")
        + s("\r\nStat         : 01.01.2020 · 1.234x · 3h")
        + s("\r\n\r\n*** Module (DLLs, OCXs) Übersicht ***");
    ASSERT_TRUE(bericht.startsWith(erwartet)) << bericht.toStdString();

    // The Qt libraries, each in its own version and without a finding in this build.
    const QStringList module = bericht.mid(erwartet.size() + 2).split(s("\r\n"));
    const QStringList namen{s("libQt6Core.so.6"), s("libQt6Gui.so.6 "), s("libQt6Widgets.s"),
                            s("libQt6PrintSupp"), s("libQt6Network.s")};
    ASSERT_EQ(module.size(), namen.size()) << bericht.toStdString();
    const QRegularExpression form(s("^\\d\\d\\.\\d\\d\\.\\d{4} \\d\\d:\\d\\d:\\d\\d   [ \\d]{7} "
                                    "Bytes   Version ")
                                  + QRegularExpression::escape(s(qVersion())) + u'$');
    for (qsizetype i = 0; i < namen.size(); ++i) {
        SCOPED_TRACE(namen[i].toStdString());
        EXPECT_TRUE(module[i].startsWith(namen[i] + u'\t')) << module[i].toStdString();
        EXPECT_TRUE(form.match(module[i].mid(16)).hasMatch()) << module[i].toStdString();
    }
}

TEST_F(Report, checksMarkWhatSupportShouldLookAt)
{
    struct Row {
        const char* name;
        std::function<void()> setUp;
        QString anfang;
        QString zeile;
    };
    const Row rows[] = {
        {"small screen", [this] { screen.setPixels(640, 480); }, s("Check-Scr.Pix"),
         s("Check-Scr.Pix: 640 x 480 Pix!")},
        {"narrow screen only", [this] { screen.setPixels(799, 600); }, s("Check-Scr.Pix"),
         s("Check-Scr.Pix: 799 x 600 Pix!")},
        {"120 DPI is still fine", [this] { screen.setDpi(120); }, s("Check-Scr.DPI"),
         s("Check-Scr.DPI: 12x12 TpP = 120 DPI")},
        {"144 DPI", [this] { screen.setDpi(144); }, s("Check-Scr.DPI"),
         s("Check-Scr.DPI: 10x10 TpP = 144 DPI!")},
        {"no printer fonts", [this] { paper.setFontCount(0); }, s("Check-Font"),
         s("Check-Font   : 3 x Screen | 0 x Printer (Büro-Laser) !")},
        {"no screen fonts", [this] { screen.setFonts({}); }, s("Check-Font"),
         s("Check-Font   : 0 x Screen | 12 x Printer (Büro-Laser) !")},
        {"read-only", [] { foundation::nurLesen = true; }, s("Readonly"),
         s("Readonly     : true !")},
        {"statistics missing or no number", [] {
             foundation::IniSchreiben(QString(), QString(), s("Stat_Starts"), s("viele"));
         }, s("Stat"), s("Stat         :  · 0x · 0h")},
    };
    const QStringList schriften = screen.fontFamilies();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        row.setUp();
        EXPECT_EQ(zeileMit(row.anfang), row.zeile);
        foundation::resetNurLesen();
        screen.setPixels(1024, 768);
        screen.setDpi(96);
        screen.setFonts(schriften);
        paper.setFontCount(12);
    }
}

TEST_F(Report, dataFolderFromTheCommandLineGetsItsOwnLine)
{
    EXPECT_FALSE(DiagnoseBericht().contains(s("Daten.Para")));

    const QString daten = folders.temp().file(s("Tage buch"));
    folders.temp().makeFolder(s("Tage buch"));
    foundation::resetOrdner();
    foundation::setProgrammOrdnerFuerTests(folders.programFolder());
    platform::setCommandLine({s("/OrdnerDat=") + daten});
    foundation::resetParameter();
    const QString bericht = DiagnoseBericht();
    platform::resetCommandLine();
    foundation::resetParameter();

    EXPECT_TRUE(bericht.contains(s("\r\nDaten      '") + daten + s("' ; [ordnerDat] ")));
    EXPECT_TRUE(bericht.contains(s("\r\nDaten.Para '") + daten
                                 + s("' ; [ordnerDat] per Parameter gesetzt\r\nKonfig     '")));
    EXPECT_TRUE(bericht.contains(s("\r\nCommand$   '/OrdnerDat=\"") + daten + s("\"'\r\n")));
}

TEST_F(Report, writeTestsLeaveAGuidAndNoTestFile)
{
    // A file of the user's under the name the first test would take stays as it was.
    const QString prg = folders.programFolder();
    folders.temp().write(s("program/$0.txt"), "Notizen der Nutzerin\r\n");
    foundation::IniSchreiben(QString(), s("Allgemein"), s("Schreibtest"), s("alt"));

    const QStringList z = zeilen();
    EXPECT_TRUE(z.contains(s("Check-Wrt.prg: ") + prg + s(" | write=true")));
    EXPECT_TRUE(z.contains(s("Check-Wrt.tmp: ") + folders.tmpFolder() + s(" | write=true")));

    const QString schreibtest =
        foundation::IniLesen(QString(), s("Allgemein"), s("Schreibtest"), QString());
    EXPECT_TRUE(guidForm.match(schreibtest).hasMatch()) << schreibtest.toStdString();
    EXPECT_EQ(folders.temp().read(s("program/$0.txt")), QByteArray("Notizen der Nutzerin\r\n"));
    EXPECT_EQ(QDir(prg).entryList({s("$*")}, QDir::Files), QStringList{s("$0.txt")});
    EXPECT_TRUE(QDir(folders.tmpFolder()).entryList({s("$*")}, QDir::Files).isEmpty());

    // A folder that cannot be written fails its test and is left without a file.
    foundation::ordnerTmp = folders.temp().file(s("fehlt"));
    EXPECT_EQ(zeileMit(s("Check-Wrt.tmp")),
              s("Check-Wrt.tmp: ") + foundation::ordnerTmp + s(" | write=false !"));
    EXPECT_FALSE(QFileInfo::exists(foundation::ordnerTmp));
}

TEST_F(Report, componentLinesCompareSizeAndVersion)
{
    const QString pfad = folders.temp().file(s("Komponente.so"));
    dateiAnlegen(pfad, 1000);
    const QString vorn = s("Komponente.so  \t01.03.2024 10:00:00      1000 Bytes   Version ");
    struct Row {
        const char* name;
        std::optional<qint64> groesse;
        QString mindest;
        QString version;
        QString zeile;
    };
    const Row rows[] = {
        {"as expected", 1000, s("6.4.2"), s("6.4.2"), vorn + s("6.4.2")},
        {"one byte smaller than expected", 1001, s("6.4.2"), s(" 6.4.2 "),
         vorn + s("6.4.2     (soll=1001 <!!!)")},
        {"larger than expected", 999, s("6.4.2"), s("6.4.2"), vorn + s("6.4.2     (soll=999 >!)")},
        {"no size expected", std::nullopt, s("6.4.2"), s("6.4.2"), vorn + s("6.4.2")},
        {"older by character order", 1000, s("6.00.9802"), s("6.0.98.15"),
         vorn + s("6.0.98.15     (soll=6.00.9802 <!!!)")},
        {"newer", 1000, s("6.4.2"), s("6.5.0"), vorn + s("6.5.0     (soll=6.4.2 >!)")},
        {"no version information", 1000, s("6.4.2"), s("?"),
         vorn + s("?     (soll=6.4.2 >!)")},
        {"both differ", 10, s("6.4.2"), s("6.4.1"),
         vorn + s("6.4.1     (soll=10 >!) (soll=6.4.2 <!!!)")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(KomponentenZeile(pfad, row.groesse, row.mindest, row.version), row.zeile);
    }
    EXPECT_EQ(KomponentenZeile(folders.temp().file(s("eine_sehr_lange_bibliothek.so")), 5,
                               s("1.0"), s("1.0")),
              s("eine_sehr_lange\t     ? nicht gefunden !"));
}

TEST_F(Report, fileInfoLine)
{
    const QString brisol = folders.temp().file(s("Brisol.ini"));
    dateiAnlegen(brisol, 12345);
    EXPECT_EQ(DateiInfoZeile(QString(), brisol, false),
              s("Brisol.ini   '") + brisol
                  + s("' | exist=true | 12.345 Bytes | 01.03.2024 10:00:00 | Alter: 4,1 Tg"));
    const QString fehlt = folders.temp().file(s("Tagebuch-Export-2024.txt"));
    EXPECT_EQ(DateiInfoZeile(QString(), fehlt, false),
              s("Tagebuch-Exp '") + fehlt + s("' | exist=false !"));

    // Into the debug log as well, the label without its blanks.
    foundation::debugModus = 1;
    EXPECT_EQ(DateiInfoZeile(s("  Export: "), fehlt, true),
              s("  Export:  '") + fehlt + s("' | exist=false !"));
    QFile log(foundation::debugDatei);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_EQ(log.readAll(),
              "24-03-05 12:00:00\t12345678\tExport: '" + fehlt.toUtf8()
                  + "' | exist=false !\t\r\n");
}

TEST_F(Report, versionsOfFilesAndTheSystem)
{
    EXPECT_EQ(foundation::DateiVersion(foundation::SystemOrdner() + s("/libQt6Core.so.6")),
              s(qVersion()));
    folders.temp().write(s("libbeispiel.so.2.7.13"), "ELF");
    QFile::link(folders.temp().file(s("libbeispiel.so.2.7.13")),
                folders.temp().file(s("libbeispiel.so.2")));
    EXPECT_EQ(foundation::DateiVersion(folders.temp().file(s("libbeispiel.so.2"))), s("2.7.13"));
    folders.temp().write(s("notiz.txt"), "x");
    EXPECT_EQ(foundation::DateiVersion(folders.temp().file(s("notiz.txt"))), s("?"));
    EXPECT_EQ(foundation::DateiVersion(folders.temp().file(s("fehlt.so.1"))), s("?"));

    const QString system = foundation::WindowsVersion();
    EXPECT_TRUE(system.contains(QSysInfo::kernelVersion())) << system.toStdString();
    EXPECT_FALSE(system.contains(s("  ")));
}

} // namespace
