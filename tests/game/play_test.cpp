#include <gtest/gtest.h>

#include <random>
#include <string>

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
        // The end of the game is told before the question is asked.
        game.questions.whileOpen = [&] { EXPECT_EQ(game.told.back().what, Happening::GameWon); };
        for (int face = 0; face < kFaces; ++face)
            for (const int slot : game.slotsOf(face))
                game.click(slot);

        const Question won{"Gefeliciteerd! U heeft alle paren gevonden! Wilt u een nieuw spel starten?",
                           "Gefeliciteerd!", 68};
        EXPECT_EQ(game.questions.asked, 1);
        EXPECT_EQ(game.questions.last, won);
        if (answer == runtime::kYes) {
            EXPECT_EQ(game.freshGameFault(), "");
            EXPECT_NE(game.layout(), dealt);
            EXPECT_EQ(game.faceOf(game.board().Picture4), kLastFace);
            EXPECT_EQ(game.faceOf(game.board().Picture5), kLastFace);
            continue;
        }
        for (int i = 0; i < kSlots; ++i)
            EXPECT_FALSE(game.board().Picture3[i].visible()) << "slot " << i;
        EXPECT_TRUE(game.state().PairsFound == kPairs);
        EXPECT_EQ(game.board().Label1.caption(), "18");
        EXPECT_TRUE(game.state().TurnState == kAwaitFirst);
        EXPECT_TRUE(game.state().DrawnSlot == runtime::kNo);
        const Snapshot before = game.snapshot();
        game.notifications = 0;
        for (int i = 0; i < kSlots; ++i)
            game.click(i);
        EXPECT_EQ(game.snapshot(), before);
        EXPECT_EQ(game.notifications, 0);
        game.told.clear();
        game.window.mnuSpelNieuw_Click();
        EXPECT_EQ(game.freshGameFault(), "");
        EXPECT_EQ(game.told, (std::vector<Outcome>{{Happening::NewDeal, kNoSlot, 0}}));
    }
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
                ASSERT_EQ(game.freshGameFault(), "") << where;
                continue;
            }
            int slot = static_cast<int>(rng() % kSlots);
            // Half the second cards go to the first card's partner, so games run to their end.
            if (game.state().TurnState == kAwaitSecond && rng() % 2 == 0)
                slot = partnerOf(game.window, game.state().FirstCard.toInt16());
            const bool yes = rng() % 2 == 0;
            game.questions.answer = yes ? runtime::kYes : runtime::kNo;
            const ClickAudit audit(game.window, slot, game.questions.asked);
            const int questions = game.questions.asked;
            game.notifications = 0;
            game.told.clear();

            game.click(slot);

            ASSERT_EQ(audit.fault(game.window, game.faces, game.questions.asked, yes, game.told), "") << where;
            if (audit.fate() == ClickFate::Ignored) {
                ASSERT_EQ(game.notifications, 0) << where;
            }
            ASSERT_EQ(gameFault(game.window, game.faces), "") << where;
            gamesWon += game.questions.asked - questions;
        }
        EXPECT_GT(gamesWon, 0) << "seed " << seed << " never reached the end of a game";
    }
}

}  // namespace
}  // namespace koppelo::game::testing
