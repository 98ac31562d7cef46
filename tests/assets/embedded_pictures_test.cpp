// The embedded bitmaps and window icon read from their bytes: every header field, and what their pixels show;
// the faces as the game receives them and the launcher's icons beside them.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QRect>

#include <array>
#include <cstdint>
#include <set>
#include <string>

#include "assets/assets.h"
#include "le_bytes.h"
#include "runtime/qt/qt_picture.h"

namespace koppelo::assets::test {
namespace {

constexpr qsizetype kFileHeaderSize = 14, kInfoHeaderSize = 40, kPixelDataOffset = kFileHeaderSize + kInfoHeaderSize;
constexpr int kBytesPerPixel = 3;

struct Bitmap {
    int width, height, stride, fileSize;
};
constexpr std::array<Bitmap, kFaceCount> kFaceBitmaps{{
    {92, 91, 276, 25170}, {92, 92, 276, 25446}, {92, 90, 276, 24894}, {92, 92, 276, 25446}, {92, 90, 276, 24894},
    {92, 90, 276, 24894}, {90, 91, 272, 24806}, {91, 91, 276, 25170}, {92, 92, 276, 25446}, {90, 92, 272, 25078},
    {91, 92, 276, 25446}, {93, 91, 280, 25534}, {93, 91, 280, 25534}, {92, 90, 276, 24894}, {92, 92, 276, 25446},
    {93, 92, 280, 25814}, {92, 91, 276, 25170}, {90, 90, 272, 24534},
}};
constexpr Bitmap kLogoBitmap{129, 72, 388, 27990};
constexpr std::int32_t kFacePixelsPerMetre = 2952, kLogoPixelsPerMetre = 3780;
constexpr int kLogoShownWidth = 127, kLogoShownHeight = 71;  // as much of the logo as the About dialog shows

// The info header of the bitmaps and the icon's images: size, width, height, planes,
// bits per pixel, no compression, image size, resolution across and down, no palette.
void expectInfoHeader(const QByteArray& file, qsizetype at, int width, int height, std::uint32_t imageSize,
                      std::int32_t pixelsPerMetre)
{
    const std::array<std::int64_t, 11> expected{kInfoHeaderSize, width, height, 1, 24, 0, imageSize, pixelsPerMetre,
                                                pixelsPerMetre, 0, 0};
    // Read unsigned, so a negative height (top row first) cannot match.
    EXPECT_EQ(fieldsAt(file, at, std::array{4, 4, 4, 2, 2, 4, 4, 4, 4, 4, 4}), expected);
}

void expectBitmap(const QByteArray& file, const Bitmap& expected, std::int32_t pixelsPerMetre)
{
    ASSERT_EQ(file.size(), expected.fileSize);
    EXPECT_EQ(file.left(2), QByteArray("BM"));
    // File size, reserved, where the pixels start.
    EXPECT_EQ(fieldsAt(file, 2, std::array{4, 4, 4}), (std::array<std::int64_t, 3>{expected.fileSize, 0, kPixelDataOffset}));
    expectInfoHeader(file, kFileHeaderSize, expected.width, expected.height,
                     static_cast<std::uint32_t>(expected.stride * expected.height), pixelsPerMetre);
    int nonZeroPadding = 0;
    for (int row = 0; row < expected.height; ++row)
        for (int pad = expected.width * kBytesPerPixel; pad < expected.stride; ++pad)
            nonZeroPadding += u8At(file, kPixelDataOffset + qsizetype{row} * expected.stride + pad) != 0;
    EXPECT_EQ(nonZeroPadding, 0);
}

TEST(EmbeddedBitmaps, FacesAndLogoHaveTheirLayoutAndTheFacesDiffer)
{
    for (std::size_t face = 0; face < kFaceCount; ++face) {
        SCOPED_TRACE("face " + std::to_string(face));
        expectBitmap(embeddedFace(face), kFaceBitmaps[face], kFacePixelsPerMetre);
        for (std::size_t other = face + 1; other < kFaceCount; ++other)
            EXPECT_NE(embeddedFace(face).mid(kPixelDataOffset), embeddedFace(other).mid(kPixelDataOffset))
                << "same pixels as face " << other;
    }
    SCOPED_TRACE("logo");
    expectBitmap(embeddedFile(File::Logo), kLogoBitmap, kLogoPixelsPerMetre);
    EXPECT_EQ(aboutLogo().size(), QSize(kLogoBitmap.width, kLogoBitmap.height));
}

// Each face is its whole photograph, upright, colours in their channels.
TEST(EmbeddedFaces, ShowTheirWholePhotographUpright)
{
    constexpr int kGrid = 4;
    constexpr int kTolerance = 12;
    const auto coarse = [](const QImage& image) {
        return image.convertToFormat(QImage::Format_RGB32)
            .scaled(kGrid, kGrid, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    };
    for (std::size_t face = 0; face < kFaceCount; ++face) {
        const QString photo =
            QStringLiteral(KOPPELO_ASSETS_DIR "/source/") + QString::fromUtf8(kFaceCatalogue[face].bird) + ".png";
        const QImage expected = coarse(QImage(photo));
        const QImage actual = coarse(QImage::fromData(embeddedFace(face), "BMP"));
        ASSERT_FALSE(expected.isNull() || actual.isNull()) << photo.toStdString();
        for (int cell = 0; cell < kGrid * kGrid; ++cell) {
            const QRgb e = expected.pixel(cell % kGrid, cell / kGrid), a = actual.pixel(cell % kGrid, cell / kGrid);
            for (const int shift : {16, 8, 0})  // red, green, blue
                EXPECT_NEAR((e >> shift) & 0xFF, (a >> shift) & 0xFF, kTolerance) << "face " << face << " cell " << cell;
        }
    }
}

// Lettering in red, green and blue on white, covering a good part of the shown area, not most.
TEST(EmbeddedLogo, LetteringIsColourfulAndInsideTheShownArea)
{
    const QImage logo = aboutLogo().convertToFormat(QImage::Format_RGB32);
    int inkShown = 0, inkHidden = 0;
    std::array<int, 3> leading{};  // pixels where red, green or blue is the strongest
    for (int y = 0; y < logo.height(); ++y)
        for (int x = 0; x < logo.width(); ++x) {
            const QRgb pixel = logo.pixel(x, y);
            if (pixel == qRgb(255, 255, 255))
                continue;
            (x < kLogoShownWidth && y < kLogoShownHeight ? inkShown : inkHidden) += 1;
            const std::array<int, 3> rgb{qRed(pixel), qGreen(pixel), qBlue(pixel)};
            for (std::size_t c = 0; c < rgb.size(); ++c)
                leading[c] += rgb[c] > rgb[(c + 1) % 3] && rgb[c] > rgb[(c + 2) % 3];
        }
    EXPECT_EQ(inkHidden, 0);
    EXPECT_GT(inkShown, kLogoShownWidth * kLogoShownHeight / 8);
    EXPECT_LT(inkShown, kLogoShownWidth * kLogoShownHeight / 2);
    for (const int count : leading)
        EXPECT_GT(count, 0);
}

struct IconImage {
    int side;
    std::uint32_t bytes, offset;
    int transparent;
};
constexpr std::array<IconImage, 2> kIconImages{{{16, 872, 38, 63}, {32, 3240, 910, 551}}};

QImage desktopIcon(int side)
{
    return QImage(QStringLiteral(KOPPELO_ASSETS_DIR "/icons/koppelo-%1.png").arg(side)).convertToFormat(QImage::Format_ARGB32);
}
constexpr qsizetype kIcoFileSize = 4150;
constexpr int kMaskRowBytes = 4;  // both widths pad their mask rows to 32 bits

// Field by field and bit by bit; its images, masked, are the desktop's pixel for pixel.
TEST(EmbeddedWindowIcon, LayoutMasksAndEveryCopyOfItsImages)
{
    QByteArray ico = embeddedFile(File::WindowIcon);  // not const, for the buffer
    ASSERT_EQ(ico.size(), kIcoFileSize);
    // Reserved, an icon and not a cursor, its image count.
    EXPECT_EQ(fieldsAt(ico, 0, std::array{2, 2, 2}), (std::array<std::int64_t, 3>{0, 1, kIconImages.size()}));
    QBuffer file(&ico);
    file.open(QIODevice::ReadOnly);
    QImageReader reader(&file, "ICO");
    ASSERT_EQ(reader.imageCount(), static_cast<int>(kIconImages.size()));
    for (std::size_t i = 0; i < kIconImages.size(); ++i) {
        const IconImage& expected = kIconImages[i];
        const int side = expected.side;
        SCOPED_TRACE("side " + std::to_string(side));
        const qsizetype entry = 6 + 16 * static_cast<qsizetype>(i);
        // Width, height, no palette, planes, bits per pixel, size, offset.
        EXPECT_EQ(fieldsAt(ico, entry, std::array{1, 1, 2, 2, 2, 4, 4}),
                  (std::array<std::int64_t, 7>{side, side, 0, 1, 24, expected.bytes, expected.offset}));
        // Rows of 16 and 32 pixels need no padding; the height counts colour part and mask.
        const auto colourBytes = static_cast<std::uint32_t>(side * side * kBytesPerPixel);
        expectInfoHeader(ico, expected.offset, side, 2 * side, colourBytes, 0);

        // Qt's ICO plugin reads the colours of a 24-bit image but leaves its AND mask unapplied.
        ASSERT_TRUE(reader.jumpToImage(static_cast<int>(i)));
        QImage fromIco = reader.read().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(fromIco.size(), QSize(side, side));
        const qsizetype colour = expected.offset + kInfoHeaderSize, mask = colour + colourBytes;
        int transparent = 0, transparentNotBlack = 0, paddingBitsSet = 0;
        for (int row = 0; row < side; ++row) {  // the bottom row first
            for (int bit = 0; bit < kMaskRowBytes * 8; ++bit) {
                const bool set = (u8At(ico, mask + qsizetype{row} * kMaskRowBytes + bit / 8) & (0x80 >> (bit % 8))) != 0;
                if (bit >= side) {
                    paddingBitsSet += set;
                    continue;
                }
                transparent += set;
                if (set)
                    fromIco.setPixel(bit, side - 1 - row, qRgba(0, 0, 0, 0));
                const qsizetype pixel = colour + (qsizetype{row} * side + bit) * kBytesPerPixel;
                transparentNotBlack += set && (u8At(ico, pixel) | u8At(ico, pixel + 1) | u8At(ico, pixel + 2)) != 0;
            }
        }
        EXPECT_EQ(transparent, expected.transparent);
        EXPECT_EQ(transparentNotBlack, 0);
        EXPECT_EQ(paddingBitsSet, 0);
        EXPECT_EQ(desktopIcon(side), fromIco);  // and so the window's, below
    }
}

// The window manager is offered each side, no other, as the desktop's icon.
TEST(EmbeddedWindowIcon, OffersItsSidesAsTheDesktopDrawsThem)
{
    const QIcon icon = windowIcon();
    QList<QSize> sides;
    for (const int side : kWindowIconSides)
        sides.append(QSize(side, side));
    EXPECT_EQ(icon.availableSizes(), sides);
    for (const int side : kWindowIconSides) {
        SCOPED_TRACE("side " + std::to_string(side));
        const QImage shown = icon.pixmap(QSize(side, side)).toImage();
        ASSERT_EQ(shown.size(), QSize(side, side));
        EXPECT_EQ(shown.convertToFormat(QImage::Format_ARGB32), desktopIcon(side));
    }
}

constexpr int kDesignSide = 32;

bool opaque(const QImage& icon, int x, int y) { return qAlpha(icon.pixel(x, y)) != 0; }

// The launcher's icons draw the 32 x 32 window icon's design scaled to their size, on a transparent ground.
TEST(LauncherIcons, DrawTheWindowIconsDesignAtEachSize)
{
    const QImage design = desktopIcon(kDesignSide);
    ASSERT_EQ(design.size(), QSize(kDesignSide, kDesignSide));
    for (const int side : {48, 64, 128, 256}) {
        SCOPED_TRACE("side " + std::to_string(side));
        const QImage icon = desktopIcon(side);
        ASSERT_EQ(icon.size(), QSize(side, side));
        QRect drawn;
        int halfTransparent = 0, offDesign = 0;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                const int alpha = qAlpha(icon.pixel(x, y));
                halfTransparent += alpha != 0 && alpha != 255;
                if (alpha != 0)
                    drawn |= QRect(x, y, 1, 1);
                // At whole multiples every design pixel becomes a square block.
                if (side % kDesignSide == 0)
                    offDesign += opaque(icon, x, y) != opaque(design, x * kDesignSide / side, y * kDesignSide / side);
            }
        EXPECT_EQ(halfTransparent, 0);
        EXPECT_EQ(offDesign, 0);
        // Centred with the design's margin, an eighth of the side all round.
        EXPECT_EQ(drawn, QRect(side / 8, side / 8, side * 3 / 4, side * 3 / 4));
    }
}

// The faces as the game receives them: picture objects told apart by identity, not by pixels.
TEST(MakeFaces, GivesEighteenNewObjectsWithTheirOwnHandlesAndImages)
{
    const auto faces = makeFaces();
    const auto again = makeFaces();
    std::set<runtime::Picture::Handle> handles;
    for (std::size_t face = 0; face < kFaceCount; ++face) {
        SCOPED_TRACE("face " + std::to_string(face));
        ASSERT_TRUE(faces[face] && again[face]);
        handles.insert({faces[face]->handle(), again[face]->handle()});
        const QImage* image = runtime::qt::imageOf(faces[face]);
        ASSERT_NE(image, nullptr);
        EXPECT_EQ(image->convertToFormat(QImage::Format_RGB32),
                  QImage::fromData(embeddedFace(face), "BMP").convertToFormat(QImage::Format_RGB32));
    }
    EXPECT_EQ(handles.count(runtime::kEmptyHandle), 0u);
    EXPECT_EQ(handles.size(), 2 * kFaceCount);
}

}  // namespace
}  // namespace koppelo::assets::test
