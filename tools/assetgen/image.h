// The generator's own pixel buffer: 8-bit RGB, top row first. Every asset is
// drawn into one of these before it is written in its file format.
#pragma once

#include <cstdint>
#include <vector>

namespace koppelo::assetgen {

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

class Image {
public:
    Image(int width, int height, Rgb fill = {});

    int width() const { return width_; }
    int height() const { return height_; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    const Rgb& at(int x, int y) const { return pixels_[index(x, y)]; }
    Rgb& at(int x, int y) { return pixels_[index(x, y)]; }

private:
    std::size_t index(int x, int y) const;

    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};

// An icon picture: colour plus a transparency bit per pixel.
struct MaskedImage {
    Image colour;
    std::vector<bool> transparent;  // row-major, top row first

    MaskedImage(int width, int height);
    bool isTransparent(int x, int y) const;
    void setOpaque(int x, int y, Rgb colour);
};

}  // namespace koppelo::assetgen
