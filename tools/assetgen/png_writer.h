// A minimal PNG writer for the icons and the web page's pictures: RGBA or RGB, stored (uncompressed)
// deflate blocks, so the bytes depend on nothing but the pixels; and the
// same pixels bare, as the window's icon takes them without decoding.
#pragma once

#include "byte_writer.h"
#include "image.h"

namespace koppelo::assetgen {

// Transparent pixels get alpha 0, all others alpha 255.
Bytes encodePng(const MaskedImage& image);

// An opaque picture as RGB, a quarter smaller than with alpha.
Bytes encodePng(const Image& image);

// The pixels alone: red, green, blue and alpha bytes, rows top first with no
// padding; a transparent pixel is four zeros, so the bytes read the same with
// alpha premultiplied or not.
Bytes rgbaPixels(const MaskedImage& image);

}  // namespace koppelo::assetgen
