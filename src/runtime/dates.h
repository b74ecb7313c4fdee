#pragma once
// The date value: days since 30.12.1899 plus the time as a fraction of a day, a naive local
// date and time without time zone. For dates before 30.12.1899 the whole-day part is negative
// and the time fraction still counts forward from midnight of that day: -1.25 is 29.12.1899 06:00.
#include <QString>
#include <optional>

class QDate;
class QDateTime;

namespace rt {

struct VbDate {
    double serial = 0.0;

    constexpr VbDate() = default;
    constexpr explicit VbDate(double s) : serial(s) {}

    friend constexpr bool operator==(VbDate a, VbDate b) { return a.serial == b.serial; }
    friend constexpr auto operator<=>(VbDate a, VbDate b) { return a.serial <=> b.serial; }
};

// Whether d is a value of the date type: a number whose date, read to the second as below, lies
// within 01.01.0100 00:00:00 and 31.12.9999 23:59:59. Every function of this runtime that reads
// a date (the parts, DateAdd, DateDiff, DatePart, Format, CStr, the Qt conversions) refuses any
// other value (NaN, infinities, a day beyond that range): it sets the current error 6 (overflow)
// and gives 0, an empty text, an invalid Qt value or (DateAdd, DateOnly, TimeOnly) the value
// unchanged, never a day near 30.12.1899.
bool isDateInRange(VbDate d);

// The whole day (days since 30.12.1899, negative before; 0 for a value that is no number or lies
// beyond any calendar) and the time of day as a fraction 0 <= f < 1, and back.
qint64 dayNumber(VbDate d);
double timeFraction(VbDate d);
VbDate fromDayAndFraction(qint64 day, double fraction);

// Month and day overflow and underflow roll over, as in VB (DateSerial(2026, 3, 0) is
// 28.02.2026); years 0-29 are 2000-2029 and 30-99 are 1930-1999.
VbDate DateSerial(int year, int month, int day);
// Seconds, minutes and hours carry over in both directions: TimeSerial(25, 0, 0) is 31.12.1899
// 01:00 and TimeSerial(0, 0, -1) is 29.12.1899 23:59:59. dateTimeOf does the same on its date.
VbDate TimeSerial(int hour, int minute, int second);
VbDate dateTimeOf(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

// The parts are read from the value rounded to the nearest second, as VB reads them
// (23:59:59.6 is 00:00:00 of the next day).
int Year(VbDate d);
int Month(VbDate d);
int Day(VbDate d);
int Hour(VbDate d);
int Minute(VbDate d);
int Second(VbDate d);
// Sunday = 1 .. Saturday = 7 with the default first day; firstDayOfWeek 1 = Sunday, 2 = Monday,
// .. 7 = Saturday, 0 = the system setting (Monday, as on a German system); any other value sets
// the current error 5 and counts from Sunday.
int Weekday(VbDate d, int firstDayOfWeek = 1);
// The date part only (time removed) and the time part only (on 30.12.1899), read as above.
VbDate DateOnly(VbDate d);
VbDate TimeOnly(VbDate d);

// Intervals: "yyyy", "q", "m", "y", "d", "w", "ww", "h", "n", "s" (any case); "y" and "w" add
// days. A fractional number is rounded to a whole one first, halves to the even neighbour (as
// VB converts it to Long). Adding months clamps to the last day of the month (31.01. + 1 month
// = 28./29.02.). An unknown interval or a result outside 01.01.0100-31.12.9999 sets the current
// error 5 (a number beyond the Long range error 6) and gives the date unchanged.
VbDate DateAdd(const QString& interval, double number, VbDate d);
// Counts boundaries crossed between d1 and d2 (negative when d2 is earlier): "yyyy" year
// boundaries, "q" quarter and "m" month boundaries, "ww" week starts (firstDayOfWeek), "w" whole
// weeks, "d"/"y" day boundaries (the dates only), "h"/"n"/"s" hour, minute and second
// boundaries (10:59 to 11:00 is one hour, as in VB). An unknown interval or first day sets the
// current error 5 and gives 0.
qint64 DateDiff(const QString& interval, VbDate d1, VbDate d2, int firstDayOfWeek = 1);
// "yyyy", "q", "m", "y" (day of year), "d", "w" (weekday), "ww" (week of year; firstWeekOfYear
// 1 = the week of 1 January, 2 = the first week with four days, 3 = the first full week, 0 = the
// German system setting 2; with firstDayOfWeek 2 and firstWeekOfYear 2 this is the ISO week),
// "h", "n", "s". An unknown interval or option sets the current error 5 and gives 0.
int DatePart(const QString& interval, VbDate d, int firstDayOfWeek = 1, int firstWeekOfYear = 1);

// German forms of dates and times, each date with an optional time behind a blank: "5.3.2024",
// "05.03.24", "5.3." and "5.3" (current year), "5. März 2024", "5. Mär 2024", "5 März 2024",
// "5. März" (current year), "2024-03-05", "5/3/2024", "5-3-2024", "5.3.2024 14:30"; a time alone
// ("14:30", "14:30:15") lies on 30.12.1899. Blanks around the text and after the dots of a date
// are allowed. Two-digit years 00-29 are 20xx, 30-99 are 19xx; years run from 100 to 9999; days
// that the month does not have ("31.2.2024") are no dates. "12" alone is no date. The current
// year comes from the clock hook below. The system locale plays no part.
bool IsDate(const QString& text);
std::optional<VbDate> CDate(const QString& text);
// Like CDate, but sets the current error 13 and gives 0 when the text is no date.
VbDate CDateOrError(const QString& text);

// Conversions to and from Qt, for the edges where Qt widgets need them.
QDate toQDate(VbDate d);
QDateTime toQDateTime(VbDate d);
VbDate fromQDate(const QDate& date);
VbDate fromQDateTime(const QDateTime& dateTime);

// Where "today" is needed inside the runtime (the year of "5.3."), it asks this function; the
// platform clock installs itself here at start-up. Without it the system clock is used.
using TodayProvider = VbDate (*)();
void setTodayProvider(TodayProvider provider);
VbDate runtimeToday();

// German names from the program's own tables, never from the locale.
// month 1..12: "Januar".."Dezember"; short: "Jan", "Feb", "Mär", "Apr", "Mai", "Jun", "Jul",
// "Aug", "Sep", "Okt", "Nov", "Dez". weekday 1 (Sunday)..7: "Sonntag".."Samstag"; short: "So",
// "Mo", "Di", "Mi", "Do", "Fr", "Sa".
QString germanMonthName(int month);
QString germanMonthShort(int month);
QString germanDayName(int weekday);
QString germanDayShort(int weekday);

} // namespace rt
