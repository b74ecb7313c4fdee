// Calendar arithmetic on the date value: building dates, taking them apart, adding intervals,
// counting boundaries, and the German name tables.
#include "dates.h"
#include "numbers.h"

#include "dates_calendar.h"
#include "error.h"

#include <QDate>
#include <array>
#include <cmath>

namespace rt {

namespace cal {

qint64 floorDiv(qint64 a, qint64 b)
{
    const qint64 q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

qint64 floorMod(qint64 a, qint64 b)
{
    return a - floorDiv(a, b) * b;
}

// Days of the proleptic Gregorian calendar, counted from 30.12.1899 (the civil-day algorithm
// over 400-year eras, so that it holds for every year, negative ones included).
qint64 dayFromCivil(qint64 year, int month, int day)
{
    const qint64 y = year - (month <= 2 ? 1 : 0);
    const qint64 era = floorDiv(y, 400);
    const qint64 yearOfEra = y - era * 400;
    const qint64 dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const qint64 dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    // 719468 days from 01.03.0000 to 01.01.1970, 25569 from 30.12.1899 to 01.01.1970.
    return era * 146097 + dayOfEra - 719468 + 25569;
}

Civil civilFromDay(qint64 dayNumber)
{
    const qint64 z = dayNumber - 25569 + 719468;
    const qint64 era = floorDiv(z, 146097);
    const qint64 dayOfEra = z - era * 146097;
    const qint64 yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const qint64 dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const qint64 mp = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

bool isLeapYear(qint64 year)
{
    return floorMod(year, 4) == 0 && (floorMod(year, 100) != 0 || floorMod(year, 400) == 0);
}

int daysInMonth(qint64 year, int month)
{
    static constexpr std::array<int, 12> days{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && isLeapYear(year))
        return 29;
    return days[static_cast<size_t>(month - 1)];
}

Moment momentOf(VbDate d)
{
    // Values far outside any calendar (or not numbers at all) are treated as 30.12.1899.
    double serial = d.serial;
    if (!std::isfinite(serial) || std::fabs(serial) > maxSerialMagnitude)
        serial = 0.0;
    const VbDate value(serial);
    qint64 day = dayNumber(value);
    qint64 seconds = std::llround(timeFraction(value) * 86400.0);
    if (seconds >= 86400) {
        ++day;
        seconds -= 86400;
    }
    return {day, static_cast<int>(seconds)};
}

bool refuseImpossible(VbDate d)
{
    if (isDateInRange(d))
        return false;
    raiseError(ErrOverflow);
    return true;
}

VbDate fromMoment(qint64 day, qint64 seconds)
{
    const qint64 days = day + floorDiv(seconds, 86400);
    const qint64 rest = floorMod(seconds, 86400);
    return fromDayAndFraction(days, static_cast<double>(rest) / 86400.0);
}

int normalizedFirstDayOfWeek(int firstDayOfWeek)
{
    if (firstDayOfWeek == 0)
        return 2; // the system setting: Monday on a German system
    if (firstDayOfWeek < 1 || firstDayOfWeek > 7)
        return -1;
    return firstDayOfWeek;
}

int weekdayOfDay(qint64 dayNumber, int firstDayOfWeek)
{
    // Day 1 (31.12.1899) is a Sunday.
    const int sundayBased = static_cast<int>(floorMod(dayNumber - 1, 7)) + 1;
    return static_cast<int>(floorMod(sundayBased - firstDayOfWeek, 7)) + 1;
}

int weekOfYear(qint64 dayNumber, int firstDayOfWeek, int firstWeekOfYear)
{
    const auto weekStart = [firstDayOfWeek](qint64 day) {
        return day - (weekdayOfDay(day, firstDayOfWeek) - 1);
    };
    // The first day of week 1: the week of 1 January, of 4 January (the first week with four
    // days in the new year) or the first week that starts in the new year.
    const auto firstWeekStart = [&](qint64 year) {
        const qint64 jan1 = dayFromCivil(year, 1, 1);
        switch (firstWeekOfYear) {
        case 2:
            return weekStart(jan1 + 3);
        case 3:
            return weekStart(jan1 + 6);
        default:
            return weekStart(jan1);
        }
    };
    const qint64 year = civilFromDay(dayNumber).year;
    qint64 start = firstWeekStart(year);
    if (firstWeekOfYear != 1) {
        if (dayNumber >= firstWeekStart(year + 1))
            return 1;
        if (dayNumber < start)
            start = firstWeekStart(year - 1);
    }
    return static_cast<int>((dayNumber - start) / 7) + 1;
}

} // namespace cal

namespace {

using namespace cal;

enum class Interval { Unknown, Year, Quarter, Month, DayOfYear, Day, Weekday, Week, Hour, Minute, Second };

Interval intervalOf(const QString& text)
{
    struct Name {
        const char16_t* text;
        Interval interval;
    };
    static constexpr std::array<Name, 10> names{{
        {u"yyyy", Interval::Year},
        {u"q", Interval::Quarter},
        {u"m", Interval::Month},
        {u"y", Interval::DayOfYear},
        {u"d", Interval::Day},
        {u"w", Interval::Weekday},
        {u"ww", Interval::Week},
        {u"h", Interval::Hour},
        {u"n", Interval::Minute},
        {u"s", Interval::Second},
    }};
    for (const Name& name : names) {
        if (text.compare(QStringView(name.text), Qt::CaseInsensitive) == 0)
            return name.interval;
    }
    return Interval::Unknown;
}

// A count of intervals becomes a whole number as in a conversion to Long: halves go to the even
// neighbour.
std::optional<qint64> wholeCount(double number)
{
    if (!std::isfinite(number))
        return std::nullopt;
    const double rounded = Round(number);
    if (rounded < -2147483648.0 || rounded > 2147483647.0)
        return std::nullopt;
    return static_cast<qint64>(rounded);
}

VbDate addMonths(VbDate d, qint64 months)
{
    const Civil civil = civilFromDay(dayNumber(d));
    const qint64 monthIndex = civil.year * 12 + (civil.month - 1) + months;
    const qint64 year = floorDiv(monthIndex, 12);
    const int month = static_cast<int>(floorMod(monthIndex, 12)) + 1;
    const int day = std::min(civil.day, daysInMonth(year, month));
    return fromDayAndFraction(dayFromCivil(year, month, day), timeFraction(d));
}

TodayProvider todayProvider = nullptr;

} // namespace

bool isDateInRange(VbDate d)
{
    if (!std::isfinite(d.serial) || std::fabs(d.serial) > maxSerialMagnitude)
        return false;
    const qint64 day = momentOf(d).day;
    return day >= firstValidDay && day <= lastValidDay;
}

VbDate DateSerial(int year, int month, int day)
{
    qint64 y = year;
    if (y >= 0 && y <= 29)
        y += 2000;
    else if (y >= 30 && y <= 99)
        y += 1900;
    const qint64 monthIndex = static_cast<qint64>(month) - 1;
    y += floorDiv(monthIndex, 12);
    const int m = static_cast<int>(floorMod(monthIndex, 12)) + 1;
    return fromDayAndFraction(dayFromCivil(y, m, 1) + (static_cast<qint64>(day) - 1), 0.0);
}

VbDate TimeSerial(int hour, int minute, int second)
{
    return fromMoment(0, static_cast<qint64>(hour) * 3600 + static_cast<qint64>(minute) * 60 + second);
}

VbDate dateTimeOf(int year, int month, int day, int hour, int minute, int second)
{
    return fromMoment(dayNumber(DateSerial(year, month, day)),
                      static_cast<qint64>(hour) * 3600 + static_cast<qint64>(minute) * 60 + second);
}

int Year(VbDate d)
{
    if (refuseImpossible(d))
        return 0;
    return static_cast<int>(civilFromDay(momentOf(d).day).year);
}

int Month(VbDate d)
{
    if (refuseImpossible(d))
        return 0;
    return civilFromDay(momentOf(d).day).month;
}

int Day(VbDate d)
{
    if (refuseImpossible(d))
        return 0;
    return civilFromDay(momentOf(d).day).day;
}

int Hour(VbDate d)
{
    if (refuseImpossible(d))
        return 0;
    return momentOf(d).seconds / 3600;
}

int Minute(VbDate d)
{
    if (refuseImpossible(d))
        return 0;
    return momentOf(d).seconds / 60 % 60;
}

int Second(VbDate d)
{
    if (refuseImpossible(d))
        return 0;
    return momentOf(d).seconds % 60;
}

int Weekday(VbDate d, int firstDayOfWeek)
{
    if (refuseImpossible(d))
        return 0;
    int first = normalizedFirstDayOfWeek(firstDayOfWeek);
    if (first < 0) {
        raiseError(ErrInvalidCall);
        first = 1;
    }
    return weekdayOfDay(momentOf(d).day, first);
}

VbDate DateOnly(VbDate d)
{
    if (refuseImpossible(d))
        return d;
    return fromDayAndFraction(momentOf(d).day, 0.0);
}

VbDate TimeOnly(VbDate d)
{
    if (refuseImpossible(d))
        return d;
    return fromMoment(0, momentOf(d).seconds);
}

VbDate DateAdd(const QString& interval, double number, VbDate d)
{
    if (refuseImpossible(d))
        return d;
    const Interval unit = intervalOf(interval);
    if (unit == Interval::Unknown) {
        raiseError(ErrInvalidCall);
        return d;
    }
    const std::optional<qint64> count = wholeCount(number);
    if (!count) {
        raiseError(ErrOverflow);
        return d;
    }
    const qint64 n = *count;
    const auto addSeconds = [&](qint64 seconds) {
        const Moment moment = momentOf(d);
        return fromMoment(moment.day, moment.seconds + seconds);
    };
    VbDate result;
    switch (unit) {
    case Interval::Year:
        result = addMonths(d, n * 12);
        break;
    case Interval::Quarter:
        result = addMonths(d, n * 3);
        break;
    case Interval::Month:
        result = addMonths(d, n);
        break;
    case Interval::DayOfYear:
    case Interval::Day:
    case Interval::Weekday:
        result = fromDayAndFraction(dayNumber(d) + n, timeFraction(d));
        break;
    case Interval::Week:
        result = fromDayAndFraction(dayNumber(d) + 7 * n, timeFraction(d));
        break;
    case Interval::Hour:
        result = addSeconds(n * 3600);
        break;
    case Interval::Minute:
        result = addSeconds(n * 60);
        break;
    case Interval::Second:
        result = addSeconds(n);
        break;
    case Interval::Unknown:
        break;
    }
    // Compared as serial numbers: a day before 1899 carries its time as a negative fraction.
    if (!(result.serial > static_cast<double>(firstValidDay - 1)
          && result.serial < static_cast<double>(lastValidDay + 1))) {
        raiseError(ErrInvalidCall);
        return d;
    }
    return result;
}

qint64 DateDiff(const QString& interval, VbDate d1, VbDate d2, int firstDayOfWeek)
{
    if (refuseImpossible(d1) || refuseImpossible(d2))
        return 0;
    const Interval unit = intervalOf(interval);
    const int first = normalizedFirstDayOfWeek(firstDayOfWeek);
    if (unit == Interval::Unknown || first < 0) {
        raiseError(ErrInvalidCall);
        return 0;
    }
    const Moment a = momentOf(d1);
    const Moment b = momentOf(d2);
    const Civil ca = civilFromDay(a.day);
    const Civil cb = civilFromDay(b.day);
    const qint64 secondsA = a.day * 86400 + a.seconds;
    const qint64 secondsB = b.day * 86400 + b.seconds;
    switch (unit) {
    case Interval::Year:
        return cb.year - ca.year;
    case Interval::Quarter:
        return (cb.year * 4 + (cb.month - 1) / 3) - (ca.year * 4 + (ca.month - 1) / 3);
    case Interval::Month:
        return (cb.year * 12 + cb.month) - (ca.year * 12 + ca.month);
    case Interval::DayOfYear:
    case Interval::Day:
        return b.day - a.day;
    case Interval::Weekday:
        return (b.day - a.day) / 7;
    case Interval::Week: {
        // Day number `first` is a day of the week that starts each week.
        return floorDiv(b.day - first, 7) - floorDiv(a.day - first, 7);
    }
    case Interval::Hour:
        return floorDiv(secondsB, 3600) - floorDiv(secondsA, 3600);
    case Interval::Minute:
        return floorDiv(secondsB, 60) - floorDiv(secondsA, 60);
    case Interval::Second:
        return secondsB - secondsA;
    case Interval::Unknown:
        break;
    }
    return 0;
}

int DatePart(const QString& interval, VbDate d, int firstDayOfWeek, int firstWeekOfYear)
{
    if (refuseImpossible(d))
        return 0;
    const Interval unit = intervalOf(interval);
    const int first = normalizedFirstDayOfWeek(firstDayOfWeek);
    const int firstWeek = firstWeekOfYear == 0 ? 2 : firstWeekOfYear; // German system: four days
    if (unit == Interval::Unknown || first < 0 || firstWeek < 1 || firstWeek > 3) {
        raiseError(ErrInvalidCall);
        return 0;
    }
    const Moment moment = momentOf(d);
    const Civil civil = civilFromDay(moment.day);
    switch (unit) {
    case Interval::Year:
        return static_cast<int>(civil.year);
    case Interval::Quarter:
        return (civil.month - 1) / 3 + 1;
    case Interval::Month:
        return civil.month;
    case Interval::DayOfYear:
        return static_cast<int>(moment.day - dayFromCivil(civil.year, 1, 1)) + 1;
    case Interval::Day:
        return civil.day;
    case Interval::Weekday:
        return weekdayOfDay(moment.day, first);
    case Interval::Week:
        return weekOfYear(moment.day, first, firstWeek);
    case Interval::Hour:
        return moment.seconds / 3600;
    case Interval::Minute:
        return moment.seconds / 60 % 60;
    case Interval::Second:
        return moment.seconds % 60;
    case Interval::Unknown:
        break;
    }
    return 0;
}

VbDate CDateOrError(const QString& text)
{
    if (const std::optional<VbDate> date = CDate(text))
        return *date;
    raiseError(ErrTypeMismatch);
    return VbDate(0.0);
}

void setTodayProvider(TodayProvider provider)
{
    todayProvider = provider;
}

VbDate runtimeToday()
{
    if (todayProvider)
        return todayProvider();
    return fromQDate(QDate::currentDate());
}

QString germanMonthName(int month)
{
    static const std::array<QString, 12> names{
        QStringLiteral("Januar"), QStringLiteral("Februar"), QStringLiteral("März"),
        QStringLiteral("April"), QStringLiteral("Mai"), QStringLiteral("Juni"),
        QStringLiteral("Juli"), QStringLiteral("August"), QStringLiteral("September"),
        QStringLiteral("Oktober"), QStringLiteral("November"), QStringLiteral("Dezember")};
    if (month < 1 || month > 12)
        return {};
    return names[static_cast<size_t>(month - 1)];
}

QString germanMonthShort(int month)
{
    static const std::array<QString, 12> names{
        QStringLiteral("Jan"), QStringLiteral("Feb"), QStringLiteral("Mär"), QStringLiteral("Apr"),
        QStringLiteral("Mai"), QStringLiteral("Jun"), QStringLiteral("Jul"), QStringLiteral("Aug"),
        QStringLiteral("Sep"), QStringLiteral("Okt"), QStringLiteral("Nov"), QStringLiteral("Dez")};
    if (month < 1 || month > 12)
        return {};
    return names[static_cast<size_t>(month - 1)];
}

QString germanDayName(int weekday)
{
    static const std::array<QString, 7> names{
        QStringLiteral("Sonntag"), QStringLiteral("Montag"), QStringLiteral("Dienstag"),
        QStringLiteral("Mittwoch"), QStringLiteral("Donnerstag"), QStringLiteral("Freitag"),
        QStringLiteral("Samstag")};
    if (weekday < 1 || weekday > 7)
        return {};
    return names[static_cast<size_t>(weekday - 1)];
}

QString germanDayShort(int weekday)
{
    static const std::array<QString, 7> names{
        QStringLiteral("So"), QStringLiteral("Mo"), QStringLiteral("Di"), QStringLiteral("Mi"),
        QStringLiteral("Do"), QStringLiteral("Fr"), QStringLiteral("Sa")};
    if (weekday < 1 || weekday > 7)
        return {};
    return names[static_cast<size_t>(weekday - 1)];
}

} // namespace rt
