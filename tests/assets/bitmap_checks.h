// Shared checks of the 24-bit BMP layout used by every face and the logo.
#pragma once

#include <QByteArray>

#include <cstdint>

namespace koppelo::assets::test {

struct BmpLayout {
    int width;
    int height;
    int stride;
    int fileSize;
    std::int32_t pixelsPerMetre;
};

// Every header field, the row padding and the file length, as gtest failures.
void expectBmpLayout(const QByteArray& file, const BmpLayout& expected);

}  // namespace koppelo::assets::test
