#include "date_test_support.h"
#include "runtime/dates.h"
#include "runtime/error.h"
#include "runtime/format.h"
#include "support/qt_print.h"

#include <gtest/gtest.h>

using namespace rt;
using datetest::at;

namespace {

// Every day of 1500-2200 against QDate: the serial number and back, the parts, the weekday
// stepping by one, the day of the year, the ISO week and the round trip through the text form.
TEST(CalendarOracle, everyDay1500To2200_matchesQDate)
{
    const QDate epoch(1899, 12, 30);
    int previousWeekday = 0;
    for (QDate day(1500, 1, 1); day <= QDate(2200, 12, 31); day = day.addDays(1)) {
        const std::string where = day.toString(Qt::ISODate).toStdString();
        const VbDate value = DateSerial(day.year(), day.month(), day.day());
        EXPECT_EQ(value.serial, static_cast<double>(epoch.daysTo(day))) << where;
        EXPECT_EQ(Year(value), day.year()) << where;
        EXPECT_EQ(Month(value), day.month()) << where;
        EXPECT_EQ(Day(value), day.day()) << where;
        EXPECT_EQ(toQDate(value), day) << where;
        const int weekday = Weekday(value);
        EXPECT_EQ(weekday, day.dayOfWeek() % 7 + 1) << where;
        if (previousWeekday != 0) {
            EXPECT_EQ(weekday, previousWeekday % 7 + 1) << where;
        }
        previousWeekday = weekday;
        EXPECT_EQ(DatePart(QStringLiteral("y"), value), day.dayOfYear()) << where;
        EXPECT_EQ(DatePart(QStringLiteral("ww"), value, 2, 2), day.weekNumber()) << where;
        EXPECT_EQ(CDate(Format(value, QStringLiteral("dd.mm.yyyy"))), std::optional(value)) << where;
        if (::testing::Test::HasFailure())
            break; // one broken day is enough to read
    }
}

TEST(CalendarOracle, isoWeekEdgeDays)
{
    struct Row {
        const char* name;
        VbDate date;
        int week;
    };
    const Row rows[] = {
        {"1975-12-29 is week 1 of 1976", at(1975, 12, 29), 1},
        {"1977-01-02 is week 53 of 1976", at(1977, 1, 2), 53},
        {"2000-01-01 is week 52 of 1999", at(2000, 1, 1), 52},
        {"2000-01-03 is week 1", at(2000, 1, 3), 1},
        {"2003-12-29 is week 1 of 2004", at(2003, 12, 29), 1},
        {"2021-01-01 is week 53 of 2020", at(2021, 1, 1), 53},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(DatePart(QStringLiteral("ww"), row.date, 2, 2), row.week);
        EXPECT_EQ(DatePart(QStringLiteral("ww"), row.date, 0, 0), row.week); // German system setting
    }
}

TEST(DateSerial, overflowAndUnderflowRollOver)
{
    struct Row {
        const char* name;
        int year, month, day;
        VbDate expected;
    };
    const Row rows[] = {
        {"month 13 is January of the next year", 2026, 13, 1, at(2027, 1, 1)},
        {"day 0 is the last day of the month before", 2026, 3, 0, at(2026, 2, 28)},
        {"day 0 of March in a leap year", 2024, 3, 0, at(2024, 2, 29)},
        {"day -1", 2026, 1, -1, at(2025, 12, 30)},
        {"month 0 is December of the year before", 2026, 0, 1, at(2025, 12, 1)},
        {"month -13", 2026, -13, 1, at(2024, 11, 1)},
        {"29 February of a common year", 2026, 2, 29, at(2026, 3, 1)},
        {"day 400", 2026, 1, 400, at(2027, 2, 4)},
        {"two-digit year 26", 26, 5, 1, at(2026, 5, 1)},
        {"two-digit year 0", 0, 1, 1, at(2000, 1, 1)},
        {"two-digit year 29", 29, 12, 31, at(2029, 12, 31)},
        {"two-digit year 30", 30, 1, 1, at(1930, 1, 1)},
        {"two-digit year 99", 99, 12, 31, at(1999, 12, 31)},
        {"year 99 month 13 rolls into 2000", 99, 13, 1, at(2000, 1, 1)},
        {"year 100 is itself", 100, 1, 1, at(100, 1, 1)},
        {"the day of serial 0", 1899, 12, 30, VbDate(0.0)},
        {"before 1899", 1800, 1, 1, VbDate(-36522.0)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(DateSerial(row.year, row.month, row.day), row.expected);
    }
}

TEST(TimeSerial, carriesIntoDaysBothWays)
{
    struct Row {
        const char* name;
        VbDate actual;
        VbDate expected;
    };
    const Row rows[] = {
        {"plain time", TimeSerial(14, 30, 15), at(1899, 12, 30, 14, 30, 15)},
        {"negative minutes", TimeSerial(12, -15, 0), at(1899, 12, 30, 11, 45)},
        {"90 minutes", TimeSerial(0, 90, 0), at(1899, 12, 30, 1, 30)},
        {"25 hours is the next day", TimeSerial(25, 0, 0), at(1899, 12, 31, 1, 0)},
        {"a second before midnight of day 0 is the day before", TimeSerial(0, 0, -1),
         at(1899, 12, 29, 23, 59, 59)},
        {"date and time before 1899", dateTimeOf(1800, 1, 1, 6, 0, 0), at(1800, 1, 1, 6)},
        {"date and time after 1899", dateTimeOf(2026, 12, 10, 14, 5, 9), at(2026, 12, 10, 14, 5, 9)},
        {"hour 24 is midnight of the next day", dateTimeOf(2026, 12, 10, 24, 0, 0), at(2026, 12, 11)},
        {"negative time before 1899", dateTimeOf(1899, 12, 29, 0, -30, 0), at(1899, 12, 28, 23, 30)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(row.actual, row.expected);
    }
}

TEST(DateParts, negativeSerialsAndRoundingToTheSecond)
{
    struct Row {
        const char* name;
        VbDate value;
        int year, month, day, hour, minute, second, weekday;
    };
    const double second = 1.0 / 86400.0;
    const Row rows[] = {
        {"-1.25 is 29.12.1899 06:00", VbDate(-1.25), 1899, 12, 29, 6, 0, 0, 6},
        {"0.5 is noon of day 0", VbDate(0.5), 1899, 12, 30, 12, 0, 0, 7},
        {"-0.5 is noon of day 0 too", VbDate(-0.5), 1899, 12, 30, 12, 0, 0, 7},
        {"2.75", VbDate(2.75), 1900, 1, 1, 18, 0, 0, 2},
        {"01.01.1800 18:30", at(1800, 1, 1, 18, 30), 1800, 1, 1, 18, 30, 0, 4},
        {"0.4 s rounds down", VbDate(at(2026, 12, 10, 14, 30, 29).serial + 0.4 * second), 2026, 12,
         10, 14, 30, 29, 5},
        {"0.6 s rounds up", VbDate(at(2026, 12, 10, 14, 30, 29).serial + 0.6 * second), 2026, 12, 10,
         14, 30, 30, 5},
        {"23:59:59.6 rounds into the next day", VbDate(at(2026, 12, 10, 23, 59, 59).serial + 0.6 * second),
         2026, 12, 11, 0, 0, 0, 6},
        {"before 1899 a time close to midnight rounds into the next day", VbDate(-1.9999999), 1899, 12,
         30, 0, 0, 0, 7},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(Year(row.value), row.year);
        EXPECT_EQ(Month(row.value), row.month);
        EXPECT_EQ(Day(row.value), row.day);
        EXPECT_EQ(Hour(row.value), row.hour);
        EXPECT_EQ(Minute(row.value), row.minute);
        EXPECT_EQ(Second(row.value), row.second);
        EXPECT_EQ(Weekday(row.value), row.weekday);
    }
}

TEST(DateParts, dateOnlyAndTimeOnlyKeepTheCalendarDay)
{
    EXPECT_EQ(DateOnly(VbDate(-1.25)), VbDate(-1.0));
    EXPECT_EQ(TimeOnly(VbDate(-1.25)), VbDate(0.25));
    EXPECT_EQ(DateOnly(VbDate(2.75)), VbDate(2.0));
    EXPECT_EQ(TimeOnly(VbDate(2.75)), VbDate(0.75));
    EXPECT_EQ(DateOnly(at(2026, 12, 10, 14, 5, 9)), at(2026, 12, 10));
    EXPECT_EQ(TimeOnly(at(2026, 12, 10, 14, 5, 9)), at(1899, 12, 30, 14, 5, 9));
}

TEST(Weekday, firstDayOfWeekShiftsTheNumbering)
{
    const VbDate thursday = at(2026, 12, 10);
    EXPECT_EQ(Weekday(thursday), 5);
    EXPECT_EQ(Weekday(thursday, 2), 4); // Monday first
    EXPECT_EQ(Weekday(thursday, 0), 4); // the German system setting: Monday first
    EXPECT_EQ(Weekday(thursday, 5), 1);
    EXPECT_EQ(Weekday(thursday, 6), 7);

    clearError();
    EXPECT_EQ(Weekday(thursday, 9), 5);
    EXPECT_EQ(Err().number, ErrInvalidCall);
    clearError();
}

TEST(DateAdd, calendarAddition)
{
    struct Row {
        const char* name;
        const char* interval;
        double number;
        VbDate start;
        VbDate expected;
    };
    const Row rows[] = {
        {"one month after 31 January clamps to 28 February", "m", 1, at(2026, 1, 31), at(2026, 2, 28)},
        {"and to 29 February in a leap year", "m", 1, at(2024, 1, 31), at(2024, 2, 29)},
        {"interval in upper case", "M", 1, at(2026, 1, 31), at(2026, 2, 28)},
        {"a year after 29 February", "yyyy", 1, at(2024, 2, 29), at(2025, 2, 28)},
        {"four years after 29 February", "yyyy", 4, at(2024, 2, 29), at(2028, 2, 29)},
        {"one month back from 31 March", "m", -1, at(2026, 3, 31), at(2026, 2, 28)},
        {"one month back from 31 March in a leap year", "m", -1, at(2024, 3, 31), at(2024, 2, 29)},
        {"a quarter back from 31 May", "q", -1, at(2026, 5, 31), at(2026, 2, 28)},
        {"two months across the year end", "m", 2, at(2026, 12, 31), at(2027, 2, 28)},
        {"13 months back", "m", -13, at(2026, 1, 15), at(2024, 12, 15)},
        {"months keep the time", "m", 1, at(2026, 1, 31, 14, 30), at(2026, 2, 28, 14, 30)},
        {"months before 1899 keep the time", "m", 1, at(1899, 1, 31, 6), at(1899, 2, 28, 6)},
        {"days back across 30.12.1899 keep the time", "d", -3, at(1900, 1, 1, 6), at(1899, 12, 29, 6)},
        {"a day forward onto day 0", "d", 1, at(1899, 12, 29, 6), at(1899, 12, 30, 6)},
        {"day of year adds days", "y", 1, at(2026, 12, 31), at(2027, 1, 1)},
        {"weekday adds days, Saturdays and Sundays too", "w", 2, at(2026, 12, 11), at(2026, 12, 13)},
        {"weeks", "ww", 2, at(2026, 12, 8), at(2026, 12, 22)},
        {"hours back across midnight before 1899", "h", -3, at(1899, 12, 30, 2), at(1899, 12, 29, 23)},
        {"minutes", "n", 90, at(2026, 12, 10, 14, 30), at(2026, 12, 10, 16, 0)},
        {"a second back across the year end", "s", -1, at(2026, 1, 1), at(2025, 12, 31, 23, 59, 59)},
        {"1.5 days are rounded to 2", "d", 1.5, at(2026, 12, 8), at(2026, 12, 10)},
        {"2.5 days are rounded to the even 2", "d", 2.5, at(2026, 12, 8), at(2026, 12, 10)},
        {"-1.5 days are rounded to -2", "d", -1.5, at(2026, 12, 8), at(2026, 12, 6)},
        {"0.4 months are nothing", "m", 0.4, at(2026, 1, 31), at(2026, 1, 31)},
        {"1.6 months are 2", "m", 1.6, at(2026, 1, 31), at(2026, 3, 31)},
        {"half an hour rounds to the even 0", "h", 0.5, at(2026, 12, 10, 14), at(2026, 12, 10, 14)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        clearError();
        EXPECT_EQ(DateAdd(QString::fromLatin1(row.interval), row.number, row.start), row.expected);
        EXPECT_EQ(Err().number, 0);
    }
}

TEST(DateAdd, invalidRequestsLeaveTheDateAndSetTheError)
{
    struct Row {
        const char* name;
        const char* interval;
        double number;
        int error;
    };
    const Row rows[] = {
        {"unknown interval", "x", 1, ErrInvalidCall},
        {"empty interval", "", 1, ErrInvalidCall},
        {"interval with blanks", " d", 1, ErrInvalidCall},
        {"beyond the year 9999", "yyyy", 8000, ErrInvalidCall},
        {"before the year 100", "d", -800000, ErrInvalidCall},
        {"beyond the Long range", "d", 1e12, ErrOverflow},
    };
    const VbDate start = at(2026, 12, 10, 14, 5, 9);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        clearError();
        EXPECT_EQ(DateAdd(QString::fromLatin1(row.interval), row.number, start), start);
        EXPECT_EQ(Err().number, row.error);
    }
    clearError();
}

TEST(DateDiff, countsBoundaries)
{
    struct Row {
        const char* name;
        const char* interval;
        VbDate from;
        VbDate to;
        int firstDayOfWeek;
        qint64 expected;
    };
    const Row rows[] = {
        {"one day over the year boundary is a year", "yyyy", at(2025, 12, 31), at(2026, 1, 1), 1, 1},
        {"a whole year without a boundary", "yyyy", at(2025, 1, 1), at(2025, 12, 31), 1, 0},
        {"backwards is negative", "yyyy", at(2026, 1, 1), at(2025, 12, 31), 1, -1},
        {"quarter boundary", "q", at(2026, 3, 31), at(2026, 4, 1), 1, 1},
        {"within a quarter", "q", at(2026, 1, 1), at(2026, 3, 31), 1, 0},
        {"month boundary", "m", at(2026, 1, 31), at(2026, 2, 1), 1, 1},
        {"within a month", "m", at(2026, 1, 1), at(2026, 1, 31), 1, 0},
        {"months backwards", "m", at(2026, 3, 15), at(2025, 1, 15), 1, -14},
        {"days count the dates only", "d", at(2026, 12, 10, 23), at(2026, 12, 11, 1), 1, 1},
        {"same date, different times", "d", at(2026, 12, 10, 1), at(2026, 12, 10, 23), 1, 0},
        {"days across 30.12.1899 with times", "d", at(1899, 12, 29, 23), at(1899, 12, 30, 1), 1, 1},
        {"day of year counts days", "y", at(2026, 1, 1), at(2026, 12, 31), 1, 364},
        {"6 days are no whole week", "w", at(2026, 12, 10), at(2026, 12, 16), 1, 0},
        {"7 days are a week", "w", at(2026, 12, 10), at(2026, 12, 17), 1, 1},
        {"13 days are one week", "w", at(2026, 12, 10), at(2026, 12, 23), 1, 1},
        {"7 days back", "w", at(2026, 12, 17), at(2026, 12, 10), 1, -1},
        {"13 days back are one week back", "w", at(2026, 12, 23), at(2026, 12, 10), 1, -1},
        {"Saturday to Sunday crosses a Sunday week start", "ww", at(2026, 12, 12), at(2026, 12, 13), 1, 1},
        {"but no Monday week start", "ww", at(2026, 12, 12), at(2026, 12, 13), 2, 0},
        {"Sunday to Monday crosses a Monday week start", "ww", at(2026, 12, 13), at(2026, 12, 14), 2, 1},
        {"the German system setting starts weeks on Monday", "ww", at(2026, 12, 13), at(2026, 12, 14), 0, 1},
        {"a Sunday as the first date is not counted", "ww", at(2026, 12, 6), at(2026, 12, 12), 1, 0},
        {"week starts backwards", "ww", at(2026, 12, 13), at(2026, 12, 12), 1, -1},
        {"10:59 to 11:00 crosses an hour", "h", at(2026, 12, 10, 10, 59), at(2026, 12, 10, 11), 1, 1},
        {"10:00 to 10:59 crosses none", "h", at(2026, 12, 10, 10), at(2026, 12, 10, 10, 59), 1, 0},
        {"hours across 30.12.1899", "h", at(1899, 12, 29, 23), at(1899, 12, 30, 1), 1, 2},
        {"minute boundary", "n", at(2026, 12, 10, 10, 0, 59), at(2026, 12, 10, 10, 1), 1, 1},
        {"second", "s", at(2026, 12, 10, 10, 0, 59), at(2026, 12, 10, 10, 1), 1, 1},
        {"seconds of a day", "s", at(2026, 12, 10), at(2026, 12, 11), 1, 86400},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        clearError();
        EXPECT_EQ(DateDiff(QString::fromLatin1(row.interval), row.from, row.to, row.firstDayOfWeek),
                  row.expected);
        EXPECT_EQ(Err().number, 0);
    }
}

TEST(DateDiff, unknownIntervalGivesZeroAndTheError)
{
    clearError();
    EXPECT_EQ(DateDiff(QStringLiteral("x"), at(2026, 1, 1), at(2027, 1, 1)), 0);
    EXPECT_EQ(Err().number, ErrInvalidCall);
    clearError();
    EXPECT_EQ(DateDiff(QStringLiteral("d"), at(2026, 1, 1), at(2027, 1, 1), 8), 0);
    EXPECT_EQ(Err().number, ErrInvalidCall);
    clearError();
}

TEST(DatePart, partsAndWeekNumbering)
{
    struct Row {
        const char* name;
        const char* interval;
        VbDate date;
        int firstDayOfWeek;
        int firstWeekOfYear;
        int expected;
    };
    const VbDate thursday = at(2026, 12, 10, 14, 5, 9);
    const Row rows[] = {
        {"year", "yyyy", thursday, 1, 1, 2026},
        {"quarter", "q", thursday, 1, 1, 4},
        {"quarter starts in April", "q", at(2026, 4, 1), 1, 1, 2},
        {"month", "m", thursday, 1, 1, 12},
        {"day of year", "y", thursday, 1, 1, 344},
        {"day of year 366", "y", at(2024, 12, 31), 1, 1, 366},
        {"day", "d", thursday, 1, 1, 10},
        {"weekday", "w", thursday, 1, 1, 5},
        {"weekday from Monday", "w", thursday, 2, 1, 4},
        {"hour", "h", thursday, 1, 1, 14},
        {"minute", "n", thursday, 1, 1, 5},
        {"second", "s", thursday, 1, 1, 9},
        {"year of a date before 1899", "yyyy", VbDate(-1.25), 1, 1, 1899},
        {"hour of a date before 1899", "h", VbDate(-1.25), 1, 1, 6},
        {"week of 1 January is week 1", "ww", at(2000, 1, 1), 1, 1, 1},
        {"31.12.2000 is week 54 counting from the week of 1 January", "ww", at(2000, 12, 31), 1, 1, 54},
        {"a Thursday", "ww", thursday, 1, 1, 50},
        {"first full week: 1 January 2026 is in the last week of 2025", "ww", at(2026, 1, 1), 2, 3, 52},
        {"first full week: the first Monday", "ww", at(2026, 1, 5), 2, 3, 1},
        {"first full week never gives week 1 in December", "ww", at(2025, 12, 31), 2, 3, 52},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        clearError();
        EXPECT_EQ(DatePart(QString::fromLatin1(row.interval), row.date, row.firstDayOfWeek,
                           row.firstWeekOfYear),
                  row.expected);
        EXPECT_EQ(Err().number, 0);
    }
    clearError();
    EXPECT_EQ(DatePart(QStringLiteral("ww"), thursday, 1, 4), 0);
    EXPECT_EQ(Err().number, ErrInvalidCall);
    clearError();
}

TEST(IsDate, germanFormsAreDates)
{
    const datetest::FixedToday today(at(2026, 12, 8));
    struct Row {
        const char* text;
        VbDate expected;
    };
    const Row rows[] = {
        {"5.3.2024", at(2024, 3, 5)},
        {"05.03.24", at(2024, 3, 5)},
        {"5.3.", at(2026, 3, 5)},
        {"24.12.", at(2026, 12, 24)},
        {"5.3", at(2026, 3, 5)},
        {"1.5.26", at(2026, 5, 1)},
        {"1.1.00", at(2000, 1, 1)},
        {"31.12.29", at(2029, 12, 31)},
        {"1.1.30", at(1930, 1, 1)},
        {"31.12.99", at(1999, 12, 31)},
        {"29.2.2024", at(2024, 2, 29)},
        {"1.1.100", at(100, 1, 1)},
        {"31.12.9999", at(9999, 12, 31)},
        {"5. März 2024", at(2024, 3, 5)},
        {"5. Mär 2024", at(2024, 3, 5)},
        {"5. Mär. 2024", at(2024, 3, 5)},
        {"5 März 2024", at(2024, 3, 5)},
        {"5.März 2024", at(2024, 3, 5)},
        {"5. MÄRZ 24", at(2024, 3, 5)},
        {"1. Mai", at(2026, 5, 1)},
        {"2024-03-05", at(2024, 3, 5)},
        {"2024-3-5", at(2024, 3, 5)},
        {"5/3/2024", at(2024, 3, 5)},
        {"5-3-2024", at(2024, 3, 5)},
        {"  5.3.2024  ", at(2024, 3, 5)},
        {"5. 3. 2024", at(2024, 3, 5)},
        {"5.3.2024 14:30", at(2024, 3, 5, 14, 30)},
        {"5.3.2024   14:30:15 ", at(2024, 3, 5, 14, 30, 15)},
        {"5.3. 14:30", at(2026, 3, 5, 14, 30)},
        {"5. März 2024 8:05", at(2024, 3, 5, 8, 5)},
        {"2024-03-05 08:00:30", at(2024, 3, 5, 8, 0, 30)},
        {"01.01.1800 18:30", at(1800, 1, 1, 18, 30)},
        {"14:30:15", at(1899, 12, 30, 14, 30, 15)},
        {" 0:00 ", VbDate(0.0)},
        {"23:59:59", at(1899, 12, 30, 23, 59, 59)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        const QString text = QString::fromUtf8(row.text);
        EXPECT_TRUE(IsDate(text));
        EXPECT_EQ(CDate(text), std::optional(row.expected));
    }
}

TEST(IsDate, otherTextsAreNoDates)
{
    const datetest::FixedToday today(at(2026, 12, 8));
    const char* const texts[] = {
        "", "   ", "12", "12.", "2024", "1,5", "abc",
        "31.2.2024", "29.2.2023", "29.2.", "0.1.2024", "32.1.2024", "5.13.2024", "5.0.2024",
        "1.1.0099", "1.1.10000", "5.3.20245", "5.3.2024x", "5.3.2024 x", "-5.3.2024",
        "5.3 2024", "5.3.2024 14", "5.3.2024 24:00", "5.3.2024 14:60", "12:30:60", "5.3.2024,14:30",
        "5.3.14:30", "5. Foo 2024", "5 März2024", "5März 2024", "2024-13-01", "2024-02-30",
        "2024/03/05", "5/3", "5-3", "5.3.2024 14:30 x", "14:30 5.3.2024",
    };
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(IsDate(QString::fromUtf8(text)));
        EXPECT_EQ(CDate(QString::fromUtf8(text)), std::nullopt);
    }
}

TEST(IsDate, dayAndMonthAloneTakeTheYearOfToday)
{
    {
        const datetest::FixedToday today(at(2024, 6, 1, 12, 0));
        EXPECT_EQ(CDate(QStringLiteral("29.2.")), std::optional(at(2024, 2, 29)));
    }
    {
        const datetest::FixedToday today(at(2026, 6, 1));
        EXPECT_FALSE(IsDate(QStringLiteral("29.2.")));
    }
    // Without a provider the system date counts.
    EXPECT_LE(std::abs(DateDiff(QStringLiteral("d"), runtimeToday(), fromQDate(QDate::currentDate()))), 1);
}

TEST(CDateOrError, noDateSetsError13AndGivesZero)
{
    clearError();
    EXPECT_EQ(CDateOrError(QStringLiteral("kein Datum")), VbDate(0.0));
    EXPECT_EQ(Err().number, ErrTypeMismatch);
    clearError();
    EXPECT_EQ(CDateOrError(QStringLiteral("5.3.2024")), at(2024, 3, 5));
    EXPECT_EQ(Err().number, 0);
}

TEST(GermanNames, tablesAndOutOfRange)
{
    const QStringList months{QStringLiteral("Januar"), QStringLiteral("Februar"), QStringLiteral("März"),
                             QStringLiteral("April"), QStringLiteral("Mai"), QStringLiteral("Juni"),
                             QStringLiteral("Juli"), QStringLiteral("August"), QStringLiteral("September"),
                             QStringLiteral("Oktober"), QStringLiteral("November"), QStringLiteral("Dezember")};
    const QStringList monthsShort{QStringLiteral("Jan"), QStringLiteral("Feb"), QStringLiteral("Mär"),
                                  QStringLiteral("Apr"), QStringLiteral("Mai"), QStringLiteral("Jun"),
                                  QStringLiteral("Jul"), QStringLiteral("Aug"), QStringLiteral("Sep"),
                                  QStringLiteral("Okt"), QStringLiteral("Nov"), QStringLiteral("Dez")};
    const QStringList days{QStringLiteral("Sonntag"), QStringLiteral("Montag"), QStringLiteral("Dienstag"),
                           QStringLiteral("Mittwoch"), QStringLiteral("Donnerstag"), QStringLiteral("Freitag"),
                           QStringLiteral("Samstag")};
    const QStringList daysShort{QStringLiteral("So"), QStringLiteral("Mo"), QStringLiteral("Di"),
                                QStringLiteral("Mi"), QStringLiteral("Do"), QStringLiteral("Fr"),
                                QStringLiteral("Sa")};
    for (int month = 1; month <= 12; ++month) {
        EXPECT_EQ(germanMonthName(month), months[month - 1]);
        EXPECT_EQ(germanMonthShort(month), monthsShort[month - 1]);
    }
    for (int weekday = 1; weekday <= 7; ++weekday) {
        EXPECT_EQ(germanDayName(weekday), days[weekday - 1]);
        EXPECT_EQ(germanDayShort(weekday), daysShort[weekday - 1]);
    }
    EXPECT_EQ(germanMonthName(0), QString());
    EXPECT_EQ(germanMonthShort(13), QString());
    EXPECT_EQ(germanDayName(8), QString());
    EXPECT_EQ(germanDayShort(0), QString());
}

} // namespace
