#include "engine/MatrixMath.h"

#include <cmath>

namespace vexil {

TMatrix4d IdentityMatrix4d() {
  TMatrix4d m{};
  m[0] = m[5] = m[10] = m[15] = 1.0;
  return m;
}

TMatrix4d ToMatrix4d(const TMatrix& AMatrix) {
  TMatrix4d m{};
  for (int i = 0; i < 16; ++i) {
    m[i] = AMatrix[i];
  }
  return m;
}

TMatrix ToSingleMatrix(const TMatrix4d& AMatrix) {
  TMatrix m{};
  for (int i = 0; i < 16; ++i) {
    m[i] = static_cast<float>(AMatrix[i]);
  }
  return m;
}

TMatrix4d Multiply(const TMatrix4d& A, const TMatrix4d& B) {
  TMatrix4d m{};
  for (int c = 0; c < 4; ++c) {
    for (int r = 0; r < 4; ++r) {
      double sum = 0.0;
      for (int k = 0; k < 4; ++k) {
        sum += A[4 * k + r] * B[4 * c + k];
      }
      m[4 * c + r] = sum;
    }
  }
  return m;
}

TMatrix4d ScaleMatrix(double AScale) {
  TMatrix4d m{};
  m[0] = m[5] = m[10] = AScale;
  m[15] = 1.0;
  return m;
}

TMatrix4d TranslationMatrix(double X, double Y, double Z) {
  TMatrix4d m = IdentityMatrix4d();
  m[12] = X;
  m[13] = Y;
  m[14] = Z;
  return m;
}

namespace {

// Cosine and sine of an angle in degrees, exact at whole quarter turns.
void CosSin(double AAngle, double& ACos, double& ASin) {
  const double quarters = AAngle / 90.0;
  if (quarters == std::floor(quarters) && std::isfinite(quarters)) {
    static constexpr double kCos[4] = {1.0, 0.0, -1.0, 0.0};
    static constexpr double kSin[4] = {0.0, 1.0, 0.0, -1.0};
    const auto index = static_cast<int>(((static_cast<long long>(quarters) % 4) + 4) % 4);
    ACos = kCos[index];
    ASin = kSin[index];
    return;
  }
  const double radians = AAngle * kPi / 180.0;
  ACos = std::cos(radians);
  ASin = std::sin(radians);
}

} // namespace

TMatrix4d RotationMatrix(double AAngle, const TVertex3f& AAxis) {
  double x = AAxis.X;
  double y = AAxis.Y;
  double z = AAxis.Z;
  const double length = std::sqrt(x * x + y * y + z * z);
  if (length > 0.0 && length != 1.0) {
    x /= length;
    y /= length;
    z /= length;
  }
  double c = 1.0;
  double s = 0.0;
  CosSin(AAngle, c, s);
  const double t = 1.0 - c;
  TMatrix4d m = IdentityMatrix4d();
  m[0] = x * x * t + c;
  m[1] = y * x * t + z * s;
  m[2] = x * z * t - y * s;
  m[4] = x * y * t - z * s;
  m[5] = y * y * t + c;
  m[6] = y * z * t + x * s;
  m[8] = x * z * t + y * s;
  m[9] = y * z * t - x * s;
  m[10] = z * z * t + c;
  return m;
}

TPoint3d TransformPoint(const TMatrix4d& AMatrix, const TPoint3d& APoint) {
  const TMatrix4d& m = AMatrix;
  return TPoint3d{APoint.X * m[0] + APoint.Y * m[4] + APoint.Z * m[8] + m[12],
                  APoint.X * m[1] + APoint.Y * m[5] + APoint.Z * m[9] + m[13],
                  APoint.X * m[2] + APoint.Y * m[6] + APoint.Z * m[10] + m[14]};
}

} // namespace vexil
