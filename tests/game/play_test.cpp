#include <random>

#include "game_fixture.h"

namespace koppelo::game::testing {
namespace {

// An ignored click tells no one; the last pair tells the end, and only then is the question asked.
TEST(Play, RandomClicksAndNewGamesKeepTheInvariants)
{
    constexpr int kSeeds = 10, kSteps = 5000;
    constexpr unsigned kNewGameOdds = 200;  // one action in this many starts a new game
    for (unsigned seed = 1; seed <= kSeeds; ++seed) {
        std::mt19937 rng(seed);
        Game game(std::make_unique<CountingClock>(seed));
        game.window.Form_Load();
        int gamesWon = 0;
        for (int step = 0; step < kSteps; ++step) {
            const std::string where = "seed " + std::to_string(seed) + " step " + std::to_string(step);
            if (rng() % kNewGameOdds == 0) {
                const Outcomes told = game.window.mnuSpelNieuw_Click().outcomes;
                ASSERT_EQ(game.freshGameFault(), "") << where;
                ASSERT_EQ(told, (Outcomes{{Happening::NewDeal, kNoSlot, 0}})) << where;
                continue;
            }
            int slot = static_cast<int>(rng() % kSlots);
            // Half the second cards go to the first card's partner, so games run to their end.
            if (game.state().TurnState == kAwaitSecond && rng() % 2 == 0)
                slot = partnerOf(game.window, game.state().FirstCard.toInt16());
            const bool yes = rng() % 2 == 0;
            game.answer = yes ? runtime::kYes : runtime::kNo;
            const ClickAudit audit(game.window, slot, game.asked);
            const int questions = game.asked;

            game.click(slot);

            ASSERT_EQ(audit.fault(game.window, game.faces, game.asked, yes, game.told), "") << where;
            ASSERT_EQ(gameFault(game.window, game.faces), "") << where;
            gamesWon += game.asked - questions;
        }
        EXPECT_GT(gamesWon, 0) << "seed " << seed << " never reached the end of a game";
    }
}

}  // namespace
}  // namespace koppelo::game::testing
