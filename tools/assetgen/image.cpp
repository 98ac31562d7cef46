#include "image.h"

#include <stdexcept>

namespace koppelo::assetgen {

Image::Image(int width, int height, Rgb fill)
    : width_(width), height_(height)
{
    if (width <= 0 || height <= 0)
        throw std::invalid_argument("image size must be positive");
    pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
}

std::size_t Image::index(int x, int y) const
{
    if (!contains(x, y))
        throw std::out_of_range("pixel outside the image");
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
}

MaskedImage::MaskedImage(int width, int height)
    : colour(width, height),
      transparent(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), true)
{
}

bool MaskedImage::isTransparent(int x, int y) const
{
    colour.at(x, y);  // bounds check
    return transparent[static_cast<std::size_t>(y) * static_cast<std::size_t>(colour.width()) + static_cast<std::size_t>(x)];
}

void MaskedImage::setOpaque(int x, int y, Rgb rgb)
{
    colour.at(x, y) = rgb;
    transparent[static_cast<std::size_t>(y) * static_cast<std::size_t>(colour.width()) + static_cast<std::size_t>(x)] = false;
}

}  // namespace koppelo::assetgen
