// The window icon's two pictures: photo tiles with a one-pixel shadow on a
// transparent ground, one tile at 16 x 16 and two overlapping at 32 x 32.
#pragma once

#include "image.h"

namespace koppelo::assetgen {

inline constexpr int kSmallIconSide = 16;
inline constexpr int kLargeIconSide = 32;
inline constexpr int kSmallTileSide = 13;
inline constexpr int kLargeTileSide = 16;

// tile: a kSmallTileSide square photo.
MaskedImage drawSmallIcon(const Image& tile);

// back, front: kLargeTileSide square photos; front lies below right of back.
MaskedImage drawLargeIcon(const Image& back, const Image& front);

}  // namespace koppelo::assetgen
