#include "variant.h"

#include <limits>
#include <stdexcept>

#include "rounding.h"

namespace koppelo::runtime {

double Variant::number() const
{
    return std::visit(
        [](auto value) -> double {
            if constexpr (std::is_same_v<decltype(value), std::monostate>)
                return 0.0;
            else
                return static_cast<double>(value);
        },
        value_);
}

std::int16_t Variant::toInt16() const
{
    if (const auto* single = std::get_if<float>(&value_))
        return roundToInt16(*single);
    const double value = number();
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        throw std::overflow_error("value does not fit a 16-bit integer");
    return static_cast<std::int16_t>(value);
}

}  // namespace koppelo::runtime
