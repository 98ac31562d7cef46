#include "file_io.h"

#include <QImage>
#include <QString>

#include <cstdint>
#include <fstream>
#include <stdexcept>

namespace koppelo::assetgen {

Image loadPicture(const std::filesystem::path& file)
{
    const QImage decoded(QString::fromStdString(file.string()));
    if (decoded.isNull())
        throw std::runtime_error("cannot read " + file.string());
    Image picture(decoded.width(), decoded.height());
    for (int y = 0; y < decoded.height(); ++y) {
        for (int x = 0; x < decoded.width(); ++x) {
            const QRgb pixel = decoded.pixel(x, y);
            picture.at(x, y) = {static_cast<std::uint8_t>(qRed(pixel)), static_cast<std::uint8_t>(qGreen(pixel)),
                                static_cast<std::uint8_t>(qBlue(pixel))};
        }
    }
    return picture;
}

void writeFile(const std::filesystem::path& outDir, std::string_view name, const std::string& bytes)
{
    const std::filesystem::path file = outDir / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

void writeFile(const std::filesystem::path& outDir, std::string_view name, const Bytes& bytes)
{
    writeFile(outDir, name, std::string(bytes.begin(), bytes.end()));
}

}  // namespace koppelo::assetgen
