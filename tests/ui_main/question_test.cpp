// The end-of-game question in a real message box over the window: its
// texts, buttons and icon, Yes and Esc, and the window blocked meanwhile.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "window_fixture.h"

namespace koppelo::ui::testing {
namespace {

class RealQuestion : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        openWindow(true);
    }

    // Plays every pair but the last, then the last one's first card.
    int playAllButTheLastCard()
    {
        const auto all = pairs();
        for (std::size_t k = 0; k + 1 < all.size(); ++k) {
            clickSlot(all[k][0]);
            clickSlot(all[k][1]);
        }
        clickSlot(all.back()[0]);
        return all.back()[1];
    }

    // Once the last card is clicked, `answer` gets the open message box.
    void whenAsked(std::function<void(QMessageBox&)> answer)
    {
        QTimer::singleShot(0, [this, answer] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr) {
                ADD_FAILURE() << "no message box open";
                return;
            }
            seen = true;
            answer(*box);
        });
    }

    bool seen = false;
};

TEST_F(RealQuestion, AsksModallyOverTheWindowAndYesDealsAgain)
{
    const int last = playAllButTheLastCard();
    whenAsked([this](QMessageBox& box) {
        EXPECT_EQ(box.windowTitle(), QStringLiteral("Gefeliciteerd!"));
        EXPECT_EQ(box.text(),
                  QStringLiteral("Gefeliciteerd! U heeft alle paren gevonden! Wilt u een nieuw spel starten?"));
        EXPECT_EQ(box.icon(), QMessageBox::Information);
        EXPECT_EQ(box.standardButtons(), QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(static_cast<QAbstractButton*>(box.defaultButton()), box.button(QMessageBox::Yes));
        EXPECT_EQ(box.parentWidget(), &frm());
        EXPECT_TRUE(box.isModal());
        EXPECT_EQ(frm().game().board().Label1.caption(), "18");
        box.button(QMessageBox::Yes)->click();
    });
    clickSlot(last);
    EXPECT_TRUE(seen);
    EXPECT_EQ(frm().game().board().Label1.caption(), "0");
    for (int i = 0; i < game::kSlots; ++i)
        EXPECT_TRUE(slot(i).isVisible()) << i;
}

TEST_F(RealQuestion, EscapeAnswersNoAndF2IsBlockedMeanwhile)
{
    const int last = playAllButTheLastCard();
    whenAsked([this](QMessageBox& box) {
        // The window takes no F2 while the question stands.
        QTest::keyClick(&frm(), Qt::Key_F2);
        EXPECT_EQ(frm().game().board().Label1.caption(), "18");
        QTest::keyClick(&box, Qt::Key_Escape);
    });
    clickSlot(last);
    EXPECT_TRUE(seen);
    EXPECT_EQ(frm().game().board().Label1.caption(), "18");
    for (int i = 0; i < game::kSlots; ++i)
        EXPECT_FALSE(slot(i).isVisible()) << i;
}

}  // namespace
}  // namespace koppelo::ui::testing
