#pragma once
// Random numbers from a list, repeated from its start when used up.
//
//   FakeRandom random({0.25, 0.75});
//   ScopedService guard(platform::setRandom, &random);
#include "platform/random.h"

#include <cstddef>
#include <vector>

class FakeRandom : public platform::Random {
public:
    // Every value must lie in [0, 1); an empty list gives 0.
    explicit FakeRandom(std::vector<double> values = {0.0});

    double Rnd() override;
    void Randomize() override;

    int rndCalls() const { return rndCalls_; }
    int randomizeCalls() const { return randomizeCalls_; }

private:
    std::vector<double> values_;
    std::size_t next_ = 0;
    int rndCalls_ = 0;
    int randomizeCalls_ = 0;
};
