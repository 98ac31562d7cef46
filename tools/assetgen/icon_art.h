// The icon pictures: photo tiles with a dark drop shadow on a transparent
// ground. One tile makes the 16 x 16 window icon; two overlapping tiles make
// the 32 x 32 window icon and, drawn to the same proportions, the launcher's
// larger icons.
#pragma once

#include <array>
#include <string_view>

#include "image.h"

namespace koppelo::assetgen {

inline constexpr int kSmallIconSide = 16;
inline constexpr int kLargeIconSide = 32;
inline constexpr int kSmallTileSide = 13;

// The photographs of the tiles, by their stems in assets/source/: the front
// one also makes the small icon.
inline constexpr std::string_view kIconBackBird = "macaw";
inline constexpr std::string_view kIconFrontBird = "kingfisher";

// Sizes a desktop's launcher and app grid ask for beyond the window icon's.
inline constexpr std::array<int, 4> kLauncherIconSides{48, 64, 128, 256};

// Each tile of the two-tile icon spans half the icon's side.
constexpr int pairTileSide(int iconSide) { return iconSide / 2; }

// tile: a kSmallTileSide square photo.
MaskedImage drawSmallIcon(const Image& tile);

// side: a multiple of 8 from 32 up. back, front: pairTileSide(side) square
// photos; front lies below right of back.
MaskedImage drawPairIcon(int side, const Image& back, const Image& front);

// The same from the whole photographs, each shrunk to a tile.
MaskedImage pairIcon(int side, const Image& backPhoto, const Image& frontPhoto);

}  // namespace koppelo::assetgen
