// Downscaling by area averaging, in integers only, so a face comes out
// identical on every machine (no floating point, no SIMD-dependent paths).
#pragma once

#include "image.h"

namespace koppelo::assetgen {

// Each target pixel is the exact area-weighted mean of the source pixels it
// covers, rounded to nearest. Works for any sizes; meant for shrinking.
Image boxScale(const Image& source, int width, int height);

}  // namespace koppelo::assetgen
