#include "foundation/development_mode.h"
#include "foundation/folders.h"
#include "foundation/ini_store.h"
#include "foundation/registry.h"
#include "foundation/statistics.h"
#include "foundation/version.h"
#include "runtime/codec.h"
#include "support/fake_clock.h"
#include "support/qt_print.h"
#include "support/scoped_service.h"
#include "support/temp_settings.h"

#include <gtest/gtest.h>

using foundation::EndeStatistik;
using foundation::IniLesen;
using foundation::IniSchreiben;
using foundation::NutzungsStatistikText;
using foundation::StartStatistik;

namespace {

QString s(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QByteArray ansi(const QString& text)
{
    return rt::toAnsi(text);
}

// Settings in temporary folders, version 2026.12.0001 and a clock at 05.03.2024 12:00:00.
class Statistics : public ::testing::Test {
protected:
    Statistics()
    {
        folders.env().unset("KORVANEL_ENTWICKLUNG");
        foundation::resetEntwicklungsumgebung();
        foundation::setVersionFuerTests(2026, 12, 1);
        foundation::VersionText();
    }
    ~Statistics() override
    {
        foundation::resetStatistik();
        foundation::resetVersion();
        foundation::resetEntwicklungsumgebung();
    }

    static QString stat(const char* key) { return IniLesen(QString(), QString(), s(key), s("-")); }
    static void setStat(const char* key, const QString& value)
    {
        IniSchreiben(QString(), QString(), s(key), value);
    }

    TempSettingsFolders folders;
    FakeClock clock{rt::dateTimeOf(2024, 3, 5, 12, 0, 0)};
    ScopedService<platform::Clock> clockGuard{platform::setClock, &clock};
};

TEST_F(Statistics, firstStartWritesTheKeysAndALaterStartCountsOn)
{
    StartStatistik();
    const QByteArray program = ansi(foundation::ordnerPrg);
    EXPECT_EQ(folders.settingsFile(s("Brisol.ini")),
              "[Korvanel]\r\n"
              "OrdnerPrg=" + program + "\r\n"
              "OrdnerDat=\r\n"
              "OrdnerDat#=" + program + "\r\n"
              "Stat_Starts=1\r\n"
              "Stat_StartFirst=05.03.2024\r\n"
              "Stat_StartLast=05.03.2024 12:00:00\r\n"
              "[Version]\r\n"
              "Korvanel=2026.12.0001\r\n");

    clock.setNow(rt::dateTimeOf(2024, 3, 7, 8, 15, 30));
    StartStatistik();
    EXPECT_EQ(stat("Stat_Starts"), s("2"));
    EXPECT_EQ(stat("Stat_StartFirst"), s("05.03.2024"));
    EXPECT_EQ(stat("Stat_StartLast"), s("07.03.2024 08:15:30"));
}

TEST_F(Statistics, theStartRemovesTheRemoteCloseFlag)
{
    const QString flag = s("Korvanel_RmtClose$DoIt.flg");
    folders.temp().write(s("program/") + flag, "");
    StartStatistik();
    EXPECT_FALSE(folders.temp().exists(s("program/") + flag));
}

TEST_F(Statistics, aFirstStartThatIsNoDateIsReplacedAndTheCountersStay)
{
    setStat("Stat_Starts", s("41"));
    setStat("Stat_RunMinutes", s("900"));
    setStat("Stat_StartFirst", s("irgendwann"));
    StartStatistik();
    EXPECT_EQ(stat("Stat_StartFirst"), s("05.03.2024"));
    EXPECT_EQ(stat("Stat_Starts"), s("42"));
    EXPECT_EQ(stat("Stat_RunMinutes"), s("900"));
}

TEST_F(Statistics, theRunAddsTheMinuteBoundariesPassedSinceTheStart)
{
    struct Row {
        const char* name;
        int startSecond; // of 10:59
        qint64 runMs;
        QString minutes;
    };
    const Row rows[] = {
        {"within one clock minute", 0, 59999, s("100")},
        {"across one boundary in 15 seconds", 50, 15000, s("101")},
        {"90 seconds from half a minute", 30, 90000, s("102")},
        {"three hours", 50, 3 * 3600 * 1000, s("280")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        setStat("Stat_RunMinutes", s("100"));
        clock.setNow(rt::dateTimeOf(2024, 3, 5, 10, 59, row.startSecond));
        StartStatistik();
        clock.advance(row.runMs);
        EndeStatistik();
        EXPECT_EQ(stat("Stat_RunMinutes"), row.minutes);
    }
}

TEST_F(Statistics, aChangeOfTheSystemTimeDoesNotChangeTheRunMinutes)
{
    struct Row {
        const char* name;
        rt::VbDate clockAtEnd;
    };
    const Row rows[] = {
        {"clock set back a day", rt::dateTimeOf(2024, 3, 4, 10, 30, 0)},
        {"clock set back an hour", rt::dateTimeOf(2024, 3, 5, 9, 30, 0)},
        {"clock set forward a week", rt::dateTimeOf(2024, 3, 12, 10, 30, 0)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        setStat("Stat_RunMinutes", s("10"));
        clock.setNow(rt::dateTimeOf(2024, 3, 5, 10, 0, 0));
        StartStatistik();
        clock.advance(30 * 60 * 1000);
        clock.setNow(row.clockAtEnd); // the tick goes on unchanged
        EndeStatistik();
        EXPECT_EQ(stat("Stat_RunMinutes"), s("40"));
    }
}

TEST_F(Statistics, aRunIsCountedOnceAndOnlyAfterItsStart)
{
    setStat("Stat_RunMinutes", s("7"));
    clock.advance(10 * 60 * 1000);
    EndeStatistik();
    EXPECT_EQ(stat("Stat_RunMinutes"), s("7"));

    StartStatistik();
    clock.advance(5 * 60 * 1000);
    EndeStatistik();
    EndeStatistik();
    EXPECT_EQ(stat("Stat_RunMinutes"), s("12"));
}

TEST_F(Statistics, theEndStoresTheProgramFolderAsItIsAndTheVersion)
{
    const QString program = folders.temp().file(s("Programme/meine tagebücher/korvanel"));
    folders.temp().makeFolder(s("Programme/meine tagebücher/korvanel"));
    foundation::setProgrammOrdnerFuerTests(program);
    StartStatistik();
    EndeStatistik();
    EXPECT_EQ(stat("Dir"), program);
    EXPECT_EQ(stat("Ver"), s("2026.120001"));
    EXPECT_EQ(stat("VerBit"), s("322026.120001"));
    EXPECT_EQ(foundation::RegLesen(QString(), s("Dir"), s("-")), program);
    EXPECT_EQ(folders.settingsFile(s("Registry.ini")),
              "[SOFTWARE/Brisols-Programme/Brisols-Korvanel]\r\nDir=\"" + ansi(program) + "\"\r\n");
}

TEST_F(Statistics, inDevelopmentModeOnlyTheMinutesAreStored)
{
    folders.env().set("KORVANEL_ENTWICKLUNG", s("1"));
    foundation::resetEntwicklungsumgebung();
    StartStatistik();
    clock.advance(60 * 1000);
    EndeStatistik();
    EXPECT_EQ(stat("Stat_RunMinutes"), s("1"));
    EXPECT_EQ(stat("Dir"), s("-"));
    EXPECT_EQ(stat("Ver"), s("-"));
    EXPECT_EQ(stat("VerBit"), s("-"));
    EXPECT_FALSE(folders.temp().exists(s("config/Brisols-Programme/Registry.ini")));
}

TEST_F(Statistics, usageTextInGermanWords)
{
    struct Row {
        const char* name;
        QString first;  // Stat_StartFirst; "-" for none
        QString starts;
        QString run;
        QString use;    // "-" for none
        QString full;   // mode 0
        QString perDay; // mode 2
    };
    const QString sorry = s("Sorry, aber keine Datengrundlage vorhanden.");
    const Row rows[] = {
        {"no first start", s("-"), s("5"), s("100"), s("-"), sorry, sorry},
        {"first start is no date", s("gestern"), s("5"), s("100"), s("-"), sorry, sorry},
        {"first start today: no averages", s("05.03.2024"), s("1"), s("0"), s("-"),
         s("Seit dem 05.03.2024 (vor 12,0 Std) wurde das Programm 1 mal gestartet und lief "
           "dabei 0 Sekunden.\r\n\r\nDas entspricht durchschnittlich 0 Starts pro Tag und "
           "0 Sekunden pro Tag."),
         s("0 Starts pro Tag und 0 Sekunden pro Tag.")},
        {"ten days with grouped starts and time of use", s("24.02.2024"), s("1234"),
         s("6000"), s("3000"),
         s("Seit dem 24.02.2024 (vor 11 Tg) wurde das Programm 1.234 mal gestartet und lief "
           "dabei 4,2 Tage [2,1 Tage Nutzzeit].\r\n\r\nDas entspricht durchschnittlich "
           "123 Starts pro Tag und 10,0 Stunden [5,0 Stunden Nutzzeit] pro Tag."),
         s("123 Starts pro Tag und 10,0 Stunden pro Tag.")},
        {"counters that are no numbers count 0", s("04.03.2024"), s("viele"), s(""), s("-"),
         s("Seit dem 04.03.2024 (vor 1,5 Tg) wurde das Programm 0 mal gestartet und lief "
           "dabei 0 Sekunden.\r\n\r\nDas entspricht durchschnittlich 0 Starts pro Tag und "
           "0 Sekunden pro Tag."),
         s("0 Starts pro Tag und 0 Sekunden pro Tag.")},
        {"a first start in the future gives no averages", s("10.03.2024"), s("8"), s("60"),
         s("-"),
         s("Seit dem 10.03.2024 (vor 4,5 Tg) wurde das Programm 8 mal gestartet und lief "
           "dabei 1,0 Stunden.\r\n\r\nDas entspricht durchschnittlich 0 Starts pro Tag und "
           "0 Sekunden pro Tag."),
         s("0 Starts pro Tag und 0 Sekunden pro Tag.")},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        setStat("Stat_StartFirst", row.first == u"-" ? QString() : row.first);
        setStat("Stat_Starts", row.starts);
        setStat("Stat_RunMinutes", row.run);
        foundation::IniSchreiben(QString(), QString(), s("Stat_UseMinutes"),
                                 row.use == u"-" ? QString() : row.use);
        EXPECT_EQ(NutzungsStatistikText(0), row.full);
        EXPECT_EQ(NutzungsStatistikText(2), row.perDay);
    }
}

} // namespace
