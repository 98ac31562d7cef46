// The About dialog on its own: what it shows, pixel by pixel, and how it
// opens and closes over an owner window.
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include "assets/assets.h"
#include "runtime/qt/form_surface.h"
#include "runtime/qt/picture_box_view.h"
#include "tests/ui_about/about_driver.h"
#include "ui/about/frm_over.h"
#include "ui/about/frm_over_layout.h"

namespace koppelo::ui {
namespace {

using testing::Opening;
using testing::whileOpen;

constexpr int kDpi = 96;
constexpr QSize kClientPixels{533, 366};
constexpr int kSeparatorRow = 168;  // 2520 / 15: both bands' border on one row
constexpr QRect kLogoBox{24, 224, 129, 73};
constexpr QRect kButton{232, 320, 92, 23};
constexpr QSize kLogoShown{127, 71};
constexpr QSize kLogoSize{129, 72};
constexpr int kUnknownFrameSlack = 8;  // far below a guessed title bar's 40 pixels
constexpr int kBrightText = 230;  // a channel above this on the blue band is letter, not band

QRect pixelsOf(const runtime::TwipsRect& r)
{
    return {runtime::twipsToPixels(r.left, kDpi), runtime::twipsToPixels(r.top, kDpi),
            runtime::twipsToPixels(r.width, kDpi), runtime::twipsToPixels(r.height, kDpi)};
}

// A logo whose every pixel differs from its neighbours, and whose hidden
// last column and row are red, so clipping and offsets both show.
QImage patternLogo(int seed)
{
    QImage image(kLogoSize, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb((x * 2 + seed) % 256, (y * 3 + seed) % 256, (x + y) % 256));
    for (int y = 0; y < image.height(); ++y)
        image.setPixel(image.width() - 1, y, qRgb(255, 0, 0));
    for (int x = 0; x < image.width(); ++x)
        image.setPixel(x, image.height() - 1, qRgb(255, 0, 0));
    return image;
}

QImage patternLogo()
{
    return patternLogo(0);
}

class AboutDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner_.setGeometry(100, 60, 600, 460);  // inside the smallest test screen, 800 x 600
        owner_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner_));
    }

    Opening open(FrmOver& about, const std::function<void(QDialog&)>& act,
                 const std::function<void(QDialog&)>& look = {})
    {
        return whileOpen([&] { about.Show(&owner_); }, act, look);
    }

    static void pressOK(QDialog& dialog) { dialog.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click(); }

    QWidget owner_;
};

// What the bands alone would show at (x, y): the green band with its top
// and left border, the dark line both bands share, the blue band below.
QRgb bandPixel(int x, int y, QRgb dark)
{
    if (y == kSeparatorRow || y == 0 || (x == 0 && y < kSeparatorRow))
        return dark;
    return y < kSeparatorRow ? over::kUpperBand : over::kLowerBand;
}

TEST_F(AboutDialog, BandsFillTheClientAreaWithOneDarkLineBetween)
{
    FrmOver about(qOverload<>(&patternLogo));
    QRgb dark = 0;
    const Opening seen = open(about, pressOK, [&](QDialog& d) { dark = d.palette().color(QPalette::WindowText).rgb(); });
    ASSERT_TRUE(seen.found);
    const QImage& grab = seen.grab;
    ASSERT_EQ(grab.size(), kClientPixels);

    // Everything but the labels and the two child windows is band or border.
    std::vector<QRect> covered{kLogoBox, kButton};
    for (const over::Control& c : over::kControls)
        if (c.kind == over::Kind::Label)
            covered.push_back(pixelsOf(c.rect));
    int checked = 0;
    for (int y = 0; y < grab.height(); ++y)
        for (int x = 0; x < grab.width(); ++x) {
            const QPoint p(x, y);
            if (std::any_of(covered.begin(), covered.end(), [&](const QRect& r) { return r.contains(p); }))
                continue;
            ASSERT_EQ(grab.pixel(p) & RGB_MASK, bandPixel(x, y, dark) & RGB_MASK) << "at " << x << "," << y;
            ++checked;
        }
    EXPECT_GT(checked, kClientPixels.width() * kClientPixels.height() * 3 / 4);

    // The separating line runs the whole width, one pixel high.
    for (int x = 0; x < grab.width(); ++x)
        EXPECT_EQ(grab.pixel(x, kSeparatorRow) & RGB_MASK, dark & RGB_MASK) << "at " << x;
    EXPECT_EQ(grab.pixel(10, kSeparatorRow - 1) & RGB_MASK, over::kUpperBand & RGB_MASK);
    EXPECT_EQ(grab.pixel(10, kSeparatorRow + 1) & RGB_MASK, over::kLowerBand & RGB_MASK);
}

TEST_F(AboutDialog, LogoBoxShowsTheTopLeftOfTheLogoInsideAFlatBorder)
{
    struct Case {
        const char* what;
        FrmOver::LogoSource logo;
    };
    const std::vector<Case> cases{{"built-in logo", &assets::aboutLogo}, {"pattern", qOverload<>(&patternLogo)}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FrmOver about(c.logo);
        QRect boxGeometry;
        QRgb dark = 0;
        const Opening seen = open(about, pressOK, [&](QDialog& d) {
            auto* box = d.findChild<runtime::qt::PictureBoxView*>(QStringLiteral("Picture1"));
            ASSERT_NE(box, nullptr);
            boxGeometry = box->geometry();
            dark = box->palette().color(QPalette::WindowText).rgb();
        });
        ASSERT_TRUE(seen.found);
        EXPECT_EQ(boxGeometry, kLogoBox);

        const QImage box = seen.grab.copy(kLogoBox);
        for (int x = 0; x < box.width(); ++x) {
            EXPECT_EQ(box.pixel(x, 0) & RGB_MASK, dark & RGB_MASK) << "top border at " << x;
            EXPECT_EQ(box.pixel(x, box.height() - 1) & RGB_MASK, dark & RGB_MASK) << "bottom border at " << x;
        }
        for (int y = 0; y < box.height(); ++y) {
            EXPECT_EQ(box.pixel(0, y) & RGB_MASK, dark & RGB_MASK) << "left border at " << y;
            EXPECT_EQ(box.pixel(box.width() - 1, y) & RGB_MASK, dark & RGB_MASK) << "right border at " << y;
        }
        const QImage shown = box.copy(QRect(QPoint(1, 1), kLogoShown)).convertToFormat(QImage::Format_RGB32);
        const QImage expected = c.logo().copy(QRect(QPoint(0, 0), kLogoShown)).convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(shown, expected);
    }
}

TEST_F(AboutDialog, ButtonAndLabelsSitWhereTheLayoutPutsThem)
{
    FrmOver about(qOverload<>(&patternLogo));
    QRect button;
    QString text;
    bool isDefault = false;
    const Opening seen = open(about, pressOK, [&](QDialog& d) {
        auto* ok = d.findChild<QPushButton*>(QStringLiteral("cmdOK"));
        ASSERT_NE(ok, nullptr);
        button = ok->geometry();
        text = ok->text();
        isDefault = ok->isDefault();
    });
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(button, kButton);
    EXPECT_EQ(text, QStringLiteral("OK"));
    EXPECT_TRUE(isDefault);
    EXPECT_NE(seen.grab.pixel(kButton.center()) & RGB_MASK, over::kLowerBand & RGB_MASK);

    // Each label has white letters, and its ink lies centred across its rectangle.
    for (const over::Control& c : over::kControls) {
        if (c.kind != over::Kind::Label)
            continue;
        SCOPED_TRACE(c.name);
        const QRect r = pixelsOf(c.rect);
        int left = r.right(), right = r.left(), bright = 0;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x) {
                const QColor colour = seen.grab.pixelColor(x, y);
                if (colour.red() > kBrightText && colour.green() > kBrightText && colour.blue() > kBrightText)
                    ++bright;
                if ((colour.rgb() & RGB_MASK) != (over::kLowerBand & RGB_MASK)) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        ASSERT_GT(bright, 0);
        EXPECT_NEAR((left + right) / 2.0, r.left() + (r.width() - 1) / 2.0, 2.0);
    }
}

TEST_F(AboutDialog, EveryCaptionFitsOnOneLineInTheSubstituteFace)
{
    FrmOver about(qOverload<>(&patternLogo));
    struct Measure {
        std::string name;
        QString family;
        QSize text;
        QSize room;
    };
    std::vector<Measure> measured;
    QFont buttonFont;
    const Opening seen = open(about, pressOK, [&](QDialog& d) {
        buttonFont = d.findChild<QPushButton*>(QStringLiteral("cmdOK"))->font();
        for (const over::Control& c : over::kControls) {
            if (c.kind != over::Kind::Label)
                continue;
            const QFont font = runtime::qt::FormSurface::fontFor(c.font, kDpi);
            const QFontMetrics metrics(font);
            measured.push_back({c.name, QFontInfo(font).family(),
                                {metrics.horizontalAdvance(QString::fromUtf8(c.caption)), metrics.height()},
                                pixelsOf(c.rect).size()});
        }
    });
    ASSERT_TRUE(seen.found);
    ASSERT_EQ(measured.size(), over::kLabelCount);
    const QStringList acceptable{QString::fromLatin1(over::kDesignFamily), QString::fromLatin1(over::kSubstituteFamily)};
    for (const Measure& m : measured) {
        SCOPED_TRACE(m.name);
        EXPECT_TRUE(acceptable.contains(m.family)) << m.family.toStdString();
        EXPECT_LE(m.text.width(), m.room.width());
        EXPECT_LE(m.text.height(), m.room.height());
    }
    EXPECT_TRUE(acceptable.contains(QFontInfo(buttonFont).family()));
    EXPECT_EQ(QFontInfo(buttonFont).pixelSize(), 11);
}

TEST_F(AboutDialog, IsAFixedModalDialogOfItsOwnerWithACloseBoxOnly)
{
    FrmOver about(qOverload<>(&patternLogo));
    QString title;
    Qt::WindowFlags flags;
    QSize minimum, maximum;
    Qt::WindowModality modality = Qt::NonModal;
    QWidget* parent = nullptr;
    const Opening seen = open(about, pressOK, [&](QDialog& d) {
        title = d.windowTitle();
        flags = d.windowFlags();
        minimum = d.minimumSize();
        maximum = d.maximumSize();
        modality = d.windowModality();
        parent = d.parentWidget();
    });
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(title, QStringLiteral("Over..."));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowContextHelpButtonHint));
    EXPECT_EQ(minimum, kClientPixels);
    EXPECT_EQ(maximum, kClientPixels);
    EXPECT_NE(modality, Qt::NonModal);
    EXPECT_TRUE(seen.modal);
    EXPECT_EQ(parent, &owner_);  // an owned window has no taskbar button of its own
}

TEST_F(AboutDialog, OpensCentredOverItsOwnerWhereverTheOwnerIs)
{
    FrmOver about(qOverload<>(&patternLogo));
    // Framed and, as under a bare X server, without any frame at all.
    for (bool frameless : {false, true}) {
        owner_.setWindowFlag(Qt::FramelessWindowHint, frameless);
        owner_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner_));
        for (const QPoint& place : {QPoint(100, 60), QPoint(200, 140), QPoint(0, 0)}) {
            owner_.move(place);
            QApplication::processEvents();
            const Opening seen = open(about, pressOK);
            ASSERT_TRUE(seen.found);
            const QPoint offset = seen.geometry.center() - owner_.frameGeometry().center();
            // A frameless owner cannot tell how wide the dialog's own frame will be.
            const int slack = frameless ? kUnknownFrameSlack : 2;
            EXPECT_LE(offset.manhattanLength(), slack) << place.x() << "," << place.y() << (frameless ? " frameless" : "");
        }
    }
}

// Every way of closing it, and the same dialog each time it opens again.
TEST_F(AboutDialog, ClosesEveryWayAndReopensTheSame)
{
    struct Way {
        const char* name;
        std::function<void(QDialog&)> close;
    };
    const std::vector<Way> ways{
        {"OK clicked", [](QDialog& d) {
             QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
         }},
        {"Enter", [](QDialog& d) { QTest::keyClick(d.windowHandle(), Qt::Key_Return); }},
        {"keypad Enter", [](QDialog& d) { QTest::keyClick(d.windowHandle(), Qt::Key_Enter, Qt::KeypadModifier); }},
        {"Esc", [](QDialog& d) { QTest::keyClick(d.windowHandle(), Qt::Key_Escape); }},
        {"close box", [](QDialog& d) { d.windowHandle()->close(); }},
        {"Tab to the logo, then Enter",
         [](QDialog& d) {
             QTest::keyClick(d.windowHandle(), Qt::Key_Tab);
             QTest::keyClick(d.windowHandle(), Qt::Key_Return);
         }},
    };
    FrmOver about(qOverload<>(&patternLogo));
    const Opening first = open(about, pressOK);
    ASSERT_TRUE(first.found);
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        const Opening seen = open(about, way.close);
        ASSERT_TRUE(seen.found);
        EXPECT_FALSE(seen.leftOpen);
        EXPECT_EQ(seen.focus, QStringLiteral("cmdOK"));
        EXPECT_EQ(seen.grab, first.grab);
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
        EXPECT_TRUE(owner_.findChildren<QDialog*>().isEmpty());  // unloaded, not hidden
    }
}

TEST_F(AboutDialog, TabGoesFromTheButtonToTheLogo)
{
    FrmOver about(qOverload<>(&patternLogo));
    QString afterTab;
    const Opening seen = open(about, pressOK, [&](QDialog& d) {
        QTest::keyClick(d.windowHandle(), Qt::Key_Tab);
        afterTab = d.focusWidget() ? d.focusWidget()->objectName() : QString();
    });
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.focus, QStringLiteral("cmdOK"));
    EXPECT_EQ(afterTab, QStringLiteral("Picture1"));
}

TEST_F(AboutDialog, EachOpeningLoadsTheLogoAfresh)
{
    int loads = 0;
    FrmOver about([&loads] { return patternLogo(40 * ++loads); });
    const Opening one = open(about, pressOK);
    const Opening two = open(about, pressOK);
    ASSERT_TRUE(one.found && two.found);
    EXPECT_EQ(loads, 2);
    const QRect inside(kLogoBox.topLeft() + QPoint(1, 1), kLogoShown);
    EXPECT_EQ(two.grab.copy(inside).convertToFormat(QImage::Format_RGB32),
              patternLogo(80).copy(QRect(QPoint(0, 0), kLogoShown)).convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(one.grab.copy(QRect(0, 0, kClientPixels.width(), kLogoBox.top())),
              two.grab.copy(QRect(0, 0, kClientPixels.width(), kLogoBox.top())));
}

}  // namespace
}  // namespace koppelo::ui
