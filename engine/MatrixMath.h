// Double-precision 4 x 4 matrices in OpenGL's column-major layout, for composing the model's
// frame matrices and the picking projection. Results are rounded to single precision only where
// they are stored in a TMatrix.
#pragma once

#include "engine/VectorTypes.h"

#include <array>

namespace vexil {

using TMatrix4d = std::array<double, 16>;

TMatrix4d IdentityMatrix4d();
TMatrix4d ToMatrix4d(const TMatrix& AMatrix);
TMatrix ToSingleMatrix(const TMatrix4d& AMatrix);
TMatrix4d Multiply(const TMatrix4d& A, const TMatrix4d& B);
TMatrix4d ScaleMatrix(double AScale);
TMatrix4d TranslationMatrix(double X, double Y, double Z);
// Right-handed rotation by AAngle degrees about the axis (normalised first); whole multiples of
// 90 degrees come out exact, so a quarter turn maps grid places onto grid places exactly.
TMatrix4d RotationMatrix(double AAngle, const TVertex3f& AAxis);

struct TPoint3d {
  double X = 0.0;
  double Y = 0.0;
  double Z = 0.0;
};

// The point transformed by the matrix, with the fourth row ignored.
TPoint3d TransformPoint(const TMatrix4d& AMatrix, const TPoint3d& APoint);

} // namespace vexil
