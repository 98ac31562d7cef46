// The clock the random generator reseeds from. Injected, so tests can freeze
// or script it.
#pragma once

#include <cstdint>

namespace koppelo::runtime {

class Clock {
public:
    virtual ~Clock() = default;
    // Any reading that moves on with time; only its changes matter.
    virtual std::uint64_t now() = 0;
};

// The real clock: nanoseconds of the system's wall clock.
class SystemClock final : public Clock {
public:
    std::uint64_t now() override;
};

}  // namespace koppelo::runtime
