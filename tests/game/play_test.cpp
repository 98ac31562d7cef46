#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "game/invariants.h"
#include "game_fixture.h"

namespace koppelo::game::testing {
namespace {

constexpr int kLastFace = kFaces - 1;

TEST(WholeGame, EndsWithTheQuestionYesDealsAfreshNoLeavesTheBoardRevealedAndDeaf)
{
    for (const std::int32_t answer : {runtime::kYes, runtime::kNo}) {
        SCOPED_TRACE(answer == runtime::kYes ? "Yes" : "No");
        Game game;
        game.window.Form_Load();
        const Layout dealt = game.layout();
        game.questions.answer = answer;
        for (int face = 0; face < kFaces; ++face)
            for (const int slot : game.slotsOf(face))
                game.click(slot);

        const Question won{"Gefeliciteerd! U heeft alle paren gevonden! Wilt u een nieuw spel starten?",
                           "Gefeliciteerd!", 68};
        EXPECT_EQ(game.questions.asked, 1);
        EXPECT_EQ(game.questions.last, won);
        if (answer == runtime::kYes) {
            EXPECT_EQ(freshGameFault(game), "");
            EXPECT_NE(game.layout(), dealt);
            EXPECT_EQ(game.faceOf(game.board().Picture4), kLastFace);
            EXPECT_EQ(game.faceOf(game.board().Picture5), kLastFace);
            continue;
        }
        for (int i = 0; i < kSlots; ++i)
            EXPECT_FALSE(game.board().Picture3[i].visible()) << "slot " << i;
        EXPECT_TRUE(game.state().PairsFound == kPairs);
        EXPECT_EQ(game.board().Label1.caption(), "18");
        EXPECT_TRUE(game.state().TurnState == 0);
        EXPECT_TRUE(game.state().DrawnSlot == runtime::kNo);
        const Snapshot before = game.snapshot();
        game.notifications = 0;
        for (int i = 0; i < kSlots; ++i)
            game.click(i);
        EXPECT_EQ(game.snapshot(), before);
        EXPECT_EQ(game.notifications, 0);
        game.window.mnuSpelNieuw_Click();
        EXPECT_EQ(freshGameFault(game), "");
    }
}

// The invariants every state reachable by clicks and new games keeps, or "":
// the rules' own audit, each face's own reference and a 16-bit turn state.
std::string invariantFault(const Game& game)
{
    if (std::string fault = dealFault(game); !fault.empty())
        return fault;
    if (!game.state().TurnState.holds<std::int16_t>())
        return "TurnState is no 16-bit integer";
    return brokenInvariant(game.window);
}

// A click on a hidden or face-up slot box must change nothing and tell no
// one; any other click leaves exactly that box face up, or deals afresh
// when it completes the game and the answer is Yes.
TEST(Play, RandomClicksAndNewGamesKeepTheInvariants)
{
    constexpr int kSeeds = 10;
    constexpr int kSteps = 5000;
    constexpr unsigned kNewGameOdds = 200;  // one action in this many starts a new game
    for (unsigned seed = 1; seed <= kSeeds; ++seed) {
        std::mt19937 rng(seed);
        Game game(std::make_unique<CountingClock>(seed));
        game.window.Form_Load();
        int gamesWon = 0;
        for (int step = 0; step < kSteps; ++step) {
            const std::string where = "seed " + std::to_string(seed) + " step " + std::to_string(step);
            if (rng() % kNewGameOdds == 0) {
                game.window.mnuSpelNieuw_Click();
                ASSERT_EQ(freshGameFault(game), "") << where;
                continue;
            }
            int slot = static_cast<int>(rng() % kSlots);
            // Half the second cards go to the first card's partner, so games run to their end.
            if (game.state().TurnState == 1 && rng() % 2 == 0) {
                const int first = game.state().FirstCard.toInt16();
                const auto pair = game.slotsOf(game.faceAt(first));
                slot = pair[0] == first ? pair[1] : pair[0];
            }
            const std::int32_t answer = rng() % 2 == 0 ? runtime::kYes : runtime::kNo;
            game.questions.answer = answer;
            const auto& box = game.board().Picture3[slot];
            const bool accepted = box.visible() && box.handle() == runtime::kEmptyHandle;
            const bool completes = accepted && game.state().TurnState == 1 && game.state().PairsFound == kPairs - 1 &&
                                   game.faceAt(slot) == game.faceAt(game.state().FirstCard.toInt16());
            const Snapshot before = game.snapshot();
            const int questions = game.questions.asked;
            game.notifications = 0;

            game.click(slot);

            const bool won = game.questions.asked > questions;
            if (!accepted) {
                ASSERT_EQ(game.snapshot(), before) << where;
                ASSERT_EQ(game.notifications, 0) << where;
            } else if (won && answer == runtime::kYes) {
                ASSERT_EQ(freshGameFault(game), "") << where;
            } else {
                ASSERT_EQ(game.faceUpSlots(), std::vector<int>{slot}) << where;
                if (game.state().TurnState == 1) {
                    ASSERT_TRUE(game.state().FirstCard == slot) << where;
                    ASSERT_EQ(game.faceOf(game.board().Picture4), game.faceAt(slot)) << where;
                }
            }
            ASSERT_EQ(won, completes) << where;
            ASSERT_EQ(invariantFault(game), "") << where;
            gamesWon += won;
        }
        EXPECT_GT(gamesWon, 0) << "seed " << seed << " never reached the end of a game";
    }
}

}  // namespace
}  // namespace koppelo::game::testing
