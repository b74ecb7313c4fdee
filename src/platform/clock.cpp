#include "clock.h"

#include "service.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <algorithm>

namespace platform {

namespace {

class SystemClock final : public Clock {
public:
    rt::VbDate now() override { return rt::fromQDateTime(QDateTime::currentDateTime()); }

    double secondsSinceMidnight() override
    {
        return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
    }

    qint64 tick() override
    {
        QElapsedTimer timer;
        timer.start();
        return timer.msecsSinceReference();
    }
};

ServiceSlot<Clock>& slot()
{
    static ServiceSlot<Clock> instance([]() -> std::unique_ptr<Clock> {
        return std::make_unique<SystemClock>();
    });
    return instance;
}

} // namespace

void Clock::sleep(qint64 milliseconds)
{
    if (milliseconds <= 0)
        return;
    const int wait = static_cast<int>(std::min<qint64>(milliseconds, 24 * 3600 * 1000));
    if (!QCoreApplication::instance()) {
        QThread::msleep(static_cast<unsigned long>(wait));
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(wait, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

Clock& clock()
{
    return slot().get();
}

Clock* setClock(Clock* replacement)
{
    return slot().set(replacement);
}

} // namespace platform
