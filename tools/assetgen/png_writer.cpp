#include "png_writer.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string_view>

#include "deflate.h"

namespace koppelo::assetgen {

namespace {

constexpr std::array<std::uint8_t, 8> kSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint8_t kBitDepth = 8;
constexpr std::uint8_t kColourTypeRgb = 2;
constexpr std::uint8_t kColourTypeRgba = 6;
constexpr std::uint8_t kFilterNone = 0;
constexpr std::uint8_t kFilterTypes = 5;  // none, sub, up, average, Paeth
constexpr std::uint8_t kOpaque = 0xFF;
constexpr int kRgbaBytes = 4;
constexpr int kRgbBytes = 3;
constexpr std::uint8_t kZlibMethod = 0x78;  // deflate, 32 KiB window
constexpr std::uint8_t kZlibFlags = 0x01;   // makes the header a multiple of 31
constexpr std::size_t kStoredBlockMax = 0xFFFF;
constexpr std::uint8_t kFinalStoredBlock = 0x01;
constexpr std::uint32_t kCrcPolynomial = 0xEDB88320;

std::uint32_t crc32(const Bytes& bytes, std::size_t from)
{
    std::uint32_t crc = 0xFFFFFFFF;
    for (std::size_t i = from; i < bytes.size(); ++i) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? (crc >> 1) ^ kCrcPolynomial : crc >> 1;
    }
    return crc ^ 0xFFFFFFFF;
}

void chunk(ByteWriter& out, std::string_view type, const Bytes& data)
{
    out.u32be(static_cast<std::uint32_t>(data.size()));
    ByteWriter typed;
    typed.text(type);
    typed.append(data);
    out.append(typed.bytes());
    out.u32be(crc32(typed.bytes(), 0));
}

Bytes storedZlib(const Bytes& raw)
{
    ByteWriter out;
    out.u8(kZlibMethod);
    out.u8(kZlibFlags);
    std::size_t offset = 0;
    do {
        const std::size_t length = std::min(kStoredBlockMax, raw.size() - offset);
        const bool last = offset + length == raw.size();
        out.u8(last ? kFinalStoredBlock : 0);
        out.u16le(static_cast<std::uint16_t>(length));
        out.u16le(static_cast<std::uint16_t>(~length));
        out.append(Bytes(raw.begin() + static_cast<std::ptrdiff_t>(offset),
                         raw.begin() + static_cast<std::ptrdiff_t>(offset + length)));
        offset += length;
    } while (offset < raw.size());
    out.u32be(adler32(raw));
    return out.take();
}

std::uint8_t paeth(int left, int up, int upLeft)
{
    const int estimate = left + up - upLeft;
    const int toLeft = std::abs(estimate - left);
    const int toUp = std::abs(estimate - up);
    const int toUpLeft = std::abs(estimate - upLeft);
    if (toLeft <= toUp && toLeft <= toUpLeft)
        return static_cast<std::uint8_t>(left);
    return static_cast<std::uint8_t>(toUp <= toUpLeft ? up : upLeft);
}

// One row behind filter type `type`, with the row above (zeros above the first).
Bytes filtered(std::uint8_t type, const std::uint8_t* row, const std::uint8_t* above, std::ptrdiff_t rowBytes,
               int bytesPerPixel)
{
    Bytes out(static_cast<std::size_t>(rowBytes) + 1);
    out[0] = type;
    for (std::ptrdiff_t i = 0; i < rowBytes; ++i) {
        const int left = i >= bytesPerPixel ? row[i - bytesPerPixel] : 0;
        const int up = above[i];
        const int upLeft = i >= bytesPerPixel ? above[i - bytesPerPixel] : 0;
        const int predicted = type == 1   ? left
                              : type == 2 ? up
                              : type == 3 ? (left + up) / 2
                              : type == 4 ? paeth(left, up, upLeft)
                                          : 0;
        out[static_cast<std::size_t>(i) + 1] = static_cast<std::uint8_t>(row[i] - predicted);
    }
    return out;
}

// The filter whose bytes, read as signed, sum smallest: the usual guess at
// what deflates best; the lower type wins a tie.
Bytes bestFiltered(const std::uint8_t* row, const std::uint8_t* above, std::ptrdiff_t rowBytes, int bytesPerPixel)
{
    Bytes best;
    long bestCost = 0;
    for (std::uint8_t type = 0; type < kFilterTypes; ++type) {
        Bytes candidate = filtered(type, row, above, rowBytes, bytesPerPixel);
        long cost = 0;
        for (std::size_t i = 1; i < candidate.size(); ++i)
            cost += std::abs(static_cast<int>(static_cast<std::int8_t>(candidate[i])));
        if (best.empty() || cost < bestCost) {
            best = std::move(candidate);
            bestCost = cost;
        }
    }
    return best;
}

// pixels: rows top first, bytesPerPixel each, no padding.
Bytes encode(int width, int height, std::uint8_t colourType, int bytesPerPixel, const Bytes& pixels,
             PngPacking packing)
{
    ByteWriter header;
    header.u32be(static_cast<std::uint32_t>(width));
    header.u32be(static_cast<std::uint32_t>(height));
    header.u8(kBitDepth);
    header.u8(colourType);
    header.u8(0);  // compression: deflate
    header.u8(0);  // filter method
    header.u8(0);  // not interlaced

    // Each row behind its filter byte.
    const auto rowBytes = static_cast<std::ptrdiff_t>(width) * bytesPerPixel;
    const Bytes noRow(static_cast<std::size_t>(rowBytes), 0);
    ByteWriter raw;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = pixels.data() + y * rowBytes;
        if (packing == PngPacking::Stored) {
            raw.u8(kFilterNone);
            raw.append(Bytes(row, row + rowBytes));
        } else {
            raw.append(bestFiltered(row, y == 0 ? noRow.data() : row - rowBytes, rowBytes, bytesPerPixel));
        }
    }

    ByteWriter out;
    out.append(Bytes(kSignature.begin(), kSignature.end()));
    chunk(out, "IHDR", header.bytes());
    chunk(out, "IDAT", packing == PngPacking::Stored ? storedZlib(raw.bytes()) : zlibCompress(raw.bytes()));
    chunk(out, "IEND", {});
    return out.take();
}

}  // namespace

Bytes rgbaPixels(const MaskedImage& image)
{
    ByteWriter raw;
    for (int y = 0; y < image.colour.height(); ++y) {
        for (int x = 0; x < image.colour.width(); ++x) {
            const Rgb& pixel = image.colour.at(x, y);
            const bool clear = image.isTransparent(x, y);
            raw.u8(clear ? 0 : pixel.red);
            raw.u8(clear ? 0 : pixel.green);
            raw.u8(clear ? 0 : pixel.blue);
            raw.u8(clear ? 0 : kOpaque);
        }
    }
    return raw.take();
}

Bytes encodePng(const MaskedImage& image, PngPacking packing)
{
    return encode(image.colour.width(), image.colour.height(), kColourTypeRgba, kRgbaBytes, rgbaPixels(image),
                  packing);
}

Bytes encodePng(const Image& image, PngPacking packing)
{
    ByteWriter pixels;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            pixels.u8(image.at(x, y).red);
            pixels.u8(image.at(x, y).green);
            pixels.u8(image.at(x, y).blue);
        }
    }
    return encode(image.width(), image.height(), kColourTypeRgb, kRgbBytes, pixels.bytes(), packing);
}

}  // namespace koppelo::assetgen
