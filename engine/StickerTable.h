// How InitPlanes turns the outer faces of the cubies into stickers: which face of which cubie,
// in what order, with which home colour, texture, layer selectors, rotation axes and drag axes.
#pragma once

#include "engine/VectorTypes.h"

#include <array>
#include <cstdint>

namespace vexil {

// A layer selector takes one grid coordinate of the cubie and leaves the other two at 0.
enum class TSelectorAxis { X, Y, Z };

struct TDragAxis {
  int32_t Sign;
  int32_t Depth, ScreenX, ScreenY; // indices into a modelview matrix
};

inline constexpr TDragAxis kAxisX(int32_t ASign) {
  return {ASign, 2, 0, 1};
}
inline constexpr TDragAxis kAxisY(int32_t ASign) {
  return {ASign, 6, 4, 5};
}
inline constexpr TDragAxis kAxisZ(int32_t ASign) {
  return {ASign, 10, 8, 9};
}

struct TStickerSide {
  int32_t Face;         // 1..6 = +Z, +Y, -X, -Y, +X, -Z
  TSelectorAxis OnAxis; // the grid coordinate that puts a cubie on this side
  bool AtFirst;         // the side is where that coordinate is 1 (else N)
  TVertex3f DefaultColor;
  int32_t TextureEntry;
  TSelectorAxis VSelector, HSelector;
  TVertex3f VRotateVector, HRotateVector;
  std::array<TDragAxis, 4> Directions;
};

// In the order a cubie's stickers are numbered.
inline constexpr std::array<TStickerSide, 6> kStickerSides = {{
    {3,
     TSelectorAxis::X,
     true,
     {1, 0, 0},
     2,
     TSelectorAxis::Z,
     TSelectorAxis::Y,
     {0, 0, 1},
     {0, 1, 0},
     {kAxisY(+1), kAxisZ(+1), kAxisY(-1), kAxisZ(-1)}},
    {6,
     TSelectorAxis::Z,
     true,
     {1, 1, 0},
     5,
     TSelectorAxis::X,
     TSelectorAxis::Y,
     {-1, 0, 0},
     {0, 1, 0},
     {kAxisY(+1), kAxisX(-1), kAxisY(-1), kAxisX(+1)}},
    {4,
     TSelectorAxis::Y,
     true,
     {0, 0, 1},
     3,
     TSelectorAxis::X,
     TSelectorAxis::Z,
     {1, 0, 0},
     {0, 0, 1},
     {kAxisZ(+1), kAxisX(+1), kAxisZ(-1), kAxisX(-1)}},
    {2,
     TSelectorAxis::Y,
     false,
     {0, 1, 0},
     1,
     TSelectorAxis::X,
     TSelectorAxis::Z,
     {1, 0, 0},
     {0, 0, -1},
     {kAxisZ(-1), kAxisX(+1), kAxisZ(+1), kAxisX(-1)}},
    {1,
     TSelectorAxis::Z,
     false,
     {1, 1, 1},
     0,
     TSelectorAxis::X,
     TSelectorAxis::Y,
     {1, 0, 0},
     {0, 1, 0},
     {kAxisY(+1), kAxisX(+1), kAxisY(-1), kAxisX(-1)}},
    {5,
     TSelectorAxis::X,
     false,
     {1, 0.5f, 0},
     4,
     TSelectorAxis::Z,
     TSelectorAxis::Y,
     {0, 0, -1},
     {0, 1, 0},
     {kAxisY(+1), kAxisZ(-1), kAxisY(-1), kAxisZ(+1)}},
}};

} // namespace vexil
