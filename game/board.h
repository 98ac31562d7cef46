// The boxes of the main window as the game rules see them: layout boxes that
// hold the deal, slot boxes that take the clicks, the face sources, the two
// previews, the empty box and the pairs counter. No GUI type lives here.
#pragma once

#include <array>
#include <cstddef>
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

    // The designer's boxes by what they are for.
    const runtime::PictureBox& layoutBox(int slot) const { return Picture1.at(index(slot)); }
    const runtime::PictureBox& faceSource(int face) const { return Picture2.at(index(face)); }
    const runtime::PictureBox& slotBox(int slot) const { return Picture3.at(index(slot)); }
    const runtime::PictureBox& firstPreview() const { return Picture4; }
    const runtime::PictureBox& secondPreview() const { return Picture5; }
    const runtime::PictureBox& emptyBox() const { return Picture6; }
    const runtime::Label& pairsLabel() const { return Label1; }

    friend bool operator==(const Board&, const Board&) = default;

private:
    static std::size_t index(int i) { return static_cast<std::size_t>(i); }
};

}  // namespace koppelo::game
