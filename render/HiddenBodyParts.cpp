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

bool THiddenBodyParts::NoRayDownTheShafts(const std::array<double, 3>& AEye, double AHalfSize) {
  const double SafeCos = std::cos(kSafeAngleDegrees * M_PI / 180.0);
  for (int Axis = 0; Axis < 3; ++Axis) {
    for (const double Sign : {-1.0, 1.0}) {
      const double Height = Sign * AEye[Axis];
      if (Height <= 0.0) {
        continue; // the eye is on the inner side of that side's plane: no way in there
      }
      // Against the inward normal, a ray to a point p of the cube runs Height - p.n <=
      // Height + h, and sideways at least the distance of the eye beside the side's square.
      const double Along = Height + AHalfSize;
      double Beside2 = 0.0;
      for (int Other = 0; Other < 3; ++Other) {
        if (Other != Axis) {
          const double Out = std::fabs(AEye[Other]) - AHalfSize;
          Beside2 += Out > 0.0 ? Out * Out : 0.0;
        }
      }
      if (Along / std::sqrt(Along * Along + Beside2) >= SafeCos) {
        return false;
      }
    }
  }
  return true;
}

THiddenBodyParts::THiddenBodyParts(const TVexilCube& ACube, const TCubeFrame& AFrame,
                                   const std::array<double, 16>& AProjection)
    : FCube(ACube), FFrame(AFrame) {
  if (AFrame.DrawInner) {
    return;
  }
  for (const TCubieDraw& Cubie : AFrame.Cubies) {
    if (Cubie.Rotated) {
      return;
    }
  }
  std::array<double, 3> Eye{};
  std::array<double, 3> CubeEye{};
  if (!EyeOf(AProjection, Eye) || !ToCubeSpace(AFrame.View, Eye, CubeEye)) {
    return;
  }
  const double N = ACube.Degree();
  const double HalfSize =
      std::fabs(ACube.KScale()) * ((N - 1.0) * std::fabs(ACube.K()) / 2.0 + kBodyHalfSize);
  FSealed = std::isfinite(HalfSize) && NoRayDownTheShafts(CubeEye, HalfSize);
  FEye = CubeEye;
}

THiddenBodyParts::TBodyDraw THiddenBodyParts::BodyOf(int32_t ACubeIndex) const {
  if (!FSealed) {
    return {};
  }
  // Cubie (x, y, z) is number (x - 1) N² + (y - 1) N + (z - 1).
  const int32_t N = FCube.Degree();
  const int32_t Coordinates[3] = {ACubeIndex / (N * N) + 1, (ACubeIndex / N) % N + 1,
                                  ACubeIndex % N + 1};
  int OuterFaces = 0;
  int OuterFace = 0;
  bool AnyShown = false;
  for (int Face = 1; Face <= 6; ++Face) {
    const int32_t Coordinate = Coordinates[kFaceAxis[Face - 1]];
    if (Coordinate != (kFaceSign[Face - 1] > 0 ? N : 1)) {
      continue;
    }
    ++OuterFaces;
    OuterFace = Face;
    // A face whose plane the eye sees from outside counts as shown even if the frame does not
    // draw it.
    const bool EyeOutside = kFaceSign[Face - 1] * FEye[kFaceAxis[Face - 1]] > 0.0;
    AnyShown = AnyShown || FFrame.PlaneVisible[Face - 1] || EyeOutside;
  }
  if (OuterFaces == 0) {
    return {}; // an inner cubie is drawn only with a layer at an angle; never here
  }
  if (!AnyShown) {
    return {TPart::None, 0};
  }
  if (OuterFaces == 1 && FFrame.PlaneVisible[OuterFace - 1]) {
    // Its sticker covers the open square on top; the slab of the opposite face lies below the
    // shafts. 1 <-> 6, 2 <-> 4, 3 <-> 5.
    constexpr int kOpposite[6] = {6, 4, 5, 2, 3, 1};
    return {TPart::WithoutSide, kOpposite[OuterFace - 1]};
  }
  return {};
}

} // namespace vexil
