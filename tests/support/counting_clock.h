// A clock stepping on every read, so every deal differs and every run deals the same;
// past its budget it throws, so a deal that cannot end fails instead of hanging.
#pragma once

#include <cstdint>
#include <stdexcept>

#include "runtime/clock.h"

namespace koppelo::testkit {

class CountingClock final : public runtime::Clock {
public:
    explicit CountingClock(std::uint64_t start = 0, std::uint64_t step = 1) : reading_(start), step_(step) {}

    std::uint64_t now() override
    {
        if (++readings_ > budget_)
            throw std::runtime_error("the clock was read too often: a deal does not end");
        return reading_ += step_;
    }
    std::uint64_t readings() const { return readings_; }
    // The next reading but n throws, stopping a deal there.
    void stopAfter(std::uint64_t n) { budget_ = readings_ + n; }

private:
    std::uint64_t reading_, step_, readings_ = 0, budget_ = 100'000'000;
};

}  // namespace koppelo::testkit
