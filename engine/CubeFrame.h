// What one frame of the cube shows. The model computes it (turn animation, drag rule,
// visibility, one matrix per cubie) and the renderer merely loads the matrices and draws, so
// every rule of a frame is testable without an OpenGL context.
#pragma once

#include "engine/VectorTypes.h"

#include <array>
#include <cstdint>
#include <vector>

namespace vexil {

struct TCubieDraw {
  int32_t CubeIndex = 0; // (x - 1) N² + (y - 1) N + (z - 1)
  // View x cube scale x (layer rotation about the cube centre) x translation to the grid place.
  TMatrix ModelView{};
  // The cubie turns with its layer in this frame: all six faces are drawn.
  bool Rotated = false;
};

struct TCubeFrame {
  TMatrix View{}; // the view matrix the frame was computed for
  // Face directions facing the viewer, indexed by face number - 1 (+Z, +Y, -X, -Y, +X, -Z).
  std::array<bool, 6> PlaneVisible{};
  // A layer stands at an angle: resting cubies show their inner faces that face the viewer.
  bool DrawInner = false;
  std::vector<TCubieDraw> Cubies; // the cubies to draw, in grid order
  bool TurnEnded = false;         // the animated turn reached 0 or 90 degrees in this frame
};

} // namespace vexil
