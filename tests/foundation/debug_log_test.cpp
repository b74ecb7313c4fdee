#include "foundation/debug_log.h"
#include "foundation/debug_log_hold.h"
#include "foundation/diagnostics_report.h"
#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/read_only.h"
#include "foundation/user_identity.h"
#include "support/fake_clock.h"
#include "support/fake_random.h"
#include "support/fake_screen.h"
#include "support/qt_print.h"
#include "support/recording_print_surface.h"
#include "support/scoped_service.h"
#include "support/temp_settings.h"

#include <QFile>
#include <gtest/gtest.h>

using foundation::DebugLogbuch;
using foundation::NutzungProtokollieren;

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QByteArray ansi(const char* utf8)
{
    return s(utf8).toLatin1();
}

class DebugLog : public ::testing::Test {
protected:
    DebugLog()
    {
        foundation::resetDebugLogbuch();
        foundation::resetNurLesen();
        foundation::setAnmeldenameFuerTests(s("anna"));
    }
    ~DebugLog() override
    {
        foundation::resetDebugLogbuch();
        foundation::resetNurLesen();
        foundation::setAnmeldenameFuerTests(std::nullopt);
    }

    void schalten(const char* debugMode)
    {
        foundation::IniSchreiben(QString(), s("Allgemein"), s("DebugMode"), s(debugMode));
    }
    QByteArray logbuch() const
    {
        QFile file(foundation::debugDatei);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    bool logbuchDa() const { return QFile::exists(foundation::debugDatei); }
    // The log of the user who holds the data folder.
    static void besitzerinSchreibt()
    {
        foundation::OrdnerBereitstellen();
        QFile file(foundation::debugDatei);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("Logbuch der Besitzerin\r\n");
    }
    QString nutzungDatei() const { return foundation::ordnerDat + s("/Korvanel.use"); }
    QByteArray nutzung() const
    {
        QFile file(nutzungDatei());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    TempSettingsFolders folders;
    FakeClock clock; // 05.03.2024 12:00:00, tick 12345678
    ScopedService<platform::Clock> clockGuard{platform::setClock, &clock};
    FakeScreen screen;
    ScopedService<platform::Screen> screenGuard{platform::setScreen, &screen};
    RecordingPrintSurface paper;
    ScopedService<platform::PrintSurface> paperGuard{platform::setPrinter, &paper};
    FakeRandom random;
    ScopedService<platform::Random> randomGuard{platform::setRandom, &random};
};

TEST_F(DebugLog, missingSwitchIsStoredAsZeroAndNothingIsLogged)
{
    DebugLogbuch(s("Programm-Start"));
    EXPECT_EQ(foundation::IniLesen(QString(), s("Allgemein"), s("DebugMode"), s("fehlt")), s("0"));
    EXPECT_EQ(foundation::debugModus, -1);
    EXPECT_FALSE(logbuchDa());

    // Switched on for the rest of the run by another procedure, whatever the setting says.
    foundation::debugModus = 1;
    DebugLogbuch(s("Programm-Start"));
    EXPECT_EQ(logbuch(), QByteArray("24-03-05 12:00:00\t12345678\tProgramm-Start\t\r\n"));
}

TEST_F(DebugLog, switchIsReadAsAWholeNumberOnce)
{
    struct Row {
        const char* stored;
        bool on;
    };
    const Row rows[] = {
        {"2", true},     {"1", true},  {"0", false},     {"-1", false}, {"abc", false},
        {"1.5", true},   {"0.5", false}, {"3 Zeilen", true}, {"99999", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.stored);
        foundation::resetDebugLogbuch();
        schalten(row.stored);
        QFile::remove(foundation::debugDatei);
        DebugLogbuch(s("Zeile"));
        EXPECT_EQ(logbuchDa(), row.on);
        // A change of the setting waits for the next run.
        schalten(row.on ? "0" : "1");
        DebugLogbuch(s("Zeile"));
        EXPECT_EQ(logbuch().count("Zeile"), row.on ? 2 : 0);
    }
}

TEST_F(DebugLog, linesHaveDateTimeTickTextAndElapsedMilliseconds)
{
    struct Step {
        const char* name;
        qint64 advance;
        QString text;
        QByteArray line; // empty: nothing written
    };
    const QString lang1500 = QString(1500, u'x');
    const QString lang1501 = QString(1499, u'y') + s("zz");
    const Step steps[] = {
        {"first line has no elapsed time but its Tab", 0, s("Programm-Start"),
         "24-03-05 12:00:00\t00000042\tProgramm-Start\t\r\n"},
        {"elapsed since the previous line", 1000, s("  Eintrag laden  "),
         "24-03-05 12:00:01\t00001042\tEintrag laden\t[1000 ms]\r\n"},
        {"line breaks become ~", 5, s("a\r\nb\nc\fd\re"),
         "24-03-05 12:00:01\t00001047\ta~b~c~d~e\t[5 ms]\r\n"},
        {"marker in capitals suppresses the elapsed time", 10, s("Suche $T- Ende"),
         "24-03-05 12:00:01\t00001057\tSuche $T- Ende\t\r\n"},
        {"blank text writes nothing and keeps the last tick", 20, s("   "), {}},
        {"so the next elapsed time counts from the line before", 30, s("Weiter"),
         "24-03-05 12:00:01\t00001107\tWeiter\t[50 ms]\r\n"},
        {"heading", 0, s("[]BildZordnen"),
         "24-03-05 12:00:01\t00001107\tBildZordnen " + QByteArray(68, '-') + "\t[0 ms]\r\n"},
        {"CLR in capitals is ordinary text", 0, s("CLR"),
         "24-03-05 12:00:01\t00001107\tCLR\t[0 ms]\r\n"},
        {"1500 characters stay whole", 0, lang1500,
         "24-03-05 12:00:01\t00001107\t" + QByteArray(1500, 'x') + "\t[0 ms]\r\n"},
        {"1501 characters are cut to 1497 and ...", 0, lang1501,
         "24-03-05 12:00:01\t00001107\t" + QByteArray(1497, 'y') + "...\t[0 ms]\r\n"},
        {"German letters in Windows-1252", 0, s("Prüfe Schreib-/Leserechte"),
         "24-03-05 12:00:01\t00001107\t" + ansi("Prüfe Schreib-/Leserechte") + "\t[0 ms]\r\n"},
    };
    schalten("1");
    clock.setTick(42);
    QByteArray expected;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        clock.advance(step.advance);
        DebugLogbuch(step.text);
        expected += step.line;
        EXPECT_EQ(QString::fromLatin1(logbuch()), QString::fromLatin1(expected));
    }

    clock.setTick(1234567890123);
    DebugLogbuch(s("lange Laufzeit $t-"));
    expected += "24-03-05 12:00:01\t1234567890123\tlange Laufzeit $t-\t\r\n";
    EXPECT_EQ(logbuch(), expected);
}

TEST_F(DebugLog, clrEmptiesTheLogAndWritesTheHeaderWithTheReport)
{
    schalten("1");
    DebugLogbuch(s("alte Zeile"));
    clock.advance(2000);
    DebugLogbuch(s("  clr  "));

    const QByteArray dashes(1500, '-');
    const QByteArray kopf = "\r\n" + QByteArray(1500, '=') + "\r\n\r\n"
        + ansi("Das Debug-Logbuch enthält Hinweise zum internen Ablauf des Programms.\r\n"
               "Die Daten sollen helfen Probleme zu lösen und sind nur für den Notfall gedacht.\r\n"
               "\r\n"
               "Sie können nach Absprache die Datei\r\n")
        + foundation::debugDatei.toUtf8() + "\r\n"
        + "als eMail-Anhang an support@brisols-programme.example senden.\r\n\r\n"
          "Datei erstellt am 05.03.2024 12:00:02\r\n\r\n"
        + dashes + "\r\n";
    const QByteArray ende = "\r\n" + dashes + "\r\n\r\n"
        + "System-Datum/Zeit\tSys-Tick\tProzedur\r\n"
          "24-03-05 12:00:02\t12347678\t\t[2000 ms]\r\n";

    const QByteArray log = logbuch();
    ASSERT_TRUE(log.startsWith(kopf)) << log.left(400).toStdString();
    ASSERT_TRUE(log.endsWith(ende)) << log.right(400).toStdString();
    // In between stands the diagnostics report, which begins with its line break.
    const QByteArray bericht = log.mid(kopf.size(), log.size() - kopf.size() - ende.size());
    EXPECT_TRUE(bericht.startsWith("\r\nProgramm: ")) << bericht.left(100).toStdString();
    EXPECT_TRUE(bericht.contains("\r\n*** Kontrollen ***\r\nCheck-Num    : "));
    EXPECT_FALSE(bericht.endsWith("\r\n"));

    // "inf" appends the header without emptying the log.
    DebugLogbuch(s("inf"));
    EXPECT_EQ(logbuch().count("Das Debug-Logbuch"), 2);
    EXPECT_TRUE(logbuch().startsWith(kopf));
}

TEST_F(DebugLog, aCharacterBeyondWindows1252TurnsTheLogIntoUtf8WithoutLosingLines)
{
    schalten("1");
    DebugLogbuch(s("Größe"));
    DebugLogbuch(s("Łódź"));
    DebugLogbuch(s("Ende"));
    EXPECT_EQ(logbuch(), "\xEF\xBB\xBF"
                         "24-03-05 12:00:00\t12345678\tGröße\t\r\n"
                         "24-03-05 12:00:00\t12345678\tŁódź\t[0 ms]\r\n"
                         "24-03-05 12:00:00\t12345678\tEnde\t[0 ms]\r\n");
}

TEST_F(DebugLog, usageLogLinesCarryDateAndTime)
{
    NutzungProtokollieren(s("  Kennwort geändert  "));
    clock.advance(61000);
    NutzungProtokollieren(s("Zeile 1\r\nZeile 2"));
    NutzungProtokollieren(QString());
    NutzungProtokollieren(s("   "));
    NutzungProtokollieren(QString(1200, u'k'));
    EXPECT_EQ(nutzung(), ansi("05.03.2024 12:00:00  Kennwort geändert\r\n"
                              "05.03.2024 12:01:01  Zeile 1 Zeile 2\r\n"
                              "\r\n"
                              "\r\n")
                  + "05.03.2024 12:01:01  " + QByteArray(999, 'k') + "\r\n");

    // Another file, named by the caller with its full path (blanks around it do not count).
    const QString andere = folders.temp().file(s("Sendix.use"));
    NutzungProtokollieren(s("eMail an Anna"), s(" ") + andere + s(" "));
    NutzungProtokollieren(s("eMail an Bert"), andere);
    EXPECT_EQ(folders.temp().read(s("Sendix.use")),
              QByteArray("05.03.2024 12:01:01  eMail an Anna\r\n"
                         "05.03.2024 12:01:01  eMail an Bert\r\n"));
}

// Read-only mode writes nothing into the data folder: the usage log is not written at all, and
// the debug log goes to Debug.txt of the temporary folder.
TEST_F(DebugLog, readOnlyModeWritesNothingIntoTheDataFolder)
{
    schalten("1");
    besitzerinSchreibt();
    foundation::nurLesen = true;
    const QString andere = folders.temp().file(s("Sendix.use"));

    DebugLogbuch(s("clr"));
    DebugLogbuch(s("Zeile"));
    NutzungProtokollieren(s("Kennwort geändert"));
    NutzungProtokollieren(s("eMail"), andere);

    EXPECT_EQ(logbuch(), QByteArray("Logbuch der Besitzerin\r\n"));
    EXPECT_FALSE(QFile::exists(nutzungDatei()));
    EXPECT_FALSE(QFile::exists(andere));
    const QByteArray temporaer = folders.temp().read(s("tmp/Debug.txt"));
    EXPECT_TRUE(temporaer.contains("\tZeile\t")) << temporaer.toStdString();
}

// At start-up the lines are held back until the program knows whether it may write into the
// data folder; then they go, "clr" included, to the file that is right for the decision.
TEST_F(DebugLog, linesHeldBackAtTheStartGoWhereTheDecisionSends)
{
    schalten("1");
    for (const bool nurLesen : {true, false}) {
        SCOPED_TRACE(nurLesen);
        foundation::resetDebugLogbuch();
        besitzerinSchreibt();
        QFile::remove(folders.temp().file(s("tmp/Debug.txt")));
        foundation::nurLesen = false;

        foundation::DebugLogbuchZurueckhalten();
        DebugLogbuch(s("clr"));
        DebugLogbuch(s("Vor der Entscheidung"));
        EXPECT_EQ(logbuch(), QByteArray("Logbuch der Besitzerin\r\n"));
        foundation::nurLesen = nurLesen;
        foundation::DebugLogbuchFreigeben();
        DebugLogbuch(s("Danach"));

        const QByteArray daten = logbuch();
        const QByteArray temporaer = folders.temp().read(s("tmp/Debug.txt"));
        const QByteArray& geschrieben = nurLesen ? temporaer : daten;
        EXPECT_TRUE(geschrieben.contains("\tVor der Entscheidung\t"));
        EXPECT_TRUE(geschrieben.contains("\tDanach\t"));
        if (nurLesen) {
            EXPECT_EQ(daten, QByteArray("Logbuch der Besitzerin\r\n"));
        } else {
            EXPECT_FALSE(daten.contains("Logbuch der Besitzerin")) << "clr empties the log";
            EXPECT_TRUE(temporaer.isEmpty());
        }
    }
}

} // namespace
