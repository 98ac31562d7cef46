#include "game_fixture.h"

namespace koppelo::game::testing {
namespace {

TEST(Deal, FormLoadDealsEveryFaceTwiceAndStartsAnEmptyTurn)
{
    Game game;
    const auto& readings = static_cast<const CountingClock&>(*game.clock);
    game.window.Form_Load();
    EXPECT_EQ(game.freshGameFault(), "");
    // Every draw is preceded by a reseed from the clock: at least one reading per card.
    EXPECT_GE(readings.readings(), std::uint64_t{kSlots});
    // The previews and the turn's cards start empty: the first step of Turn.WorkedExample.
    EXPECT_EQ(game.board().Picture6.picture(), nullptr);
}

TEST(Deal, AFrozenClockStillDealsGameAfterGame)
{
    Game game(std::make_unique<CountingClock>(987654321, 0));
    game.window.Form_Load();
    ASSERT_EQ(game.freshGameFault(), "");
    for (int i = 0; i < 100; ++i) {
        const Layout previous = game.layout();
        game.window.mnuSpelNieuw_Click();
        ASSERT_EQ(game.freshGameFault(), "") << "game " << i;
        EXPECT_NE(game.layout(), previous) << "game " << i;
    }
}

// The draw is scaled by 35 and rounded, so the end slots catch half a step each.
TEST(Deal, FaceZerosFirstCardHitsTheEndSlotsHalfAsOftenAsTheOthers)
{
    constexpr int kDeals = 20000;
    constexpr double kEdgeTolerance = 0.12, kInnerTolerance = 0.25;
    Game game;
    auto& clock = static_cast<CountingClock&>(*game.clock);
    std::array<int, kSlots> hits{};
    for (int deal = 0; deal < kDeals; ++deal) {
        // Face 0 is dealt first: a clock that stops at the second draw leaves it alone on the board.
        clock.stopAfter(1);
        EXPECT_THROW(game.window.mnuSpelNieuw_Click(), std::runtime_error);
        const Layout dealt = game.layout();
        const auto first = std::ranges::find(dealt, 0);
        ASSERT_EQ(std::ranges::count(dealt, kEmpty), kSlots - 1);
        ++hits[first - dealt.begin()];
    }
    const double inner = double(kDeals - hits[0] - hits[kLastSlot]) / (kLastSlot - 1);
    EXPECT_NEAR(hits[0] / inner, 0.5, kEdgeTolerance);
    EXPECT_NEAR(hits[kLastSlot] / inner, 0.5, kEdgeTolerance);
    for (int s = 1; s < kLastSlot; ++s)
        EXPECT_NEAR(hits[s] / inner, 1.0, kInnerTolerance) << "slot " << s;
}

}  // namespace
}  // namespace koppelo::game::testing
