// The views that keyboard play and screen readers follow, as the window
// built them: both boxes of every slot and the two previews.
#pragma once

#include <array>

#include "game/board.h"
#include "runtime/qt/picture_box_view.h"

namespace koppelo::ui {

struct BoardViews {
    std::array<runtime::qt::PictureBoxView*, game::kSlots> Picture1{};
    std::array<runtime::qt::PictureBoxView*, game::kSlots> Picture3{};
    runtime::qt::PictureBoxView* Picture4 = nullptr;
    runtime::qt::PictureBoxView* Picture5 = nullptr;
};

}  // namespace koppelo::ui
