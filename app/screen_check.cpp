#include "screen_check.h"

#include <QGuiApplication>
#include <QLocale>
#include <QScreen>
#include <QStringList>

#include <array>

#include "texts/catalogue.h"
#include "platform.h"

namespace koppelo::app {

namespace {

const texts::ProgramTexts& words() { return texts::chosen().program; }

// The layouts are drawn at 96 dpi: 15 twips a pixel.
constexpr double kDesignDpi = 96.0;
// Below half size the panel's smallest text (11 pixels) can no longer be read.
constexpr double kSmallestScale = 0.5;
// Eight times the window (5248 x 4816 pixels) outgrows the largest screens.
constexpr double kLargestScale = 8.0;
// Qt paints in 15 bits and more; a palette of 256 colours it leaves black.
constexpr int kFewestColourBits = 15;
constexpr int kCannotShow = 1;
// Digits a scale is shown with at first; up to the most a double carries.
constexpr int kShownDigits = 3;
constexpr int kAllDigits = 17;
constexpr std::array kScaleSettings{"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI",
                                    "QT_ENABLE_HIGHDPI_SCALING"};

QLocale dutch() { return QLocale(QLocale::Dutch, QLocale::Netherlands); }

// Written so that a NaN fails it too.
bool usable(double scale) { return scale >= kSmallestScale && scale <= kLargestScale; }

// A refused scale in the fewest digits that still read as refused: 8.0001
// must not show as the 8 that is allowed.
QString shownRefused(double scale)
{
    for (int digits = kShownDigits; digits < kAllDigits; ++digits) {
        const QString shown = dutch().toString(scale, 'g', digits);
        bool read = false;
        if (!usable(dutch().toDouble(shown, &read)) || !read)
            return shown;
    }
    return dutch().toString(scale, 'g', kAllDigits);
}

QString settingsInForce()
{
    QStringList set;
    for (const char* name : kScaleSettings)
        if (qEnvironmentVariableIsSet(name))
            set << QStringLiteral("%1=%2").arg(QLatin1String(name), qEnvironmentVariable(name));
    return set.isEmpty() ? QString::fromUtf8(words().scaleOfTheScreen) : set.join(QStringLiteral(", "));
}

}  // namespace

// The window's scale is the pixel ratio times the layout's; the layout's
// alone is the density its twips are rounded to whole pixels at. Without
// high-DPI scaling Qt divides the density by the ratio, so a huge ratio
// keeps the product at 1 while the layout rounds to nothing.
std::optional<QString> unusableScale(double devicePixelRatio, double logicalDpi, const QString& settings)
{
    const double layoutScale = logicalDpi / kDesignDpi;
    const double windowScale = devicePixelRatio * layoutScale;
    if (usable(windowScale) && usable(layoutScale))
        return std::nullopt;
    const bool window = !usable(windowScale);
    return QString::fromUtf8(window ? words().scaleRefused : words().layoutScaleRefused)
        .arg(shownRefused(window ? windowScale : layoutScale), settings, dutch().toString(kSmallestScale),
             dutch().toString(kLargestScale));
}

std::optional<QString> unusableDepth(int bitsPerPixel)
{
    if (bitsPerPixel >= kFewestColourBits)
        return std::nullopt;
    return QString::fromUtf8(words().depthRefused).arg(bitsPerPixel).arg(kFewestColourBits);
}

std::optional<int> refuseUnusableScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return std::nullopt;
    std::optional<QString> line = unusableDepth(screen->depth());
    if (!line)
        line = unusableScale(screen->devicePixelRatio(), screen->logicalDotsPerInch(), settingsInForce());
    if (!line)
        return std::nullopt;
    printText(Stream::Error, *line + QLatin1Char('\n'));
    return kCannotShow;
}

}  // namespace koppelo::app
