#include "game_fixture.h"

namespace koppelo::game::testing {
namespace {

constexpr int kNoClick = -1;
// Face 3 on slots 0 and 7, face 5 on slots 1 and 2, the other faces in order.
constexpr Layout kExample{3, 5, 5,  0,  0,  1,  1,  3,  2,  2,  4,  4,  6,  6,  7,  7,  8,  8,
                          9, 9, 10, 10, 11, 11, 12, 12, 13, 13, 14, 14, 15, 15, 16, 16, 17, 17};

// After each click exactly the clicked slot box shows its face.
TEST(Turn, WorkedExample)
{
    const struct {
        int click;
        std::vector<int> hidden;
        int firstPreview, secondPreview, turnState, pairs, firstCard, secondCard;
    } steps[] = {
        {kNoClick, {}, kEmpty, kEmpty, 0, 0, kEmpty, 0},
        {0, {}, 3, kEmpty, 1, 0, 0, 0},
        {0, {}, 3, kEmpty, 1, 0, 0, 0},
        {1, {}, kEmpty, kEmpty, 0, 0, 0, 1},
        {1, {}, kEmpty, kEmpty, 0, 0, 0, 1},
        {2, {}, 5, kEmpty, 1, 0, 2, 1},
        {1, {1, 2}, 5, 5, 0, 1, 2, 1},
        {7, {1, 2}, 3, 5, 1, 1, 7, 1},
        {0, {0, 1, 2, 7}, 3, 3, 0, 2, 7, 0},
    };
    Game game;
    game.window.Form_Load();
    game.arrange(kExample);
    for (std::size_t n = 0; n < std::size(steps); ++n) {
        const auto& step = steps[n];
        SCOPED_TRACE("step " + std::to_string(n));
        if (step.click != kNoClick)
            game.click(step.click);
        for (int i = 0; i < kSlots; ++i) {
            const bool hidden = std::count(step.hidden.begin(), step.hidden.end(), i) != 0;
            EXPECT_EQ(game.faceOf(game.board().Picture3[i]), i == step.click ? kExample[i] : kEmpty) << "slot " << i;
            EXPECT_EQ(game.board().Picture3[i].visible(), !hidden) << "slot " << i;
        }
        EXPECT_EQ(game.layout(), kExample);
        EXPECT_EQ(game.faceOf(game.board().Picture4), step.firstPreview);
        EXPECT_EQ(game.faceOf(game.board().Picture5), step.secondPreview);
        EXPECT_TRUE(game.state().TurnState == step.turnState);
        EXPECT_TRUE(game.state().PairsFound == step.pairs);
        EXPECT_EQ(game.board().Label1.caption(), std::to_string(step.pairs));
        const auto& firstCard = game.state().FirstCard;
        EXPECT_EQ(firstCard.isEmpty() ? kEmpty : firstCard.number(), step.firstCard);
        EXPECT_EQ(game.state().SecondCard, step.secondCard);
    }
}

TEST(Turn, AnIndexOutsideTheBoardThrowsAndChangesNothing)
{
    Game game;
    game.window.Form_Load();
    game.arrange(kExample);
    for (int slot : {1, 2, 0})
        game.click(slot);
    const Whole before = game.whole();
    for (int index : {-1, kSlots, 32767, -32768}) {
        EXPECT_THROW(game.click(index), std::out_of_range) << index;
        EXPECT_EQ(game.whole(), before) << index;
    }
}

}  // namespace
}  // namespace koppelo::game::testing
