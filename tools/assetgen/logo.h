// The About dialog's logo: "Vogel-" over "Koppelo" in rainbow colours on
// white, laid out for the 127 x 71 pixels the dialog shows of it.
#pragma once

#include "image.h"

namespace koppelo::assetgen {

inline constexpr int kLogoWidth = 129;
inline constexpr int kLogoHeight = 72;

Image drawLogo();

}  // namespace koppelo::assetgen
