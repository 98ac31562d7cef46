#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "game_fixture.h"

namespace koppelo::game::testing {
namespace {

constexpr int kNoClick = -1;

// Face 3 on slots 0 and 7, face 5 on slots 1 and 2, the other faces in order.
Layout exampleLayout()
{
    Layout layout;
    layout.fill(kEmpty);
    layout[0] = layout[7] = 3;
    layout[1] = layout[2] = 5;
    int face = 0, copies = 0;
    for (int& slot : layout) {
        if (slot != kEmpty)
            continue;
        while (face == 3 || face == 5)
            ++face;
        slot = face;
        if (++copies == 2) {
            copies = 0;
            ++face;
        }
    }
    return layout;
}

void loadExample(Game& game)
{
    game.window.Form_Load();
    game.arrange(exampleLayout());
}

TEST(Turn, WorkedExample)
{
    const struct {
        int click;
        std::vector<std::pair<int, int>> faceUp;  // slot box, face it holds
        std::vector<int> hidden;
        int firstPreview, secondPreview;
        int turnState, pairs;
        int firstCard, secondCard;
    } steps[] = {
        {kNoClick, {}, {}, kEmpty, kEmpty, 0, 0, kEmpty, 0},
        {0, {{0, 3}}, {}, 3, kEmpty, 1, 0, 0, 0},
        {0, {{0, 3}}, {}, 3, kEmpty, 1, 0, 0, 0},
        {1, {{1, 5}}, {}, kEmpty, kEmpty, 0, 0, 0, 1},
        {1, {{1, 5}}, {}, kEmpty, kEmpty, 0, 0, 0, 1},
        {2, {{2, 5}}, {}, 5, kEmpty, 1, 0, 2, 1},
        {1, {{1, 5}}, {1, 2}, 5, 5, 0, 1, 2, 1},
        {7, {{7, 3}}, {1, 2}, 3, 5, 1, 1, 7, 1},
        {0, {{0, 3}}, {0, 1, 2, 7}, 3, 3, 0, 2, 7, 0},
    };
    Game game;
    loadExample(game);
    for (std::size_t n = 0; n < std::size(steps); ++n) {
        const auto& step = steps[n];
        SCOPED_TRACE("step " + std::to_string(n));
        if (step.click != kNoClick)
            game.click(step.click);
        for (int i = 0; i < kSlots; ++i) {
            const auto up = std::find_if(step.faceUp.begin(), step.faceUp.end(), [i](auto p) { return p.first == i; });
            const bool hidden = std::find(step.hidden.begin(), step.hidden.end(), i) != step.hidden.end();
            EXPECT_EQ(game.faceOf(game.board().Picture3[i]), up == step.faceUp.end() ? kEmpty : up->second) << "slot " << i;
            EXPECT_EQ(game.board().Picture3[i].visible(), !hidden) << "slot " << i;
        }
        EXPECT_EQ(game.layout(), exampleLayout());
        EXPECT_EQ(game.faceOf(game.board().Picture4), step.firstPreview);
        EXPECT_EQ(game.faceOf(game.board().Picture5), step.secondPreview);
        EXPECT_TRUE(game.turnState() == step.turnState);
        EXPECT_TRUE(game.pairsFound() == step.pairs);
        EXPECT_EQ(game.board().Label1.caption(), std::to_string(step.pairs));
        const auto& firstCard = game.window.state().FirstCard;
        EXPECT_EQ(firstCard.isEmpty() ? kEmpty : firstCard.number(), step.firstCard);
        EXPECT_EQ(game.window.state().SecondCard, step.secondCard);
    }
}

TEST(Turn, AClickOnATurnedOrFoundCardChangesNothingAndTellsNoOne)
{
    const struct {
        const char* name;
        std::vector<int> before;
        int click;
    } cases[] = {
        {"first card of an open turn", {0}, 0},
        {"second card of a missed turn", {0, 1}, 1},
        {"found card, its box still holding the face", {1, 2}, 2},
        {"found card, its box empty", {1, 2}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Game game;
    loadExample(game);
        for (int slot : c.before)
            game.click(slot);
        const Snapshot before = game.snapshot();
        game.watch();
        game.click(c.click);
        EXPECT_EQ(game.snapshot(), before);
        EXPECT_EQ(game.notifications, 0);
    }
}

TEST(Turn, AnIndexOutsideTheBoardThrowsAndChangesNothing)
{
    Game game;
    loadExample(game);
    game.click(1);
    game.click(2);
    game.click(0);
    const Snapshot before = game.snapshot();
    game.watch();
    for (int index : {-1, kSlots, 32767, -32768}) {
        EXPECT_THROW(game.click(index), std::out_of_range) << index;
        EXPECT_EQ(game.snapshot(), before) << index;
    }
    EXPECT_EQ(game.notifications, 0);
}

TEST(Turn, ANewGameInTheMiddleOfATurnAwaitsAFirstCardAndKeepsThePreviews)
{
    Game game;
    loadExample(game);
    game.click(1);
    game.click(2);
    game.click(0);
    ASSERT_TRUE(game.turnState() == 1);

    game.window.mnuSpelNieuw_Click();
    EXPECT_EQ(freshGameFault(game), "");
    EXPECT_EQ(game.faceOf(game.board().Picture4), 3);
    EXPECT_EQ(game.faceOf(game.board().Picture5), 5);

    game.click(4);
    EXPECT_TRUE(game.turnState() == 1);
    EXPECT_EQ(game.faceUpSlots(), std::vector<int>{4});
    EXPECT_EQ(game.faceOf(game.board().Picture4), game.faceAt(4));
    EXPECT_EQ(game.faceOf(game.board().Picture5), 5);
    EXPECT_TRUE(game.pairsFound() == 0);
}

}  // namespace
}  // namespace koppelo::game::testing
