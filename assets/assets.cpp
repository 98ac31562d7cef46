#include "assets.h"

#include <QFile>
#include <QPixmap>
#include <QString>

#include <initializer_list>
#include <stdexcept>
#include <string>

#include "runtime/qt/qt_picture.h"

namespace koppelo::assets {

namespace {

// Must match the PREFIX of the resource set in CMakeLists.txt.
constexpr char kResourceRoot[] = ":/koppelo/";

QByteArray readEmbedded(const std::string& name)
{
    QFile file(QString::fromLatin1(kResourceRoot) + QString::fromStdString(name));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("embedded file missing: " + name);
    return file.readAll();
}

std::string fileName(File which)
{
    switch (which) {
    case File::Logo: return "logo.bmp";
    case File::WindowIcon: return "koppelo.ico";
    case File::IconPng16: return "icons/koppelo-16.png";
    case File::IconPng32: return "icons/koppelo-32.png";
    }
    throw std::invalid_argument("unknown embedded file");
}

QImage decodeBmp(const QByteArray& bytes, const std::string& what)
{
    QImage image = QImage::fromData(bytes, "BMP");
    if (image.isNull())
        throw std::runtime_error("cannot decode " + what);
    return image;
}

// From PNG copies: Qt decodes PNG itself, with no image plugin to load at
// start-up.
void addIconSides(QIcon& icon, std::initializer_list<int> sides)
{
    for (const int side : sides)
        icon.addPixmap(QPixmap::fromImage(
            QImage::fromData(readEmbedded("icons/koppelo-" + std::to_string(side) + ".png"), "PNG")));
}

}  // namespace

std::array<runtime::PictureRef, kFaceCount> makeFaces()
{
    std::array<runtime::PictureRef, kFaceCount> faces;
    for (std::size_t face = 0; face < kFaceCount; ++face)
        faces[face] = runtime::qt::makeLazyPicture(
            [face] { return decodeBmp(embeddedFace(face), faceFileName(face)); });
    return faces;
}

QImage aboutLogo()
{
    return decodeBmp(embeddedFile(File::Logo), fileName(File::Logo));
}

QIcon windowIcon()
{
    QIcon icon;
    addIconSides(icon, {16, 32});
    return icon;
}

QIcon windowIconWithLauncherSizes()
{
    QIcon icon = windowIcon();
    addIconSides(icon, {48, 64, 128, 256});
    return icon;
}

QByteArray embeddedFile(File which)
{
    return readEmbedded(fileName(which));
}

QByteArray embeddedFace(std::size_t face)
{
    return readEmbedded(faceFileName(face));
}

}  // namespace koppelo::assets
