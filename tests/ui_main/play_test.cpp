// Playing by mouse clicks on the window: turns, misses, matches, the
// counter, the previews, clicks that must change nothing, F2 and the menu.
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QTimer>

#include "window_fixture.h"

namespace koppelo::ui::testing {
namespace {

const QRect kPicture4(552, 232, 93, 93);
const QRect kPicture5(552, 336, 93, 93);

class Play : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        openWindow(false);
    }

    // Faces seen in the grab, per slot (kNoFace for a face-down card).
    std::array<int, game::kSlots> board(const QImage& image) const
    {
        std::array<int, game::kSlots> seen{};
        for (int i = 0; i < game::kSlots; ++i)
            seen[i] = faceShownIn(image, slotPixels(i));
        return seen;
    }

    int faceUpCount(const QImage& image) const
    {
        int up = 0;
        for (const int face : board(image))
            up += face != kNoFace ? 1 : 0;
        return up;
    }
};

TEST_F(Play, StartsWithEveryCardFaceDown)
{
    const QImage image = client();
    EXPECT_EQ(faceUpCount(image), 0);
    EXPECT_EQ(faceShownIn(image, kPicture4), kNoFace);
    EXPECT_EQ(faceShownIn(image, kPicture5), kNoFace);
    for (int i = 0; i < game::kSlots; ++i)
        EXPECT_NE(faceDealtTo(i), kNoFace) << "slot " << i << " was dealt nothing";
}

TEST_F(Play, FirstCardShowsOnTheBoardAndInTheFirstPreview)
{
    const int a = pairs()[3][0];
    clickSlot(a);
    const QImage image = client();
    EXPECT_EQ(faceShownIn(image, slotPixels(a)), 3);
    EXPECT_EQ(faceUpCount(image), 1);
    EXPECT_EQ(faceShownIn(image, kPicture4), 3);
    EXPECT_EQ(faceShownIn(image, kPicture5), kNoFace);
    // The face starts at the drawing area's corner.
    EXPECT_EQ(image.pixelColor(slotPixels(a).topLeft() + QPoint(2, 2)), kFaceMarker);
}

TEST_F(Play, MissLeavesOnlyTheSecondCardUpAndEmptiesThePreviews)
{
    const int a = 0;
    const int b = slotOfOtherFace(a);
    clickSlot(a);
    clickSlot(b);
    const QImage image = client();
    EXPECT_EQ(faceShownIn(image, slotPixels(a)), kNoFace);
    EXPECT_EQ(faceShownIn(image, slotPixels(b)), faceDealtTo(b));
    EXPECT_EQ(faceUpCount(image), 1);
    EXPECT_EQ(faceShownIn(image, kPicture4), kNoFace);
    EXPECT_EQ(faceShownIn(image, kPicture5), kNoFace);
    EXPECT_EQ(frm().game().board().Label1.caption(), "0");

    // The next accepted click turns the missed card down.
    clickSlot(a);
    const QImage after = client();
    EXPECT_EQ(faceShownIn(after, slotPixels(b)), kNoFace);
    EXPECT_EQ(faceShownIn(after, slotPixels(a)), faceDealtTo(a));
}

TEST_F(Play, MatchKeepsThePairInViewAndCounts)
{
    const auto pair = pairs()[9];
    clickSlot(pair[0]);
    clickSlot(pair[1]);
    const QImage image = client();
    for (const int s : pair) {
        EXPECT_FALSE(slot(s).isVisible());
        EXPECT_EQ(frm().surface().childAt(slotPixels(s).center())->objectName(),
                  QStringLiteral("Picture1(%1)").arg(s));
        EXPECT_EQ(faceShownIn(image, slotPixels(s)), 9);
    }
    EXPECT_EQ(faceShownIn(image, kPicture4), 9);
    EXPECT_EQ(faceShownIn(image, kPicture5), 9);
    EXPECT_EQ(frm().game().board().Label1.caption(), "1");

    // The next first card replaces only the first preview.
    clickSlot(pairs()[2][0]);
    const QImage next = client();
    EXPECT_EQ(faceShownIn(next, kPicture4), 2);
    EXPECT_EQ(faceShownIn(next, kPicture5), 9);
}

TEST_F(Play, CounterCaptionIsRedrawn)
{
    const QRect label(552, 192, 89, 25);
    const QImage before = client().copy(label);
    const auto pair = pairs()[0];
    clickSlot(pair[0]);
    clickSlot(pair[1]);
    EXPECT_NE(client().copy(label), before);
}

TEST_F(Play, ClicksBesideTheCardsChangeNothing)
{
    const auto pair = pairs()[4];
    clickSlot(pair[0]);
    clickSlot(pair[1]);  // a found pair
    const int open = pairs()[5][0];
    clickSlot(open);  // an open first card
    const Shown before = shown();

    struct Case {
        const char* where;
        QPoint point;
    };
    const Case cases[] = {
        {"gap between slots", {92, 100}},
        {"gap between rows", {50, 140}},
        {"title band", {400, 20}},
        {"title", {60, 25}},
        {"separator", {539, 300}},
        {"face sources", {598, 100}},
        {"counter", {598, 204}},
        {"first preview", kPicture4.center()},
        {"second preview", kPicture5.center()},
        {"empty box", {598, 486}},
        {"found card", slotPixels(pair[0]).center()},
        {"open card", slotPixels(open).center()},
    };
    for (const Case& c : cases) {
        clickSurfaceAt(c.point);
        EXPECT_EQ(shown(), before) << c.where;
    }
    EXPECT_EQ(frm().game().state().TurnState.toInt16(), 1);
}

TEST_F(Play, F2BetweenTheCardsStartsANewGame)
{
    const auto found = pairs()[1];
    clickSlot(found[0]);
    clickSlot(found[1]);
    clickSlot(pairs()[7][0]);
    ASSERT_EQ(frm().game().state().TurnState.toInt16(), 1);

    pressNewGameKey();
    const QImage image = client();
    EXPECT_EQ(faceUpCount(image), 0);
    EXPECT_EQ(frm().game().board().Label1.caption(), "0");
    for (int i = 0; i < game::kSlots; ++i)
        EXPECT_TRUE(slot(i).isVisible()) << i;

    // The next card opens a turn afresh.
    const int first = pairs()[12][0];
    clickSlot(first);
    EXPECT_EQ(faceShownIn(client(), kPicture4), 12);
    EXPECT_EQ(frm().game().state().TurnState.toInt16(), 1);
}

TEST_F(Play, MenuItemStartsANewGameToo)
{
    clickSlot(pairs()[0][0]);
    frm().newGameAction().trigger();
    EXPECT_EQ(faceUpCount(client()), 0);
    EXPECT_EQ(frm().game().state().TurnState.toInt16(), 0);
}

TEST_F(Play, AboutOpensModallyAndLeavesTheGameAlone)
{
    clickSlot(pairs()[3][0]);
    const Shown before = shown();
    bool opened = false;
    QTimer::singleShot(0, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QDialog*>(top);
            if (dialog != nullptr && dialog->isVisible()) {
                opened = true;
                EXPECT_TRUE(dialog->isModal());
                dialog->reject();
            }
        }
    });
    frm().aboutAction().trigger();
    EXPECT_TRUE(opened);
    EXPECT_EQ(shown(), before);
    EXPECT_EQ(frm().game().state().TurnState.toInt16(), 1);
}

TEST_F(Play, WholeGameAsksOnceWithTheBoardFaceUpAndYesDealsAgain)
{
    int faceUpWhileAsked = -1;
    question.whileOpen = [&] { faceUpWhileAsked = faceUpCount(client()); };
    question.answer = runtime::kYes;
    int pairsFound = 0;
    for (const auto& pair : pairs()) {
        clickSlot(pair[0]);
        clickSlot(pair[1]);
        if (++pairsFound < game::kPairs) {
            EXPECT_EQ(frm().game().board().Label1.caption(), std::to_string(pairsFound));
        }
    }
    ASSERT_EQ(question.asked.size(), 1u);
    EXPECT_EQ(question.asked[0].prompt,
              "Gefeliciteerd! U heeft alle paren gevonden! Wilt u een nieuw spel starten?");
    EXPECT_EQ(question.asked[0].title, "Gefeliciteerd!");
    EXPECT_EQ(question.asked[0].style, 68);
    EXPECT_EQ(faceUpWhileAsked, game::kSlots);

    EXPECT_EQ(frm().game().board().Label1.caption(), "0");
    EXPECT_EQ(faceUpCount(client()), 0);
    for (int i = 0; i < game::kSlots; ++i)
        EXPECT_TRUE(slot(i).isVisible()) << i;
}

TEST_F(Play, NoLeavesTheFinishedBoardUntilF2)
{
    question.answer = runtime::kNo;
    for (const auto& pair : pairs()) {
        clickSlot(pair[0]);
        clickSlot(pair[1]);
    }
    EXPECT_EQ(question.asked.size(), 1u);
    EXPECT_EQ(frm().game().board().Label1.caption(), "18");
    EXPECT_EQ(faceUpCount(client()), game::kSlots);

    const Shown finished = shown();
    for (int i = 0; i < game::kSlots; ++i)
        clickSurfaceAt(slotPixels(i).center());
    EXPECT_EQ(shown(), finished);
    EXPECT_EQ(question.asked.size(), 1u);

    pressNewGameKey();
    EXPECT_EQ(frm().game().board().Label1.caption(), "0");
    EXPECT_EQ(faceUpCount(client()), 0);
}

}  // namespace
}  // namespace koppelo::ui::testing
