// Conversion of a single-precision value to a 16-bit integer, a half going to
// the even neighbour, as the deal's slot arithmetic relies on.
#pragma once

#include <cstdint>

namespace koppelo::runtime {

// Throws std::overflow_error outside the 16-bit range, and for NaN.
std::int16_t roundToInt16(float value);

}  // namespace koppelo::runtime
