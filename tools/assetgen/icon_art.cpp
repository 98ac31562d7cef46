#include "icon_art.h"

#include <stdexcept>

#include "box_scale.h"

namespace koppelo::assetgen {

namespace {

constexpr Rgb kShadow{48, 48, 48};
constexpr int kSmallTileInset = 1;  // tile plus shadow sit centred: 1 + 13 + 1 + 1
constexpr int kSmallShadow = 1;

// The two-tile icon in units of its side, so every size keeps the 32 x 32
// picture's look: inset 4, tile 16, step 7, shadow 1, inset 4.
constexpr int kPairInsetDivisor = 8;
constexpr int kPairShadowUnit = 32;  // one shadow pixel per 32 pixels of side
constexpr int kPairReachDivisor = 4;  // front tile's step plus shadow

int pairShadow(int side) { return (side + kPairShadowUnit - 1) / kPairShadowUnit; }

// The shadow runs along the right and bottom edges, starting as far in from
// the tile's corners as it is thick and leaving the outer corner open, which
// reads as a soft drop shadow.
void drawTile(MaskedImage& icon, const Image& photo, int left, int top, int shadow)
{
    const int side = photo.width();
    if (photo.height() != side)
        throw std::invalid_argument("icon tiles are square");
    for (int depth = 0; depth < shadow; ++depth) {
        for (int i = shadow; i < side; ++i) {
            icon.setOpaque(left + side + depth, top + i, kShadow);
            icon.setOpaque(left + i, top + side + depth, kShadow);
        }
    }
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            icon.setOpaque(left + x, top + y, photo.at(x, y));
}

}  // namespace

MaskedImage drawSmallIcon(const Image& tile)
{
    MaskedImage icon(kSmallIconSide, kSmallIconSide);
    drawTile(icon, tile, kSmallTileInset, kSmallTileInset, kSmallShadow);
    return icon;
}

MaskedImage drawPairIcon(int side, const Image& back, const Image& front)
{
    if (side < kLargeIconSide || side % kPairInsetDivisor != 0)
        throw std::invalid_argument("the two-tile icon needs a side that is a multiple of 8 from 32 up");
    if (back.width() != pairTileSide(side) || front.width() != pairTileSide(side))
        throw std::invalid_argument("the tiles must span half the icon");
    const int inset = side / kPairInsetDivisor;
    const int shadow = pairShadow(side);
    const int step = side / kPairReachDivisor - shadow;
    MaskedImage icon(side, side);
    drawTile(icon, back, inset, inset, shadow);
    drawTile(icon, front, inset + step, inset + step, shadow);
    return icon;
}

MaskedImage pairIcon(int side, const Image& backPhoto, const Image& frontPhoto)
{
    const int tile = pairTileSide(side);
    return drawPairIcon(side, boxScale(backPhoto, tile, tile), boxScale(frontPhoto, tile, tile));
}

}  // namespace koppelo::assetgen
