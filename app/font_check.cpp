#include "font_check.h"

#include <QFontDatabase>

#include <algorithm>
#include <array>

#include "platform.h"

namespace koppelo::app {

namespace {

// Arial, and the fonts made to its measures that fontconfig takes for it.
constexpr std::array<QLatin1StringView, 3> kArialFamilies{QLatin1StringView("Arial"), QLatin1StringView("Liberation Sans"),
                                                          QLatin1StringView("Arimo")};
// The generic families Qt lists even with no font behind them.
constexpr std::array<QLatin1StringView, 3> kGenericFamilies{QLatin1StringView("Monospace"),
                                                            QLatin1StringView("Sans Serif"), QLatin1StringView("Serif")};

bool listed(const QStringList& families, QLatin1StringView family)
{
    return families.contains(family, Qt::CaseInsensitive);
}

}  // namespace

std::optional<QString> missingFonts(const QStringList& families)
{
    if (std::any_of(kArialFamilies.begin(), kArialFamilies.end(),
                    [&families](QLatin1StringView family) { return listed(families, family); }))
        return std::nullopt;
    const bool anyFont = std::any_of(families.begin(), families.end(), [](const QString& family) {
        return std::none_of(kGenericFamilies.begin(), kGenericFamilies.end(),
                            [&family](QLatin1StringView generic) { return family.compare(generic, Qt::CaseInsensitive) == 0; });
    });
    return describeMissingFonts(anyFont ? MissingFonts::Arial : MissingFonts::All);
}

void tellMissingFonts()
{
    if (const std::optional<QString> line = missingFonts(QFontDatabase::families()))
        printText(Stream::Error, *line + QLatin1Char('\n'));
}

}  // namespace koppelo::app
