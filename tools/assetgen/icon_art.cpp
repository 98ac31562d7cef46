#include "icon_art.h"

#include <stdexcept>

namespace koppelo::assetgen {

namespace {

constexpr Rgb kShadow{48, 48, 48};
constexpr int kSmallTileInset = 1;  // tile plus shadow sit centred: 1 + 13 + 1 + 1
constexpr int kLargeBackInset = 4;  // 4 + 7 + 16 + 1 + 4 = 32
constexpr int kLargeFrontStep = 7;  // front tile's offset from the back tile, both ways

// The shadow runs one pixel outside the right and bottom edges, starting one
// pixel in from the tile's corners and leaving the outer corner open, which
// reads as a soft drop shadow at this size.
void drawTile(MaskedImage& icon, const Image& photo, int left, int top)
{
    const int side = photo.width();
    if (photo.height() != side)
        throw std::invalid_argument("icon tiles are square");
    for (int i = 1; i < side; ++i) {
        icon.setOpaque(left + side, top + i, kShadow);
        icon.setOpaque(left + i, top + side, kShadow);
    }
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            icon.setOpaque(left + x, top + y, photo.at(x, y));
}

}  // namespace

MaskedImage drawSmallIcon(const Image& tile)
{
    MaskedImage icon(kSmallIconSide, kSmallIconSide);
    drawTile(icon, tile, kSmallTileInset, kSmallTileInset);
    return icon;
}

MaskedImage drawLargeIcon(const Image& back, const Image& front)
{
    MaskedImage icon(kLargeIconSide, kLargeIconSide);
    drawTile(icon, back, kLargeBackInset, kLargeBackInset);
    drawTile(icon, front, kLargeBackInset + kLargeFrontStep, kLargeBackInset + kLargeFrontStep);
    return icon;
}

}  // namespace koppelo::assetgen
