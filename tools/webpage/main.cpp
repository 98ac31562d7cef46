// koppelo-webpage OUTDIR [EXTRA_FILE ...]
// Writes everything static of the web page into OUTDIR: the HTML, its layout
// style sheet, the pictures as PNG, the web app manifest and the service
// worker that caches the page, the EXTRA_FILEs (the script, the compiled
// game) among them. The same inputs give the same bytes.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "assets/face_catalogue.h"
#include "markup.h"
#include "page.h"
#include "texts/catalogue.h"
#include "tools/assetgen/file_io.h"
#include "tools/assetgen/icon_art.h"
#include "tools/assetgen/png_writer.h"
#include "ui/main/frm_koppelo_layout.h"
#include "web/json.h"

namespace fs = std::filesystem;

namespace koppelo::webpage {

namespace {

using web::jsonString;

using assetgen::Bytes;

// What a phone's home screen and an install prompt ask for, and the tab's icon.
constexpr int kIconSides[] = {32, 192, 512};  // each a whole multiple of the first

// A page loaded over the network wants its pictures small.
constexpr assetgen::PngPacking kPacking = assetgen::PngPacking::Deflated;

struct Made {
    std::string name;
    Bytes bytes;
};

Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

std::string iconFileName(int side) { return "img/icon-" + std::to_string(side) + ".png"; }

assetgen::MaskedImage blownUp(const assetgen::MaskedImage& small, int factor)
{
    assetgen::MaskedImage large(small.colour.width() * factor, small.colour.height() * factor);
    for (int y = 0; y < large.colour.height(); ++y)
        for (int x = 0; x < large.colour.width(); ++x)
            if (!small.isTransparent(x / factor, y / factor))
                large.setOpaque(x, y, small.colour.at(x / factor, y / factor));
    return large;
}

std::vector<Made> pictures(const fs::path& assets)
{
    std::vector<Made> made;
    for (std::size_t face = 0; face < assets::kFaceCount; ++face)
        made.push_back({faceFileName(static_cast<int>(face)),
                        assetgen::encodePng(assetgen::loadPicture(assets / assets::faceFileName(face)), kPacking)});
    made.push_back({kLogoFile, assetgen::encodePng(assetgen::loadPicture(assets / "logo.bmp"), kPacking)});
    const auto photo = [&](std::string_view bird) {
        return assetgen::loadPicture(assets / "source" / (std::string(bird) + ".png"));
    };
    const assetgen::Image back = photo(assetgen::kIconBackBird);
    const assetgen::Image front = photo(assetgen::kIconFrontBird);
    // The window's own icon, each pixel blown up to a square block: a few KB
    // where the photographs drawn large would weigh more than the whole game.
    const assetgen::MaskedImage icon = assetgen::pairIcon(kIconSides[0], back, front);
    for (const int side : kIconSides)
        made.push_back({iconFileName(side), assetgen::encodePng(blownUp(icon, side / kIconSides[0]), kPacking)});
    return made;
}

std::string manifest()
{
    const texts::MainWindowTexts& words = texts::chosen().main;
    const QRgb band = ui::layout::kShpTitelFill;
    char theme[8];
    std::snprintf(theme, sizeof theme, "#%02x%02x%02x", qRed(band), qGreen(band), qBlue(band));
    std::string icons;
    for (const int side : kIconSides) {
        const std::string size = std::to_string(side) + "x" + std::to_string(side);
        icons += std::string(icons.empty() ? "" : ",\n") + "    {\"src\": " + jsonString(iconFileName(side)) +
                 ", \"sizes\": " + jsonString(size) + ", \"type\": \"image/png\"}";
    }
    return "{\n  \"name\": " + jsonString(words.title) + ",\n  \"short_name\": " + jsonString(words.caption) +
           ",\n  \"lang\": \"nl\",\n  \"dir\": \"ltr\",\n  \"start_url\": \"./\",\n  \"scope\": \"./\",\n"
           "  \"display\": \"standalone\",\n  \"theme_color\": " +
           jsonString(theme) + ",\n  \"icons\": [\n" + icons + "\n  ]\n}\n";
}

// FNV-1a over every cached file's name and bytes: a new page gets a new cache.
std::uint64_t fingerprint(const std::vector<Made>& files)
{
    std::uint64_t hash = 0xcbf29ce484222325;
    const auto mix = [&hash](std::uint8_t byte) {
        hash ^= byte;
        hash *= 0x100000001b3;
    };
    for (const Made& file : files) {
        for (const char c : file.name)
            mix(static_cast<std::uint8_t>(c));
        mix(0);
        for (const std::uint8_t byte : file.bytes)
            mix(byte);
    }
    return hash;
}

std::string serviceWorker(const std::vector<std::string>& names, std::uint64_t hash)
{
    char cache[64];
    std::snprintf(cache, sizeof cache, "koppelo-%s-%016llx", KOPPELO_VERSION, static_cast<unsigned long long>(hash));
    std::string list = "  \"./\"";
    for (const std::string& name : names)
        list += ",\n  " + jsonString(name);
    return "// Made by koppelo-webpage: every file of the page is cached at install,\n"
           "// so the game plays offline after the first visit.\n"
           "const CACHE = " +
           jsonString(cache) + ";\nconst FILES = [\n" + list +
           "\n];\n\n"
           "self.addEventListener(\"install\", (event) => {\n"
           "  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));\n"
           "});\n\n"
           "// An older page's cache is dropped once this one has taken over.\n"
           "self.addEventListener(\"activate\", (event) => {\n"
           "  event.waitUntil(caches.keys()\n"
           "    .then((keys) => Promise.all(keys.filter((key) => key.startsWith(\"koppelo-\") && key !== CACHE)\n"
           "      .map((key) => caches.delete(key))))\n"
           "    .then(() => self.clients.claim()));\n"
           "});\n\n"
           "self.addEventListener(\"fetch\", (event) => {\n"
           "  if (event.request.method !== \"GET\")\n"
           "    return;\n"
           "  event.respondWith(caches.match(event.request, {ignoreSearch: true})\n"
           "    .then((cached) => cached || fetch(event.request)));\n"
           "});\n";
}

// A name the page can fetch below its own folder, and that a JS string holds as is.
void checkExtraName(const std::string& name)
{
    const fs::path path(name);
    const bool plain = !name.empty() && path.is_relative() &&
                       std::ranges::none_of(path, [](const fs::path& part) { return part == ".."; }) &&
                       name.find_first_of("\"\\'<>") == std::string::npos;
    if (!plain)
        throw std::runtime_error("not a file name within the page: " + name);
}

Bytes readIfPresent(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return in ? Bytes(std::istreambuf_iterator<char>(in), {}) : Bytes{};
}

void writePage(const fs::path& outDir, const std::vector<std::string>& extras)
{
    std::vector<Made> made{{"index.html", bytesOf(indexHtml(extras))}, {kLayoutCss, bytesOf(layoutCss())}};
    for (Made& picture : pictures(KOPPELO_ASSETS_DIR))
        made.push_back(std::move(picture));
    made.push_back({kManifest, bytesOf(manifest())});

    // The files others put into OUTDIR count towards the cache's name when present.
    std::vector<std::string> names;
    for (const Made& file : made)
        names.push_back(file.name);
    std::vector<Made> hashed = made;
    std::vector<std::string> others{kLookCss, kMainScript};
    others.insert(others.end(), extras.begin(), extras.end());
    for (const std::string& name : others) {
        checkExtraName(name);
        if (std::ranges::find(names, name) != names.end())
            continue;
        names.push_back(name);
        hashed.push_back({name, readIfPresent(outDir / name)});
    }
    for (const Made& file : made)
        assetgen::writeFile(outDir, file.name, file.bytes);
    assetgen::writeFile(outDir, "sw.js", serviceWorker(names, fingerprint(hashed)));
}

}  // namespace

}  // namespace koppelo::webpage

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: koppelo-webpage OUTDIR [EXTRA_FILE ...]\n");
        return 2;
    }
    try {
        koppelo::webpage::writePage(argv[1], std::vector<std::string>(argv + 2, argv + argc));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "koppelo-webpage: %s\n", error.what());
        return 1;
    }
    return 0;
}
