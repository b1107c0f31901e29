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
// While one slice turns, the cube falls apart into boxes of cubies: the turning slice and the
// resting blocks on either side of it. A resting block is sealed like the whole cube at rest:
// the sides next to the gap are closed by the same overlapping bodies and by the inner faces
// that face the viewer there, as the cube's sides are by their stickers. So the same rules hold
// per resting block, on the sides of that block, with its eye test against its own box; and a
// cubie inside a block (on none of its sides) is hidden whole, faces included, since every face
// it could draw lies within its body. The turning slice is one cubie thick: each of its cubies
// lies on two opposite sides, so nothing of it could be left out, and it is drawn whole.
// A view nearly square to a side of a block lets rays run down its shafts, but only so far: a
// shaft is straight and narrow (it lies within 13 mesh units of its grid line except where the
// layers meet), so the deeper a cubie lies, the more nearly a ray must run along the shaft to
// reach it. In such a block every cubie on a side the eye sees from outside is drawn whole, and
// a cubie below those sides only when a shaft at a corner of its column lets a ray reach its
// depth; a ray cannot leave its shaft for another, since it would have to run nearly level.
// Anything else, a turn that is not one whole slice or a projection without a centre, draws
// every body of the frame whole.
#pragma once

#include "engine/CubeFrame.h"
#include "engine/VexilCube.h"

#include <array>
#include <vector>

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

  // Whether a block is sealed: no ray runs down its shafts, so it leaves out the most.
  bool Sealed() const { return FSealed; }
  TBodyDraw BodyOf(int32_t ACubeIndex) const;
  // Whether the cubie rests in a sealed block: no ray runs down the shafts between its cubies.
  bool InSealedBlock(int32_t ACubeIndex) const;

  // The centre of projection in the space of the modelview matrix; false for a parallel
  // projection.
  static bool EyeOf(const std::array<double, 16>& AProjection, std::array<double, 3>& AEye);
  // Whether every ray from AEye (relative to the box's centre) to the box of half-sizes
  // AHalfSizes meets every side it can enter at more than the safe angle from that side's
  // inward normal.
  static bool NoRayDownTheShafts(const std::array<double, 3>& AEye,
                                 const std::array<double, 3>& AHalfSizes);
  static bool NoRayDownTheShafts(const std::array<double, 3>& AEye, double AHalfSize) {
    return NoRayDownTheShafts(AEye, {AHalfSize, AHalfSize, AHalfSize});
  }

private:
  // A box of cubies with grid coordinates Lo..Hi (1..N) per axis that passed the eye test.
  struct TBlock {
    std::array<int32_t, 3> Lo{};
    std::array<int32_t, 3> Hi{};
    std::array<double, 3> Eye{}; // the eye relative to the box's centre, in the cube's space
    // Rays may run down its shafts: only what lies too deep for them is left out.
    bool Deep = false;
    // Only its surface cubies are drawn (at rest), so a ray that gets through the surface
    // layer runs on freely inside.
    bool Hollow = false;
  };

  // The turning slice, when the rotated cubies of the frame are exactly one whole slice.
  bool FindTurningSlice(int& AAxis, int32_t& ASlice) const;
  // Whether a ray from the eye down a shaft of the deep block ABlock may reach the cubie at
  // grid coordinates AAt, which lies on none of the block's sides the eye sees from outside.
  bool SeenDownAShaft(const TBlock& ABlock, const std::array<int32_t, 3>& AAt) const;
  // Adds the block Lo..Hi when it is not empty, deep when rays may run down its shafts.
  // The block the cubie at grid coordinates AAt rests in, or null.
  const TBlock* BlockAt(const std::array<int32_t, 3>& AAt) const;
  void AddBlock(const std::array<int32_t, 3>& ALo, const std::array<int32_t, 3>& AHi,
                const std::array<double, 3>& ACubeEye, bool AHollow);

  const TVexilCube& FCube;
  const TCubieGeometry FGeometry;
  const TCubeFrame& FFrame;
  bool FSealed = false;
  std::vector<TBlock> FBlocks; // at most two: the whole cube at rest, or the resting blocks
};

} // namespace vexil
