#include "bitmap_formats.h"

#include <stdexcept>

namespace koppelo::assetgen {

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint16_t kPlanes = 1;
constexpr std::uint16_t kBitsPerPixel = 24;
constexpr std::uint32_t kBytesPerPixel = 3;
constexpr std::uint32_t kUncompressed = 0;  // BI_RGB
constexpr std::uint16_t kIconType = 1;
constexpr std::uint32_t kIconDirHeaderSize = 6;
constexpr std::uint32_t kIconDirEntrySize = 16;
constexpr int kMaskRowAlignBits = 32;
constexpr int kBitsPerByte = 8;
constexpr std::uint8_t kLeftmostBit = 0x80;
constexpr int kLargestIconSide = 256;  // stored as 0 in the one-byte fields

void infoHeader(ByteWriter& out, int width, int storedHeight, std::uint32_t imageSize, std::int32_t pixelsPerMetre)
{
    out.u32le(kInfoHeaderSize);
    out.i32le(width);
    out.i32le(storedHeight);
    out.u16le(kPlanes);
    out.u16le(kBitsPerPixel);
    out.u32le(kUncompressed);
    out.u32le(imageSize);
    out.i32le(pixelsPerMetre);
    out.i32le(pixelsPerMetre);
    out.u32le(0);  // colours used
    out.u32le(0);  // important colours
}

void colourRows(ByteWriter& out, const Image& image)
{
    const int padding = bmpStride(image.width()) - image.width() * static_cast<int>(kBytesPerPixel);
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            const Rgb& pixel = image.at(x, y);
            out.u8(pixel.blue);
            out.u8(pixel.green);
            out.u8(pixel.red);
        }
        out.zeros(static_cast<std::size_t>(padding));
    }
}

std::uint32_t colourPartSize(const Image& image)
{
    return static_cast<std::uint32_t>(bmpStride(image.width())) * static_cast<std::uint32_t>(image.height());
}

std::uint8_t sideByte(int side)
{
    if (side <= 0 || side > kLargestIconSide)
        throw std::invalid_argument("icon side out of range");
    return static_cast<std::uint8_t>(side == kLargestIconSide ? 0 : side);
}

void iconDirHeader(ByteWriter& out, std::size_t count)
{
    out.u16le(0);
    out.u16le(kIconType);
    out.u16le(static_cast<std::uint16_t>(count));
}

void iconEntryCommon(ByteWriter& out, const IconEntry& entry)
{
    out.u8(sideByte(entry.width));
    out.u8(sideByte(entry.height));
    out.u8(0);  // colour count: not palettised
    out.u8(0);  // reserved
    out.u16le(kPlanes);
    out.u16le(kBitsPerPixel);
    out.u32le(static_cast<std::uint32_t>(entry.image.size()));
}

}  // namespace

int bmpStride(int width)
{
    return (width * static_cast<int>(kBytesPerPixel) + 3) / 4 * 4;
}

Bytes encodeBmp(const Image& image, std::int32_t pixelsPerMetre)
{
    const std::uint32_t imageSize = colourPartSize(image);
    const std::uint32_t dataOffset = kFileHeaderSize + kInfoHeaderSize;
    ByteWriter out;
    out.text("BM");
    out.u32le(dataOffset + imageSize);
    out.u16le(0);
    out.u16le(0);
    out.u32le(dataOffset);
    infoHeader(out, image.width(), image.height(), imageSize, pixelsPerMetre);
    colourRows(out, image);
    return out.take();
}

Bytes encodeIconImage(const MaskedImage& image)
{
    const int width = image.colour.width();
    const int height = image.colour.height();
    ByteWriter out;
    // The stored height covers colour part and mask together.
    infoHeader(out, width, 2 * height, colourPartSize(image.colour), 0);
    colourRows(out, image.colour);

    const int maskRowBytes = (width + kMaskRowAlignBits - 1) / kMaskRowAlignBits * kMaskRowAlignBits / kBitsPerByte;
    for (int y = height - 1; y >= 0; --y) {
        Bytes row(static_cast<std::size_t>(maskRowBytes), 0);
        for (int x = 0; x < width; ++x) {
            if (image.isTransparent(x, y))
                row[static_cast<std::size_t>(x / kBitsPerByte)] |= static_cast<std::uint8_t>(kLeftmostBit >> (x % kBitsPerByte));
        }
        out.append(row);
    }
    return out.take();
}

Bytes encodeIco(const std::vector<IconEntry>& entries)
{
    ByteWriter out;
    iconDirHeader(out, entries.size());
    std::uint32_t offset = kIconDirHeaderSize + kIconDirEntrySize * static_cast<std::uint32_t>(entries.size());
    for (const IconEntry& entry : entries) {
        iconEntryCommon(out, entry);
        out.u32le(offset);
        offset += static_cast<std::uint32_t>(entry.image.size());
    }
    for (const IconEntry& entry : entries)
        out.append(entry.image);
    return out.take();
}

Bytes encodeIconGroup(const std::vector<IconEntry>& entries)
{
    ByteWriter out;
    iconDirHeader(out, entries.size());
    for (const IconEntry& entry : entries) {
        iconEntryCommon(out, entry);
        out.u16le(entry.resourceId);
    }
    return out.take();
}

}  // namespace koppelo::assetgen
