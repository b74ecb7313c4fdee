#include "platform/program_end.h"
#include "support/fake_program_end.h"
#include "support/scoped_service.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>

namespace {

TEST(ProgramEnd, endsTheProcessWithItsCodeAfterTheCleanUpsLastFirst)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto endWithCleanUps = [] {
        platform::setProgramEnd(nullptr); // the real one
        platform::registerCleanUp([] { std::fputs("erste\n", stderr); });
        platform::registerCleanUp([] { throw 1; }); // passed over
        platform::registerCleanUp([] { std::fputs("zweite\n", stderr); });
        platform::programEnd().end(3);
        std::fputs("weiter\n", stderr); // must never run
    };
    EXPECT_EXIT(endWithCleanUps(), ::testing::ExitedWithCode(3), "zweite\nerste\n$");
}

TEST(ProgramEnd, testServiceThrowsSoNothingAfterTheCallRuns)
{
    FakeProgramEnd fake;
    ScopedService guard(platform::setProgramEnd, &fake);
    bool after = false;
    try {
        platform::programEnd().end(2);
        after = true;
    } catch (const ProgramEndedException& ended) {
        EXPECT_EQ(ended.exitCode(), 2);
    }
    EXPECT_FALSE(after);
    EXPECT_EQ(fake.endCalls(), 1);
}

TEST(ProgramEnd, cleanUpsRunOnce_oneRegisteredWhileCleaningWaitsForTheNextRun)
{
    platform::clearCleanUps();
    int runs = 0;
    platform::registerCleanUp([&runs] {
        ++runs;
        platform::registerCleanUp([&runs] { runs += 10; });
    });
    platform::runCleanUps();
    EXPECT_EQ(runs, 1);
    platform::runCleanUps(); // the one registered while cleaning up
    EXPECT_EQ(runs, 11);
    platform::runCleanUps();
    EXPECT_EQ(runs, 11);
}

TEST(ProgramEnd, requestsFromOutsideRunTheFunctionOnceFromTheEventLoop)
{
    // Started as with nohup: the end of the terminal is no request to end.
    std::signal(SIGHUP, SIG_IGN);
    int calls = 0;
    platform::onTerminationRequest([&calls] { ++calls; });
    struct sigaction hangUp {};
    ASSERT_EQ(sigaction(SIGHUP, nullptr, &hangUp), 0);
    EXPECT_EQ(hangUp.sa_handler, SIG_IGN);

    errno = 0;
    // Far more than the socket holds: a signal handler that waited for room would never return.
    for (int i = 0; i < 20000; ++i)
        std::raise(i % 2 == 0 ? SIGTERM : SIGINT);
    EXPECT_EQ(errno, 0);
    EXPECT_EQ(calls, 0); // nothing runs inside the signal handler
    QCoreApplication::processEvents();
    EXPECT_EQ(calls, 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(calls, 1);

    platform::onTerminationRequest({});
    for (const int signal : {SIGTERM, SIGHUP, SIGINT})
        std::signal(signal, SIG_DFL);
}

} // namespace
