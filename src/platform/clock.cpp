#include "clock.h"

#include "service.h"

#include <QDateTime>
#include <QElapsedTimer>

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

Clock& clock()
{
    return slot().get();
}

Clock* setClock(Clock* replacement)
{
    return slot().set(replacement);
}

} // namespace platform
