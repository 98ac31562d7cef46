// Where the window puts its controls in the pixels it flushed, at 96 dpi and --scale=1.25: the 96-dpi places
// taken to whole device pixels, lines one or two device pixels wide and faces never scaled.
#include <QMenuBar>

#include "window_fixture.h"

namespace koppelo::ui::testing {
namespace {

constexpr int kSunken = 2;

class Geometry : public WindowTest {
protected:
    void SetUp() override
    {
        scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble();
        openWindow();
        ASSERT_EQ(frm().surface().logicalDpiX(), 96);
        ASSERT_EQ(frm().surface().devicePixelRatioF(), scale);
        image = client();
    }

    int dev(int px) const { return static_cast<int>(px * scale); }
    QPoint dev(int x, int y) const { return {dev(x), dev(y)}; }
    QRect dev(const QRect& r) const { return {dev(r.x()), dev(r.y()), dev(r.width()), dev(r.height())}; }
    QColor at(QPoint p) const { return image.pixelColor(p); }

    void expectEmptySunkenBox(const QRect& box) const
    {
        for (int inset = 0; inset < kSunken; ++inset) {
            const QRect edge = box.adjusted(inset, inset, -inset, -inset);
            for (const QPoint p : {QPoint(edge.center().x(), edge.top()), QPoint(edge.left(), edge.center().y()),
                                   QPoint(edge.center().x(), edge.bottom()), QPoint(edge.right(), edge.center().y())})
                EXPECT_NE(at(p), background()) << "no border at " << p.x() << "," << p.y();
        }
        const QRect inside = box.adjusted(kSunken, kSunken, -kSunken, -kSunken);
        for (const QPoint p : {inside.topLeft(), inside.bottomRight(), inside.center()})
            EXPECT_EQ(at(p), background()) << "not plain at " << p.x() << "," << p.y();
    }
    // The bounding box of the pixels in `area` that differ from `ground`.
    QRect inkIn(const QRect& area, const QColor& ground) const
    {
        QRect ink;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (at({x, y}) != ground)
                    ink |= QRect(x, y, 1, 1);
        return ink;
    }

    // From the drawing area's corner, one image pixel to one device pixel, clipped to it or with background beyond.
    void expectFaceIn(const QRect& box, int face) const
    {
        const QRect area = box.adjusted(kSunken, kSunken, -kSunken, -kSunken);
        const QPoint last = area.topLeft() + QPoint(std::min(kFaceSize.width(), area.width()) - 1,
                                                    std::min(kFaceSize.height(), area.height()) - 1);
        EXPECT_EQ(at(area.topLeft()), kFaceMarker);
        EXPECT_EQ(at(area.topLeft() + QPoint(1, 0)), faceColour(face));
        EXPECT_EQ(at(last), faceColour(face));
        EXPECT_NE(at(last + QPoint(1, 1)), faceColour(face));
        EXPECT_TRUE(area.width() <= kFaceSize.width() || at(QPoint(last.x() + 1, area.top())) == background());
        EXPECT_TRUE(area.height() <= kFaceSize.height() || at(QPoint(area.left(), last.y() + 1)) == background());
    }

    double scale = 1.0;
    QImage image;
};

TEST_F(Geometry, StartShowsEveryBoxBandAndLineInPlace)
{
    EXPECT_EQ(frm().surface().size(), QSize(656, 583));
    EXPECT_EQ(frm().surface().geometry().top(), frm().menuBar()->geometry().bottom() + 1);
    EXPECT_EQ(frm().minimumSize(), frm().maximumSize());
    EXPECT_EQ(frm().windowTitle(), QStringLiteral("Koppelo"));
    const Qt::WindowFlags flags = frm().windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint) || flags.testFlag(Qt::WindowMaximizeButtonHint));

    QStringList menus;
    for (QAction* menu : frm().menuBar()->actions())
        for (QAction* command : menu->menu()->actions())
            menus << menu->text() + " " + command->text() + " " + command->shortcut().toString();
    EXPECT_EQ(menus, (QStringList{"&Spel &Nieuw spel F2", "&Help &Over... "}));

    for (const auto& [index, pixels] : {std::pair{0, QRect(8, 56, 80, 80)}, std::pair{5, QRect(448, 56, 80, 80)},
                                        std::pair{6, QRect(8, 144, 80, 80)}, std::pair{35, QRect(448, 496, 80, 80)}}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(slot(index).geometry(), pixels);
        EXPECT_EQ(box(QStringLiteral("Picture1(%1)").arg(index)).geometry(), pixels);
        const QRect drawn = dev(pixels);
        expectEmptySunkenBox(drawn);
        EXPECT_EQ(at(QPoint(drawn.left() - 1, drawn.center().y())), background());
        EXPECT_EQ(at(QPoint(drawn.center().x(), drawn.top() - 1)), background());
    }

    for (const QRect label : {dev(QRect(552, 160, 89, 25)), dev(QRect(552, 192, 89, 25))}) {
        SCOPED_TRACE(label.top());
        const QRect ink = inkIn(label.adjusted(-4, -4, 4, 4), background());
        ASSERT_FALSE(ink.isNull());
        EXPECT_TRUE(label.adjusted(1, 0, -1, 0).contains(ink)) << "caption clipped";
        EXPECT_LE(std::abs(ink.center().x() - label.center().x()), 2);
        EXPECT_LT(ink.height(), dev(19 + 2)) << "more than one line";
    }
    expectEmptySunkenBox(dev(QRect(552, 232, 93, 93)));
    expectEmptySunkenBox(dev(QRect(552, 336, 93, 93)));
    EXPECT_EQ(box(QStringLiteral("Picture6")).geometry(), QRect(552, 440, 93, 93));
    EXPECT_TRUE(inkIn(dev(QRect(552, 440, 93, 93)), background()).isNull()) << "Picture6 must not be seen";

    EXPECT_EQ(at(dev(300, 20)), QColor(kBand));
    EXPECT_EQ(at(dev(654, 47)), QColor(kBand));
    // A one-pixel border on the band's outermost pixels, the surface right below.
    for (const QPoint p : {dev(300, 0), dev(0, 20), QPoint(dev(656) - 1, dev(20)), dev(300, 48)})
        EXPECT_EQ(at(p), windowText()) << p.x() << "," << p.y();
    EXPECT_EQ(at(dev(300, 48) + QPoint(0, 1)), background());

    // White letters inside the title's box, with the band and no grey behind them.
    const QRect title = dev(QRect(8, 8, 193, 33));
    const QRect letters = inkIn(QRect(1, 1, dev(656) - 2, dev(48) - 1), QColor(kBand));
    ASSERT_FALSE(letters.isNull());
    EXPECT_TRUE(title.adjusted(0, 0, -1, 0).contains(letters)) << "title clipped";
    int white = 0, grey = 0;
    for (int y = letters.top(); y <= letters.bottom(); ++y)
        for (int x = letters.left(); x <= letters.right(); ++x) {
            white += at({x, y}) == Qt::white ? 1 : 0;
            grey += at({x, y}) == background() ? 1 : 0;
        }
    EXPECT_GT(white, 100);
    EXPECT_EQ(grey, 0) << "a box behind the title";

    // The separator: one pixel wide, from the band's bottom border to the bottom.
    for (const int y : {48, 49, 300, 582})
        EXPECT_EQ(at(dev(539, y)), windowText()) << y;
    EXPECT_EQ(at(dev(539, 300) - QPoint(1, 0)), background());
    EXPECT_EQ(at(dev(539, 300) + QPoint(1, 0)), background());
    EXPECT_EQ(at(dev(539, 47)), QColor(kBand));
}

TEST_F(Geometry, FacesAreDrawnUnscaledFromTheCorner)
{
    const int slotOfFace0 = pairs()[0][0];
    EXPECT_EQ(slot(slotOfFace0).drawingArea().size(), scale == 1.0 ? QSize(76, 76) : QSize(96, 96));
    clickSlot(slotOfFace0);
    image = client();
    expectFaceIn(dev(slot(slotOfFace0).geometry()), 0);
    // Face 6 lies on top of the stacked sources.
    for (int k = 0; k < game::kFaces; ++k)
        EXPECT_EQ(box(QStringLiteral("Picture2(%1)").arg(k)).geometry(), QRect(552, 56, 93, 93)) << k;
    expectFaceIn(dev(QRect(552, 56, 93, 93)), 6);
}

}  // namespace
}  // namespace koppelo::ui::testing
