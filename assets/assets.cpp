#include "assets.h"

#include <QPixmap>
#include <QResource>
#include <QString>

#include <stdexcept>
#include <string>

#include "runtime/qt/qt_picture.h"

namespace koppelo::assets {

namespace {

// Must match the PREFIX of the resource set in CMakeLists.txt.
constexpr char kResourceRoot[] = ":/koppelo/";

// Where it lies in the program, or decompressed when stored compressed.
QByteArray readEmbedded(const std::string& name)
{
    const QByteArray bytes = QResource(QString::fromLatin1(kResourceRoot) + QString::fromStdString(name)).uncompressedData();
    if (bytes.isNull())
        throw std::runtime_error("embedded file missing: " + name);
    return bytes;
}

std::string fileName(File which)
{
    switch (which) {
    case File::Logo: return "logo.bmp";
    case File::WindowIcon: return "koppelo.ico";
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

// Stored uncompressed, the pixels are read where they lie in the program.
QPixmap windowIconPixmap(int side)
{
    const std::string name = windowIconFileName(side);
    const QByteArray pixels = readEmbedded(name);
    if (pixels.size() != qsizetype{side} * side * kWindowIconPixelBytes)
        throw std::runtime_error("cannot decode " + name);
    return QPixmap::fromImage(
        QImage(reinterpret_cast<const uchar*>(pixels.constData()), side, side, QImage::Format_RGBA8888));
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
    for (const int side : kWindowIconSides)
        icon.addPixmap(windowIconPixmap(side));
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
