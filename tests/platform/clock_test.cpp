#include "platform/clock.h"
#include "platform/runtime_hooks.h"
#include "support/fake_clock.h"
#include "support/qt_print.h"
#include "support/scoped_service.h"

#include <QDateTime>
#include <gtest/gtest.h>

namespace {

TEST(SystemClock, nowLiesBetweenTwoReadingsOfTheLocalTime)
{
    platform::Clock& clock = platform::clock();
    const rt::VbDate before = rt::fromQDateTime(QDateTime::currentDateTime());
    const rt::VbDate now = clock.now();
    const rt::VbDate after = rt::fromQDateTime(QDateTime::currentDateTime());
    EXPECT_LE(before, now);
    EXPECT_LE(now, after);
}

TEST(SystemClock, timerCountsSecondsOfTheLocalDay)
{
    platform::Clock& clock = platform::clock();
    const int before = QTime::currentTime().msecsSinceStartOfDay();
    const double seconds = clock.secondsSinceMidnight();
    const int after = QTime::currentTime().msecsSinceStartOfDay();
    if (after < before)
        GTEST_SKIP() << "midnight passed during the test";
    EXPECT_GE(seconds, before / 1000.0);
    EXPECT_LE(seconds, after / 1000.0);
}

TEST(SystemClock, tickNeverRunsBackwards)
{
    platform::Clock& clock = platform::clock();
    qint64 previous = clock.tick();
    EXPECT_GT(previous, 0);
    for (int i = 0; i < 1000; ++i) {
        const qint64 tick = clock.tick();
        if (tick < previous) {
            ADD_FAILURE() << "tick went back from " << previous << " to " << tick;
            break;
        }
        previous = tick;
    }
}

TEST(FakeClock, advanceMovesNowTimerAndTickTogether)
{
    FakeClock clock(rt::fromQDateTime(QDateTime(QDate(2024, 12, 31), QTime(23, 59, 58, 500))));
    clock.setTick(1000);
    clock.advance(2500);
    EXPECT_EQ(rt::toQDateTime(clock.now()), QDateTime(QDate(2025, 1, 1), QTime(0, 0, 1)));
    EXPECT_DOUBLE_EQ(clock.secondsSinceMidnight(), 1.0);
    EXPECT_EQ(clock.tick(), 3500);
}

TEST(FakeClock, sleepMovesTheTimeOnInsteadOfWaiting)
{
    FakeClock clock;
    clock.setTick(5000);
    ScopedService guard(platform::setClock, &clock);
    platform::clock().sleep(100);
    platform::clock().sleep(0);
    platform::clock().sleep(-20);
    EXPECT_EQ(clock.tick(), 5100);
    EXPECT_EQ(rt::toQDateTime(clock.now()), QDateTime(QDate(2024, 3, 5), QTime(12, 0, 0, 100)));
}

TEST(FakeClock, daylightSavingChangeDoesNotMoveIt)
{
    // The night of 31.03.2024, when German clocks jump from 2:00 to 3:00: the program's dates
    // are naive, so an hour later is 2:30 here.
    FakeClock clock(rt::fromQDateTime(QDateTime(QDate(2024, 3, 31), QTime(1, 30))));
    clock.advance(3600 * 1000);
    EXPECT_EQ(rt::toQDateTime(clock.now()), QDateTime(QDate(2024, 3, 31), QTime(2, 30)));
}

TEST(RuntimeHooks, runtimeTodayIsTheDateOfTheClockService)
{
    FakeClock clock(rt::fromQDateTime(QDateTime(QDate(1999, 12, 31), QTime(18, 45))));
    ScopedService guard(platform::setClock, &clock);
    platform::installRuntimeHooks();
    EXPECT_EQ(rt::toQDate(rt::runtimeToday()), QDate(1999, 12, 31));
    EXPECT_EQ(rt::timeFraction(rt::runtimeToday()), 0.0);
    clock.advance(6 * 3600 * 1000);
    EXPECT_EQ(rt::toQDate(rt::runtimeToday()), QDate(2000, 1, 1));
}

} // namespace
