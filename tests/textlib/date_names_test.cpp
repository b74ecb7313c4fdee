#include "textlib/date_names.h"

#include "support/fake_clock.h"
#include "support/fake_dialogs.h"
#include "support/qt_print.h"
#include "support/scoped_service.h"
#include "support/temp_settings.h"
#include "runtime/error.h"

#include <QLocale>
#include <QTime>
#include <gtest/gtest.h>

#include <limits>

using textlib::DatumFormatieren;
using textlib::DatumKennung;
using textlib::NameVonDatum;
using textlib::TageAlsText;
using textlib::TagAbstandText;
using textlib::ZeitFormatieren;

TEST(NameVonDatum, givesNamesByCodeAndFallbacksOutOfRange)
{
    struct Case {
        int number;
        QString code, expected;
    } cases[] = {
        {1, u"WT"_qs, u"Sonntag"_qs},
        {7, u"wt"_qs, u"Samstag"_qs},
        {8, u"wt"_qs, u"Tag???"_qs},
        {0, u"wt2"_qs, u"??"_qs},
        {4, u"Wt2"_qs, u"Mi"_qs},
        {3, u"mo"_qs, u"März"_qs},
        {8, u"MO"_qs, u"August"_qs},
        {13, u"mo"_qs, u"Monat???"_qs},
        {3, u"mo3"_qs, u"Mär"_qs},
        {12, u"mo3"_qs, u"Dez"_qs},
        {0, u"mo3"_qs, u"???"_qs},
        {5, u"xx"_qs, u""_qs},
        {5, u""_qs, u""_qs},
        {5, u"wt "_qs, u""_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        SCOPED_TRACE(c.code.toStdString());
        EXPECT_EQ(NameVonDatum(c.number, c.code), c.expected);
    }
}

TEST(DatumFormatieren, replacesTheTokensInTheLowerCasedFormat)
{
    struct Case {
        const char* name;
        QString format, date, expected;
    } cases[] = {
        {"long date line", u"dddd, d. mmmm yyyy"_qs, u"08.12.2026"_qs,
         u"Dienstag, 8. Dezember 2026"_qs},
        {"first of March", u"dddd, d. mmmm yyyy"_qs, u"01.03.2026"_qs, u"Sonntag, 1. März 2026"_qs},
        {"short names", u"ddd d. mmm yy"_qs, u"01.03.2026"_qs, u"So 1. März 26"_qs},
        {"tokens in capitals", u"D. MMMM"_qs, u"01.03.2026"_qs, u"1. März"_qs},
        {"literal text comes back lower-cased", u"Heute ist dddd"_qs, u"01.03.2026"_qs,
         u"heute ist Sonntag"_qs},
        {"line-break marker kept", u"dddd~d. mmmm yyyy"_qs, u"08.12.2026"_qs,
         u"Dienstag~8. Dezember 2026"_qs},
        {"no two-digit day token", u"dd.mm.yyyy"_qs, u"05.03.2026"_qs, u"d5.03.2026"_qs},
        {"lone d and m stay", u"d m"_qs, u"05.03.2026"_qs, u"d m"_qs},
        {"month with two digits", u"mm/yy"_qs, u"05.03.2026"_qs, u"03/26"_qs},
        {"year before 2000", u"d. mmm yy / yyyy"_qs, u"31.12.1999"_qs, u"31. Dez. 99 / 1999"_qs},
        {"two-digit year with zero", u"yy"_qs, u"01.01.2005"_qs, u"05"_qs},
        {"early year", u"dddd yyyy"_qs, u"01.01.1600"_qs, u"Samstag 1600"_qs},
        {"time behind the date", u"dddd, d. mmmm yyyy"_qs, u"08.12.2026 14:30"_qs,
         u"Dienstag, 8. Dezember 2026"_qs},
        {"other date forms", u"d. mmmm yyyy"_qs, u"2026-07-04"_qs, u"4. Juli 2026"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DatumFormatieren(c.format, c.date), c.expected);
    }
}

TEST(DatumFormatieren, shortMonthNamesKeepShortNamesWhole)
{
    const QString expected[] = {u"Jan."_qs, u"Feb."_qs, u"März"_qs, u"April"_qs,
                                u"Mai"_qs,  u"Juni"_qs, u"Juli"_qs, u"Aug."_qs,
                                u"Sep."_qs, u"Okt."_qs, u"Nov."_qs, u"Dez."_qs};
    for (int month = 1; month <= 12; ++month) {
        SCOPED_TRACE(month);
        EXPECT_EQ(DatumFormatieren(u"mmm"_qs, QStringLiteral("15.%1.2026").arg(month)),
                  expected[month - 1]);
    }
}

TEST(DatumFormatieren, namesAreGermanWhateverTheLocale)
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    const QString text = DatumFormatieren(u"dddd, d. mmm mmmm yyyy"_qs, u"15.12.2026"_qs);
    QLocale::setDefault(saved);
    EXPECT_EQ(text, u"Dienstag, 15. Dez. Dezember 2026"_qs);
}

TEST(DatumFormatieren, noDate_reportsAndGivesTheLowerCasedFormat)
{
    FakeDialogs dialogs;
    ScopedService guard(platform::setDialogs, &dialogs);
    dialogs.expectMsgBox(platform::vbOK);

    EXPECT_EQ(DatumFormatieren(u"DDDD, d. MMMM yyyy"_qs, u"31.02.2026"_qs),
              u"dddd, d. mmmm yyyy"_qs);

    ASSERT_EQ(dialogs.calls().size(), 1u);
    const FakeDialogs::Call& call = dialogs.calls()[0];
    EXPECT_EQ(call.title, u"Ungültiges Datum"_qs);
    EXPECT_EQ(call.text,
              u"Die Angabe 31.02.2026 ist kein gültiges Datum!\r\nBitte überprüfen Sie die Ländereinstellungen."_qs);
    EXPECT_EQ(call.icon, platform::vbCritical);
    EXPECT_EQ(call.buttons, platform::vbOKOnly);
}

TEST(DatumKennung, codesTodayByMode)
{
    struct Case {
        const char* name;
        rt::VbDate today;
        int mode;
        QString expected;
    } cases[] = {
        {"default mode", rt::dateTimeOf(2026, 12, 8, 9, 30), 0, u"2026.12"_qs},
        {"unknown mode", rt::dateTimeOf(2026, 3, 8), 7, u"2026.03"_qs},
        {"year", rt::dateTimeOf(2026, 12, 8), 1, u"2026"_qs},
        {"month", rt::dateTimeOf(2026, 3, 8), 2, u"03"_qs},
        {"fixed zeros", rt::dateTimeOf(2026, 3, 8), 3, u"0000"_qs},
        {"fixed zeros before 2000", rt::dateTimeOf(1999, 3, 8), 3, u"0000"_qs},
        {"full date", rt::dateTimeOf(2026, 3, 8), 10, u"2026.03.08"_qs},
        {"year before 2000 has two digits", rt::dateTimeOf(1999, 3, 8), 1, u"99"_qs},
        {"full date before 2000", rt::dateTimeOf(1999, 3, 8), 10, u"99.03.08"_qs},
        {"first year of four digits", rt::dateTimeOf(2000, 1, 1), 0, u"2000.01"_qs},
        {"year 2005 keeps its zeros", rt::dateTimeOf(2005, 1, 1), 1, u"2005"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeClock clock(c.today);
        ScopedService guard(platform::setClock, &clock);
        EXPECT_EQ(DatumKennung(c.mode), c.expected);
    }
}

TEST(ZeitFormatieren, laysOutEveryTemplate)
{
    struct Case {
        double seconds;
        QString templateName, expected;
    } cases[] = {
        // 1 hour, 2 minutes, 5 seconds through every template.
        {3725, u"HH:MM:SS"_qs, u"01:02:05"_qs},
        {3725, u"HHH:MM:SS"_qs, u"01:02:05"_qs},
        {3725, u"H:MM:SS"_qs, u"1:02:05"_qs},
        {3725, u"h:MM:SS"_qs, u"1:02:05"_qs},
        {3725, u"HH:MM"_qs, u"01:02"_qs},
        {3725, u"HH:M0"_qs, u"01:00"_qs},
        {3725, u"H:MM"_qs, u"1:02"_qs},
        {3725, u"H:M:S"_qs, u"1:2:5"_qs},
        {3725, u"MM:SS"_qs, u"62:05"_qs},
        {3725, u"HHh MM' SS''"_qs, u"01h 02' 05\""_qs},
        {3725, u"HHh MM'"_qs, u"01h 02'"_qs},
        {3725, u"HH Std MM Min SS Sek"_qs, u"01 Std 02 Min 05 Sek"_qs},
        {3725, u"MM Min SS Sek"_qs, u"62 Min 05 Sek"_qs},
        {3725, u"HH Std MM Min"_qs, u"01 Std 02 Min"_qs},
        {3725, u"H,H"_qs, u"1,0"_qs},
        {3725, u"H,HH"_qs, u"1,03"_qs},
        {3725, u"irgendwas"_qs, u"01:02:05"_qs},
        {3725, u"hh:mm:ss"_qs, u"01:02:05"_qs},
        {3725, u""_qs, u"01:02:05"_qs},
        // Short and long spans.
        {125, u"h:MM:SS"_qs, u"02:05"_qs},
        {0, u"h:MM:SS"_qs, u"00:00"_qs},
        {5400, u"H,H"_qs, u"1,5"_qs},
        {5400, u"H,HH"_qs, u"1,50"_qs},
        {360000, u"HHH:MM:SS"_qs, u"100:00:00"_qs},
        {360000, u"HH:MM:SS"_qs, u"100:00:00"_qs},
        {45296, u"H:M:S"_qs, u"12:34:56"_qs},
        // Times of day to the nearest ten minutes.
        {23400, u"HH:M0"_qs, u"06:30"_qs},
        {24600, u"HH:M0"_qs, u"06:50"_qs},
        {86100, u"HH:M0"_qs, u"24:00"_qs},
        {36299, u"HH:M0"_qs, u"10:00"_qs},
        {36300, u"HH:M0"_qs, u"10:10"_qs},
        {0, u"HH:M0"_qs, u"00:00"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seconds);
        SCOPED_TRACE(c.templateName.toStdString());
        EXPECT_EQ(ZeitFormatieren(c.seconds, c.templateName), c.expected);
    }
}

TEST(ZeitFormatieren, carriesSecondsAndMinutesIntoTheNextUnit)
{
    struct Case {
        const char* name;
        double seconds;
        QString templateName, expected;
    } cases[] = {
        // Whole minutes that the split leaves as 59.99... seconds.
        {"two minutes", 120, u"HH:MM:SS"_qs, u"00:02:00"_qs},
        {"fifty minutes", 3000, u"HH:MM:SS"_qs, u"00:50:00"_qs},
        {"sixty-one minutes", 3660, u"MM:SS"_qs, u"61:00"_qs},
        {"seven hours", 25200, u"HH:MM:SS"_qs, u"07:00:00"_qs},
        // A rest that rounds to 60 seconds is the next minute, and 60 minutes the next hour.
        {"59.6 seconds", 59.6, u"HH:MM:SS"_qs, u"00:01:00"_qs},
        {"last fraction of an hour", 3599.6, u"HH:MM:SS"_qs, u"01:00:00"_qs},
        // Whole seconds of 59 stay 59, though the split may leave a trace above 59.
        {"59 seconds", 59.0, u"HH:MM:SS"_qs, u"00:00:59"_qs},
        {"one second before the hour", 3599.0, u"HH:MM:SS"_qs, u"00:59:59"_qs},
        {"one second before a day", 86399.0, u"HH:MM:SS"_qs, u"23:59:59"_qs},
        {"59.4 seconds", 59.4, u"HH:MM:SS"_qs, u"00:00:59"_qs},
        // Fractional minutes that round to 60 go into the hour instead of showing 60.
        {"half a minute before two", 7170, u"HH:MM"_qs, u"02:00"_qs},
        {"half a minute before two, short", 7170, u"H:MM"_qs, u"2:00"_qs},
        {"half a minute before two, marks", 7170, u"HHh MM'"_qs, u"02h 00'"_qs},
        {"half a minute before two, words", 7170, u"HH Std MM Min"_qs, u"02 Std 00 Min"_qs},
        {"29 seconds round down", 7169, u"HH:MM"_qs, u"01:59"_qs},
        {"55 minutes to the next hour", 3300, u"HH:M0"_qs, u"01:00"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ZeitFormatieren(c.seconds, c.templateName), c.expected);
    }
}

TEST(ZeitFormatieren, wholeSecondsOfADayShowAsTheClockDoes)
{
    // Every whole minute, the second before and after it, and every seventh second between.
    int mismatches = 0;
    for (int s = 0; s < 86400 && mismatches < 5; ++s) {
        if (s % 7 != 0 && s % 60 != 0 && s % 60 != 59 && s % 60 != 1)
            continue;
        const QString expected = QTime(0, 0).addSecs(s).toString(u"HH:mm:ss"_qs);
        const QString actual = ZeitFormatieren(s, u"HH:MM:SS"_qs);
        if (actual != expected) {
            ++mismatches;
            ADD_FAILURE() << s << " seconds: " << actual.toStdString() << " instead of "
                          << expected.toStdString();
        }
    }
}

namespace {

// Brisol.ini in a temporary settings folder, with or without a [Skalierung] section.
class DayCountTexts : public ::testing::Test {
protected:
    void setScaling(const QByteArray& lines)
    {
        folders.writeSettingsFile(u"Brisol.ini"_qs,
                                  "[Korvanel]\r\nx=1\r\n[Skalierung]\r\n" + lines);
    }

    TempSettingsFolders folders;
};

} // namespace

TEST_F(DayCountTexts, tagAbstandTextWithTheDefaults)
{
    struct Case {
        double days;
        QString expected;
    } cases[] = {
        {-2, u"vorgestern"_qs}, {-1, u"gestern"_qs}, {0, u"heute"_qs}, {1, u"morgen"_qs},
        {2, u"übermorgen"_qs},  {3, u"in 3 Tagen"_qs}, {-3, u"vor 3 Tagen"_qs},
        {10, u"in 10 Tagen"_qs}, {22, u"in 22 Tagen"_qs}, {31, u"in 31 Tagen"_qs},
        {32, u"in 4,6 Wochen"_qs}, {-45, u"vor 6,4 Wochen"_qs}, {170, u"in 24,3 Wochen"_qs},
        {171, u"in 5,6 Monaten"_qs}, {200, u"in 6,6 Monaten"_qs}, {438, u"in 14,4 Monaten"_qs},
        {439, u"in 1,2 Jahren"_qs}, {-1000, u"vor 2,7 Jahren"_qs},
        // The count is rounded first, halves to the even neighbour.
        {2.5, u"übermorgen"_qs}, {-0.4, u"heute"_qs}, {3.5, u"in 4 Tagen"_qs},
        {-2.6, u"vor 3 Tagen"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.days);
        EXPECT_EQ(TagAbstandText(c.days), c.expected);
    }
}

TEST_F(DayCountTexts, tageAlsTextWithTheDefaults)
{
    struct Case {
        double days;
        QString format, expected;
    } cases[] = {
        {0, u""_qs, u"0 Tagen"_qs},         {-1, u""_qs, u"1 Tag"_qs},
        {1, u""_qs, u"1 Tag"_qs},           {2, u""_qs, u"2 Tagen"_qs},
        {21, u""_qs, u"21 Tagen"_qs},       {-21, u""_qs, u"21 Tagen"_qs},
        {22, u""_qs, u"3,1 Wochen"_qs},     {182, u""_qs, u"26,0 Wochen"_qs},
        {183, u""_qs, u"6,0 Monaten"_qs},   {555, u""_qs, u"18,2 Monaten"_qs},
        {556, u""_qs, u"1,5 Jahren"_qs},    {-3653, u""_qs, u"10,0 Jahren"_qs},
        {22, u"0.00"_qs, u"3,14 Wochen"_qs}, {3653, u"0"_qs, u"10 Jahren"_qs},
        {0.5, u""_qs, u"0,5 Tagen"_qs},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.days);
        EXPECT_EQ(TageAlsText(c.days, c.format), c.expected);
    }
    EXPECT_EQ(TagAbstandText(22), u"in 22 Tagen"_qs);
}

TEST_F(DayCountTexts, scalingSettingsMoveTheThresholds)
{
    setScaling("TageInWochen=7\r\nTageInMonaten=60 Tage\r\nTageInJahren=300\r\n");
    EXPECT_EQ(TagAbstandText(7), u"in 7 Tagen"_qs);
    EXPECT_EQ(TagAbstandText(8), u"in 1,1 Wochen"_qs);
    EXPECT_EQ(TagAbstandText(-61), u"vor 2,0 Monaten"_qs);
    EXPECT_EQ(TagAbstandText(301), u"in ,8 Jahren"_qs);
    EXPECT_EQ(TageAlsText(7, QString()), u"1,0 Wochen"_qs);
    EXPECT_EQ(TageAlsText(60, QString()), u"2,0 Monaten"_qs);
    EXPECT_EQ(TageAlsText(300, u"0.00"_qs), u"0,82 Jahren"_qs);
}

TEST_F(DayCountTexts, scalingValueThatIsNoNumberCountsAsZero)
{
    setScaling("TageInWochen=viele\r\n");
    EXPECT_EQ(TagAbstandText(0), u"heute"_qs);
    EXPECT_EQ(TagAbstandText(3), u"in ,4 Wochen"_qs);
    EXPECT_EQ(TageAlsText(0, QString()), u",0 Wochen"_qs);
    EXPECT_EQ(TageAlsText(14, u"0"_qs), u"2 Wochen"_qs);
}

TEST_F(DayCountTexts, settingsAreReadWithAnyLineEnds)
{
    const QByteArray variants[] = {
        "[Skalierung]\r\nTageInWochen=5\r\nTageInJahren=10\r\n",
        "[Skalierung]\nTageInWochen=5\nTageInJahren=10\n",
        "[Skalierung]\rTageInWochen=5\rTageInJahren=10\r",
    };
    for (const QByteArray& bytes : variants) {
        SCOPED_TRACE(bytes.toStdString());
        folders.writeSettingsFile(u"Brisol.ini"_qs, bytes);
        EXPECT_EQ(TagAbstandText(6), u"in ,9 Wochen"_qs);
        EXPECT_EQ(TageAlsText(11, u"0.0"_qs), u"0,0 Jahren"_qs);
    }
}

TEST_F(DayCountTexts, settingsAreReadOnEveryCall)
{
    EXPECT_EQ(TagAbstandText(20), u"in 20 Tagen"_qs);
    setScaling("TageInWochen=14\r\n");
    EXPECT_EQ(TagAbstandText(20), u"in 2,9 Wochen"_qs);
    EXPECT_EQ(folders.settingsFile(u"Brisol.ini"_qs),
              QByteArray("[Korvanel]\r\nx=1\r\n[Skalierung]\r\nTageInWochen=14\r\n"));
}

TEST_F(DayCountTexts, countBeyondThe32BitRange_setsTheOverflowError)
{
    struct Case {
        double days;
        bool overflow;
    } cases[] = {
        {3e9, true},
        {-3e9, true},
        {2147483647.5, true}, // rounds to 2147483648
        {-2147483648.5, false}, // rounds to -2147483648, the smallest Long
        {2147483647.0, false},
        {std::numeric_limits<double>::infinity(), true},
        {std::numeric_limits<double>::quiet_NaN(), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.days);
        rt::clearError();
        const QString text = TagAbstandText(c.days);
        EXPECT_EQ(rt::Err().number, c.overflow ? rt::ErrOverflow : rt::ErrNone);
        if (c.overflow)
            EXPECT_EQ(text, QString());
        else
            EXPECT_TRUE(text.endsWith(u" Jahren"_qs)) << text.toStdString();
    }
    rt::clearError();
}
