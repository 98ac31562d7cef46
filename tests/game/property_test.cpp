#include <gtest/gtest.h>

#include <random>
#include <string>

#include "game_fixture.h"

namespace koppelo::game::testing {
namespace {

constexpr int kSeeds = 10;
constexpr int kSteps = 5000;
constexpr unsigned kNewGameOdds = 200;  // one action in this many starts a new game

std::string invariantFault(const Game& game)
{
    if (std::string fault = dealFault(game); !fault.empty())
        return fault;
    const WindowState& s = game.window.state();
    const Board& b = game.window.board();
    if (!s.TurnState.holds<std::int16_t>() || !(s.TurnState == 0 || s.TurnState == 1))
        return "TurnState " + std::to_string(s.TurnState.number());
    const int pairs = s.PairsFound.toInt16();
    if (pairs < 0 || pairs > kPairs || b.Label1.caption() != std::to_string(pairs))
        return "PairsFound " + std::to_string(pairs) + ", caption " + b.Label1.caption();
    int hidden = 0;
    for (int face = 0; face < kFaces; ++face) {
        const auto [x, y] = game.slotsOf(face);
        if (b.Picture3[x].visible() != b.Picture3[y].visible())
            return "face " + std::to_string(face) + " found on one slot only";
        hidden += b.Picture3[x].visible() ? 0 : 2;
    }
    if (hidden != 2 * pairs)
        return std::to_string(hidden) + " hidden slot boxes for " + std::to_string(pairs) + " pairs";
    const int first = s.FirstCard.toInt16();
    if (s.TurnState == 1 &&
        (game.faceUpSlots() != std::vector<int>{first} || b.Picture4.picture() != b.Picture1[first].picture()))
        return "first card " + std::to_string(first) + " not the one turned and previewed";
    return {};
}

TEST(Play, RandomClicksAndNewGamesKeepTheInvariants)
{
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
            if (game.turnState() == 1 && rng() % 2 == 0) {
                const int first = game.window.state().FirstCard.toInt16();
                const auto pair = game.slotsOf(game.faceAt(first));
                slot = pair[0] == first ? pair[1] : pair[0];
            }
            if (game.questions.answers.empty())
                game.questions.answers.push_back(rng() % 2 == 0 ? runtime::kYes : runtime::kNo);
            const std::int32_t answer = game.questions.answers.front();
            const auto& box = game.board().Picture3[slot];
            const bool accepted = box.visible() && box.handle() == runtime::kEmptyHandle;
            const bool completes = accepted && game.turnState() == 1 && game.pairsFound() == kPairs - 1 &&
                                   game.faceAt(slot) == game.faceAt(game.window.state().FirstCard.toInt16());
            const Snapshot before = game.snapshot();
            const std::size_t questions = game.questions.asked.size();

            game.click(slot);

            const bool won = game.questions.asked.size() > questions;
            if (!accepted)
                ASSERT_EQ(game.snapshot(), before) << where;
            else if (won && answer == runtime::kYes)
                ASSERT_EQ(freshGameFault(game), "") << where;
            else
                ASSERT_EQ(game.faceUpSlots(), std::vector<int>{slot}) << where;
            ASSERT_EQ(won, completes) << where;
            ASSERT_EQ(invariantFault(game), "") << where;
            gamesWon += won;
        }
        EXPECT_GT(gamesWon, 0) << "seed " << seed << " never reached the end of a game";
    }
}

}  // namespace
}  // namespace koppelo::game::testing
