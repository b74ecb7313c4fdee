#include "random.h"

#include "service.h"

#include <chrono>
#include <random>

namespace platform {

namespace {

class MersenneRandom final : public Random {
public:
    double Rnd() override
    {
        // The upper 53 bits give every double of [0, 1) with 53 bits of precision; 1 is never
        // reached, which a floating-point distribution does not promise.
        return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
    }

    void Randomize() override
    {
        std::random_device device;
        const auto time = static_cast<std::uint64_t>(
            std::chrono::steady_clock::now().time_since_epoch().count());
        std::seed_seq seed{device(), device(), static_cast<unsigned>(time),
                           static_cast<unsigned>(time >> 32)};
        engine_.seed(seed);
    }

private:
    std::mt19937_64 engine_;
};

ServiceSlot<Random>& slot()
{
    static ServiceSlot<Random> instance([]() -> std::unique_ptr<Random> {
        return std::make_unique<MersenneRandom>();
    });
    return instance;
}

} // namespace

Random& random()
{
    return slot().get();
}

Random* setRandom(Random* replacement)
{
    return slot().set(replacement);
}

} // namespace platform
