#include "engine/VectorTypes.h"

#include <cmath>
#include <limits>

namespace vexil {

TMatrix IdentityMatrix() {
  TMatrix M{};
  M[0] = M[5] = M[10] = M[15] = 1.0f;
  return M;
}

void TransformVertex(TVertex3f& V, const TMatrix& M) {
  const double x = V.X;
  const double y = V.Y;
  const double z = V.Z;
  V.X = static_cast<float>(x * M[0] + y * M[4] + z * M[8] + M[12]);
  V.Y = static_cast<float>(x * M[1] + y * M[5] + z * M[9] + M[13]);
  V.Z = static_cast<float>(x * M[2] + y * M[6] + z * M[10] + M[14]);
}

bool SameVertex(const TVertex3f& A, const TVertex3f& B) {
  return A.X == B.X && A.Y == B.Y && A.Z == B.Z;
}

bool SameIntVector(const TIntVector& A, const TIntVector& B) {
  return A.I == B.I && A.J == B.J && A.L == B.L;
}

int64_t Round(double AValue) {
  // 2^63 is exact in a double; every double below it and at or above -2^63 converts exactly
  // once rounded, and everything else (NaN included) would be undefined to convert.
  constexpr double kTwoTo63 = 9223372036854775808.0;
  const double rounded = std::nearbyint(AValue);
  if (std::isnan(rounded)) {
    return 0;
  }
  if (rounded >= kTwoTo63) {
    return std::numeric_limits<int64_t>::max();
  }
  if (rounded < -kTwoTo63) {
    return std::numeric_limits<int64_t>::min();
  }
  return static_cast<int64_t>(rounded);
}

uint8_t ColorComponentByte(float AComponent) {
  return static_cast<uint8_t>(Round(static_cast<double>(AComponent) * 255.0) & 0xFF);
}

int32_t Vertex3fToColor(const TVertex3f& V) {
  return ColorComponentByte(V.X) + ColorComponentByte(V.Y) * 256 + ColorComponentByte(V.Z) * 65536;
}

TVertex3f ColorToVertex3f(int32_t P) {
  const auto bits = static_cast<uint32_t>(P);
  return TVertex3f{static_cast<float>((bits & 0xFF) / 255.0),
                   static_cast<float>(((bits >> 8) & 0xFF) / 255.0),
                   static_cast<float>(((bits >> 16) & 0xFF) / 255.0)};
}

double ArcCosDegrees(double T) {
  return std::atan2(std::sqrt(1.0 - T * T), T) * 180.0 / kPi;
}

} // namespace vexil
