#include "ico_reader.h"

#include <cstdint>
#include <stdexcept>

namespace koppelo::assets {

namespace {

constexpr qsizetype kDirHeaderSize = 6;
constexpr qsizetype kDirEntrySize = 16;
constexpr qsizetype kInfoHeaderSize = 40;
constexpr std::uint16_t kIconType = 1;
constexpr std::uint16_t kBitsPerPixel = 24;
constexpr int kBytesPerPixel = 3;
constexpr int kMaskAlignBits = 32;
constexpr int kBitsPerByte = 8;
constexpr unsigned kLeftmostBit = 0x80;

class Reader {
public:
    explicit Reader(const QByteArray& bytes) : bytes_(bytes) {}

    std::uint8_t u8(qsizetype at) const
    {
        if (at < 0 || at >= bytes_.size())
            throw std::runtime_error("icon file is truncated");
        return static_cast<std::uint8_t>(bytes_[at]);
    }
    std::uint16_t u16(qsizetype at) const { return static_cast<std::uint16_t>(u8(at) | (u8(at + 1) << kBitsPerByte)); }
    std::uint32_t u32(qsizetype at) const { return u16(at) | (std::uint32_t{u16(at + 2)} << (2 * kBitsPerByte)); }

private:
    const QByteArray& bytes_;
};

QImage readImage(const Reader& in, qsizetype at)
{
    if (in.u32(at) != kInfoHeaderSize)
        throw std::runtime_error("icon image lacks a BITMAPINFOHEADER");
    const int width = static_cast<int>(in.u32(at + 4));
    const int height = static_cast<int>(in.u32(at + 8)) / 2;  // colour part and mask
    if (in.u16(at + 14) != kBitsPerPixel || width <= 0 || height <= 0)
        throw std::runtime_error("only 24-bit icon images are supported");

    const qsizetype colourStride = (width * kBytesPerPixel + 3) / 4 * 4;
    const qsizetype maskStride = (width + kMaskAlignBits - 1) / kMaskAlignBits * kMaskAlignBits / kBitsPerByte;
    const qsizetype colourAt = at + kInfoHeaderSize;
    const qsizetype maskAt = colourAt + colourStride * height;

    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        const int storedRow = height - 1 - y;  // bottom row first
        for (int x = 0; x < width; ++x) {
            const qsizetype pixel = colourAt + storedRow * colourStride + x * kBytesPerPixel;
            const std::uint8_t maskByte = in.u8(maskAt + storedRow * maskStride + x / kBitsPerByte);
            const bool transparent = (maskByte & (kLeftmostBit >> (x % kBitsPerByte))) != 0;
            image.setPixel(x, y, transparent ? qRgba(0, 0, 0, 0)
                                             : qRgb(in.u8(pixel + 2), in.u8(pixel + 1), in.u8(pixel)));
        }
    }
    return image;
}

}  // namespace

std::vector<QImage> readIco(const QByteArray& file)
{
    const Reader in(file);
    if (in.u16(0) != 0 || in.u16(2) != kIconType)
        throw std::runtime_error("not an icon file");
    const int count = in.u16(4);
    std::vector<QImage> images;
    for (int entry = 0; entry < count; ++entry) {
        const qsizetype entryAt = kDirHeaderSize + entry * kDirEntrySize;
        images.push_back(readImage(in, static_cast<qsizetype>(in.u32(entryAt + 12))));
    }
    return images;
}

}  // namespace koppelo::assets
