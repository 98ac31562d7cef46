// The window icon as embedded: the ICO layout field by field, the masks, and
// that the icon the window gets and the desktop PNGs show the same pixels.
#include <gtest/gtest.h>

#include <QIcon>
#include <QImage>
#include <QPixmap>

#include <array>
#include <cstdint>

#include "assets/assets.h"
#include "assets/ico_reader.h"
#include "gui_application.h"
#include "le_bytes.h"

namespace koppelo::assets::test {
namespace {

struct ExpectedIconImage {
    int side;
    std::uint32_t bytes;
    std::uint32_t offset;
    std::uint32_t colourBytes;
    int maskRowBytes;
    int transparentPixels;
    File png;
};

constexpr std::array<ExpectedIconImage, 2> kIconImages{{
    {16, 872, 38, 768, 4, 63, File::IconPng16},
    {32, 3240, 910, 3072, 4, 551, File::IconPng32},
}};
constexpr qsizetype kIcoFileSize = 4150;
constexpr qsizetype kInfoHeaderSize = 40;
constexpr int kBytesPerPixel = 3;

TEST(EmbeddedWindowIcon, HeaderAndDirectoryEntries)
{
    const QByteArray ico = embeddedFile(File::WindowIcon);
    ASSERT_EQ(ico.size(), kIcoFileSize);
    EXPECT_EQ(u16At(ico, 0), 0);  // reserved
    EXPECT_EQ(u16At(ico, 2), 1);  // icon, not cursor
    EXPECT_EQ(u16At(ico, 4), kIconImages.size());
    for (std::size_t i = 0; i < kIconImages.size(); ++i) {
        SCOPED_TRACE("entry " + std::to_string(i + 1));
        const ExpectedIconImage& expected = kIconImages[i];
        const qsizetype entry = 6 + 16 * static_cast<qsizetype>(i);
        EXPECT_EQ(u8At(ico, entry), expected.side);
        EXPECT_EQ(u8At(ico, entry + 1), expected.side);
        EXPECT_EQ(u8At(ico, entry + 2), 0);  // colour count
        EXPECT_EQ(u8At(ico, entry + 3), 0);  // reserved
        EXPECT_EQ(u16At(ico, entry + 4), 1);  // planes
        EXPECT_EQ(u16At(ico, entry + 6), 24);
        EXPECT_EQ(u32At(ico, entry + 8), expected.bytes);
        EXPECT_EQ(u32At(ico, entry + 12), expected.offset);
    }
    EXPECT_EQ(kIconImages.back().offset + kIconImages.back().bytes, static_cast<std::uint32_t>(ico.size()));
}

TEST(EmbeddedWindowIcon, ImagesCarryHeaderColourAndMask)
{
    const QByteArray ico = embeddedFile(File::WindowIcon);
    for (const ExpectedIconImage& expected : kIconImages) {
        SCOPED_TRACE("side " + std::to_string(expected.side));
        const qsizetype at = expected.offset;
        EXPECT_EQ(u32At(ico, at), static_cast<std::uint32_t>(kInfoHeaderSize));
        EXPECT_EQ(i32At(ico, at + 4), expected.side);
        EXPECT_EQ(i32At(ico, at + 8), 2 * expected.side);  // colour part and mask
        EXPECT_EQ(u16At(ico, at + 12), 1);
        EXPECT_EQ(u16At(ico, at + 14), 24);
        EXPECT_EQ(u32At(ico, at + 16), 0u);
        EXPECT_EQ(u32At(ico, at + 20), expected.colourBytes);
        EXPECT_EQ(i32At(ico, at + 24), 0);
        EXPECT_EQ(i32At(ico, at + 28), 0);
        EXPECT_EQ(u32At(ico, at + 32), 0u);
        EXPECT_EQ(u32At(ico, at + 36), 0u);

        const qsizetype colour = at + kInfoHeaderSize;
        const qsizetype mask = colour + expected.colourBytes;
        EXPECT_EQ(mask + qsizetype{expected.maskRowBytes} * expected.side, at + qsizetype{expected.bytes});

        int transparent = 0;
        int transparentNotBlack = 0;
        int paddingBitsSet = 0;
        for (int row = 0; row < expected.side; ++row) {
            for (int bit = 0; bit < expected.maskRowBytes * 8; ++bit) {
                const std::uint8_t byte = u8At(ico, mask + qsizetype{row} * expected.maskRowBytes + bit / 8);
                const bool set = (byte & (0x80 >> (bit % 8))) != 0;
                if (bit >= expected.side) {
                    paddingBitsSet += set;
                    continue;
                }
                if (!set)
                    continue;
                ++transparent;
                const qsizetype pixel = colour + qsizetype{row} * expected.side * kBytesPerPixel + bit * kBytesPerPixel;
                transparentNotBlack += u8At(ico, pixel) != 0 || u8At(ico, pixel + 1) != 0 || u8At(ico, pixel + 2) != 0;
            }
        }
        EXPECT_EQ(transparent, expected.transparentPixels);
        EXPECT_EQ(transparentNotBlack, 0);
        EXPECT_EQ(paddingBitsSet, 0);
    }
}

// What the window shows, what the desktop gets and what the ICO holds agree
// pixel for pixel, transparency included.
TEST(EmbeddedWindowIcon, ReaderPngsAndWindowIconAgree)
{
    ensureGuiApplication();
    const std::vector<QImage> images = readIco(embeddedFile(File::WindowIcon));
    ASSERT_EQ(images.size(), kIconImages.size());
    const QIcon icon = windowIcon();
    const QList<QSize> sizes = icon.availableSizes();

    for (std::size_t i = 0; i < kIconImages.size(); ++i) {
        const ExpectedIconImage& expected = kIconImages[i];
        SCOPED_TRACE("side " + std::to_string(expected.side));
        const QImage& fromIco = images[i];
        ASSERT_EQ(fromIco.size(), QSize(expected.side, expected.side));

        int clear = 0;
        for (int y = 0; y < expected.side; ++y)
            for (int x = 0; x < expected.side; ++x)
                clear += qAlpha(fromIco.pixel(x, y)) == 0;
        EXPECT_EQ(clear, expected.transparentPixels);

        const QImage png = QImage::fromData(embeddedFile(expected.png), "PNG").convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(png, fromIco);

        EXPECT_TRUE(sizes.contains(QSize(expected.side, expected.side)));
        const QImage shown = icon.pixmap(QSize(expected.side, expected.side)).toImage().convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(shown, fromIco);
    }
}

TEST(IcoReader, RejectsWhatIsNotAnIcon)
{
    EXPECT_THROW(readIco(embeddedFile(File::Logo)), std::runtime_error);
    EXPECT_THROW(readIco(embeddedFile(File::WindowIcon).left(100)), std::runtime_error);
}

}  // namespace
}  // namespace koppelo::assets::test
