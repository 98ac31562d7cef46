// A minimal PNG writer for the desktop icons: RGBA, stored (uncompressed)
// deflate blocks, so the bytes depend on nothing but the pixels.
#pragma once

#include "byte_writer.h"
#include "image.h"

namespace koppelo::assetgen {

// Transparent pixels get alpha 0, all others alpha 255.
Bytes encodePng(const MaskedImage& image);

}  // namespace koppelo::assetgen
