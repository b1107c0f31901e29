// The cube sizes the game offers, and the one it starts with.
#pragma once

#include <cstdint>

namespace vexil {

constexpr int32_t kMinVexilCubeDegree = 2;
constexpr int32_t kMaxVexilCubeDegree = 10;
constexpr int32_t kDefaultVexilCubeDegree = 3;

} // namespace vexil
