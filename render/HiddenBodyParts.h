// Which parts of the cubie bodies a frame at rest may leave out without changing a pixel.
//
// At rest the surface cubies form a sealed shell: neighbouring bodies overlap, so the grooves
// between stickers are closed at the bottom, and the only ways into the hollow inside are the
// narrow straight shafts where four cubies of a side meet, which run square to that side. A ray
// can pass all the way down such a shaft only when it runs within about 13 degrees of the side's
// inward normal. When every ray from the eye to the cube meets every side it can enter at more
// than 20 degrees from that normal, nothing behind the shell can be seen, and so:
// - a cubie none of whose outer faces faces the viewer is hidden whole (body and faces: it
//   draws no face anyway);
// - a cubie in the middle of a side (one outer face, and it faces the viewer) hides the
//   rounding around its inner face: that lies below the bottom of the shafts.
// Anything else, a layer at an angle, a view nearly square to a side, or a projection without
// a centre, draws every body whole.
#pragma once

#include "CubeFrame.h"
#include "VexilCube.h"

#include <array>

namespace vexil {

class THiddenBodyParts {
public:
  // What the body of a cubie needs: nothing, all of it, or all but the slab of one side.
  enum class TPart { None, Whole, WithoutSide };
  struct TBodyDraw {
    TPart Part = TPart::Whole;
    int Side = 0; // the face number 1..6 whose slab is left out, for WithoutSide
  };

  // AProjection: the projection matrix the frame is drawn with (column-major).
  THiddenBodyParts(const TVexilCube& ACube, const TCubeFrame& AFrame,
                   const std::array<double, 16>& AProjection);

  // Whether any part is left out in this frame.
  bool Sealed() const { return FSealed; }
  TBodyDraw BodyOf(int32_t ACubeIndex) const;

  // The centre of projection in the space of the modelview matrix; false for a parallel
  // projection.
  static bool EyeOf(const std::array<double, 16>& AProjection, std::array<double, 3>& AEye);
  // Whether every ray from AEye (in the cube's space) to the cube of half-size AHalfSize meets
  // every side it can enter at more than the safe angle from that side's inward normal.
  static bool NoRayDownTheShafts(const std::array<double, 3>& AEye, double AHalfSize);

private:
  const TVexilCube& FCube;
  const TCubeFrame& FFrame;
  bool FSealed = false;
  std::array<double, 3> FEye{}; // the eye in the cube's space
};

} // namespace vexil
