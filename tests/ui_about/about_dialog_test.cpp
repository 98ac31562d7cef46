// The About dialog over the main window: what it shows pixel by pixel, how it opens and closes, the game left alone.
#include <QAction>
#include <QPainter>
#include <QPointer>
#include <QScreen>

#include <functional>

#include "assets/assets.h"
#include "ui/about/frm_over.h"
#include "ui/about/frm_over_layout.h"
#include "window_fixture.h"

namespace koppelo::ui {
namespace {

constexpr int kDpi = 96;
constexpr QSize kClientPixels{533, 366};
constexpr int kSeparatorRow = 168;  // 2520 / 15: both bands' border on one row
constexpr QRect kLogoBox{24, 224, 129, 73}, kButton{232, 320, 92, 23};
constexpr QSize kLogoShown{127, 71};
constexpr QRgb kGreenBand = qRgb(128, 255, 128), kBlueBand = qRgb(22, 104, 203);
constexpr int kBrightText = 230;  // a channel above this on the blue band is letter, not band

QRect pixelsOf(const runtime::TwipsRect& r)
{
    return {runtime::twipsToPixels(r.left, kDpi), runtime::twipsToPixels(r.top, kDpi),
            runtime::twipsToPixels(r.width, kDpi), runtime::twipsToPixels(r.height, kDpi)};
}

bool sameColour(QRgb a, QRgb b) { return (a & RGB_MASK) == (b & RGB_MASK); }

// Every pixel differs from its neighbours, so clipping and offsets both show.
QImage patternLogo(int seed)
{
    QImage image(129, 72, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb((x * 2 + seed) % 256, (y * 3 + seed) % 256, (x + y) % 256));
    return image;
}

struct Opening {
    bool found = false;     // it came as the active modal window
    bool leftOpen = false;  // the action did not close it
    QImage shown;           // what it flushed to its screen
    QRgb lines = 0;         // the dark colour of borders and the separating line
    QString focus;
    QRect geometry;
};

class AboutDialog : public testing::WindowTest {
protected:
    static QPushButton* ok(QDialog& dialog) { return dialog.findChild<QPushButton*>(QStringLiteral("cmdOK")); }
    static void pressOK(QDialog& dialog) { ok(dialog)->click(); }

    // From the menu or `about`, look() and act() run inside its modal loop;
    // one left open is closed, so a failing test never hangs.
    Opening open(const std::function<void(QDialog&)>& act = pressOK, const std::function<void(QDialog&)>& look = {},
                 FrmOver* about = nullptr)
    {
        Opening seen;
        QObject guard;  // its timers die with it, should the dialog never open
        testing::whenModal<QDialog>(guard, [&](QDialog* modal) {
            QPointer<QDialog> dialog = modal;
            if (!dialog)
                return;
            QApplication::processEvents();
            seen = {true, false, testkit::flushed(*dialog), dialog->palette().color(QPalette::WindowText).rgb(),
                    dialog->focusWidget() ? dialog->focusWidget()->objectName() : QString(), dialog->frameGeometry()};
            if (look)
                look(*dialog);
            act(*dialog);
            QApplication::processEvents();
            seen.leftOpen = dialog && dialog->isVisible();
            if (seen.leftOpen)
                dialog->reject();
        });
        about ? about->Show(&frm()) : frm().aboutAction().trigger();
        EXPECT_TRUE(seen.found);
        return seen;
    }
};

// Outside the labels and child windows only the bands, the green one's top
// and left border and their shared line; labels centred white on one line.
TEST_F(AboutDialog, FixedWindowOfTwoBandsWithTheButtonAndLabelsInPlace)
{
    QRect button;
    const Opening seen = open(pressOK, [&](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Over..."));
        EXPECT_EQ(d.windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint | Qt::WindowContextHelpButtonHint),
                  Qt::WindowCloseButtonHint);
        EXPECT_EQ(d.minimumSize(), kClientPixels);
        EXPECT_EQ(d.maximumSize(), kClientPixels);
        button = ok(d)->geometry();
    });
    ASSERT_EQ(seen.shown.size(), kClientPixels);
    EXPECT_EQ(button, kButton);
    EXPECT_FALSE(sameColour(seen.shown.pixel(kButton.center()), kBlueBand));

    std::vector<QRect> covered{kLogoBox, kButton};
    const QStringList faces{QString::fromLatin1(over::kDesignFamily), QString::fromLatin1(over::kSubstituteFamily)};
    for (const over::Control& c : over::kControls) {
        if (c.kind != over::Kind::Label)
            continue;
        SCOPED_TRACE(c.name);
        const QRect r = covered.emplace_back(pixelsOf(c.rect));
        int left = r.right(), right = r.left(), bright = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                const QColor colour = seen.shown.pixelColor(x, y);
                bright += std::min({colour.red(), colour.green(), colour.blue()}) > kBrightText;
                if (!sameColour(colour.rgb(), kBlueBand)) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        EXPECT_GT(bright, 0);
        EXPECT_TRUE(sameColour(seen.shown.pixel(r.topLeft()), kBlueBand));
        EXPECT_NEAR((left + right) / 2.0, r.left() + (r.width() - 1) / 2.0, 2.0);

        const QFont font = runtime::qt::FormSurface::fontFor(c.font, kDpi);
        EXPECT_TRUE(faces.contains(QFontInfo(font).family())) << QFontInfo(font).family().toStdString();
        EXPECT_LE(QFontMetrics(font).horizontalAdvance(QString::fromUtf8(texts::chosen().about.*c.caption)), r.width());
        EXPECT_LE(QFontMetrics(font).height(), r.height());
    }
    for (int y = 0; y < seen.shown.height(); ++y)
        for (int x = 0; x < seen.shown.width(); ++x) {
            if (std::any_of(covered.begin(), covered.end(), [&](const QRect& r) { return r.contains(x, y); }))
                continue;
            const bool border = y == kSeparatorRow || y == 0 || (x == 0 && y < kSeparatorRow);
            const QRgb band = y < kSeparatorRow ? kGreenBand : kBlueBand;
            ASSERT_TRUE(sameColour(seen.shown.pixel(x, y), border ? seen.lines : band)) << "at " << x << "," << y;
        }
}

// In a flat dark border, the built-in logo from the menu, a fresh one per opening.
TEST_F(AboutDialog, LogoBoxShowsTheTopLeftOfTheLogoLoadedForThisOpening)
{
    const auto expectLogo = [](const Opening& seen, const QImage& logo) {
        QImage expected(kLogoBox.size(), QImage::Format_RGB32);
        expected.fill(seen.lines);
        QPainter(&expected).drawImage(QPoint(1, 1), logo, QRect(QPoint(0, 0), kLogoShown));
        EXPECT_EQ(seen.shown.copy(kLogoBox).convertToFormat(QImage::Format_RGB32), expected);
    };
    expectLogo(open(), assets::aboutLogo());
    int loads = 0;
    FrmOver fresh([&loads] { return patternLogo(++loads); });
    for (int opening = 1; opening <= 2; ++opening)
        expectLogo(open(pressOK, {}, &fresh), patternLogo(opening));
}

TEST_F(AboutDialog, ClosesEveryWayAndReopensTheSameWithFocusOnOK)
{
    const auto key = [](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        return [=](QDialog& d) { QTest::keyClick(d.windowHandle(), key, modifiers); };
    };
    const std::vector<std::pair<const char*, std::function<void(QDialog&)>>> ways{
        {"OK clicked", [](QDialog& d) { QTest::mouseClick(ok(d), Qt::LeftButton); }},
        {"Enter", key(Qt::Key_Return)},
        {"keypad Enter", key(Qt::Key_Enter, Qt::KeypadModifier)},
        {"Esc", key(Qt::Key_Escape)},
        {"close box", [](QDialog& d) { d.windowHandle()->close(); }},
        {"Tab to the logo, then Enter", [](QDialog& d) {
             QTest::keyClick(d.windowHandle(), Qt::Key_Tab);
             EXPECT_EQ(d.focusWidget()->objectName(), QStringLiteral("Picture1"));
             QTest::keyClick(d.windowHandle(), Qt::Key_Return);
         }},
    };
    const char* const kClosed = "closed";
    const Opening first = open();
    for (const auto& [name, close] : ways) {
        SCOPED_TRACE(name);
        // Each opening loads a window of its own; the one closed before has gone.
        const Opening seen = open(close, [&](QDialog& d) { EXPECT_FALSE(d.property(kClosed).toBool()); });
        EXPECT_FALSE(seen.leftOpen);
        EXPECT_EQ(seen.focus, QStringLiteral("cmdOK"));
        EXPECT_EQ(seen.shown, first.shown);
        const QList<QDialog*> left = frm().findChildren<QDialog*>();
        ASSERT_EQ(left.size(), 1);
        EXPECT_FALSE(left.front()->isVisible());
        left.front()->setProperty(kClosed, true);
    }
}

// Once it is closed the same input counts again.
TEST_F(AboutDialog, GameWithOneCardTurnedIsUnchangedAndDeafWhileItIsOpen)
{
    const auto gameSeen = [this] { return std::pair(client(), game::whole(frm().game())); };
    const auto pair = pairs();
    clickSlot(pair[0][0]);
    const auto before = gameSeen();

    open(pressOK, [&](QDialog& dialog) {
        for (QWindow* target : {dialog.windowHandle(), frm().windowHandle()})
            QTest::keyClick(target, Qt::Key_F2);
        for (int slot : {0, 1, 7, 35})
            clickSlot(slot);
        QApplication::processEvents();
    });
    EXPECT_EQ(gameSeen(), before);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&frm(), 1000));  // so F2 is heard again
    clickSlot(pair[0][1]);
    EXPECT_EQ(board().Label1.caption(), "1");
    pressF2();
    EXPECT_EQ(board().Label1.caption(), "0");
}

// At both ends of the screen, so centring on the screen would not pass, and off it.
TEST_F(AboutDialog, OpensOwnedCentredOverTheWindowAndOnTheScreen)
{
    const QRect room = frm().screen()->availableGeometry();
    const QSize size = frm().frameGeometry().size();
    const QPoint half(size.width() / 2, size.height() / 2);
    const struct {
        QPoint place;
        bool onScreen;
    } places[] = {{room.topLeft(), true},
                  {QPoint(room.right() + 1 - size.width(), room.top()), true},
                  {room.topLeft() - half, false},
                  {room.bottomRight() - half, false}};
    for (const auto& [place, onScreen] : places) {
        SCOPED_TRACE(::testing::Message() << "window at " << place.x() << "," << place.y());
        frm().move(place);
        QApplication::processEvents();
        ASSERT_EQ(room.contains(frm().frameGeometry()), onScreen);
        QWidget* owner = nullptr;
        const Opening seen = open(pressOK, [&](QDialog& d) { owner = d.parentWidget(); });
        EXPECT_EQ(owner, &frm());  // an owned window has no taskbar button of its own
        EXPECT_TRUE(room.contains(seen.geometry));
        EXPECT_TRUE(!onScreen || (seen.geometry.center() - frm().frameGeometry().center()).manhattanLength() <= 2);
    }
}

}  // namespace
}  // namespace koppelo::ui
