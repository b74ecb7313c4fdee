#include "platform/program_end.h"
#include "support/fake_program_end.h"
#include "support/scoped_service.h"

#include <gtest/gtest.h>

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

} // namespace
