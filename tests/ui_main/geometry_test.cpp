// Where the window puts its controls at 96 dpi, checked in the drawn pixels.
#include <QMenuBar>

#include "window_fixture.h"

namespace koppelo::ui::testing {
namespace {

constexpr QRgb kBand = qRgb(86, 145, 233);
constexpr int kSunken = 2;

class Geometry96 : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        openWindow(false);
        ASSERT_EQ(frm().surface().logicalDpiX(), 96);
        ASSERT_EQ(frm().surface().devicePixelRatioF(), 1.0);
    }

    // A face-down box: a two-pixel edge that is not the background on every
    // side, and a plain background inside.
    void expectEmptySunkenBox(const QImage& image, const QRect& r) const
    {
        for (int inset = 0; inset < kSunken; ++inset) {
            const QRect edge = r.adjusted(inset, inset, -inset, -inset);
            EXPECT_NE(image.pixelColor(edge.center().x(), edge.top()), background()) << "top " << inset;
            EXPECT_NE(image.pixelColor(edge.left(), edge.center().y()), background()) << "left " << inset;
            EXPECT_NE(image.pixelColor(edge.center().x(), edge.bottom()), background()) << "bottom " << inset;
            EXPECT_NE(image.pixelColor(edge.right(), edge.center().y()), background()) << "right " << inset;
        }
        const QRect inside = r.adjusted(kSunken, kSunken, -kSunken, -kSunken);
        for (const QPoint p : {inside.topLeft(), inside.topRight(), inside.bottomLeft(), inside.bottomRight(),
                               inside.center()})
            EXPECT_EQ(image.pixelColor(p), background()) << p.x() << "," << p.y();
    }

    // The bounding box of the pixels in `area` that differ from `ground`.
    static QRect inkIn(const QImage& image, const QRect& area, const QColor& ground)
    {
        QRect ink;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                if (image.pixelColor(x, y) != ground)
                    ink |= QRect(x, y, 1, 1);
            }
        }
        return ink;
    }
};

TEST_F(Geometry96, ClientAreaIsFixedBelowTheMenuBar)
{
    EXPECT_EQ(frm().surface().size(), QSize(656, 583));
    EXPECT_EQ(frm().surface().geometry().top(), frm().menuBar()->geometry().bottom() + 1);
    EXPECT_EQ(frm().minimumSize(), frm().maximumSize());
    EXPECT_EQ(frm().size(), frm().minimumSize());
    EXPECT_EQ(frm().windowTitle(), QStringLiteral("Koppelo"));
    const Qt::WindowFlags flags = frm().windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
}

TEST_F(Geometry96, SlotsLieOnTheGridWithTheSlotBoxOnTop)
{
    const QImage image = client();
    struct Case {
        int slot;
        QRect pixels;
    };
    for (const Case& c : {Case{0, {8, 56, 80, 80}}, Case{5, {448, 56, 80, 80}}, Case{6, {8, 144, 80, 80}},
                          Case{35, {448, 496, 80, 80}}}) {
        SCOPED_TRACE(c.slot);
        EXPECT_EQ(slotPixels(c.slot), c.pixels);
        EXPECT_EQ(slot(c.slot).geometry(), c.pixels);
        EXPECT_EQ(box(QStringLiteral("Picture1(%1)").arg(c.slot)).geometry(), c.pixels);
        EXPECT_EQ(frm().surface().childAt(c.pixels.center()), &slot(c.slot));
        expectEmptySunkenBox(image, c.pixels);
        // The gaps left of and above each slot are bare surface.
        EXPECT_EQ(image.pixelColor(c.pixels.left() - 1, c.pixels.center().y()), background());
        EXPECT_EQ(image.pixelColor(c.pixels.center().x(), c.pixels.top() - 1), background());
    }
}

TEST_F(Geometry96, SidePanelShowsFaceSixOverCounterAndEmptyPreviews)
{
    const QImage image = client();
    const QRect sources(552, 56, 93, 93);
    for (int k = 0; k < game::kFaces; ++k)
        EXPECT_EQ(box(QStringLiteral("Picture2(%1)").arg(k)).geometry(), sources) << k;
    EXPECT_EQ(frm().surface().childAt(sources.center())->objectName(), QStringLiteral("Picture2(6)"));
    // Face 6 from the corner of the drawing area, filling it.
    EXPECT_EQ(image.pixelColor(554, 58), kFaceMarker);
    EXPECT_EQ(image.pixelColor(555, 58), faceColour(6));
    EXPECT_EQ(image.pixelColor(554 + 88, 58 + 88), faceColour(6));
    EXPECT_NE(image.pixelColor(554 + 89, 58 + 89), faceColour(6));

    EXPECT_EQ(box(QStringLiteral("Picture4")).geometry(), QRect(552, 232, 93, 93));
    EXPECT_EQ(box(QStringLiteral("Picture5")).geometry(), QRect(552, 336, 93, 93));
    expectEmptySunkenBox(image, QRect(552, 232, 93, 93));
    expectEmptySunkenBox(image, QRect(552, 336, 93, 93));

    const QRect empty(552, 440, 93, 93);
    EXPECT_EQ(box(QStringLiteral("Picture6")).geometry(), empty);
    EXPECT_TRUE(inkIn(image, empty, background()).isNull()) << "Picture6 must not be seen";
}

TEST_F(Geometry96, CountersAreCentredOnOneLineInTheirLabels)
{
    const QImage image = client();
    struct Case {
        const char* name;
        QRect label;
    };
    for (const Case& c : {Case{"lblParen", {552, 160, 89, 25}}, Case{"Label1", {552, 192, 89, 25}}}) {
        SCOPED_TRACE(c.name);
        const QRect ink = inkIn(image, c.label.adjusted(-4, -4, 4, 4), background());
        ASSERT_FALSE(ink.isNull());
        EXPECT_TRUE(c.label.contains(ink));
        EXPECT_LE(std::abs(ink.center().x() - c.label.center().x()), 2);
        EXPECT_GT(ink.left(), c.label.left()) << "caption clipped";
        EXPECT_LT(ink.right(), c.label.right()) << "caption clipped";
        EXPECT_LT(ink.height(), 19 + 2) << "more than one line";
    }
}

TEST_F(Geometry96, TitleBandCarriesWhiteLettersOnBlue)
{
    const QImage image = client();
    EXPECT_EQ(image.pixelColor(300, 20), QColor(kBand));
    EXPECT_EQ(image.pixelColor(654, 47), QColor(kBand));
    // Its one-pixel border on the outermost pixels, the surface right below.
    for (const QPoint p : {QPoint(300, 0), QPoint(0, 20), QPoint(655, 20), QPoint(300, 48)})
        EXPECT_EQ(image.pixelColor(p), windowText()) << p.x() << "," << p.y();
    EXPECT_EQ(image.pixelColor(300, 49), background());

    const QRect title(8, 8, 193, 33);
    const QRect letters = inkIn(image, QRect(1, 1, 654, 47), QColor(kBand));
    ASSERT_FALSE(letters.isNull());
    EXPECT_TRUE(title.contains(letters));
    EXPECT_LT(letters.right(), title.right()) << "title clipped";
    // No box behind the letters: the band shows in the label's corners.
    EXPECT_EQ(image.pixelColor(title.topLeft()), QColor(kBand));
    EXPECT_EQ(image.pixelColor(title.bottomRight()), QColor(kBand));
    int white = 0;
    for (int y = letters.top(); y <= letters.bottom(); ++y) {
        for (int x = letters.left(); x <= letters.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            EXPECT_NE(c, background()) << "grey behind the title at " << x << "," << y;
            white += c == Qt::white ? 1 : 0;
        }
    }
    EXPECT_GT(white, 100);
}

TEST_F(Geometry96, SeparatorRunsFromTheBandToTheBottom)
{
    const QImage image = client();
    for (const int y : {48, 49, 300, 582})
        EXPECT_EQ(image.pixelColor(539, y), windowText()) << y;
    EXPECT_EQ(image.pixelColor(538, 300), background());
    EXPECT_EQ(image.pixelColor(540, 300), background());
    EXPECT_EQ(image.pixelColor(539, 47), QColor(kBand));
}

TEST_F(Geometry96, MenusOfferNewGameOnF2AndAbout)
{
    EXPECT_EQ(frm().newGameAction().text(), QStringLiteral("&Nieuw spel"));
    EXPECT_EQ(frm().newGameAction().shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_EQ(frm().aboutAction().text(), QStringLiteral("&Over..."));
    const QList<QAction*> menus = frm().menuBar()->actions();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("&Spel"));
    EXPECT_EQ(menus[1]->text(), QStringLiteral("&Help"));
    EXPECT_EQ(menus[0]->menu()->actions(), QList<QAction*>{&frm().newGameAction()});
    EXPECT_EQ(menus[1]->menu()->actions(), QList<QAction*>{&frm().aboutAction()});
}

}  // namespace
}  // namespace koppelo::ui::testing
