// The fonts the window is drawn in, checked once the toolkit knows them: the
// layout's Arial, or a font made to its measures, and any font at all for the
// menus. Without them the texts fall to another font or to empty boxes, so a
// missing one is told in one line naming where it comes from; the game plays
// on.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace koppelo::app {

// families: the font families the toolkit found. Returns the line to print
// when a font the window needs is not among them.
std::optional<QString> missingFonts(const QStringList& families);

// Prints that line, if any; needs the application object.
void tellMissingFonts();

}  // namespace koppelo::app
