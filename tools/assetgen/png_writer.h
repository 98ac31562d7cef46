// A minimal PNG writer for the icons and the web page's pictures, RGBA or
// RGB, whose bytes depend on nothing but the pixels; and the same pixels
// bare, as the window's icon takes them without decoding.
#pragma once

#include "byte_writer.h"
#include "image.h"

namespace koppelo::assetgen {

// Stored: unfiltered rows in uncompressed deflate blocks, as the desktop's
// committed icons are. Deflated: filtered rows, compressed by our own deflate.
enum class PngPacking { Stored, Deflated };

// Transparent pixels get alpha 0, all others alpha 255.
Bytes encodePng(const MaskedImage& image, PngPacking packing = PngPacking::Stored);

// An opaque picture as RGB, a quarter smaller than with alpha.
Bytes encodePng(const Image& image, PngPacking packing = PngPacking::Stored);

// The pixels alone: red, green, blue and alpha bytes, rows top first with no
// padding; a transparent pixel is four zeros, so the bytes read the same with
// alpha premultiplied or not.
Bytes rgbaPixels(const MaskedImage& image);

}  // namespace koppelo::assetgen
