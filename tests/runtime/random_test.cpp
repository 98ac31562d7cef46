#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <set>
#include <vector>

#include "runtime/clock.h"
#include "runtime/random.h"

namespace koppelo::runtime {
namespace {

// Reseeds before every draw, from a clock giving the readings in turn and then standing still at the last.
std::vector<float> drawAfterEachReseed(std::vector<std::uint64_t> readings, int count)
{
    struct ScriptedClock final : Clock {
        std::vector<std::uint64_t> readings;
        std::size_t next = 0;
        std::uint64_t now() override { return readings.at(std::min(next++, readings.size() - 1)); }
    } clock;
    clock.readings = std::move(readings);
    Random random(clock);
    std::vector<float> draws;
    for (int i = 0; i < count; ++i) {
        random.reseed();
        draws.push_back(random.draw());
    }
    return draws;
}

TEST(Random, ReseededFromAFrozenClockDrawsCoverTheUnitIntervalAndNeverRepeat)
{
    constexpr int kDraws = 100000;
    const auto draws = drawAfterEachReseed({1234567}, kDraws);
    for (std::size_t i = 0; i < draws.size(); ++i) {
        ASSERT_TRUE(draws[i] >= 0.0f && draws[i] < 1.0f) << "draw " << i << ": " << draws[i];
        ASSERT_TRUE(i == 0 || draws[i] != draws[i - 1]) << "draw " << i << " repeats " << draws[i];
    }
    const auto [low, high] = std::minmax_element(draws.begin(), draws.end());
    EXPECT_LT(*low, 0.001f);
    EXPECT_GT(*high, 0.999f);
    EXPECT_NEAR(std::accumulate(draws.begin(), draws.end(), 0.0) / kDraws, 0.5, 0.01);
    // Not stuck in a short cycle either: 24-bit draws collide only by chance.
    EXPECT_GT(std::set<float>(draws.begin(), draws.end()).size(), kDraws * 99 / 100);
}

TEST(Random, TheSameReadingsGiveTheSameDrawsAndAChangedReadingChangesAllLaterOnes)
{
    const auto first = drawAfterEachReseed({10, 20, 30, 40, 50, 60}, 6);
    const auto other = drawAfterEachReseed({10, 20, 99, 40, 50, 60}, 6);
    EXPECT_EQ(drawAfterEachReseed({10, 20, 30, 40, 50, 60}, 6), first);
    EXPECT_EQ(other[0], first[0]);
    EXPECT_EQ(other[1], first[1]);
    // Mixed into the state: later equal readings do not bring the old sequence back.
    for (std::size_t i = 2; i < first.size(); ++i)
        EXPECT_NE(other[i], first[i]) << "draw " << i;
}

}  // namespace
}  // namespace koppelo::runtime
