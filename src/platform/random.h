#pragma once
// The random-number service: the only source of random numbers in the program.

namespace platform {

class Random {
public:
    virtual ~Random() = default;

    // The next number of the sequence, 0 <= x < 1 (VB's Rnd).
    virtual double Rnd() = 0;
    // Starts a new sequence from the time and the system's entropy (VB's Randomize). Until the
    // first call, the sequence is the same in every run, as it was in VB.
    virtual void Randomize() = 0;
};

Random& random();
Random* setRandom(Random* replacement); // returns the one it replaces (nullptr: the real one)

} // namespace platform
