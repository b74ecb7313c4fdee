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

// The whole day (days since 30.12.1899, negative before) and the time of day as a fraction
// 0 <= f < 1, and back.
qint64 dayNumber(VbDate d);
double timeFraction(VbDate d);
VbDate fromDayAndFraction(qint64 day, double fraction);

VbDate DateSerial(int year, int month, int day); // month and day overflow roll over, as in VB
VbDate TimeSerial(int hour, int minute, int second);
VbDate dateTimeOf(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

int Year(VbDate d);
int Month(VbDate d);
int Day(VbDate d);
int Hour(VbDate d);
int Minute(VbDate d);
int Second(VbDate d);
// Sunday = 1 .. Saturday = 7 with the default first day; firstDayOfWeek 1 = Sunday, 2 = Monday.
int Weekday(VbDate d, int firstDayOfWeek = 1);
// The date part only (time removed) and the time part only.
VbDate DateOnly(VbDate d);
VbDate TimeOnly(VbDate d);

// Intervals: "yyyy", "q", "m", "y", "d", "w", "ww", "h", "n", "s" (any case). Adding months
// clamps to the last day of the month (31.01. + 1 month = 28./29.02.). An unknown interval sets
// the current error 5 and gives the date unchanged.
VbDate DateAdd(const QString& interval, double number, VbDate d);
// Counts boundaries crossed between d1 and d2 (negative when d2 is earlier): "yyyy" year
// boundaries, "m" month boundaries, "ww" week starts (firstDayOfWeek), "w" whole weeks, "d"/"y"
// days, "h"/"n"/"s" whole hours, minutes and seconds between the values.
qint64 DateDiff(const QString& interval, VbDate d1, VbDate d2, int firstDayOfWeek = 1);
// "yyyy", "q", "m", "y" (day of year), "d", "w" (weekday), "ww" (week of year; firstWeekOfYear
// 1 = the week of 1 January, 2 = the first week with four days, 3 = the first full week),
// "h", "n", "s".
int DatePart(const QString& interval, VbDate d, int firstDayOfWeek = 1, int firstWeekOfYear = 1);

// German forms of dates and times, each with an optional time: "5.3.2024", "05.03.24", "5.3."
// (current year), "5. März 2024", "5. Mär 2024", "2024-03-05", "14:30", "14:30:15",
// "5.3.2024 14:30". Two-digit years 00-29 are 20xx, 30-99 are 19xx. "12" alone is no date.
// The current year for "5.3." comes from the clock hook below.
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
