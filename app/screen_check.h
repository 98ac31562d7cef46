// The screen the window is about to be drawn on, checked as soon as the
// toolkit knows it: scale settings (QT_SCALE_FACTOR, QT_SCREEN_SCALE_FACTORS,
// QT_FONT_DPI, QT_ENABLE_HIGHDPI_SCALING, the X server's Xft.dpi) that would
// leave the window too small to read, larger than any screen, with no size at
// all or with its layout rounded out of shape, and a screen of too few colours
// for the toolkit to paint on, end the program with one line where the window
// would otherwise never show or show broken.
#pragma once

#include <QString>

#include <optional>

namespace koppelo::app {

// devicePixelRatio and logicalDpi: the screen's, as the toolkit reports
// them. settings: the variables that set them, for the message. Returns the
// line to print when no usable window can be shown.
std::optional<QString> unusableScale(double devicePixelRatio, double logicalDpi, const QString& settings);

// bitsPerPixel: the screen's colour depth. Returns the line to print when
// the toolkit cannot paint in it.
std::optional<QString> unusableDepth(int bitsPerPixel);

// Checks the primary screen; needs the application object. Returns the exit
// status when the game cannot be shown.
std::optional<int> refuseUnusableScreen();

}  // namespace koppelo::app
