#include "fake_random.h"

#include <gtest/gtest.h>

#include <utility>

FakeRandom::FakeRandom(std::vector<double> values) : values_(std::move(values))
{
    for (const double value : values_) {
        if (!(value >= 0.0 && value < 1.0))
            ADD_FAILURE() << "FakeRandom: " << value << " is no value of Rnd (0 <= x < 1)";
    }
}

double FakeRandom::Rnd()
{
    ++rndCalls_;
    if (values_.empty())
        return 0.0;
    const double value = values_[next_];
    next_ = (next_ + 1) % values_.size();
    return value;
}

void FakeRandom::Randomize()
{
    ++randomizeCalls_;
}
