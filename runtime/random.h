// Random numbers as the deal uses them: reseed from the clock before every
// draw, then draw one single-precision value in [0, 1).
#pragma once

#include <cstdint>

#include "clock.h"

namespace koppelo::runtime {

class Random {
public:
    explicit Random(Clock& clock, std::uint64_t state = kInitialState);

    // Mixes the clock reading into the state instead of replacing it, so a
    // clock that has not moved on never makes the next draw repeat the last.
    void reseed();

    // Uniform in [0, 1), 24 random bits.
    float draw();

private:
    static constexpr std::uint64_t kInitialState = 0x853C49E6748FEA9BULL;

    Clock& clock_;
    std::uint64_t state_;
};

}  // namespace koppelo::runtime
