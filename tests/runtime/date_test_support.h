#pragma once
// Helpers of the date tests: dates built independently of the code under test, readable
// failure output, and a fixed "today".
#include "runtime/dates.h"

#include <QDate>
#include <ostream>

namespace rt {

// Failures show the serial number together with the date and time it stands for.
inline void PrintTo(VbDate d, std::ostream* os)
{
    *os << "VbDate(" << d.serial << " = "
        << toQDateTime(d).toString(QStringLiteral("dd.MM.yyyy HH:mm:ss.zzz")).toStdString() << ")";
}

} // namespace rt

namespace datetest {

// The date value of a calendar date and time, computed through QDate: days since 30.12.1899,
// the time as a fraction that counts forward from midnight also before 1899.
inline rt::VbDate at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    const qint64 days = QDate(1899, 12, 30).daysTo(QDate(year, month, day));
    const double fraction = (hour * 3600 + minute * 60 + second) / 86400.0;
    return rt::VbDate(days < 0 ? static_cast<double>(days) - fraction
                               : static_cast<double>(days) + fraction);
}

// Installs a fixed "today" for the lifetime of the guard.
class FixedToday {
public:
    explicit FixedToday(rt::VbDate today)
    {
        current() = today;
        rt::setTodayProvider(&provide);
    }
    ~FixedToday() { rt::setTodayProvider(nullptr); }
    FixedToday(const FixedToday&) = delete;
    FixedToday& operator=(const FixedToday&) = delete;

private:
    static rt::VbDate& current()
    {
        static rt::VbDate today;
        return today;
    }
    static rt::VbDate provide() { return current(); }
};

} // namespace datetest
