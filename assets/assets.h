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
#include "runtime/picture.h"

namespace koppelo::assets {

// Face k at index k: 18 new picture objects, each with a handle of its own.
// The main window calls this once; every call makes fresh objects. A face is
// decoded when it is first drawn: at start only the top source box shows one.
std::array<runtime::PictureRef, kFaceCount> makeFaces();

// The About dialog's logo, 129 x 72 pixels.
QImage aboutLogo();

// The main window's icon at 16 x 16 and 32 x 32, what its title bar and task
// bar show. Needs the application object.
QIcon windowIcon();

// The same with the launcher's sizes too, 48 to 256 pixels, for docks and
// task switchers on dense screens. Their decoding is most of the icon's
// cost: give it to the window once its first paint is on the screen.
QIcon windowIconWithLauncherSizes();

enum class File {
    Logo,         // logo.bmp
    WindowIcon,   // koppelo.ico
    IconPng16,    // icons/koppelo-16.png: the window icon, and the desktop's
    IconPng32,    // icons/koppelo-32.png
};

// The embedded bytes of a file, exactly as generated.
QByteArray embeddedFile(File which);
QByteArray embeddedFace(std::size_t face);

}  // namespace koppelo::assets
