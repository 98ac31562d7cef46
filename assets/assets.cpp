#include "assets.h"

#include <QPixmap>
#include <QResource>
#include <QString>
#include <QtEndian>

#include <stdexcept>
#include <string>

#include "runtime/qt/qt_picture.h"

namespace koppelo::assets {

namespace {

// Must match the PREFIX of the resource set in CMakeLists.txt.
constexpr char kResourceRoot[] = ":/koppelo/";

// The generator's bitmaps: a 40-byte info header, 24 bits a pixel, no
// compression, the bottom row first, each row padded to four bytes.
constexpr qsizetype kBmpPixelOffsetAt = 10;
constexpr qsizetype kBmpWidthAt = 18;
constexpr qsizetype kBmpHeightAt = 22;
constexpr qsizetype kBmpBitsPerPixelAt = 28;
constexpr qsizetype kBmpCompressionAt = 30;
constexpr qsizetype kBmpHeadersEnd = 54;
constexpr int kBmpBitsPerPixel = 24;
constexpr int kBmpBytesPerPixel = 3;
constexpr int kBmpRowAlignment = 4;

// Where it lies in the program, or decompressed when stored compressed.
QByteArray readEmbedded(const std::string& name)
{
    const QByteArray bytes = QResource(QString::fromLatin1(kResourceRoot) + QString::fromStdString(name)).uncompressedData();
    if (bytes.isNull())
        throw std::runtime_error("embedded file missing: " + name);
    return bytes;
}

qint32 bmpField(const QByteArray& bytes, qsizetype at) { return qFromLittleEndian<qint32>(bytes.constData() + at); }
qint16 bmpShortField(const QByteArray& bytes, qsizetype at) { return qFromLittleEndian<qint16>(bytes.constData() + at); }

std::string fileName(File which)
{
    switch (which) {
    case File::Logo: return "logo.bmp";
    case File::WindowIcon: return "koppelo.ico";
    }
    throw std::invalid_argument("unknown embedded file");
}

// Read as the pixels lie, without an image plugin, into the format Qt's
// own reader gives.
QImage decodeBmp(const QByteArray& bytes, const std::string& what)
{
    const auto cannot = [&what] { return std::runtime_error("cannot decode " + what); };
    if (bytes.size() < kBmpHeadersEnd || !bytes.startsWith("BM") ||
        bmpShortField(bytes, kBmpBitsPerPixelAt) != kBmpBitsPerPixel || bmpField(bytes, kBmpCompressionAt) != 0)
        throw cannot();
    const qint32 width = bmpField(bytes, kBmpWidthAt);
    const qint32 height = bmpField(bytes, kBmpHeightAt);
    const qint32 offset = bmpField(bytes, kBmpPixelOffsetAt);
    const qsizetype stride = (qsizetype{width} * kBmpBytesPerPixel + kBmpRowAlignment - 1) / kBmpRowAlignment * kBmpRowAlignment;
    if (width <= 0 || height <= 0 || offset < kBmpHeadersEnd || offset + stride * height > bytes.size())
        throw cannot();
    QImage image(width, height, QImage::Format_RGB32);
    for (qint32 y = 0; y < height; ++y) {
        const auto* from = reinterpret_cast<const uchar*>(bytes.constData() + offset + stride * (height - 1 - y));
        auto* to = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (qint32 x = 0; x < width; ++x, from += kBmpBytesPerPixel)
            to[x] = qRgb(from[2], from[1], from[0]);  // stored blue, green, red
    }
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
