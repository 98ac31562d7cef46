// On a screen lower than the window (--screen=small_screen.json), and at 1.25 also
// narrower, the menus stay on it; along an axis where the window fits it is centred.
#include <QScreen>

#include "window_fixture.h"

namespace koppelo::ui::testing {
namespace {

using SmallScreen = WindowTest;

TEST_F(SmallScreen, PlacedWithItsMenusOnTheScreen)
{
    const QRect room = frm().screen()->availableGeometry();
    const QRect frame = frm().frameGeometry();
    const int border = frm().geometry().left() - frame.left();
    ASSERT_GT(frame.height(), room.height());
    EXPECT_EQ(frame.top(), room.top());
    if (frame.width() <= room.width())
        EXPECT_LE(std::abs(frame.center().x() - room.center().x()), border + 1);
    else
        EXPECT_EQ(frame.left(), room.left());
}

}  // namespace
}  // namespace koppelo::ui::testing
