// Playing by mouse clicks on the window, to the end-of-game question.
#include <set>
#include <utility>

#include "window_fixture.h"

namespace koppelo::ui::testing {
namespace {

const QRect kPicture4(552, 232, 93, 93), kPicture5(552, 336, 93, 93), kCounter(552, 192, 89, 25);
constexpr int kF2 = -1;  // a step that presses F2 instead of clicking

using Play = WindowTest;

TEST_F(Play, TurnsMissesAndMatchesShowOnTheBoardAndInThePreviews)
{
    EXPECT_EQ(faceUpCount(), 0);
    const auto pair = pairs();
    const int card = pair[3][0], partner = pair[3][1], miss = pair[4][0], next = pair[9][0];
    const struct Step {
        const char* what;
        int click;
        std::set<int> up;
        int first, second;
        const char* counter;
    } steps[] = {
        {"first card", card, {card}, 3, kNoFace, "0"},
        {"miss", miss, {miss}, kNoFace, kNoFace, "0"},
        {"next first card turns the miss down", card, {card}, 3, kNoFace, "0"},
        {"match", partner, {card, partner}, 3, 3, "1"},
        {"next first card", next, {card, partner, next}, 9, 3, "1"},
        {"F2 with a turn open", kF2, {}, 9, 3, "0"},
    };
    QImage counterDrawn = client().copy(kCounter);
    std::string counted = "0";
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.click == kF2 ? pressF2() : clickSlot(step.click);
        const QImage image = client();
        const auto shown = facesShown(image);
        for (int i = 0; i < game::kSlots; ++i)
            EXPECT_EQ(shown[i], step.up.count(i) ? faceDealtTo(i) : kNoFace) << "slot " << i;
        EXPECT_EQ(faceShownIn(image, kPicture4), step.first);
        EXPECT_EQ(faceShownIn(image, kPicture5), step.second);
        EXPECT_EQ(board().Label1.caption(), step.counter);
        // The counter is redrawn exactly when its caption changes.
        EXPECT_EQ(image.copy(kCounter) != counterDrawn, std::exchange(counted, step.counter) != step.counter);
        counterDrawn = image.copy(kCounter);
    }
}

TEST_F(Play, ClicksBesideTheCardsChangeNothing)
{
    const auto pair = pairs();
    clickSlot(pair[4][0]);
    clickSlot(pair[4][1]);  // a found pair
    const int open = pair[5][0];
    clickSlot(open);  // an open first card
    const QImage before = client();

    const std::pair<const char*, QPoint> places[] = {
        {"gap between slots", {92, 100}}, {"gap between rows", {50, 140}}, {"title band", {400, 20}},
        {"title", {60, 25}}, {"separator", {539, 300}}, {"face sources", {598, 100}},
        {"counter", kCounter.center()}, {"first preview", kPicture4.center()},
        {"second preview", kPicture5.center()}, {"unseen box", {598, 486}},
        {"found card", slot(pair[4][0]).geometry().center()}, {"open card", slot(open).geometry().center()},
    };
    for (const auto& [where, point] : places) {
        clickAt(point);
        EXPECT_EQ(client(), before) << where;
    }
    // The turn still awaits its second card.
    clickSlot(pair[5][1]);
    EXPECT_EQ(board().Label1.caption(), "2");
}

// Nee, and the keys, are played to the real question in keyboard_test.cpp.
TEST_F(Play, WholeGameAsksOnceOverTheFinishedBoardAndYesDealsAgain)
{
    int faceUpWhileAsked = -1;
    // What the screen shows as the question appears: no event is handled in between.
    question.whileOpen = [&] { faceUpWhileAsked = faceUpCount(flushed()); };
    playEveryPair();
    EXPECT_EQ(question.asked, 1);
    EXPECT_EQ(faceUpWhileAsked, game::kSlots);
    EXPECT_EQ(board().Label1.caption(), "0");
    EXPECT_EQ(faceUpCount(), 0);
}

// Only what is drawn is decoded, each face once: nothing beneath a box is painted.
TEST_F(Play, DecodesEachFaceOnceWhenItFirstShows)
{
    std::array<int, game::kFaces> expected{};
    expected[6] = 1;
    client();
    EXPECT_EQ(decodes, expected);

    const auto pair = pairs()[2];
    clickSlot(pair[0]);
    clickSlot(pair[1]);
    client();
    expected[2] = 1;
    EXPECT_EQ(decodes, expected) << "a turned and found pair, layout boxes showing";
    pressF2();
    client();
    EXPECT_EQ(decodes, expected);
}

}  // namespace
}  // namespace koppelo::ui::testing
