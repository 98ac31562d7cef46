#include "scale_check.h"

#include <QGuiApplication>
#include <QLocale>
#include <QScreen>
#include <QStringList>

#include <array>

#include "platform.h"

namespace koppelo::app {

namespace {

// The layouts are drawn at 96 dpi: 15 twips a pixel.
constexpr double kDesignDpi = 96.0;
// Below half size the panel's smallest text (11 pixels) can no longer be read.
constexpr double kSmallestScale = 0.5;
// Eight times the window (5248 x 4816 pixels) outgrows the largest screens.
constexpr double kLargestScale = 8.0;
constexpr int kCannotShow = 1;
constexpr std::array kScaleSettings{"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI"};

QString settingsInForce()
{
    QStringList set;
    for (const char* name : kScaleSettings)
        if (qEnvironmentVariableIsSet(name))
            set << QStringLiteral("%1=%2").arg(QLatin1String(name), qEnvironmentVariable(name));
    return set.isEmpty() ? QStringLiteral("de instelling van het scherm") : set.join(QStringLiteral(", "));
}

}  // namespace

std::optional<QString> unusableScale(double devicePixelRatio, double logicalDpi, const QString& settings)
{
    const double scale = devicePixelRatio * logicalDpi / kDesignDpi;
    // Written so that a NaN fails it too.
    if (scale >= kSmallestScale && scale <= kLargestScale)
        return std::nullopt;
    const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
    return QStringLiteral("koppelo: het venster kan niet getoond worden op schaal %1 (%2); kies een schaal van %3 tot %4")
        .arg(dutch.toString(scale, 'g', 3), settings, dutch.toString(kSmallestScale), dutch.toString(kLargestScale));
}

std::optional<int> refuseUnusableScale()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return std::nullopt;
    const std::optional<QString> line =
        unusableScale(screen->devicePixelRatio(), screen->logicalDotsPerInch(), settingsInForce());
    if (!line)
        return std::nullopt;
    printText(Stream::Error, *line + QLatin1Char('\n'));
    return kCannotShow;
}

}  // namespace koppelo::app
