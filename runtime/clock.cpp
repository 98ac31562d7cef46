#include "clock.h"

#include <chrono>

namespace koppelo::runtime {

std::uint64_t SystemClock::now()
{
    const auto since = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(since).count());
}

}  // namespace koppelo::runtime
