#include "fake_clock.h"

FakeClock::FakeClock() : FakeClock(rt::fromQDateTime(QDateTime(QDate(2024, 3, 5), QTime(12, 0))))
{
}

FakeClock::FakeClock(rt::VbDate now)
{
    setNow(now);
}

rt::VbDate FakeClock::now()
{
    return rt::fromQDateTime(now_);
}

double FakeClock::secondsSinceMidnight()
{
    return now_.time().msecsSinceStartOfDay() / 1000.0;
}

qint64 FakeClock::tick()
{
    return tick_;
}

void FakeClock::sleep(qint64 milliseconds)
{
    if (milliseconds > 0)
        advance(milliseconds);
}

void FakeClock::setNow(rt::VbDate now)
{
    setNow(rt::toQDateTime(now));
}

void FakeClock::setNow(const QDateTime& now)
{
    now_ = QDateTime(now.date(), now.time(), Qt::UTC);
}

void FakeClock::setTick(qint64 tick)
{
    tick_ = tick;
}

void FakeClock::advance(qint64 milliseconds)
{
    now_ = now_.addMSecs(milliseconds);
    tick_ += milliseconds;
}
