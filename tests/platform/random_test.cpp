#include "platform/random.h"
#include "support/fake_random.h"
#include "support/scoped_service.h"

#include <gtest/gtest.h>
#include <gtest/gtest-spi.h>

#include <set>

namespace {

TEST(SystemRandom, valuesLieInTheHalfOpenUnitIntervalAndSpreadOverIt)
{
    platform::Random& random = platform::random();
    random.Randomize();
    int below = 0;
    std::set<double> distinct;
    for (int i = 0; i < 10000; ++i) {
        const double x = random.Rnd();
        EXPECT_GE(x, 0.0);
        EXPECT_LT(x, 1.0);
        if (x < 0.5)
            ++below;
        distinct.insert(x);
    }
    // Far outside any chance of failing for a working generator (more than 20 sigma).
    EXPECT_GT(below, 4000);
    EXPECT_LT(below, 6000);
    EXPECT_GT(distinct.size(), 9990u);
}

TEST(FakeRandom, repeatsItsScriptAndCountsCalls)
{
    FakeRandom fake({0.25, 0.75});
    ScopedService guard(platform::setRandom, &fake);
    platform::random().Randomize();
    EXPECT_EQ(platform::random().Rnd(), 0.25);
    EXPECT_EQ(platform::random().Rnd(), 0.75);
    EXPECT_EQ(platform::random().Rnd(), 0.25);
    EXPECT_EQ(fake.rndCalls(), 3);
    EXPECT_EQ(fake.randomizeCalls(), 1);
}

TEST(FakeRandom, rejectsValuesRndCannotGive)
{
    EXPECT_NONFATAL_FAILURE(FakeRandom({0.5, 1.0}), "no value of Rnd");
}

} // namespace
