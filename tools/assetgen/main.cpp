// koppelo-assetgen SOURCE_DIR OUT_DIR
// Rebuilds every built-in picture of the game, and the program file's
// resource script, from the bird photographs. The output is the same byte
// for byte on every machine: Qt only decodes the PNGs (lossless), all
// scaling and drawing is integer arithmetic here, and every file format is
// written field by field.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>

#include "assets/face_catalogue.h"
#include "assets/window_icon_sides.h"
#include "bitmap_formats.h"
#include "box_scale.h"
#include "file_io.h"
#include "icon_art.h"
#include "logo.h"
#include "png_writer.h"
#include "resource_script.h"

namespace fs = std::filesystem;

namespace koppelo::assetgen {

namespace {

constexpr std::int32_t kFacePixelsPerMetre = 2952;
constexpr std::int32_t kLogoPixelsPerMetre = 3780;

constexpr std::uint16_t kRtIcon = 3;
constexpr std::uint16_t kRtGroupIcon = 14;
constexpr std::uint16_t kSmallIconId = 30001;
constexpr std::uint16_t kLargeIconId = 30002;
constexpr std::uint16_t kIconGroupId = 1;

constexpr std::string_view kSmallIconBin = "resources/icon-16.bin";
constexpr std::string_view kLargeIconBin = "resources/icon-32.bin";
constexpr std::string_view kIconGroupBin = "resources/icon-group.bin";

Image loadPhoto(const fs::path& sourceDir, std::string_view bird)
{
    return loadPicture(sourceDir / (std::string(bird) + ".png"));
}

void writeFaces(const fs::path& sourceDir, const fs::path& outDir)
{
    for (std::size_t face = 0; face < assets::kFaceCount; ++face) {
        const assets::FaceSource& source = assets::kFaceCatalogue[face];
        const Image scaled = boxScale(loadPhoto(sourceDir, source.bird), source.width, source.height);
        writeFile(outDir, assets::faceFileName(face), encodeBmp(scaled, kFacePixelsPerMetre));
    }
}

std::string desktopIconName(int side) { return "icons/koppelo-" + std::to_string(side) + ".png"; }

// The desktop's PNG, and the bare pixels where the window takes this side too.
void writeIcon(const fs::path& outDir, const MaskedImage& icon)
{
    const int side = icon.colour.width();
    writeFile(outDir, desktopIconName(side), encodePng(icon));
    if (std::ranges::find(assets::kWindowIconSides, side) != assets::kWindowIconSides.end())
        writeFile(outDir, assets::windowIconFileName(side), rgbaPixels(icon));
}

void writeIcons(const fs::path& sourceDir, const fs::path& outDir)
{
    const Image back = loadPhoto(sourceDir, kIconBackBird);
    const Image front = loadPhoto(sourceDir, kIconFrontBird);
    const MaskedImage small = drawSmallIcon(boxScale(front, kSmallTileSide, kSmallTileSide));
    const MaskedImage large = pairIcon(kLargeIconSide, back, front);

    const std::vector<IconEntry> entries{
        {kSmallIconSide, kSmallIconSide, encodeIconImage(small), kSmallIconId},
        {kLargeIconSide, kLargeIconSide, encodeIconImage(large), kLargeIconId},
    };
    writeFile(outDir, "koppelo.ico", encodeIco(entries));
    writeIcon(outDir, small);
    writeIcon(outDir, large);
    for (const int side : kLauncherIconSides)
        writeIcon(outDir, pairIcon(side, back, front));

    writeFile(outDir, kSmallIconBin, entries[0].image);
    writeFile(outDir, kLargeIconBin, entries[1].image);
    writeFile(outDir, kIconGroupBin, encodeIconGroup(entries));
    writeFile(outDir, "koppelo.rc",
              resourceScript({{kSmallIconId, kRtIcon, kSmallIconBin},
                              {kLargeIconId, kRtIcon, kLargeIconBin},
                              {kIconGroupId, kRtGroupIcon, kIconGroupBin}}));
}

}  // namespace

}  // namespace koppelo::assetgen

int main(int argc, char* argv[])
{
    using namespace koppelo::assetgen;
    if (argc != 3) {
        std::fprintf(stderr, "usage: koppelo-assetgen SOURCE_DIR OUT_DIR\n");
        return 2;
    }
    try {
        const fs::path sourceDir = argv[1];
        const fs::path outDir = argv[2];
        writeFaces(sourceDir, outDir);
        writeFile(outDir, "logo.bmp", encodeBmp(drawLogo(), kLogoPixelsPerMetre));
        writeIcons(sourceDir, outDir);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "koppelo-assetgen: %s\n", error.what());
        return 1;
    }
    return 0;
}
