#include "pixel_font.h"

#include <stdexcept>
#include <string>

namespace koppelo::assetgen {

namespace {

constexpr std::array<Glyph, 8> kFont{{
    {'V', 5, {"#...#", "#...#", "#...#", "#...#", ".#.#.", ".#.#.", "..#..", ".....", "....."}},
    {'K', 5, {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#", ".....", "....."}},
    {'o', 5, {".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###.", ".....", "....."}},
    {'g', 5, {".....", ".....", ".####", "#...#", "#...#", ".####", "....#", "....#", ".###."}},
    {'e', 5, {".....", ".....", ".###.", "#...#", "#####", "#....", ".###.", ".....", "....."}},
    {'l', 3, {"##.", ".#.", ".#.", ".#.", ".#.", ".#.", ".##", "...", "..."}},
    {'p', 5, {".....", ".....", "####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {'-', 4, {"....", "....", "....", "....", "####", "....", "....", "....", "...."}},
}};

}  // namespace

const Glyph& glyphFor(char letter)
{
    for (const Glyph& glyph : kFont) {
        if (glyph.letter == letter)
            return glyph;
    }
    throw std::invalid_argument(std::string("no glyph for '") + letter + "'");
}

int textWidth(std::string_view text)
{
    int width = 0;
    for (char letter : text)
        width += glyphFor(letter).width + kGlyphSpacing;
    return text.empty() ? 0 : width - kGlyphSpacing;
}

}  // namespace koppelo::assetgen
