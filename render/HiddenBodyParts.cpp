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
  const auto Det = [](const std::array<double, 9>& M) {
    return M[0] * (M[4] * M[8] - M[5] * M[7]) - M[1] * (M[3] * M[8] - M[5] * M[6]) +
           M[2] * (M[3] * M[7] - M[4] * M[6]);
  };
  const double D = Det(A);
  if (!std::isfinite(D) || std::fabs(D) < 1e-12) {
    return false;
  }
  for (int Column = 0; Column < 3; ++Column) {
    std::array<double, 9> M = A;
    for (int Row = 0; Row < 3; ++Row) {
      M[3 * Row + Column] = b[Row];
    }
    x[Column] = Det(M) / D;
  }
  return std::isfinite(x[0]) && std::isfinite(x[1]) && std::isfinite(x[2]);
}

// The point of the cube's space that AView (column-major, affine) takes to AEye.
bool ToCubeSpace(const TMatrix& AView, const std::array<double, 3>& AEye,
                 std::array<double, 3>& APoint) {
  std::array<double, 9> Linear{};
  std::array<double, 3> Offset{};
  for (int Row = 0; Row < 3; ++Row) {
    for (int Column = 0; Column < 3; ++Column) {
      Linear[3 * Row + Column] = AView[4 * Column + Row];
    }
    Offset[Row] = AEye[Row] - AView[12 + Row];
  }
  return AView[3] == 0.0f && AView[7] == 0.0f && AView[11] == 0.0f && AView[15] == 1.0f &&
         Solve3(Linear, Offset, APoint);
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
  const double Radius = kShaftRadius * ALook.Pitch;
  return Radius * (1.0 + 2.0 * (ALook.Height + kNarrowFrom * ALook.Pitch) / ALength);
}

double Beside(const TSideLook& ALook, double AU, double AV) {
  return std::hypot(ALook.Eye[0] - AU, ALook.Eye[1] - AV);
}

// Among solid blocks of cubies a ray down a shaft stays in it, so it reaches only the columns
// at the shaft's four sides, and a layer only after the narrow stretches of all above it.
bool ReachesDownItsColumn(const TSideLook& ALook) {
  const double Reach = ShaftReach(ALook, (ALook.Layer - 1 + kNarrowTo - kNarrowFrom) * ALook.Pitch);
  for (const double DU : {-0.5, 0.5}) {
    for (const double DV : {-0.5, 0.5}) {
      if (!(Beside(ALook, ALook.Centre[0] + DU * ALook.Pitch, ALook.Centre[1] + DV * ALook.Pitch) >
            Reach)) {
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
  const double Radius = kShaftRadius * ALook.Pitch;
  const double Reach = ShaftReach(ALook, (kNarrowTo - kNarrowFrom) * ALook.Pitch);
  const double Level = ALook.Height + kNarrowFrom * ALook.Pitch;
  std::array<int32_t, 2> From{};
  std::array<int32_t, 2> To{};
  for (int I = 0; I < 2; ++I) {
    double Low = ALook.Centre[I];
    double High = ALook.Centre[I];
    for (const double Across : {-ALook.BodyHalfSize, ALook.BodyHalfSize}) {
      for (const double Down : {-ALook.BodyHalfSize, ALook.BodyHalfSize}) {
        const double Shadow = ALook.Eye[I] + (ALook.Centre[I] + Across - ALook.Eye[I]) * Level /
                                                 (ALook.Height + ALook.Depth + Down);
        Low = std::min(Low, Shadow);
        High = std::max(High, Shadow);
      }
    }
    From[I] = std::max<int32_t>(
        0, static_cast<int32_t>(std::ceil((Low - Radius - ALook.FirstLine[I]) / ALook.Pitch)));
    To[I] = std::min<int32_t>(
        ALook.Lines[I] - 1,
        static_cast<int32_t>(std::floor((High + Radius - ALook.FirstLine[I]) / ALook.Pitch)));
  }
  for (int32_t LineU = From[0]; LineU <= To[0]; ++LineU) {
    for (int32_t LineV = From[1]; LineV <= To[1]; ++LineV) {
      if (!(Beside(ALook, ALook.FirstLine[0] + LineU * ALook.Pitch,
                   ALook.FirstLine[1] + LineV * ALook.Pitch) > Reach)) {
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
  const int Rows[3] = {0, 1, 3};
  for (int I = 0; I < 3; ++I) {
    for (int Column = 0; Column < 3; ++Column) {
      A[3 * I + Column] = AProjection[4 * Column + Rows[I]];
    }
    b[I] = -AProjection[12 + Rows[I]];
  }
  return Solve3(A, b, AEye);
}

bool THiddenBodyParts::NoRayDownTheShafts(const std::array<double, 3>& AEye,
                                          const std::array<double, 3>& AHalfSizes) {
  const double SafeCos = std::cos(kSafeAngleDegrees * kPi / 180.0);
  for (int Axis = 0; Axis < 3; ++Axis) {
    for (const double Sign : {-1.0, 1.0}) {
      const double Height = Sign * AEye[Axis];
      if (Height <= 0.0) {
        continue; // the eye is on the inner side of that side's plane: no way in there
      }
      // Against the inward normal, a ray to a point p of the box runs Height - p.n <=
      // Height + h, and sideways at least the distance of the eye beside the side's rectangle.
      const double Along = Height + AHalfSizes[Axis];
      double Beside2 = 0.0;
      for (int Other = 0; Other < 3; ++Other) {
        if (Other != Axis) {
          const double Out = std::fabs(AEye[Other]) - AHalfSizes[Other];
          Beside2 += Out > 0.0 ? Out * Out : 0.0;
        }
      }
      if (!(Along / std::sqrt(Along * Along + Beside2) < SafeCos)) {
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
  bool AnyRotated = false;
  for (const TCubieDraw& Cubie : AFrame.Cubies) {
    AnyRotated = AnyRotated || Cubie.Rotated;
  }
  // At rest the whole cube is one block; a layer at an angle must be one whole turning slice.
  // A frame that is neither (inner faces without a turning slice, or the reverse) is left whole.
  int Axis = -1;
  int32_t Slice = 0;
  if (AFrame.DrawInner != AnyRotated || (AnyRotated && !FindTurningSlice(Axis, Slice))) {
    return;
  }
  std::array<double, 3> Eye{};
  std::array<double, 3> CubeEye{};
  if (!EyeOf(AProjection, Eye) || !ToCubeSpace(AFrame.View, Eye, CubeEye)) {
    return;
  }
  const int32_t N = ACube.Degree();
  if (Axis < 0) {
    // At rest only the surface cubies are drawn: the shell is hollow.
    AddBlock({1, 1, 1}, {N, N, N}, CubeEye, true);
  } else {
    std::array<int32_t, 3> Lo = {1, 1, 1};
    std::array<int32_t, 3> Hi = {N, N, N};
    Hi[Axis] = Slice - 1;
    AddBlock(Lo, Hi, CubeEye, false);
    Lo[Axis] = Slice + 1;
    Hi[Axis] = N;
    AddBlock(Lo, Hi, CubeEye, false);
  }
  for (const TBlock& Block : FBlocks) {
    FSealed = FSealed || !Block.Deep;
  }
}

bool THiddenBodyParts::FindTurningSlice(int& AAxis, int32_t& ASlice) const {
  const int32_t N = FCube.Degree();
  std::vector<bool> Seen(static_cast<size_t>(FCube.CubesCount()), false);
  std::array<bool, 3> Shared = {true, true, true};
  std::array<int32_t, 3> First{};
  int32_t Count = 0;
  for (const TCubieDraw& Cubie : FFrame.Cubies) {
    if (!Cubie.Rotated) {
      continue;
    }
    if (Cubie.CubeIndex < 0 || Cubie.CubeIndex >= FCube.CubesCount() ||
        Seen[static_cast<size_t>(Cubie.CubeIndex)]) {
      return false;
    }
    Seen[static_cast<size_t>(Cubie.CubeIndex)] = true;
    const TIntVector Grid = FGeometry.GridPosition(Cubie.CubeIndex);
    const std::array<int32_t, 3> At = {Grid.I, Grid.J, Grid.L};
    for (int Axis = 0; Axis < 3; ++Axis) {
      Shared[Axis] = Shared[Axis] && (Count == 0 || At[Axis] == First[Axis]);
    }
    if (Count++ == 0) {
      First = At;
    }
  }
  // N² distinct cubies sharing one coordinate are that whole slice, and no other cubie turns.
  if (Count != N * N || Shared[0] + Shared[1] + Shared[2] != 1) {
    return false;
  }
  AAxis = Shared[0] ? 0 : (Shared[1] ? 1 : 2);
  ASlice = First[AAxis];
  return true;
}

void THiddenBodyParts::AddBlock(const std::array<int32_t, 3>& ALo,
                                const std::array<int32_t, 3>& AHi,
                                const std::array<double, 3>& ACubeEye, bool AHollow) {
  TBlock Block{ALo, AHi, {}};
  Block.Hollow = AHollow;
  std::array<double, 3> HalfSizes{};
  const double Pitch = FGeometry.Pitch();
  const double Scale = FGeometry.Scale();
  for (int Axis = 0; Axis < 3; ++Axis) {
    if (AHi[Axis] < ALo[Axis]) {
      return; // empty: the turning slice is the outermost one
    }
    const double Centre = Scale * FGeometry.AxisCentre((ALo[Axis] + AHi[Axis]) / 2.0);
    Block.Eye[Axis] = ACubeEye[Axis] - Centre;
    HalfSizes[Axis] = Scale * ((AHi[Axis] - ALo[Axis]) * Pitch / 2.0 + kBodyHalfSize);
    if (!std::isfinite(Block.Eye[Axis]) || !std::isfinite(HalfSizes[Axis])) {
      return;
    }
  }
  Block.Deep = !NoRayDownTheShafts(Block.Eye, HalfSizes);
  FBlocks.push_back(Block);
}

bool THiddenBodyParts::SeenDownAShaft(const TBlock& ABlock,
                                      const std::array<int32_t, 3>& AAt) const {
  const double Scale = FGeometry.Scale();
  const double Pitch = FGeometry.Pitch() * FGeometry.Scale();
  for (int Face = 1; Face <= 6; ++Face) {
    const int Axis = PlaneDirections[Face - 1].Axis;
    const int Sign = PlaneDirections[Face - 1].Sign;
    TSideLook Look;
    Look.Pitch = Pitch;
    Look.Height = Sign * ABlock.Eye[Axis] -
                  Scale * ((ABlock.Hi[Axis] - ABlock.Lo[Axis]) * FGeometry.Pitch() / 2.0 +
                           TCubieGeometry::BodyHalfSize());
    if (!(Look.Height > 0.0)) {
      continue; // the eye is not outside this side: no ray comes in through it
    }
    Look.Layer = Sign > 0 ? ABlock.Hi[Axis] - AAt[Axis] : AAt[Axis] - ABlock.Lo[Axis];
    if (Look.Layer < 1) {
      return true;
    }
    Look.BodyHalfSize = Scale * kBodyHalfSize;
    Look.Depth = Look.Layer * Pitch + Scale * TCubieGeometry::BodyHalfSize();
    for (int I = 0; I < 2; ++I) {
      const int Other = (Axis + 1 + I) % 3;
      const double Middle = (ABlock.Lo[Other] + ABlock.Hi[Other]) / 2.0;
      Look.Eye[I] = ABlock.Eye[Other];
      Look.Centre[I] = Pitch * (AAt[Other] - Middle);
      Look.FirstLine[I] = Pitch * (ABlock.Lo[Other] - 0.5 - Middle);
      Look.Lines[I] = ABlock.Hi[Other] - ABlock.Lo[Other] + 2;
    }
    if (ABlock.Hollow ? ReachesThroughTheHollow(Look) : ReachesDownItsColumn(Look)) {
      return true;
    }
  }
  return false;
}

THiddenBodyParts::TBodyDraw THiddenBodyParts::BodyOf(int32_t ACubeIndex) const {
  const TIntVector Grid = FGeometry.GridPosition(ACubeIndex);
  const std::array<int32_t, 3> At = {Grid.I, Grid.J, Grid.L};
  const TBlock* Block = nullptr;
  for (const TBlock& Candidate : FBlocks) {
    bool Inside = true;
    for (int Axis = 0; Axis < 3; ++Axis) {
      Inside = Inside && Candidate.Lo[Axis] <= At[Axis] && At[Axis] <= Candidate.Hi[Axis];
    }
    Block = Inside ? &Candidate : Block;
  }
  if (Block == nullptr || ACubeIndex < 0 || ACubeIndex >= FCube.CubesCount()) {
    return {}; // the turning slice, or a block a ray might see into
  }
  int OuterFaces = 0;
  int OuterFace = 0;
  bool AnyShown = false;
  for (int Face = 1; Face <= 6; ++Face) {
    const int Axis = PlaneDirections[Face - 1].Axis;
    const int Sign = PlaneDirections[Face - 1].Sign;
    if (At[Axis] != (Sign > 0 ? Block->Hi[Axis] : Block->Lo[Axis])) {
      continue;
    }
    ++OuterFaces;
    OuterFace = Face;
    // A face whose plane the eye sees from outside counts as shown even if the frame does not
    // draw it.
    const bool EyeOutside = Sign * Block->Eye[Axis] > 0.0;
    AnyShown = AnyShown || FFrame.PlaneVisible[Face - 1] || EyeOutside;
  }
  if (!AnyShown) {
    // On no side of its block, or only on sides the eye sees from within: behind the shell of
    // its block, body and faces, unless a ray runs down a shaft far enough to reach it.
    if (Block->Deep && SeenDownAShaft(*Block, At)) {
      return {};
    }
    return {TPart::None, 0};
  }
  if (!Block->Deep && OuterFaces == 1 && FFrame.PlaneVisible[OuterFace - 1]) {
    // That face is drawn (a sticker, or an inner face next to the gap) and covers the open
    // square on top; the slab of the opposite face lies below the shafts. 1 <-> 6, 2 <-> 4,
    // 3 <-> 5.
    constexpr int kOpposite[6] = {6, 4, 5, 2, 3, 1};
    return {TPart::WithoutSide, kOpposite[OuterFace - 1]};
  }
  return {};
}

} // namespace vexil
