#include "random.h"

namespace koppelo::runtime {

namespace {

constexpr std::uint64_t kGolden = 0x9E3779B97F4A7C15ULL;
constexpr int kFloatBits = 24;  // a float's mantissa, so every value is exact
constexpr float kFloatUnit = 1.0f / static_cast<float>(1U << kFloatBits);

// SplitMix64's finaliser: a bijection that spreads every input bit.
std::uint64_t mix(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

}  // namespace

Random::Random(Clock& clock, std::uint64_t state) : clock_(clock), state_(state) {}

void Random::reseed()
{
    state_ = mix(state_ ^ mix(clock_.now() + kGolden));
}

float Random::draw()
{
    state_ += kGolden;
    return static_cast<float>(mix(state_) >> (64 - kFloatBits)) * kFloatUnit;
}

}  // namespace koppelo::runtime
