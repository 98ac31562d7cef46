// The scale the window is about to be drawn at, checked as soon as the
// toolkit knows it: scale settings (QT_SCALE_FACTOR, QT_SCREEN_SCALE_FACTORS,
// QT_FONT_DPI, the X server's Xft.dpi) that would leave the window too small
// to read, larger than any screen, or with no size at all end the program
// with one line, where the window would otherwise never show.
#pragma once

#include <QString>

#include <optional>

namespace koppelo::app {

// devicePixelRatio and logicalDpi: the screen's, as the toolkit reports
// them. settings: the variables that set them, for the message. Returns the
// line to print when no usable window can be shown.
std::optional<QString> unusableScale(double devicePixelRatio, double logicalDpi, const QString& settings);

// Checks the primary screen; needs the application object. Returns the exit
// status when the game cannot be shown.
std::optional<int> refuseUnusableScale();

}  // namespace koppelo::app
