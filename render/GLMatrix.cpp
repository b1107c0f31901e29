#include "render/GLMatrix.h"

#include "engine/MatrixMath.h"

#include <cmath>

namespace vexil {

TMatrix MultiplyMatrix(const TMatrix& A, const TMatrix& B) {
  return ToSingleMatrix(Multiply(ToMatrix4d(A), ToMatrix4d(B)));
}

TMatrix GLRotationMatrix(double AAngle, double X, double Y, double Z) {
  const double Length = std::sqrt(X * X + Y * Y + Z * Z);
  if (Length == 0.0) {
    return IdentityMatrix();
  }
  X /= Length;
  Y /= Length;
  Z /= Length;
  const double Radians = AAngle * kPi / 180.0;
  const double C = std::cos(Radians);
  const double S = std::sin(Radians);
  const double T = 1.0 - C;
  TMatrix M = IdentityMatrix();
  M[0] = static_cast<float>(X * X * T + C);
  M[1] = static_cast<float>(Y * X * T + Z * S);
  M[2] = static_cast<float>(X * Z * T - Y * S);
  M[4] = static_cast<float>(X * Y * T - Z * S);
  M[5] = static_cast<float>(Y * Y * T + C);
  M[6] = static_cast<float>(Y * Z * T + X * S);
  M[8] = static_cast<float>(X * Z * T + Y * S);
  M[9] = static_cast<float>(Y * Z * T - X * S);
  M[10] = static_cast<float>(Z * Z * T + C);
  return M;
}

TMatrix GLTranslationMatrix(double X, double Y, double Z) {
  return ToSingleMatrix(TranslationMatrix(X, Y, Z));
}

TMatrix GLScaleMatrix(double AScale) {
  return ToSingleMatrix(ScaleMatrix(AScale));
}

} // namespace vexil
