#include "bitmap_checks.h"

#include <gtest/gtest.h>

#include "le_bytes.h"

namespace koppelo::assets::test {

namespace {
constexpr qsizetype kPixelDataOffset = 54;
constexpr int kBytesPerPixel = 3;
}  // namespace

void expectBmpLayout(const QByteArray& file, const BmpLayout& expected)
{
    ASSERT_EQ(file.size(), expected.fileSize);
    EXPECT_EQ(file.left(2), QByteArray("BM"));
    EXPECT_EQ(u32At(file, 2), static_cast<std::uint32_t>(expected.fileSize));
    EXPECT_EQ(u16At(file, 6), 0);
    EXPECT_EQ(u16At(file, 8), 0);
    EXPECT_EQ(u32At(file, 10), kPixelDataOffset);

    EXPECT_EQ(u32At(file, 14), 40u);
    EXPECT_EQ(i32At(file, 18), expected.width);
    EXPECT_EQ(i32At(file, 22), expected.height);  // positive: bottom row first
    EXPECT_EQ(u16At(file, 26), 1);                // planes
    EXPECT_EQ(u16At(file, 28), 24);               // bits per pixel
    EXPECT_EQ(u32At(file, 30), 0u);               // BI_RGB
    EXPECT_EQ(u32At(file, 34), static_cast<std::uint32_t>(expected.stride * expected.height));
    EXPECT_EQ(i32At(file, 38), expected.pixelsPerMetre);
    EXPECT_EQ(i32At(file, 42), expected.pixelsPerMetre);
    EXPECT_EQ(u32At(file, 46), 0u);  // colours used
    EXPECT_EQ(u32At(file, 50), 0u);  // important colours
    EXPECT_EQ(kPixelDataOffset + qsizetype{expected.stride} * expected.height, file.size());

    int nonZeroPadding = 0;
    for (int row = 0; row < expected.height; ++row) {
        const qsizetype rowStart = kPixelDataOffset + qsizetype{row} * expected.stride;
        for (qsizetype pad = expected.width * kBytesPerPixel; pad < expected.stride; ++pad)
            nonZeroPadding += u8At(file, rowStart + pad) != 0;
    }
    EXPECT_EQ(nonZeroPadding, 0);
}

}  // namespace koppelo::assets::test
