#include <gtest/gtest.h>

#include "game_fixture.h"

namespace koppelo::game::testing {
namespace {

constexpr int kLastFace = kFaces - 1;

// Finds every pair by its faces, with a miss before every third pair.
void playToTheEnd(Game& game)
{
    for (int face = 0; face < kFaces; ++face) {
        const auto [a, b] = game.slotsOf(face);
        if (face % 3 == 0 && face < kLastFace) {
            game.click(a);
            game.click(game.slotsOf(face + 1)[0]);
            ASSERT_EQ(game.faceOf(game.board().Picture4), kEmpty);
            ASSERT_EQ(game.faceOf(game.board().Picture5), kEmpty);
        }
        game.click(a);
        game.click(b);
        if (face == kLastFace)
            return;
        ASSERT_TRUE(game.pairsFound() == face + 1);
        ASSERT_EQ(game.board().Label1.caption(), std::to_string(face + 1));
        ASSERT_TRUE(game.questions.asked.empty());
    }
}

void expectTheQuestionAskedOnce(const Game& game)
{
    ASSERT_EQ(game.questions.asked.size(), 1u);
    const Question& q = game.questions.asked.front();
    EXPECT_EQ(q.prompt, "Gefeliciteerd! U heeft alle paren gevonden! Wilt u een nieuw spel starten?");
    EXPECT_EQ(q.title, "Gefeliciteerd!");
    EXPECT_EQ(q.style, 68);
}

TEST(WholeGame, YesDealsAFreshGameAndKeepsTheLastPairInThePreviews)
{
    Game game;
    game.window.Form_Load();
    const Layout finished = game.layout();
    game.questions.answers = {runtime::kYes};

    playToTheEnd(game);
    expectTheQuestionAskedOnce(game);
    EXPECT_EQ(freshGameFault(game), "");
    EXPECT_NE(game.layout(), finished);
    EXPECT_EQ(game.faceOf(game.board().Picture4), kLastFace);
    EXPECT_EQ(game.faceOf(game.board().Picture5), kLastFace);
}

TEST(WholeGame, NoLeavesTheBoardRevealedAndDeafUntilANewGame)
{
    Game game;
    game.window.Form_Load();
    game.questions.answers = {runtime::kNo};

    playToTheEnd(game);
    expectTheQuestionAskedOnce(game);
    for (int i = 0; i < kSlots; ++i)
        EXPECT_FALSE(game.board().Picture3[i].visible()) << "slot " << i;
    EXPECT_TRUE(game.pairsFound() == kPairs);
    EXPECT_EQ(game.board().Label1.caption(), "18");
    EXPECT_TRUE(game.turnState() == 0);
    EXPECT_TRUE(game.window.state().DrawnSlot == runtime::kNo);

    const Snapshot finished = game.snapshot();
    game.watch();
    for (int i = 0; i < kSlots; ++i)
        game.click(i);
    EXPECT_EQ(game.snapshot(), finished);
    EXPECT_EQ(game.notifications, 0);

    game.window.mnuSpelNieuw_Click();
    EXPECT_EQ(freshGameFault(game), "");
    EXPECT_EQ(game.questions.asked.size(), 1u);
}

}  // namespace
}  // namespace koppelo::game::testing
