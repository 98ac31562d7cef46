// Playing by the keyboard alone, to the question and on after it, and where the focus mark shows.
#include "window_fixture.h"

namespace koppelo::ui::testing {
namespace {

// At 96 dpi the mark's dark line lies between light ones, inside the border.
constexpr int kMarkLight = 4, kMarkDark = 5;

class Keyboard : public WindowTest {
protected:
    void goTo(int slot)
    {
        for (; position % game::kColumns < slot % game::kColumns; ++position)
            key(Qt::Key_Right);
        for (; position % game::kColumns > slot % game::kColumns; --position)
            key(Qt::Key_Left);
        for (; position < slot; position += game::kColumns)
            key(Qt::Key_Down);
        for (; position > slot; position -= game::kColumns)
            key(Qt::Key_Up);
    }
    std::vector<int> marked() const
    {
        const QImage image = client();
        std::vector<int> found;
        for (int i = 0; i < game::kSlots; ++i) {
            const QPoint edge = slot(i).geometry().topLeft() + QPoint(0, slot(i).height() / 2);
            if (image.pixelColor(edge + QPoint(kMarkLight, 0)) == Qt::white &&
                image.pixelColor(edge + QPoint(kMarkDark, 0)) == Qt::black)
                found.push_back(i);
        }
        return found;
    }

    int position = 0;  // where the arrows have brought the focus
};

TEST_F(Keyboard, ArrowsMoveTheFocusOverTheGridAndStopAtTheEdges)
{
    EXPECT_TRUE(frm().surface().hasFocus());
    const struct Move {
        Qt::Key key;
        int times, to;
    } moves[] = {
        {Qt::Key_Up, 1, 0}, {Qt::Key_Left, 1, 0}, {Qt::Key_Right, 6, 5}, {Qt::Key_Down, 6, 35},
        {Qt::Key_Left, 2, 33}, {Qt::Key_Up, 1, 27}, {Qt::Key_Left, 9, 24},
    };
    for (const Move& move : moves) {
        for (int i = 0; i < move.times; ++i)
            key(move.key);
        EXPECT_EQ(marked(), std::vector<int>{move.to}) << move.key;
    }
    EXPECT_EQ(faceUpCount(), 0);
}

// Keypad Enter is left to the screen reader, whose "where am I" it is.
TEST_F(Keyboard, SpaceOrReturnTurnsAFaceDownCardAndNothingElseAndTheFocusStays)
{
    const auto unchangedBy = [this](Qt::Key pressed, Qt::KeyboardModifiers modifiers = {}) {
        const QImage before = client();
        key(pressed, modifiers);
        return client() == before;
    };
    const auto pair = pairs();
    goTo(pair[2][0]);
    key(Qt::Key_Space);
    EXPECT_EQ(facesShown(client())[pair[2][0]], 2);
    EXPECT_TRUE(unchangedBy(Qt::Key_Return)) << "on the open card";
    goTo(pair[2][1]);
    EXPECT_TRUE(unchangedBy(Qt::Key_Enter, Qt::KeypadModifier));
    key(Qt::Key_Return);
    EXPECT_EQ(board().Label1.caption(), "1");
    EXPECT_EQ(marked(), std::vector<int>{pair[2][1]});  // on the found card, where it was
    EXPECT_TRUE(unchangedBy(Qt::Key_Space)) << "on the found card";
    EXPECT_TRUE(unchangedBy(Qt::Key_Space, Qt::ControlModifier)) << "on the found card";
}

// An arrow or Tab brings the mark, on grey or a photograph; a click takes it away.
TEST_F(Keyboard, FocusMarkOnlyOnceTheKeyboardHasMovedTheFocus)
{
    const auto pair = pairs();
    for (int i : {pair[0][0], pair[0][1], pair[1][0], pair[7][0]}) {
        clickSlot(i);
        EXPECT_TRUE(marked().empty());
    }
    key(Qt::Key_Right);
    position = pair[7][0] % game::kColumns == game::kColumns - 1 ? pair[7][0] : pair[7][0] + 1;
    EXPECT_EQ(marked(), std::vector<int>{position});
    if (board().Picture3[position].handle() == runtime::kEmptyHandle)
        key(Qt::Key_Space);
    EXPECT_EQ(facesShown(client())[position], faceDealtTo(position));
    EXPECT_EQ(marked(), std::vector<int>{position});  // over the photograph

    clickSlot(pair[9][0]);
    EXPECT_TRUE(marked().empty());
    key(Qt::Key_Tab);
    EXPECT_EQ(marked(), std::vector<int>{pair[9][0]});
}

// The real question leaves F2 unheard even with the window brought forward;
// after Nee by Esc or Ja by Enter the window has the keyboard again.
class KeyboardToTheQuestion : public Keyboard {
protected:
    void SetUp() override { openWindow(true); }

    void answer(bool yes)
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Gefeliciteerd!"));
        EXPECT_EQ(box->text(), QStringLiteral("Gefeliciteerd! U heeft alle paren gevonden! Wilt u een nieuw spel starten?"));
        EXPECT_EQ(box->icon(), QMessageBox::Information);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(static_cast<QAbstractButton*>(box->defaultButton()), box->button(QMessageBox::Yes));
        EXPECT_EQ(box->button(QMessageBox::Yes)->text().toStdString() + box->button(QMessageBox::No)->text().toStdString(),
                  "&Ja&Nee");
        EXPECT_EQ(box->parentWidget(), &frm());
        EXPECT_TRUE(box->isModal());
        // Brought forward once only: after Ja the window must take the keyboard back itself.
        if (!yes)
            frm().activateWindow();
        QApplication::processEvents();
        key(Qt::Key_F2);
        EXPECT_EQ(board().Label1.caption(), "18");
        QTest::keyClick(box->windowHandle(), yes ? Qt::Key_Return : Qt::Key_Escape);
    }
};

TEST_F(KeyboardToTheQuestion, WholeGameByKeysAloneThenTheWindowHasTheKeyboardAgain)
{
    for (const bool yes : {false, true}) {
        SCOPED_TRACE(yes ? "Ja" : "Nee");
        int asked = 0;
        for (const auto& pair : pairs()) {
            goTo(pair[0]);
            key(Qt::Key_Space);
            goTo(pair[1]);
            if (board().Label1.caption() == "17")
                QTimer::singleShot(0, [&] {
                    ++asked;
                    answer(yes);
                });
            key(Qt::Key_Space);
        }
        EXPECT_EQ(asked, 1);
        EXPECT_EQ(board().Label1.caption(), yes ? "0" : "18");
        EXPECT_EQ(faceUpCount(), yes ? 0 : game::kSlots);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&*window, 1000));
        EXPECT_TRUE(frm().surface().hasFocus());
        const bool left = position % game::kColumns != 0;
        key(left ? Qt::Key_Left : Qt::Key_Right);
        position += left ? -1 : 1;
        EXPECT_EQ(marked(), std::vector<int>{position});
        key(Qt::Key_F2);
        EXPECT_EQ(faceUpCount(), 0);
    }
}

}  // namespace
}  // namespace koppelo::ui::testing
