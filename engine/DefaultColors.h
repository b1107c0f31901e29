// The colours the game starts with, packed as 0x00BBGGRR (ColorToVertex3f unpacks them): those of
// a first start, and the ones the player can go back to.
#pragma once

#include <array>
#include <cstdint>

namespace vexil {

constexpr int32_t kDefaultTimerColor = 0xFFFFFF;      // white
constexpr int32_t kDefaultBackgroundColor = 0x000000; // black
// Sides 1..6.
constexpr std::array<int32_t, 6> kDefaultPlaneColors = {
    0xFFFFFF, // white
    0x00FF00, // green
    0x0000FF, // red
    0xFF0000, // blue
    0x007FFF, // orange
    0x00FFFF, // yellow
};

} // namespace vexil
