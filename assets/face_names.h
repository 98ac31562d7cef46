// The Dutch name of the bird on each card face, as a screen reader says it
// after "open," or "gevonden,". Face k here is face k of the face catalogue;
// the names are those of the photographs' subjects in source/CREDITS.md.
#pragma once

#include <array>
#include <string_view>

#include "assets/face_catalogue.h"

namespace koppelo::assets {

inline constexpr std::array<std::string_view, kFaceCount> kFaceNames{{
    "grijze kroonkraan",        // crowned-crane
    "stormbandpinguïn",         // penguin
    "purperreiger",             // purple-heron
    "knobbelzwaan met jongen",  // swans
    "lepelaar",                 // spoonbill
    "halsbandarassari",         // aracari
    "ijsvogel",                 // kingfisher
    "witte eend",               // duck
    "blauwe kiekendief",        // hen-harrier
    "kippen",                   // hens
    "haan",                     // rooster
    "pelikaan",                 // pelican
    "jonge grauwe gans",        // gosling
    "flamingo",                 // flamingo
    "bosuil",                   // tawny-owl
    "geelvleugelara",           // macaw
    "merel",                    // blackbird
    "ekster",                   // magpie
}};

}  // namespace koppelo::assets
