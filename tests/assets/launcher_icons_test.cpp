// The launcher's icons draw the 32 x 32 window icon's design scaled to their size, on a transparent ground.
#include <gtest/gtest.h>

#include <QImage>
#include <QRect>
#include <QString>

namespace koppelo::assets::test {
namespace {

constexpr int kDesignSide = 32;

QImage committedIcon(int side)
{
    return QImage(QStringLiteral(KOPPELO_ASSETS_DIR "/icons/koppelo-%1.png").arg(side))
        .convertToFormat(QImage::Format_ARGB32);
}

bool opaque(const QImage& icon, int x, int y) { return qAlpha(icon.pixel(x, y)) != 0; }

TEST(LauncherIcons, DrawTheWindowIconsDesignAtEachSize)
{
    const QImage design = committedIcon(kDesignSide);
    ASSERT_EQ(design.size(), QSize(kDesignSide, kDesignSide));
    for (const int side : {48, 64, 128, 256}) {
        SCOPED_TRACE("side " + std::to_string(side));
        const QImage icon = committedIcon(side);
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

}  // namespace
}  // namespace koppelo::assets::test
