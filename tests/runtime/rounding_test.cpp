#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <stdexcept>

#include "runtime/rounding.h"
#include "runtime/variant.h"

namespace koppelo::runtime {
namespace {

constexpr float kLargestBelowHalf = 0.49999997f;  // adding 0.5f to it in float gives 1.0f

TEST(RoundToInt16, GoesToTheNearestIntegerHalvesToEvenAndThrowsOutsideSixteenBits)
{
    const struct {
        float value;
        std::int16_t expected;
    } cases[] = {
        {0.0f, 0},   {0.5f, 0},   {1.5f, 2},   {2.5f, 2},   {16.5f, 16},  {17.5f, 18},   {34.4f, 34},
        {34.5f, 34}, {34.6f, 35}, {34.999998f, 35},         {-0.5f, 0},   {-1.5f, -2},   {-2.5f, -2},
        {-0.6f, -1}, {kLargestBelowHalf, 0},   {32767.4f, 32767},         {-32768.5f, -32768},
    };
    for (const auto& c : cases)
        EXPECT_EQ(roundToInt16(c.value), c.expected) << c.value;
    const float inf = std::numeric_limits<float>::infinity();
    for (float value : {32767.5f, 32768.0f, -32768.6f, -32769.0f, 1e9f, inf, -inf, std::numeric_limits<float>::quiet_NaN()})
        EXPECT_THROW(roundToInt16(value), std::overflow_error) << value;
}

TEST(Variant, EmptyCountsAsZeroAndFilledValuesConvertToSixteenBits)
{
    const Variant empty;
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_TRUE(empty == 0);
    EXPECT_FALSE(empty == 1);
    EXPECT_EQ(empty.toInt16(), 0);
    EXPECT_FALSE(Variant(std::int16_t{0}).isEmpty());
    EXPECT_TRUE(Variant(std::int32_t{6}) == 6);
    EXPECT_TRUE(Variant(std::int16_t{-3}) == -3);
    EXPECT_EQ(Variant(34.5f).toInt16(), 34);
    EXPECT_EQ(Variant(17.5f).toInt16(), 18);
    EXPECT_EQ(Variant(std::int32_t{-32768}).toInt16(), -32768);
    EXPECT_THROW(Variant(std::int32_t{40000}).toInt16(), std::overflow_error);
    EXPECT_THROW(Variant(std::int32_t{-32769}).toInt16(), std::overflow_error);
}

}  // namespace
}  // namespace koppelo::runtime
