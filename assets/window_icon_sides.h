// The sides of the window icon the program hands the window manager: the
// title bar's 16, the task bar's 32 and a window switcher's 48. A dock or an
// app grid that wants more takes the desktop's installed icons. The generator
// writes these sides as bare pixels and the program embeds them by the same
// names. Plain C++: the generator shares it.
#pragma once

#include <array>
#include <string>

namespace koppelo::assets {

inline constexpr std::array<int, 3> kWindowIconSides{16, 32, 48};

// Red, green, blue and alpha bytes a pixel, rows top first.
inline constexpr int kWindowIconPixelBytes = 4;

inline std::string windowIconFileName(int side) { return "icons/koppelo-" + std::to_string(side) + ".rgba"; }

}  // namespace koppelo::assets
