// The game's built-in pictures, embedded with Qt's resource system: the 18
// card faces handed out as picture references, the About dialog's logo and
// the main window's icon, plus the raw embedded bytes for checking them.
// Nothing here reads a file from disk.
#pragma once

#include <QByteArray>
#include <QIcon>
#include <QImage>

#include <array>
#include <cstddef>

#include "assets/face_catalogue.h"
#include "assets/window_icon_sides.h"
#include "runtime/picture.h"

namespace koppelo::assets {

// Face k at index k: 18 new picture objects, each with a handle of its own.
// The main window calls this once; every call makes fresh objects. A face is
// decoded when it is first drawn: at start only the top source box shows one.
std::array<runtime::PictureRef, kFaceCount> makeFaces();

// The About dialog's logo, 129 x 72 pixels.
QImage aboutLogo();

// The main window's icon at every side of kWindowIconSides, made from bare
// pixels embedded uncompressed: nothing to decode. Needs the application object.
QIcon windowIcon();

enum class File {
    Logo,        // logo.bmp
    WindowIcon,  // koppelo.ico
};

// The embedded bytes of a file, exactly as generated.
QByteArray embeddedFile(File which);
QByteArray embeddedFace(std::size_t face);

}  // namespace koppelo::assets
