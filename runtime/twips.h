// Window layouts are kept in twips, 1/1440 inch, and become pixels through
// the screen's density; each coordinate is converted on its own, as a form
// designer's property would be.
#pragma once

namespace koppelo::runtime {

inline constexpr int kTwipsPerInch = 1440;

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Twips to pixels at dotsPerInch, rounded to the nearest pixel, a half away
// from zero (15 twips a pixel at 96 dpi; 1400 twips are 93 pixels).
int twipsToPixels(int twips, double dotsPerInch);

}  // namespace koppelo::runtime
