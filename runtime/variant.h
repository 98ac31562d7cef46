// A dynamically typed value as the window's game state keeps it: empty until
// assigned, then a 16-bit integer, a 32-bit integer or a single-precision
// value. An empty value counts as 0 wherever it is compared with a number.
#pragma once

#include <cstdint>
#include <variant>

namespace koppelo::runtime {

class Variant {
public:
    Variant() = default;
    Variant(std::int16_t value) : value_(value) {}
    Variant(std::int32_t value) : value_(value) {}
    Variant(float value) : value_(value) {}

    bool isEmpty() const { return std::holds_alternative<std::monostate>(value_); }

    // The numeric value; 0 when empty.
    double number() const;

    // The value as a 16-bit integer, a half rounding to even; throws
    // std::overflow_error when it does not fit.
    std::int16_t toInt16() const;

    template <typename T>
    bool holds() const { return std::holds_alternative<T>(value_); }

    friend bool operator==(const Variant& v, double number) { return v.number() == number; }
    // The same type and value: what "nothing changed" compares.
    friend bool operator==(const Variant&, const Variant&) = default;

private:
    std::variant<std::monostate, std::int16_t, std::int32_t, float> value_;
};

}  // namespace koppelo::runtime
