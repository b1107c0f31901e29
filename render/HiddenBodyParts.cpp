#include "HiddenBodyParts.h"

#include <cmath>

namespace vexil {

namespace {

// The shafts are about 18 mesh units wide at their widest and 80 long: 12.6 degrees at most.
// Kept well above that, with the spread of the rays over the cube on top.
constexpr double kSafeAngleDegrees = 20.0;
// Half-size of a cubie body around its centre, before the cube's scale (0.2513), with room.
constexpr double kBodyHalfSize = 0.26;

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

// Face numbers 1..6 point to +Z, +Y, -X, -Y, +X, -Z.
constexpr int kFaceAxis[6] = {2, 1, 0, 1, 0, 2};
constexpr int kFaceSign[6] = {1, 1, -1, -1, 1, -1};

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
  const double SafeCos = std::cos(kSafeAngleDegrees * M_PI / 180.0);
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
    : FCube(ACube), FFrame(AFrame) {
  // The block rules take the cubie at grid coordinate N to lie on the + side of each axis.
  if (!(ACube.K() > 0.0f) || !(ACube.KScale() > 0.0f)) {
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
    AddBlock({1, 1, 1}, {N, N, N}, CubeEye);
  } else {
    std::array<int32_t, 3> Lo = {1, 1, 1};
    std::array<int32_t, 3> Hi = {N, N, N};
    Hi[Axis] = Slice - 1;
    AddBlock(Lo, Hi, CubeEye);
    Lo[Axis] = Slice + 1;
    Hi[Axis] = N;
    AddBlock(Lo, Hi, CubeEye);
  }
  FSealed = !FBlocks.empty();
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
    const std::array<int32_t, 3> At = {Cubie.CubeIndex / (N * N) + 1, (Cubie.CubeIndex / N) % N + 1,
                                       Cubie.CubeIndex % N + 1};
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
                                const std::array<double, 3>& ACubeEye) {
  TBlock Block{ALo, AHi, {}};
  std::array<double, 3> HalfSizes{};
  const double K = FCube.K();
  const double KScale = FCube.KScale();
  for (int Axis = 0; Axis < 3; ++Axis) {
    if (AHi[Axis] < ALo[Axis]) {
      return; // empty: the turning slice is the outermost one
    }
    // The centre of cubie c is at KScale (c K + KCenter).
    const double Centre = KScale * ((ALo[Axis] + AHi[Axis]) * K / 2.0 + FCube.KCenter());
    Block.Eye[Axis] = ACubeEye[Axis] - Centre;
    HalfSizes[Axis] = KScale * ((AHi[Axis] - ALo[Axis]) * K / 2.0 + kBodyHalfSize);
    if (!std::isfinite(Block.Eye[Axis]) || !std::isfinite(HalfSizes[Axis])) {
      return;
    }
  }
  if (NoRayDownTheShafts(Block.Eye, HalfSizes)) {
    FBlocks.push_back(Block);
  }
}

THiddenBodyParts::TBodyDraw THiddenBodyParts::BodyOf(int32_t ACubeIndex) const {
  // Cubie (x, y, z) is number (x - 1) N² + (y - 1) N + (z - 1).
  const int32_t N = FCube.Degree();
  const std::array<int32_t, 3> At = {ACubeIndex / (N * N) + 1, (ACubeIndex / N) % N + 1,
                                     ACubeIndex % N + 1};
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
    const int Axis = kFaceAxis[Face - 1];
    const int Sign = kFaceSign[Face - 1];
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
    // its block, body and faces.
    return {TPart::None, 0};
  }
  if (OuterFaces == 1 && FFrame.PlaneVisible[OuterFace - 1]) {
    // That face is drawn (a sticker, or an inner face next to the gap) and covers the open
    // square on top; the slab of the opposite face lies below the shafts. 1 <-> 6, 2 <-> 4,
    // 3 <-> 5.
    constexpr int kOpposite[6] = {6, 4, 5, 2, 3, 1};
    return {TPart::WithoutSide, kOpposite[OuterFace - 1]};
  }
  return {};
}

} // namespace vexil
