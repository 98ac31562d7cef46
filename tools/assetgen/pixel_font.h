// The logo's lettering: a small hand-made pixel font, so the logo looks the
// same wherever it is generated (no system fonts). Only the letters the logo
// spells are defined.
#pragma once

#include <array>
#include <string_view>

namespace koppelo::assetgen {

// Rows 0-6 stand on the baseline; rows 7-8 hold descenders.
inline constexpr int kGlyphRows = 9;
inline constexpr int kGlyphSpacing = 1;  // empty cells between two letters
inline constexpr char kInk = '#';

struct Glyph {
    char letter;
    int width;  // in font cells
    std::array<std::string_view, kGlyphRows> rows;
};

// Throws std::invalid_argument for a letter the font lacks.
const Glyph& glyphFor(char letter);

// Width of a word in cells, spacing included.
int textWidth(std::string_view text);

}  // namespace koppelo::assetgen
