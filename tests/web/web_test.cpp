// The web page's presenter: the names the page gives its cards, and what
// each event hands the page to draw and raise, in the announcer's order.
#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <string>
#include "texts/catalogue.h"
#include "ui/board_telling/board_telling.h"
#include "web/web_game.h"

namespace koppelo::web {
namespace {

TEST(WebParts, NamesEachCardByPlaceAndStateAsTheDesktopDoes)
{
    using ui::telling::cardName;
    EXPECT_EQ(cardName(7, {game::CardState::FaceDown, game::kNoFace}), "Kaart 8, rij 2, kolom 2: dicht");
    EXPECT_EQ(cardName(7, {game::CardState::FaceUp, 6}), "Kaart 8, rij 2, kolom 2: open, ijsvogel");
    EXPECT_EQ(cardName(35, {game::CardState::Found, 6}), "Kaart 36, rij 6, kolom 6: gevonden, ijsvogel");
    EXPECT_EQ(cardName(5, {game::CardState::FaceDown, game::kNoFace}), "Kaart 6, rij 1, kolom 6: dicht");
}

// How many face-down cards the JSON draws, and whether any of them carries a
// face or a name other than the one that keeps its bird hidden.
struct DownCards {
    int drawn = 0;
    int named = 0;
    bool faceGiven = false;
};

DownCards downCards(const std::string& json)
{
    DownCards seen;
    const std::regex card(R"(\{"state":"down"([^}]*)\})");
    for (auto it = std::sregex_iterator(json.begin(), json.end(), card); it != std::sregex_iterator(); ++it) {
        ++seen.drawn;
        seen.faceGiven = seen.faceGiven || !(*it)[1].str().empty();
    }
    const std::size_t from = json.find(R"("names":[)");
    const std::string names = json.substr(from, json.find(']', from) - from);
    const std::regex name(R"("Kaart \d+, rij \d, kolom \d: dicht")");
    seen.named = static_cast<int>(std::distance(std::sregex_iterator(names.begin(), names.end(), name), std::sregex_iterator()));
    return seen;
}

// Where text first comes in json, or npos.
std::size_t at(const std::string& json, const std::string& text) { return json.find(text); }

TEST(WebGame, HandsNoFaceDownBirdAndRaisesTheNewsInTheAnnouncersOrder)
{
    WebGame game(std::make_unique<SeededClock>(37));
    const std::string dealt = game.load();
    const DownCards fresh = downCards(dealt);
    EXPECT_EQ(fresh.drawn, 36);
    EXPECT_EQ(fresh.named, 36);
    EXPECT_FALSE(fresh.faceGiven);

    game.focus(0);
    const std::string first = game.click(0);
    EXPECT_EQ(downCards(first).drawn, 35);
    EXPECT_FALSE(downCards(first).faceGiven);
    // A screen reader in a page is silent on the focused card's new name: it is told as news.
    EXPECT_NE(at(first, R"({"kind":"news","text":"Kaart 1, rij 1, kolom 1: open, )"), std::string::npos) << first;

    // The first card that is no pair with card 0 gives a miss: the card
    // turned is heard first, then "geen paar".
    std::string missed;
    for (int slot = 1; slot < 36 && missed.empty(); ++slot) {
        game.focus(slot);
        const std::string turned = game.click(slot);
        if (at(turned, "geen paar\"") != std::string::npos)
            missed = turned;
        else
            ASSERT_NE(at(turned, "paar gevonden, Paren: 1\""), std::string::npos) << turned;
    }
    ASSERT_FALSE(missed.empty());
    const DownCards afterMiss = downCards(missed);
    EXPECT_EQ(afterMiss.drawn, afterMiss.named);
    EXPECT_FALSE(afterMiss.faceGiven);
    const std::size_t cardHeard = at(missed, R"({"kind":"news","text":"Kaart )");
    ASSERT_NE(cardHeard, std::string::npos) << missed;
    // One text, as a page's screen reader may speak only the last of two.
    const std::string joined = ", geen paar\"}";
    EXPECT_EQ(missed.find(joined, cardHeard), missed.find("\"}", cardHeard) - joined.size() + 2) << missed;

    // A new game: "Nieuw spel" first, then the card under the focus afresh.
    const std::string renewed = game.newGame();
    const DownCards redealt = downCards(renewed);
    EXPECT_EQ(redealt.drawn, 36);
    EXPECT_EQ(redealt.named, 36);
    EXPECT_NE(at(renewed, std::string(R"({"kind":"news","text":")") + texts::chosen().main.newGame + ", Kaart "),
              std::string::npos) << renewed;

    // Away from the board (a dialog has the keyboard) the card turned is
    // held back, and heard once the keyboard comes back to it.
    game.focus(runtime::kNoPart);
    const std::string away = game.click(0);
    EXPECT_EQ(downCards(away).drawn, 35);
    EXPECT_EQ(at(away, R"("part":0)"), std::string::npos) << away;
    const std::string back = game.focus(0);
    EXPECT_NE(at(back, R"({"kind":"rename","part":0})"), std::string::npos) << back;
    EXPECT_NE(at(back, R"({"kind":"focus","part":0})"), std::string::npos) << back;
}

}  // namespace
}  // namespace koppelo::web
