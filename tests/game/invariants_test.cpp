#include <functional>

#include "oracle/invariants.h"
#include "game_fixture.h"

namespace koppelo::game::testing {
namespace {

// The storm and the fuzzer rely on the audit naming each invariant broken behind the rules' back.
TEST(Invariants, EachBrokenOneIsNamed)
{
    const struct {
        const char* broken;
        std::function<void(Game&)> breakIt;
        const char* named;
    } cases[] = {
        {"a layout box emptied", [](Game& g) { g.board().Picture1[4].setPicture({}); }, "has no face dealt"},
        {"a face dealt once, another three times",
         [](Game& g) { g.board().Picture1[g.slotsOf(1)[0]].setPicture(g.faces[2]); }, "face 1 dealt 1 times"},
        {"two cards face up",
         [](Game& g) {
             g.click(0);
             g.board().Picture3[1].setPicture(g.board().Picture1[1].picture());
         },
         "more than one"},
        {"a card showing another's face",
         [](Game& g) { g.board().Picture3[0].setPicture(g.faces[g.faceAt(0) == 0 ? 1 : 0]); }, "not dealt to it"},
        {"the open card's face gone from the preview",
         [](Game& g) {
             g.click(0);
             g.board().Picture4.setPicture({});
         },
         "first preview"},
        {"one card of a pair hidden", [](Game& g) { g.board().Picture3[g.slotsOf(3)[0]].setVisible(false); },
         "partner is not"},
        {"a pair hidden uncounted",
         [](Game& g) {
             for (const int slot : g.slotsOf(3))
                 g.board().Picture3[slot].setVisible(false);
         },
         "0 pairs found but 2"},
        {"the counter misread", [](Game& g) { g.board().Label1.setCaption("1"); }, "reads \"1\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.broken);
        Game game;
        game.window.Form_Load();
        ASSERT_EQ(brokenInvariant(game.window), "");
        c.breakIt(game);
        EXPECT_NE(brokenInvariant(game.window).find(c.named), std::string::npos) << brokenInvariant(game.window);
    }
}

}  // namespace
}  // namespace koppelo::game::testing
