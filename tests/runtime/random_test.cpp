#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <vector>

#include "runtime/clock.h"
#include "runtime/random.h"

namespace koppelo::runtime {
namespace {

constexpr int kDraws = 100000;

// Gives its readings in turn, then stands still at the last one.
class ScriptedClock final : public Clock {
public:
    explicit ScriptedClock(std::vector<std::uint64_t> readings) : readings_(std::move(readings)) {}
    std::uint64_t now() override { return readings_.at(std::min(next_++, readings_.size() - 1)); }

private:
    std::vector<std::uint64_t> readings_;
    std::size_t next_ = 0;
};

std::vector<float> drawAfterEachReseed(Clock& clock, int count)
{
    Random random(clock);
    std::vector<float> draws;
    for (int i = 0; i < count; ++i) {
        random.reseed();
        draws.push_back(random.draw());
    }
    return draws;
}

TEST(Random, DrawsCoverTheUnitIntervalWithoutReachingOne)
{
    SystemClock clock;
    const auto draws = drawAfterEachReseed(clock, kDraws);
    double sum = 0;
    float low = 1, high = 0;
    for (float d : draws) {
        ASSERT_GE(d, 0.0f);
        ASSERT_LT(d, 1.0f);
        sum += d;
        low = std::min(low, d);
        high = std::max(high, d);
    }
    EXPECT_NEAR(sum / kDraws, 0.5, 0.01);
    EXPECT_LT(low, 0.001f);
    EXPECT_GT(high, 0.999f);
}

TEST(Random, ReseedingFromAClockThatStandsStillNeverRepeatsTheLastDraw)
{
    ScriptedClock clock({1234567});
    const auto draws = drawAfterEachReseed(clock, kDraws);
    for (std::size_t i = 1; i < draws.size(); ++i)
        ASSERT_NE(draws[i], draws[i - 1]) << "draw " << i;
    // Not stuck in a short cycle either: 24-bit draws collide only by chance.
    EXPECT_GT(std::set<float>(draws.begin(), draws.end()).size(), kDraws * 99 / 100);
}

TEST(Random, TheSameReadingsGiveTheSameDrawsAndAChangedReadingChangesAllLaterOnes)
{
    const std::vector<std::uint64_t> readings{10, 20, 30, 40, 50, 60};
    std::vector<std::uint64_t> changed = readings;
    changed[2] = 99;
    ScriptedClock a(readings), b(readings), c(changed);
    const auto first = drawAfterEachReseed(a, 6), again = drawAfterEachReseed(b, 6), other = drawAfterEachReseed(c, 6);
    EXPECT_EQ(first, again);
    EXPECT_EQ(other[0], first[0]);
    EXPECT_EQ(other[1], first[1]);
    // The reading is mixed into the state: later equal readings do not bring the old sequence back.
    for (std::size_t i = 2; i < first.size(); ++i)
        EXPECT_NE(other[i], first[i]) << "draw " << i;
}

}  // namespace
}  // namespace koppelo::runtime
