#include "engine/VectorTypes.h"

#include <cmath>

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
  return static_cast<int64_t>(std::nearbyint(AValue));
}

namespace {
int32_t ColorByte(float AComponent) {
  return static_cast<int32_t>(Round(static_cast<double>(AComponent) * 255.0) & 0xFF);
}
} // namespace

int32_t Vertex3fToColor(const TVertex3f& V) {
  return ColorByte(V.X) + ColorByte(V.Y) * 256 + ColorByte(V.Z) * 65536;
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
