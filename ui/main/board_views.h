// The views that keyboard play follows, as the window built them: both
// boxes of every slot.
#pragma once

#include <array>

#include "game/board.h"
#include "runtime/qt/picture_box_view.h"

namespace koppelo::ui {

struct BoardViews {
    std::array<runtime::qt::PictureBoxView*, game::kSlots> Picture1{};
    std::array<runtime::qt::PictureBoxView*, game::kSlots> Picture3{};
};

}  // namespace koppelo::ui
