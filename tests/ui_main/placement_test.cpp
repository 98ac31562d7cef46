// Where the window opens on a screen too small for it. Run on an 800 x 600
// screen (--screen=small_screen.json), which is lower than the window, and at
// scale 1.25 also narrower (640 x 480 logical pixels). The frame's top-left
// corner stays on the screen, so the menus stay in reach; along an axis where
// the window fits it is centred, give or take the frame's border.
#include <QScreen>

#include "window_fixture.h"

namespace koppelo::ui::testing {
namespace {

class SmallScreen : public WindowTest {
protected:
    void SetUp() override { openWindow(); }
};

TEST_F(SmallScreen, PlacedWithItsMenusOnTheScreen)
{
    const QRect room = frm().screen()->availableGeometry();
    const QRect frame = frm().frameGeometry();
    const int border = frm().geometry().left() - frame.left();
    ASSERT_GT(frame.height(), room.height());
    EXPECT_EQ(frame.top(), room.top());
    if (frame.width() <= room.width()) {
        EXPECT_LE(std::abs(frame.center().x() - room.center().x()), border + 1);
    } else {
        EXPECT_EQ(frame.left(), room.left());
    }
}

}  // namespace
}  // namespace koppelo::ui::testing
