// The window at scale factor 1.25: twips still land on whole device pixels,
// borders and lines stay one device pixel, and faces are never scaled.
#include "window_fixture.h"

namespace koppelo::ui::testing {
namespace {

constexpr double kScale = 1.25;
constexpr QRgb kBand = qRgb(86, 145, 233);

class Geometry125 : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        openWindow(false);
        ASSERT_EQ(frm().surface().devicePixelRatioF(), kScale);
    }
};

// Slot i in device pixels: 120 twips at 120 dots per inch are 10 pixels.
QRect slotDevicePixels(int index)
{
    constexpr int kLeft = 10, kTop = 70, kPitch = 110, kSize = 100;
    return {kLeft + kPitch * (index % game::kColumns), kTop + kPitch * (index / game::kColumns), kSize, kSize};
}

TEST_F(Geometry125, SlotDrawingAreaShowsTheWholeFaceUnscaled)
{
    int slotOfFace0 = -1;
    for (int i = 0; i < game::kSlots && slotOfFace0 < 0; ++i)
        slotOfFace0 = faceDealtTo(i) == 0 ? i : -1;
    ASSERT_GE(slotOfFace0, 0);
    EXPECT_EQ(slot(slotOfFace0).drawingArea().size(), QSize(96, 96));

    clickSlot(slotOfFace0);
    const QImage image = client();
    const QRect area = slotDevicePixels(slotOfFace0).adjusted(2, 2, -2, -2);
    const QSize face = kFaceSizes[0];  // 92 x 91
    EXPECT_EQ(image.pixelColor(area.topLeft()), kFaceMarker);
    EXPECT_EQ(image.pixelColor(area.left() + 1, area.top()), faceColour(0));
    EXPECT_EQ(image.pixelColor(area.left() + face.width() - 1, area.top() + face.height() - 1), faceColour(0));
    const QColor ground = background();
    EXPECT_EQ(image.pixelColor(area.left() + face.width(), area.top()), ground);
    EXPECT_EQ(image.pixelColor(area.left(), area.top() + face.height()), ground);
    EXPECT_EQ(image.pixelColor(area.bottomRight()), ground);
    // The border keeps two device pixels.
    EXPECT_NE(image.pixelColor(area.left() - 1, area.center().y()), ground);
    EXPECT_NE(image.pixelColor(area.left() - 2, area.center().y()), ground);
    EXPECT_EQ(image.pixelColor(area.left() - 3, area.center().y()), ground);
}

TEST_F(Geometry125, GridAndPanelLandOnScaledPixels)
{
    const QImage image = client();
    for (const int s : {0, 5, 6, 35}) {
        const QRect r = slotDevicePixels(s);
        SCOPED_TRACE(s);
        EXPECT_NE(image.pixelColor(r.topLeft()), background());
        EXPECT_EQ(image.pixelColor(r.left() - 1, r.center().y()), background());
        EXPECT_EQ(image.pixelColor(r.center()), background());
        EXPECT_NE(image.pixelColor(r.bottomRight()), background());
        EXPECT_EQ(image.pixelColor(r.right() + 1, r.center().y()), background());
    }
    // Face 6 on top of the sources at (8280, 840), 2 device pixels inside.
    EXPECT_EQ(image.pixelColor(692, 72), kFaceMarker);
    EXPECT_EQ(image.pixelColor(693, 72), faceColour(6));
}

TEST_F(Geometry125, BandBorderAndSeparatorStayOnePixel)
{
    const QImage image = client();
    EXPECT_EQ(image.pixelColor(400, 0), windowText());
    EXPECT_EQ(image.pixelColor(400, 1), QColor(kBand));
    // 735 twips are 61 device pixels: the bottom border is row 60.
    EXPECT_EQ(image.pixelColor(400, 59), QColor(kBand));
    EXPECT_EQ(image.pixelColor(400, 60), windowText());
    EXPECT_EQ(image.pixelColor(400, 61), background());
    // 8080 twips are column 673.
    EXPECT_EQ(image.pixelColor(673, 400), windowText());
    EXPECT_EQ(image.pixelColor(672, 400), background());
    EXPECT_EQ(image.pixelColor(674, 400), background());
}

TEST_F(Geometry125, EmptyBoxStaysUnseen)
{
    const QImage image = client();
    // 6600 twips down, 1400 square: device rows 550 to 666, columns 690 to 806.
    for (int y = 550; y < 666; y += 5) {
        for (int x = 690; x < 806; x += 5)
            ASSERT_EQ(image.pixelColor(x, y), background()) << x << "," << y;
    }
}

}  // namespace
}  // namespace koppelo::ui::testing
