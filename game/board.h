// The boxes of the main window as the game rules see them: layout boxes that
// hold the deal, slot boxes that take the clicks, the face sources, the two
// previews, the empty box and the pairs counter. No GUI type lives here.
#pragma once

#include <array>
#include <cstdint>

#include "runtime/label.h"
#include "runtime/picture_box.h"

namespace koppelo::game {

inline constexpr int kColumns = 6;
inline constexpr int kSlots = 36;
inline constexpr int kFaces = 18;
inline constexpr int kPairs = 18;
inline constexpr std::int16_t kFirstSlot = 0;
inline constexpr std::int16_t kLastSlot = kSlots - 1;

struct Board {
    std::array<runtime::PictureBox, kSlots> Picture1;  // layout box of each slot
    std::array<runtime::PictureBox, kFaces> Picture2;  // source box of each face
    std::array<runtime::PictureBox, kSlots> Picture3;  // slot box, over the layout box
    runtime::PictureBox Picture4;                      // first preview
    runtime::PictureBox Picture5;                      // second preview
    runtime::PictureBox Picture6;                      // never holds a picture
    runtime::Label Label1{"0"};                        // pairs found
};

}  // namespace koppelo::game
