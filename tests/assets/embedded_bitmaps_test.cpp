// The face bitmaps and the logo as embedded in the program: file layout,
// sizes, and that the pixels are what they should show.
#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QString>

#include <cstdlib>

#include "assets/assets.h"
#include "bitmap_checks.h"
#include "face_table.h"

namespace koppelo::assets::test {
namespace {

constexpr BmpLayout kLogoLayout{129, 72, 388, 27990, 3780};
constexpr int kLogoShownWidth = 127;
constexpr int kLogoShownHeight = 71;

QImage decodedFace(std::size_t face)
{
    return QImage::fromData(embeddedFace(face), "BMP").convertToFormat(QImage::Format_RGB32);
}

TEST(EmbeddedFaces, HaveTheLayoutOfTheFaceTable)
{
    ASSERT_EQ(kExpectedFaces.size(), kFaceCount);
    for (std::size_t face = 0; face < kFaceCount; ++face) {
        SCOPED_TRACE("face " + std::to_string(face));
        const ExpectedFace& expected = kExpectedFaces[face];
        expectBmpLayout(embeddedFace(face),
                        {expected.width, expected.height, expected.stride, expected.fileSize, kFacePixelsPerMetre});
    }
}

TEST(EmbeddedFaces, AreEighteenDifferentImages)
{
    for (std::size_t a = 0; a < kFaceCount; ++a) {
        const QImage first = decodedFace(a);
        ASSERT_FALSE(first.isNull()) << "face " << a;
        for (std::size_t b = a + 1; b < kFaceCount; ++b)
            EXPECT_NE(first, decodedFace(b)) << "faces " << a << " and " << b;
    }
}

// The face is the whole photograph scaled down, colours in the right
// channels and the right way up: a coarse grid of block averages of the
// face matches the same grid of the source photograph.
TEST(EmbeddedFaces, ShowTheirWholePhotographUpright)
{
    constexpr int kGrid = 4;
    constexpr int kTolerance = 12;
    for (std::size_t face = 0; face < kFaceCount; ++face) {
        const QString photoPath =
            QStringLiteral(KOPPELO_ASSETS_DIR "/source/") + QString::fromUtf8(kFaceCatalogue[face].bird) + ".png";
        const QImage photo(photoPath);
        ASSERT_FALSE(photo.isNull()) << photoPath.toStdString();
        const auto coarse = [](const QImage& image) {
            return image.convertToFormat(QImage::Format_RGB32)
                .scaled(kGrid, kGrid, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        };
        const QImage expected = coarse(photo);
        const QImage actual = coarse(decodedFace(face));
        for (int y = 0; y < kGrid; ++y) {
            for (int x = 0; x < kGrid; ++x) {
                const QColor e = expected.pixelColor(x, y);
                const QColor a = actual.pixelColor(x, y);
                EXPECT_LE(std::abs(e.red() - a.red()), kTolerance) << "face " << face << " cell " << x << "," << y;
                EXPECT_LE(std::abs(e.green() - a.green()), kTolerance) << "face " << face << " cell " << x << "," << y;
                EXPECT_LE(std::abs(e.blue() - a.blue()), kTolerance) << "face " << face << " cell " << x << "," << y;
            }
        }
    }
}

TEST(EmbeddedLogo, HasTheAboutPictureLayout)
{
    expectBmpLayout(embeddedFile(File::Logo), kLogoLayout);
    const QImage logo = aboutLogo();
    EXPECT_EQ(logo.size(), QSize(kLogoLayout.width, kLogoLayout.height));
}

// The dialog shows only the top-left 127 x 71 pixels: all lettering must lie
// there, on white, and be drawn in more than one colour family.
TEST(EmbeddedLogo, LetteringIsColourfulAndInsideTheShownArea)
{
    const QImage logo = aboutLogo().convertToFormat(QImage::Format_RGB32);
    const QRgb white = qRgb(255, 255, 255);
    int inkShown = 0;
    int inkHidden = 0;
    int reddish = 0;
    int greenish = 0;
    int bluish = 0;
    for (int y = 0; y < logo.height(); ++y) {
        for (int x = 0; x < logo.width(); ++x) {
            const QRgb pixel = logo.pixel(x, y);
            if (pixel == white)
                continue;
            const bool shown = x < kLogoShownWidth && y < kLogoShownHeight;
            (shown ? inkShown : inkHidden) += 1;
            const int r = qRed(pixel);
            const int g = qGreen(pixel);
            const int b = qBlue(pixel);
            reddish += r > g && r > b;
            greenish += g > r && g > b;
            bluish += b > r && b > g;
        }
    }
    EXPECT_EQ(inkHidden, 0);
    EXPECT_EQ(logo.pixel(0, 0), white);
    // Two lines of letters cover a good part of the area, but not most of it.
    const int shownArea = kLogoShownWidth * kLogoShownHeight;
    EXPECT_GT(inkShown, shownArea / 8);
    EXPECT_LT(inkShown, shownArea / 2);
    EXPECT_GT(reddish, 0);
    EXPECT_GT(greenish, 0);
    EXPECT_GT(bluish, 0);
}

}  // namespace
}  // namespace koppelo::assets::test
