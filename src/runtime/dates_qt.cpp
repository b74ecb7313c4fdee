// The encoding of the date value and its conversions to and from Qt.
#include "dates.h"

#include "dates_calendar.h"

#include <QDateTime>
#include <cmath>

namespace rt {

namespace {
const QDate epoch(1899, 12, 30);
constexpr double msecsPerDay = 86400000.0;
} // namespace

qint64 dayNumber(VbDate d)
{
    if (!std::isfinite(d.serial) || std::fabs(d.serial) > cal::maxSerialMagnitude)
        return 0;
    return static_cast<qint64>(std::trunc(d.serial));
}

double timeFraction(VbDate d)
{
    return std::fabs(d.serial - std::trunc(d.serial));
}

VbDate fromDayAndFraction(qint64 day, double fraction)
{
    const double whole = static_cast<double>(day);
    return VbDate(day < 0 ? whole - fraction : whole + fraction);
}

QDate toQDate(VbDate d)
{
    if (cal::refuseImpossible(d))
        return QDate();
    return epoch.addDays(dayNumber(d));
}

QDateTime toQDateTime(VbDate d)
{
    if (cal::refuseImpossible(d))
        return QDateTime();
    // Rounded to the millisecond; a value that rounds up to midnight stays at 23:59:59.999.
    qint64 msecs = std::llround(timeFraction(d) * msecsPerDay);
    if (msecs >= 86400000)
        msecs = 86399999;
    return QDateTime(toQDate(d), QTime::fromMSecsSinceStartOfDay(static_cast<int>(msecs)));
}

VbDate fromQDate(const QDate& date)
{
    return fromDayAndFraction(epoch.daysTo(date), 0.0);
}

VbDate fromQDateTime(const QDateTime& dateTime)
{
    return fromDayAndFraction(epoch.daysTo(dateTime.date()),
                              dateTime.time().msecsSinceStartOfDay() / msecsPerDay);
}

} // namespace rt
