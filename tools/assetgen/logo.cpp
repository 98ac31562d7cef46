#include "logo.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "pixel_font.h"

namespace koppelo::assetgen {

namespace {

// The dialog's box clips the two right columns and the bottom row.
constexpr int kShownWidth = 127;
constexpr int kShownHeight = 71;

constexpr std::array<std::string_view, 2> kLines{"Vogel-", "Koppelo"};
constexpr int kCellPixels = 3;  // one font cell drawn as a 3 x 3 block
constexpr int kLinePitchCells = kGlyphRows + 1;
constexpr int kShadowOffset = 1;

constexpr Rgb kWhite{255, 255, 255};

// Rainbow stops from left to right; yellow is a warm gold so it still reads on
// white. Colours in between are blended linearly.
constexpr std::array<Rgb, 6> kRainbow{{
    {235, 20, 20},   // red
    {255, 130, 0},   // orange
    {245, 200, 0},   // gold
    {20, 185, 40},   // green
    {20, 110, 245},  // blue
    {150, 40, 220},  // violet
}};
constexpr int kPercent = 100;
constexpr int kShadowShare = 40;  // percent of the fill colour

std::uint8_t channel(int value)
{
    return static_cast<std::uint8_t>(value);
}

std::uint8_t blend(std::uint8_t from, std::uint8_t to, int step, int steps)
{
    return channel(from + (to - from) * step / steps);
}

// position runs from 0 to span over the lettering's width.
Rgb rainbowAt(int position, int span)
{
    const int segments = static_cast<int>(kRainbow.size()) - 1;
    const int scaled = position * segments;
    const int segment = std::min(scaled / span, segments - 1);
    const int step = scaled - segment * span;
    const Rgb& from = kRainbow[static_cast<std::size_t>(segment)];
    const Rgb& to = kRainbow[static_cast<std::size_t>(segment) + 1];
    return {blend(from.red, to.red, step, span), blend(from.green, to.green, step, span),
            blend(from.blue, to.blue, step, span)};
}

Rgb shaded(Rgb colour)
{
    const auto part = [](std::uint8_t c) { return channel(c * kShadowShare / kPercent); };
    return {part(colour.red), part(colour.green), part(colour.blue)};
}

struct Layout {
    int top;
    int widestLeft;
    int widestRight;
};

Layout layout()
{
    int widest = 0;
    for (std::string_view text : kLines)
        widest = std::max(widest, textWidth(text) * kCellPixels);
    const int blockHeight = (static_cast<int>(kLines.size()) * kLinePitchCells - 1) * kCellPixels;
    const int left = (kShownWidth - widest) / 2;
    return {(kShownHeight - blockHeight) / 2, left, left + widest - 1};
}

template <typename Paint>
void forEachInkPixel(const Layout& at, Paint paint)
{
    for (std::size_t line = 0; line < kLines.size(); ++line) {
        const std::string_view text = kLines[line];
        int left = (kShownWidth - textWidth(text) * kCellPixels) / 2;
        const int lineTop = at.top + static_cast<int>(line) * kLinePitchCells * kCellPixels;
        for (char letter : text) {
            const Glyph& glyph = glyphFor(letter);
            for (int row = 0; row < kGlyphRows; ++row) {
                for (int column = 0; column < glyph.width; ++column) {
                    if (glyph.rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] != kInk)
                        continue;
                    for (int dy = 0; dy < kCellPixels; ++dy)
                        for (int dx = 0; dx < kCellPixels; ++dx)
                            paint(left + column * kCellPixels + dx, lineTop + row * kCellPixels + dy);
                }
            }
            left += (glyph.width + kGlyphSpacing) * kCellPixels;
        }
    }
}

}  // namespace

Image drawLogo()
{
    const Layout at = layout();
    const int span = at.widestRight - at.widestLeft;
    const auto fill = [&](int x) { return rainbowAt(std::clamp(x - at.widestLeft, 0, span), span); };

    Image logo(kLogoWidth, kLogoHeight, kWhite);
    // Shadow first, so the letters themselves lie on top of it.
    forEachInkPixel(at, [&](int x, int y) {
        const int sx = x + kShadowOffset;
        const int sy = y + kShadowOffset;
        if (sx < kShownWidth && sy < kShownHeight)
            logo.at(sx, sy) = shaded(fill(sx));
    });
    forEachInkPixel(at, [&](int x, int y) { logo.at(x, y) = fill(x); });
    return logo;
}

}  // namespace koppelo::assetgen
