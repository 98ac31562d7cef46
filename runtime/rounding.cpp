#include "rounding.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace koppelo::runtime {

std::int16_t roundToInt16(float value)
{
    const double x = value;  // exact: every float is a double
    double rounded = std::floor(x);
    const double fraction = x - rounded;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0.0))
        rounded += 1.0;
    if (!(rounded >= std::numeric_limits<std::int16_t>::min() && rounded <= std::numeric_limits<std::int16_t>::max()))
        throw std::overflow_error("value does not fit a 16-bit integer");
    return static_cast<std::int16_t>(rounded);
}

}  // namespace koppelo::runtime
