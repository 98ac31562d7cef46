// The Windows bitmap formats the program carries: 24-bit BMP files, icon
// images (colour part plus AND mask), the ICO file and the icon group that
// a resource script lists. Layouts follow the Windows headers field by field.
#pragma once

#include <cstdint>
#include <vector>

#include "byte_writer.h"
#include "image.h"

namespace koppelo::assetgen {

// Bytes per pixel row of a 24-bit bitmap, padded to a multiple of four.
int bmpStride(int width);

// A complete .bmp file: file header, BITMAPINFOHEADER, rows bottom first.
Bytes encodeBmp(const Image& image, std::int32_t pixelsPerMetre);

// One icon image as stored in an ICO file or an RT_ICON resource.
Bytes encodeIconImage(const MaskedImage& image);

struct IconEntry {
    int width;
    int height;
    Bytes image;              // from encodeIconImage
    std::uint16_t resourceId;  // id of its RT_ICON resource
};

// The .ico file: header, one 16-byte entry per image, then the images.
Bytes encodeIco(const std::vector<IconEntry>& entries);

// RT_GROUP_ICON data: the same header, 14-byte entries naming resource ids.
Bytes encodeIconGroup(const std::vector<IconEntry>& entries);

}  // namespace koppelo::assetgen
