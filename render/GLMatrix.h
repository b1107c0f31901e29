// Matrix arithmetic with the results of the fixed-function matrix calls, for code that keeps a
// matrix in a TMatrix instead of the context's matrix stack.
#pragma once

#include "VectorTypes.h"

namespace vexil {

// A x B, both column-major: applying the result to a point applies B first, then A.
TMatrix MultiplyMatrix(const TMatrix& A, const TMatrix& B);

// The matrix glRotatef(AAngle, X, Y, Z) multiplies with (AAngle in degrees; the axis is
// normalised; a zero axis gives the identity).
TMatrix RotationMatrix(double AAngle, double X, double Y, double Z);

// The matrix glTranslatef(X, Y, Z) multiplies with.
TMatrix GLTranslationMatrix(double X, double Y, double Z);

// The matrix glScalef(AScale, AScale, AScale) multiplies with.
TMatrix GLScaleMatrix(double AScale);

} // namespace vexil
