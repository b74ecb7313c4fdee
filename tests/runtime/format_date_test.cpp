#include "date_test_support.h"
#include "runtime/error.h"
#include "runtime/format.h"
#include "support/qt_print.h"

#include <gtest/gtest.h>

#include <limits>

using namespace rt;
using datetest::at;

namespace {

struct Row {
    const char* name;
    VbDate value;
    const char* pattern;
    const char* expected;
};

void checkRows(std::initializer_list<Row> rows)
{
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Format(row.value, QString::fromUtf8(row.pattern)), QString::fromUtf8(row.expected));
    }
}

// Thursday, 10 December 2026, afternoon; Tuesday, 5 March 2024 (a leap year), morning.
const VbDate thursday = at(2026, 12, 10, 14, 5, 9);
const VbDate tuesday = at(2024, 3, 5, 8, 7, 3);

TEST(FormatDate, everyToken)
{
    checkRows({
        {"d", thursday, "d", "10"},
        {"d without zero", tuesday, "d", "5"},
        {"dd", tuesday, "dd", "05"},
        {"ddd", thursday, "ddd", "Do"},
        {"dddd", thursday, "dddd", "Donnerstag"},
        {"ddddd is the short date", tuesday, "ddddd", "05.03.2024"},
        {"dddddd is the long date", thursday, "dddddd", "Donnerstag, 10. Dezember 2026"},
        {"w counts from Sunday", thursday, "w", "5"},
        {"ww counts from the week of 1 January", thursday, "ww", "50"},
        {"m", tuesday, "m", "3"},
        {"mm", tuesday, "mm", "03"},
        {"mmm", tuesday, "mmm", "Mär"},
        {"mmmm", tuesday, "mmmm", "März"},
        {"q", thursday, "q", "4"},
        {"y is the day of the year", tuesday, "y", "65"},
        {"yy", tuesday, "yy", "24"},
        {"yyyy", tuesday, "yyyy", "2024"},
        {"h", tuesday, "h", "8"},
        {"hh", tuesday, "hh", "08"},
        {"n", tuesday, "n", "7"},
        {"nn", tuesday, "nn", "07"},
        {"s", tuesday, "s", "3"},
        {"ss", tuesday, "ss", "03"},
        {"ttttt is the long time", tuesday, "ttttt", "08:07:03"},
        {"c is the general date", thursday, "c", "10.12.2026 14:05:09"},
        {"c of a date without time", at(2026, 12, 10), "c", "10.12.2026"},
        {"AM/PM afternoon", thursday, "h AM/PM", "2 PM"},
        {"AM/PM morning", tuesday, "hh AM/PM", "08 AM"},
        {"am/pm", thursday, "am/pm", "pm"},
        {"A/P", thursday, "A/P", "P"},
        {"a/p", tuesday, "a/p", "a"},
        {"AMPM", thursday, "hh:nn AMPM", "02:05 PM"},
        {"midnight is 12 AM", at(2026, 12, 10, 0, 30), "h:nn AM/PM", "12:30 AM"},
        {"noon is 12 PM", at(2026, 12, 10, 12, 0), "h:nn AM/PM", "12:00 PM"},
        {"without AM/PM the hours run to 23", thursday, "h", "14"},
    });
}

TEST(FormatDate, separatorsLiteralsAndMinutes)
{
    checkRows({
        {"/ is the date separator .", thursday, "dd/mm/yyyy", "10.12.2026"},
        {": is the time separator", thursday, "hh:nn:ss", "14:05:09"},
        {"m behind hh is minutes", thursday, "hh:mm", "14:05"},
        {"m behind h is minutes", tuesday, "h:m", "8:7"},
        {"mm alone is the month", thursday, "mm", "12"},
        {"month and minutes in one pattern", thursday, "dd.mm.yyyy hh:mm", "10.12.2026 14:05"},
        {"m behind a day token is the month again", thursday, "h dd m", "14 10 12"},
        {"quoted text", thursday, "\"Heute ist\" dddd", "Heute ist Donnerstag"},
        {"an unclosed quote runs to the end", thursday, "dd \"x y", "10 x y"},
        {"backslash escapes a letter", thursday, "hh \\U\\h\\r", "14 Uhr"},
        {"unescaped letters that are tokens are replaced", thursday, "hh Uhr", "14 U14r"},
        {"a trailing backslash is dropped", thursday, "dd\\", "10"},
        {"file name form", thursday, "yyyymmdd", "20261210"},
        {"day with dot and blank", thursday, "dd. ", "10. "},
        {"date, time and weekday", thursday, "dd.mm.yyyy hh:nn:ss dddd", "10.12.2026 14:05:09 Donnerstag"},
        {"tokens in upper case", thursday, "DD.MM.YYYY HH:NN", "10.12.2026 14:05"},
        {"day and month alone", tuesday, "d.m.", "5.3."},
        {"a run of seven d is the long date and a day", thursday, "ddddddd",
         "Donnerstag, 10. Dezember 202610"},
        {"other characters stay", thursday, "(dd) - #0 [x]", "(10) - #0 [x]"},
    });
}

TEST(FormatDate, namedFormats)
{
    checkRows({
        {"General Date", thursday, "General Date", "10.12.2026 14:05:09"},
        {"empty pattern is the general date", thursday, "", "10.12.2026 14:05:09"},
        {"Long Date", thursday, "Long Date", "Donnerstag, 10. Dezember 2026"},
        {"Long Date with a day below 10", tuesday, "Long Date", "Dienstag, 5. März 2024"},
        {"Medium Date", thursday, "Medium Date", "10. Dez 26"},
        {"Short Date", tuesday, "Short Date", "05.03.2024"},
        {"Long Time", tuesday, "Long Time", "08:07:03"},
        {"Medium Time", thursday, "Medium Time", "02:05 PM"},
        {"Short Time", tuesday, "Short Time", "08:07"},
        {"names in any case", tuesday, "short date", "05.03.2024"},
    });
}

TEST(FormatDate, germanNamesForEveryMonthAndWeekday)
{
    const char* const months[] = {"Januar", "Februar", "März", "April", "Mai", "Juni", "Juli",
                                  "August", "September", "Oktober", "November", "Dezember"};
    const char* const monthsShort[] = {"Jan", "Feb", "Mär", "Apr", "Mai", "Jun",
                                       "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
    for (int month = 1; month <= 12; ++month) {
        SCOPED_TRACE(month);
        const VbDate date = at(2026, month, 1);
        EXPECT_EQ(Format(date, QStringLiteral("mmmm")), QString::fromUtf8(months[month - 1]));
        EXPECT_EQ(Format(date, QStringLiteral("mmm")), QString::fromUtf8(monthsShort[month - 1]));
    }
    // 6 December 2026 is a Sunday.
    const char* const days[] = {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"};
    const char* const daysShort[] = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        const VbDate date = at(2026, 12, 6 + i);
        EXPECT_EQ(Format(date, QStringLiteral("dddd")), QString::fromUtf8(days[i]));
        EXPECT_EQ(Format(date, QStringLiteral("ddd")), QString::fromUtf8(daysShort[i]));
        EXPECT_EQ(Format(date, QStringLiteral("w")), QString::number(i + 1));
    }
}

TEST(FormatDate, datesBefore1899WithTimes)
{
    checkRows({
        {"-1.25 is 29.12.1899 06:00", VbDate(-1.25), "dd.mm.yyyy hh:nn dddd", "29.12.1899 06:00 Freitag"},
        {"01.01.1800 18:30", at(1800, 1, 1, 18, 30), "dd.mm.yyyy hh:nn dddd", "01.01.1800 18:30 Mittwoch"},
        {"a second before midnight", at(1899, 12, 29, 23, 59, 59), "c", "29.12.1899 23:59:59"},
    });
}

TEST(CStrDate, leavesOutAZeroDateOrTime)
{
    const double second = 1.0 / 86400.0;
    struct CRow {
        const char* name;
        VbDate value;
        const char* expected;
    };
    const CRow rows[] = {
        {"date only", at(2026, 12, 10), "10.12.2026"},
        {"date and time", thursday, "10.12.2026 14:05:09"},
        {"morning with leading zeros", tuesday, "05.03.2024 08:07:03"},
        {"time only", VbDate(0.5), "12:00:00"},
        {"zero", VbDate(0.0), "00:00:00"},
        {"before 1899 with time", VbDate(-1.25), "29.12.1899 06:00:00"},
        {"before 1899 without time", VbDate(-1.0), "29.12.1899"},
        {"-0.5 is a time of day 0", VbDate(-0.5), "12:00:00"},
        {"rounds to the second", VbDate(thursday.serial + 0.6 * second), "10.12.2026 14:05:10"},
        {"23:59:59.7 rounds into the next day", VbDate(at(2026, 12, 10, 23, 59, 59).serial + 0.7 * second),
         "11.12.2026"},
    };
    for (const CRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(CStr(row.value), QString::fromUtf8(row.expected));
    }
}

TEST(ImpossibleDate, isOverflowAndNeverShownAsADay)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const double second = 1.0 / 86400.0;
    struct IRow {
        const char* name;
        VbDate value;
    };
    const IRow rows[] = {
        {"not a number", VbDate(nan)},
        {"infinity", VbDate(inf)},
        {"minus infinity", VbDate(-inf)},
        {"far beyond any calendar", VbDate(1e300)},
        {"far before any calendar", VbDate(-1e300)},
        {"beyond the old cut-off", VbDate(2e10)},
        {"01.01.10000", VbDate(2958466.0)},
        {"31.12.9999 23:59:59.6 rounds into the year 10000", VbDate(2958466.0 - 0.4 * second)},
        {"the year 10113", VbDate(3e6)},
        {"31.12.0099", VbDate(-657435.0)},
        {"the year 1", VbDate(-693593.0)},
    };
    const VbDate valid = at(2026, 12, 10);
    for (const IRow& row : rows) {
        SCOPED_TRACE(row.name);
        const auto overflow = [](const char* what) {
            EXPECT_EQ(Err().number, ErrOverflow) << what;
            clearError();
        };
        clearError();
        EXPECT_EQ(Format(row.value, QStringLiteral("dd.mm.yyyy")), QString());
        overflow("Format");
        EXPECT_EQ(Format(row.value, QString()), QString());
        overflow("Format, general date");
        EXPECT_EQ(Format(row.value, QStringLiteral("Long Date")), QString());
        overflow("Format, long date");
        EXPECT_EQ(CStr(row.value), QString());
        overflow("CStr");
        for (const auto part : {Year, Month, Day, Hour, Minute, Second}) {
            EXPECT_EQ(part(row.value), 0);
            overflow("part");
        }
        EXPECT_EQ(Weekday(row.value), 0);
        overflow("Weekday");
        EXPECT_EQ(DatePart(QStringLiteral("yyyy"), row.value), 0);
        overflow("DatePart");
        EXPECT_EQ(DateDiff(QStringLiteral("d"), valid, row.value), 0);
        overflow("DateDiff to");
        EXPECT_EQ(DateDiff(QStringLiteral("d"), row.value, valid), 0);
        overflow("DateDiff from");
        EXPECT_FALSE(isDateInRange(DateAdd(QStringLiteral("d"), 1, row.value)));
        overflow("DateAdd");
        EXPECT_FALSE(isDateInRange(DateOnly(row.value)));
        overflow("DateOnly");
        EXPECT_FALSE(toQDate(row.value).isValid());
        overflow("toQDate");
        EXPECT_FALSE(toQDateTime(row.value).isValid());
        overflow("toQDateTime");
    }
    // A number written as text and formatted as a date.
    for (const char* text : {"3000000", "-700000", "1E+300"}) {
        SCOPED_TRACE(text);
        clearError();
        EXPECT_EQ(Format(QString::fromLatin1(text), QStringLiteral("dd.mm.yyyy")), QString());
        EXPECT_EQ(Err().number, ErrOverflow);
    }
    // The first and the last second of the range are dates.
    clearError();
    EXPECT_EQ(Format(VbDate(-657434.0), QStringLiteral("dd.mm.yyyy")), QStringLiteral("01.01.0100"));
    EXPECT_EQ(Format(VbDate(2958466.0 - second), QString()), QStringLiteral("31.12.9999 23:59:59"));
    EXPECT_EQ(Format(QStringLiteral("2958465"), QStringLiteral("dd.mm.yyyy")),
              QStringLiteral("31.12.9999"));
    EXPECT_EQ(Err().number, 0);
}

} // namespace
