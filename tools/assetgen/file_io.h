// The generator's files: a lossless picture (PNG, BMP) read into its own
// pixel buffer, where Qt only decodes, so the pixels are the file's exactly;
// and a made file written whole.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "byte_writer.h"

#include "image.h"

namespace koppelo::assetgen {

// Throws std::runtime_error when the file cannot be read.
Image loadPicture(const std::filesystem::path& file);

// Writes outDir/name, making its folders; throws when it cannot.
void writeFile(const std::filesystem::path& outDir, std::string_view name, const std::string& bytes);
void writeFile(const std::filesystem::path& outDir, std::string_view name, const Bytes& bytes);

}  // namespace koppelo::assetgen
