// Reads the pictures out of an ICO file holding 24-bit images with an AND
// mask, the only kind the game ships. Our own reader, so the icon does not
// depend on an image-format plugin being deployed.
#pragma once

#include <QByteArray>
#include <QImage>

#include <vector>

namespace koppelo::assets {

// One ARGB32 image per directory entry, in file order; masked pixels get
// alpha 0. Throws std::runtime_error on anything malformed or unsupported.
std::vector<QImage> readIco(const QByteArray& file);

}  // namespace koppelo::assets
