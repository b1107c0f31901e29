// The plain drawing of a cube frame, which the game's DrawCubeFrame must match pixel for pixel:
// each cubie sets and clears its own state, each face its own, and the body is read from client
// memory. Nothing is skipped and no state is carried from one primitive to the next.
#pragma once

#include "engine/CubeFrame.h"
#include "engine/VexilCube.h"

namespace vexil {

void DrawCubeFrameByCubie(const TVexilCube& ACube, const TCubeFrame& AFrame);

} // namespace vexil
