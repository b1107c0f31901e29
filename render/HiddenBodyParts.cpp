#include "render/HiddenBodyParts.h"

#include <algorithm>
#include <cmath>

namespace vexil {

namespace {

// The shafts are about 18 mesh units wide at their widest and 80 long: 12.6 degrees at most.
// Kept well above that, with the spread of the rays over the cube on top.
constexpr double kSafeAngleDegrees = 20.0;
// Half-size of a cubie body around its centre, before the cube's scale, with room beyond the
// plane of its sides (TCubieGeometry::BodyHalfSize).
constexpr double kBodyHalfSize = 0.26;
static_assert(kBodyHalfSize > TCubieGeometry::BodyHalfSize());
// Down the shafts, in cube pitches (100 mesh units). Below the rounding of the top (10.2 mesh
// units deep) and above that of the bottom of each layer (from 90.4 on) a shaft's cross-section,
// or that of a notch where a grid line meets the rim of a side, lies within 12.7 mesh units of
// its grid line; kept at 13. The narrow stretches are taken from 12 and to 88.
constexpr double kShaftRadius = 0.13;
constexpr double kNarrowFrom = 0.12;
constexpr double kNarrowTo = 0.88;

// Solves the 3 x 3 system A x = b (row-major A) by Cramer's rule; false when singular.
bool Solve3(const std::array<double, 9>& A, const std::array<double, 3>& b,
            std::array<double, 3>& x) {
  const auto det = [](const std::array<double, 9>& M) {
    return M[0] * (M[4] * M[8] - M[5] * M[7]) - M[1] * (M[3] * M[8] - M[5] * M[6]) +
           M[2] * (M[3] * M[7] - M[4] * M[6]);
  };
  const double d = det(A);
  if (!std::isfinite(d) || std::fabs(d) < 1e-12) {
    return false;
  }
  for (int column = 0; column < 3; ++column) {
    std::array<double, 9> M = A;
    for (int row = 0; row < 3; ++row) {
      M[3 * row + column] = b[row];
    }
    x[column] = det(M) / d;
  }
  return std::isfinite(x[0]) && std::isfinite(x[1]) && std::isfinite(x[2]);
}

// The point of the cube's space that AView (column-major, affine) takes to AEye.
bool ToCubeSpace(const TMatrix& AView, const std::array<double, 3>& AEye,
                 std::array<double, 3>& APoint) {
  std::array<double, 9> linear{};
  std::array<double, 3> offset{};
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      linear[3 * row + column] = AView[4 * column + row];
    }
    offset[row] = AEye[row] - AView[12 + row];
  }
  return AView[3] == 0.0f && AView[7] == 0.0f && AView[11] == 0.0f && AView[15] == 1.0f &&
         Solve3(linear, offset, APoint);
}

// One side of a block the eye sees from outside, and a cubie below it; lengths in the cube's
// space, lateral ones on the side's two other axes from the block's centre.
struct TSideLook {
  double Pitch = 0.0;
  double Height = 0.0; // of the eye above the side's outer plane
  int32_t Layer = 0;   // of the cubie below the side: 1 for the layer under the surface
  double Depth = 0.0;  // of the cubie's centre below the outer plane
  double BodyHalfSize = 0.0;
  std::array<double, 2> Eye{};
  std::array<double, 2> Centre{};    // of the cubie
  std::array<double, 2> FirstLine{}; // the first grid line along each axis
  std::array<int32_t, 2> Lines{};    // the count of grid lines along each axis
};

// How far beside a grid line the eye may be for a ray to keep within the shaft's radius over
// ALength of its narrow stretch: from the eye to the top of the stretch the ray closes in on
// the grid line by at least that distance less the radius, and over the stretch it drifts
// sideways in proportion.
double ShaftReach(const TSideLook& ALook, double ALength) {
  const double radius = kShaftRadius * ALook.Pitch;
  return radius * (1.0 + 2.0 * (ALook.Height + kNarrowFrom * ALook.Pitch) / ALength);
}

double Beside(const TSideLook& ALook, double AU, double AV) {
  return std::hypot(ALook.Eye[0] - AU, ALook.Eye[1] - AV);
}

// Among solid blocks of cubies a ray down a shaft stays in it, so it reaches only the columns
// at the shaft's four sides, and a layer only after the narrow stretches of all above it.
bool ReachesDownItsColumn(const TSideLook& ALook) {
  const double reach = ShaftReach(ALook, (ALook.Layer - 1 + kNarrowTo - kNarrowFrom) * ALook.Pitch);
  for (const double du : {-0.5, 0.5}) {
    for (const double dv : {-0.5, 0.5}) {
      if (!(Beside(ALook, ALook.Centre[0] + du * ALook.Pitch, ALook.Centre[1] + dv * ALook.Pitch) >
            reach)) {
        return true;
      }
    }
  }
  return false;
}

// Under a shell with nothing inside a ray that passed the narrow stretch of the surface layer
// runs on freely, but still within the cone from the eye through the shaft's cross-section at
// the top of that stretch. So the cubie is reached only if the shadow of its body, cast from
// the eye onto that level, comes within the shaft's radius of a grid line that lets rays pass.
bool ReachesThroughTheHollow(const TSideLook& ALook) {
  const double radius = kShaftRadius * ALook.Pitch;
  const double reach = ShaftReach(ALook, (kNarrowTo - kNarrowFrom) * ALook.Pitch);
  const double level = ALook.Height + kNarrowFrom * ALook.Pitch;
  std::array<int32_t, 2> from{};
  std::array<int32_t, 2> to{};
  for (int I = 0; I < 2; ++I) {
    double low = ALook.Centre[I];
    double high = ALook.Centre[I];
    for (const double across : {-ALook.BodyHalfSize, ALook.BodyHalfSize}) {
      for (const double down : {-ALook.BodyHalfSize, ALook.BodyHalfSize}) {
        const double shadow = ALook.Eye[I] + (ALook.Centre[I] + across - ALook.Eye[I]) * level /
                                                 (ALook.Height + ALook.Depth + down);
        low = std::min(low, shadow);
        high = std::max(high, shadow);
      }
    }
    from[I] = std::max<int32_t>(
        0, static_cast<int32_t>(std::ceil((low - radius - ALook.FirstLine[I]) / ALook.Pitch)));
    to[I] = std::min<int32_t>(
        ALook.Lines[I] - 1,
        static_cast<int32_t>(std::floor((high + radius - ALook.FirstLine[I]) / ALook.Pitch)));
  }
  for (int32_t lineU = from[0]; lineU <= to[0]; ++lineU) {
    for (int32_t lineV = from[1]; lineV <= to[1]; ++lineV) {
      if (!(Beside(ALook, ALook.FirstLine[0] + lineU * ALook.Pitch,
                   ALook.FirstLine[1] + lineV * ALook.Pitch) > reach)) {
        return true;
      }
    }
  }
  return false;
}

} // namespace

bool THiddenBodyParts::EyeOf(const std::array<double, 16>& AProjection,
                             std::array<double, 3>& AEye) {
  // The centre of projection is the point whose clip x, y and w are all 0.
  std::array<double, 9> A{};
  std::array<double, 3> b{};
  const int rows[3] = {0, 1, 3};
  for (int I = 0; I < 3; ++I) {
    for (int column = 0; column < 3; ++column) {
      A[3 * I + column] = AProjection[4 * column + rows[I]];
    }
    b[I] = -AProjection[12 + rows[I]];
  }
  return Solve3(A, b, AEye);
}

bool THiddenBodyParts::NoRayDownTheShafts(const std::array<double, 3>& AEye,
                                          const std::array<double, 3>& AHalfSizes) {
  const double safeCos = std::cos(kSafeAngleDegrees * kPi / 180.0);
  for (int axis = 0; axis < 3; ++axis) {
    for (const double sign : {-1.0, 1.0}) {
      const double height = sign * AEye[axis];
      if (height <= 0.0) {
        continue; // the eye is on the inner side of that side's plane: no way in there
      }
      // Against the inward normal, a ray to a point p of the box runs Height - p.n <=
      // Height + h, and sideways at least the distance of the eye beside the side's rectangle.
      const double along = height + AHalfSizes[axis];
      double beside2 = 0.0;
      for (int other = 0; other < 3; ++other) {
        if (other != axis) {
          const double out = std::fabs(AEye[other]) - AHalfSizes[other];
          beside2 += out > 0.0 ? out * out : 0.0;
        }
      }
      if (!(along / std::sqrt(along * along + beside2) < safeCos)) {
        return false;
      }
    }
  }
  return true;
}

THiddenBodyParts::THiddenBodyParts(const TVexilCube& ACube, const TCubeFrame& AFrame,
                                   const std::array<double, 16>& AProjection)
    : FCube(ACube), FGeometry(ACube.Geometry()), FFrame(AFrame) {
  // The block rules take the cubie at grid coordinate N to lie on the + side of each axis.
  if (!(FGeometry.Pitch() > 0.0f) || !(FGeometry.Scale() > 0.0f)) {
    return;
  }
  bool anyRotated = false;
  for (const TCubieDraw& cubie : AFrame.Cubies) {
    anyRotated = anyRotated || cubie.Rotated;
  }
  // At rest the whole cube is one block; a layer at an angle must be one whole turning slice.
  // A frame that is neither (inner faces without a turning slice, or the reverse) is left whole.
  int axis = -1;
  int32_t slice = 0;
  if (AFrame.DrawInner != anyRotated || (anyRotated && !FindTurningSlice(axis, slice))) {
    return;
  }
  std::array<double, 3> eye{};
  std::array<double, 3> cubeEye{};
  if (!EyeOf(AProjection, eye) || !ToCubeSpace(AFrame.View, eye, cubeEye)) {
    return;
  }
  const int32_t n = ACube.Degree();
  if (axis < 0) {
    // At rest only the surface cubies are drawn: the shell is hollow.
    AddBlock({1, 1, 1}, {n, n, n}, cubeEye, true);
  } else {
    std::array<int32_t, 3> lo = {1, 1, 1};
    std::array<int32_t, 3> hi = {n, n, n};
    hi[axis] = slice - 1;
    AddBlock(lo, hi, cubeEye, false);
    lo[axis] = slice + 1;
    hi[axis] = n;
    AddBlock(lo, hi, cubeEye, false);
  }
  for (const TBlock& block : FBlocks) {
    FSealed = FSealed || !block.Deep;
  }
}

bool THiddenBodyParts::FindTurningSlice(int& AAxis, int32_t& ASlice) const {
  const int32_t n = FCube.Degree();
  std::vector<bool> seen(static_cast<size_t>(FCube.CubesCount()), false);
  std::array<bool, 3> shared = {true, true, true};
  std::array<int32_t, 3> first{};
  int32_t count = 0;
  for (const TCubieDraw& cubie : FFrame.Cubies) {
    if (!cubie.Rotated) {
      continue;
    }
    if (cubie.CubeIndex < 0 || cubie.CubeIndex >= FCube.CubesCount() ||
        seen[static_cast<size_t>(cubie.CubeIndex)]) {
      return false;
    }
    seen[static_cast<size_t>(cubie.CubeIndex)] = true;
    const TIntVector grid = FGeometry.GridPosition(cubie.CubeIndex);
    const std::array<int32_t, 3> at = {grid.I, grid.J, grid.L};
    for (int axis = 0; axis < 3; ++axis) {
      shared[axis] = shared[axis] && (count == 0 || at[axis] == first[axis]);
    }
    if (count++ == 0) {
      first = at;
    }
  }
  // N² distinct cubies sharing one coordinate are that whole slice, and no other cubie turns.
  if (count != n * n || shared[0] + shared[1] + shared[2] != 1) {
    return false;
  }
  AAxis = shared[0] ? 0 : (shared[1] ? 1 : 2);
  ASlice = first[AAxis];
  return true;
}

void THiddenBodyParts::AddBlock(const std::array<int32_t, 3>& ALo,
                                const std::array<int32_t, 3>& AHi,
                                const std::array<double, 3>& ACubeEye, bool AHollow) {
  TBlock block{ALo, AHi, {}};
  block.Hollow = AHollow;
  std::array<double, 3> halfSizes{};
  const double pitch = FGeometry.Pitch();
  const double scale = FGeometry.Scale();
  for (int axis = 0; axis < 3; ++axis) {
    if (AHi[axis] < ALo[axis]) {
      return; // empty: the turning slice is the outermost one
    }
    const double centre = scale * FGeometry.AxisCentre((ALo[axis] + AHi[axis]) / 2.0);
    block.Eye[axis] = ACubeEye[axis] - centre;
    halfSizes[axis] = scale * ((AHi[axis] - ALo[axis]) * pitch / 2.0 + kBodyHalfSize);
    if (!std::isfinite(block.Eye[axis]) || !std::isfinite(halfSizes[axis])) {
      return;
    }
  }
  block.Deep = !NoRayDownTheShafts(block.Eye, halfSizes);
  FBlocks.push_back(block);
}

bool THiddenBodyParts::SeenDownAShaft(const TBlock& ABlock,
                                      const std::array<int32_t, 3>& AAt) const {
  const double scale = FGeometry.Scale();
  const double pitch = FGeometry.Pitch() * FGeometry.Scale();
  for (int face = 1; face <= 6; ++face) {
    const int axis = PlaneDirections[face - 1].Axis;
    const int sign = PlaneDirections[face - 1].Sign;
    TSideLook look;
    look.Pitch = pitch;
    look.Height = sign * ABlock.Eye[axis] -
                  scale * ((ABlock.Hi[axis] - ABlock.Lo[axis]) * FGeometry.Pitch() / 2.0 +
                           TCubieGeometry::BodyHalfSize());
    if (!(look.Height > 0.0)) {
      continue; // the eye is not outside this side: no ray comes in through it
    }
    look.Layer = sign > 0 ? ABlock.Hi[axis] - AAt[axis] : AAt[axis] - ABlock.Lo[axis];
    if (look.Layer < 1) {
      return true;
    }
    look.BodyHalfSize = scale * kBodyHalfSize;
    look.Depth = look.Layer * pitch + scale * TCubieGeometry::BodyHalfSize();
    for (int I = 0; I < 2; ++I) {
      const int other = (axis + 1 + I) % 3;
      const double middle = (ABlock.Lo[other] + ABlock.Hi[other]) / 2.0;
      look.Eye[I] = ABlock.Eye[other];
      look.Centre[I] = pitch * (AAt[other] - middle);
      look.FirstLine[I] = pitch * (ABlock.Lo[other] - 0.5 - middle);
      look.Lines[I] = ABlock.Hi[other] - ABlock.Lo[other] + 2;
    }
    if (ABlock.Hollow ? ReachesThroughTheHollow(look) : ReachesDownItsColumn(look)) {
      return true;
    }
  }
  return false;
}

const THiddenBodyParts::TBlock* THiddenBodyParts::BlockAt(const std::array<int32_t, 3>& AAt) const {
  const TBlock* block = nullptr;
  for (const TBlock& candidate : FBlocks) {
    bool inside = true;
    for (int axis = 0; axis < 3; ++axis) {
      inside = inside && candidate.Lo[axis] <= AAt[axis] && AAt[axis] <= candidate.Hi[axis];
    }
    block = inside ? &candidate : block;
  }
  return block;
}

bool THiddenBodyParts::InSealedBlock(int32_t ACubeIndex) const {
  if (ACubeIndex < 0 || ACubeIndex >= FCube.CubesCount()) {
    return false;
  }
  const TIntVector grid = FGeometry.GridPosition(ACubeIndex);
  const TBlock* block = BlockAt({grid.I, grid.J, grid.L});
  return block != nullptr && !block->Deep;
}

THiddenBodyParts::TBodyDraw THiddenBodyParts::BodyOf(int32_t ACubeIndex) const {
  const TIntVector grid = FGeometry.GridPosition(ACubeIndex);
  const std::array<int32_t, 3> at = {grid.I, grid.J, grid.L};
  const TBlock* block = BlockAt(at);
  if (block == nullptr || ACubeIndex < 0 || ACubeIndex >= FCube.CubesCount()) {
    return {}; // the turning slice, or a block a ray might see into
  }
  int outerFaces = 0;
  int outerFace = 0;
  bool anyShown = false;
  for (int face = 1; face <= 6; ++face) {
    const int axis = PlaneDirections[face - 1].Axis;
    const int sign = PlaneDirections[face - 1].Sign;
    if (at[axis] != (sign > 0 ? block->Hi[axis] : block->Lo[axis])) {
      continue;
    }
    ++outerFaces;
    outerFace = face;
    // A face whose plane the eye sees from outside counts as shown even if the frame does not
    // draw it.
    const bool eyeOutside = sign * block->Eye[axis] > 0.0;
    anyShown = anyShown || FFrame.PlaneVisible[face - 1] || eyeOutside;
  }
  if (!anyShown) {
    // On no side of its block, or only on sides the eye sees from within: behind the shell of
    // its block, body and faces, unless a ray runs down a shaft far enough to reach it.
    if (block->Deep && SeenDownAShaft(*block, at)) {
      return {};
    }
    return {TPart::None, 0};
  }
  if (!block->Deep && outerFaces == 1 && FFrame.PlaneVisible[outerFace - 1]) {
    // That face is drawn (a sticker, or an inner face next to the gap) and covers the open
    // square on top; the slab of the opposite face lies below the shafts. 1 <-> 6, 2 <-> 4,
    // 3 <-> 5.
    constexpr int kOpposite[6] = {6, 4, 5, 2, 3, 1};
    return {TPart::WithoutSide, kOpposite[outerFace - 1]};
  }
  return {};
}

} // namespace vexil
