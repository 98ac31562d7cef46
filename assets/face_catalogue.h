// Which bird photograph becomes which card face, at which size, and under
// which name the face bitmap is stored. The generator scales the photographs
// by this table and the program embeds the bitmaps by the same names, so the
// two can never disagree about face k. Plain C++: the generator shares it.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace koppelo::assets {

inline constexpr std::size_t kFaceCount = 18;

struct FaceSource {
    std::string_view bird;  // stem of assets/source/<bird>.png
    int width;
    int height;
};

inline constexpr std::array<FaceSource, kFaceCount> kFaceCatalogue{{
    {"crowned-crane", 92, 91},
    {"penguin", 92, 92},
    {"purple-heron", 92, 90},
    {"swans", 92, 92},
    {"spoonbill", 92, 90},
    {"aracari", 92, 90},
    {"kingfisher", 90, 91},
    {"duck", 91, 91},
    {"hen-harrier", 92, 92},
    {"hens", 90, 92},
    {"rooster", 91, 92},
    {"pelican", 93, 91},
    {"gosling", 93, 91},
    {"flamingo", 92, 90},
    {"tawny-owl", 92, 92},
    {"macaw", 93, 92},
    {"blackbird", 92, 91},
    {"magpie", 90, 90},
}};

// "faces/07-duck.bmp": the index leads so a directory listing sorts by face.
inline std::string faceFileName(std::size_t face)
{
    const std::size_t tens = face / 10;
    const std::size_t units = face % 10;
    std::string name = "faces/";
    name += static_cast<char>('0' + tens);
    name += static_cast<char>('0' + units);
    name += '-';
    name += kFaceCatalogue.at(face).bird;
    name += ".bmp";
    return name;
}

}  // namespace koppelo::assets
