// The face sizes the game's layout depends on, one row per face index; the
// tests check the embedded bitmaps and the picture objects against it.
#pragma once

#include <array>
#include <cstddef>

namespace koppelo::assets::test {

struct ExpectedFace {
    int width;
    int height;
    int stride;
    int fileSize;
};

inline constexpr std::array<ExpectedFace, 18> kExpectedFaces{{
    {92, 91, 276, 25170},
    {92, 92, 276, 25446},
    {92, 90, 276, 24894},
    {92, 92, 276, 25446},
    {92, 90, 276, 24894},
    {92, 90, 276, 24894},
    {90, 91, 272, 24806},
    {91, 91, 276, 25170},
    {92, 92, 276, 25446},
    {90, 92, 272, 25078},
    {91, 92, 276, 25446},
    {93, 91, 280, 25534},
    {93, 91, 280, 25534},
    {92, 90, 276, 24894},
    {92, 92, 276, 25446},
    {93, 92, 280, 25814},
    {92, 91, 276, 25170},
    {90, 90, 272, 24534},
}};

inline constexpr int kFacePixelsPerMetre = 2952;

}  // namespace koppelo::assets::test
