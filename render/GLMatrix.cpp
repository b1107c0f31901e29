#include "render/GLMatrix.h"

#include "engine/MatrixMath.h"

#include <cmath>

namespace vexil {

TMatrix MultiplyMatrix(const TMatrix& A, const TMatrix& B) {
  return ToSingleMatrix(Multiply(ToMatrix4d(A), ToMatrix4d(B)));
}

TMatrix GLRotationMatrix(double AAngle, double X, double Y, double Z) {
  const double length = std::sqrt(X * X + Y * Y + Z * Z);
  if (length == 0.0) {
    return IdentityMatrix();
  }
  X /= length;
  Y /= length;
  Z /= length;
  const double radians = AAngle * kPi / 180.0;
  const double c = std::cos(radians);
  const double s = std::sin(radians);
  const double t = 1.0 - c;
  TMatrix M = IdentityMatrix();
  M[0] = static_cast<float>(X * X * t + c);
  M[1] = static_cast<float>(Y * X * t + Z * s);
  M[2] = static_cast<float>(X * Z * t - Y * s);
  M[4] = static_cast<float>(X * Y * t - Z * s);
  M[5] = static_cast<float>(Y * Y * t + c);
  M[6] = static_cast<float>(Y * Z * t + X * s);
  M[8] = static_cast<float>(X * Z * t + Y * s);
  M[9] = static_cast<float>(Y * Z * t - X * s);
  M[10] = static_cast<float>(Z * Z * t + c);
  return M;
}

TMatrix GLTranslationMatrix(double X, double Y, double Z) {
  return ToSingleMatrix(TranslationMatrix(X, Y, Z));
}

TMatrix GLScaleMatrix(double AScale) {
  return ToSingleMatrix(ScaleMatrix(AScale));
}

} // namespace vexil
