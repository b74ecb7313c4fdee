#pragma once
// Calendar helpers shared by the date functions, the date parser and the date formatter.
#include "dates.h"

namespace rt::cal {

// Values beyond this many days from 30.12.1899 (or not numbers) are read as 30.12.1899 by the
// helpers below; the public functions refuse them first (isDateInRange).
constexpr double maxSerialMagnitude = 1e10;

// The first and the last day of the date type: 01.01.0100 and 31.12.9999.
constexpr qint64 firstValidDay = -657434;
constexpr qint64 lastValidDay = 2958465;

// Sets the current error 6 (overflow) and gives true when d is no value of the date type.
bool refuseImpossible(VbDate d);

qint64 floorDiv(qint64 a, qint64 b);
qint64 floorMod(qint64 a, qint64 b);

struct Civil {
    qint64 year;
    int month;
    int day;
};

// Proleptic Gregorian calendar, day numbers counted from 30.12.1899.
qint64 dayFromCivil(qint64 year, int month, int day);
Civil civilFromDay(qint64 dayNumber);
bool isLeapYear(qint64 year);
int daysInMonth(qint64 year, int month);

// A date value rounded to the nearest second, as VB reads it: the calendar day and the seconds
// since its midnight (0..86399). 23:59:59.6 becomes 00:00:00 of the next day.
struct Moment {
    qint64 day;
    int seconds;
};
Moment momentOf(VbDate d);
// Any number of seconds from the midnight of a day, carried into whole days.
VbDate fromMoment(qint64 day, qint64 seconds);

// 0 (the system setting) becomes Monday; outside 0..7 gives -1.
int normalizedFirstDayOfWeek(int firstDayOfWeek);
// 1..7, counted from firstDayOfWeek (1 = Sunday).
int weekdayOfDay(qint64 dayNumber, int firstDayOfWeek);
// firstWeekOfYear 1 = the week of 1 January, 2 = the first week with four days, 3 = the first
// full week. Days before week 1 belong to the last week of the year before; with 2 the last days
// of December may belong to week 1 of the next year.
int weekOfYear(qint64 dayNumber, int firstDayOfWeek, int firstWeekOfYear);

} // namespace rt::cal
