#pragma once
// A clock that stands still until the test moves it.
//
//   FakeClock clock(rt::dateTimeOf(2024, 3, 5, 14, 30));
//   ScopedService guard(platform::setClock, &clock);
//   clock.advance(2000);   // now and tick both move on by two seconds
//   platform::clock().sleep(100);   // as advance(100): a fake clock never waits
#include "platform/clock.h"

#include <QDateTime>

class FakeClock : public platform::Clock {
public:
    // 05.03.2024 12:00:00 and a tick of eight digits unless the test says otherwise.
    FakeClock();
    explicit FakeClock(rt::VbDate now);

    rt::VbDate now() override;
    double secondsSinceMidnight() override;
    qint64 tick() override;
    // Never waits: moves now and tick on by milliseconds.
    void sleep(qint64 milliseconds) override;

    void setNow(rt::VbDate now);
    void setNow(const QDateTime& now);
    void setTick(qint64 tick);
    // Moves now and tick on by milliseconds.
    void advance(qint64 milliseconds);

private:
    QDateTime now_; // kept in UTC so that no daylight-saving change moves it
    qint64 tick_ = 12345678;
};
