#include <gtest/gtest.h>

#include <functional>

#include "game_fixture.h"

namespace koppelo::game::testing {
namespace {

constexpr std::uint64_t kFrozenReading = 987654321;

std::unique_ptr<runtime::Clock> frozenClock() { return std::make_unique<CountingClock>(kFrozenReading, 0); }

TEST(Deal, FormLoadDealsEveryFaceTwiceAndStartsAnEmptyTurn)
{
    const std::function<std::unique_ptr<runtime::Clock>()> clocks[] = {
        [] { return std::make_unique<CountingClock>(); },
        [] { return std::make_unique<CountingClock>(1'000'000'000, 7919); },
        frozenClock,
        [] { return std::make_unique<runtime::SystemClock>(); },
    };
    for (const auto& clock : clocks) {
        Game game(clock());
        game.window.Form_Load();
        EXPECT_EQ(freshGameFault(game), "");
        EXPECT_EQ(game.faceOf(game.board().Picture4), kEmpty);
        EXPECT_EQ(game.faceOf(game.board().Picture5), kEmpty);
        EXPECT_EQ(game.faceOf(game.board().Picture6), kEmpty);
        EXPECT_TRUE(game.window.state().FirstCard.isEmpty());
        EXPECT_EQ(game.window.state().SecondCard, 0);
    }
}

TEST(Deal, AFrozenClockStillDealsGameAfterGame)
{
    Game game(frozenClock());
    game.window.Form_Load();
    for (int i = 0; i < 100; ++i) {
        const Layout previous = game.layout();
        game.window.mnuSpelNieuw_Click();
        ASSERT_EQ(freshGameFault(game), "") << "game " << i;
        EXPECT_NE(game.layout(), previous) << "game " << i;
    }
}

TEST(Deal, FaceZerosFirstCardHitsTheCornerSlotsHalfAsOftenAsTheOthers)
{
    constexpr int kDeals = 20000;
    constexpr double kEdgeShare = 0.5;
    constexpr double kEdgeTolerance = 0.12;
    constexpr double kInnerTolerance = 0.25;

    Game game;
    int first = kEmpty;
    for (int i = 0; i < kSlots; ++i)
        game.board().Picture1[i].setObserver([&game, &first, i] {
            if (first == kEmpty && game.board().Picture1[i].picture() == game.faces[0])
                first = i;
        });
    std::array<int, kSlots> hits{};
    for (int deal = 0; deal < kDeals; ++deal) {
        first = kEmpty;
        if (deal == 0)
            game.window.Form_Load();
        else
            game.window.mnuSpelNieuw_Click();
        ASSERT_NE(first, kEmpty);
        ++hits[first];
    }

    double inner = 0;
    for (int s = 1; s < kLastSlot; ++s)
        inner += hits[s];
    inner /= kLastSlot - 1;
    EXPECT_NEAR(hits[0] / inner, kEdgeShare, kEdgeTolerance);
    EXPECT_NEAR(hits[kLastSlot] / inner, kEdgeShare, kEdgeTolerance);
    for (int s = 1; s < kLastSlot; ++s)
        EXPECT_NEAR(hits[s] / inner, 1.0, kInnerTolerance) << "slot " << s;
}

}  // namespace
}  // namespace koppelo::game::testing
