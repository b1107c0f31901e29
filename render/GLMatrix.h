// Matrix arithmetic with the results of the fixed-function matrix calls, for code that keeps a
// matrix in a TMatrix instead of the context's matrix stack. Products, translations and scales
// are the model's double-precision ones (MatrixMath.h) rounded to single precision.
#pragma once

#include "engine/VectorTypes.h"

namespace vexil {

// A x B, both column-major: applying the result to a point applies B first, then A.
TMatrix MultiplyMatrix(const TMatrix& A, const TMatrix& B);

// The matrix glRotatef(AAngle, X, Y, Z) multiplies with (AAngle in degrees; the axis is
// normalised; a zero axis gives the identity). Plain sine and cosine, as the driver computes
// them: unlike the model's RotationMatrix it is not exact at quarter turns.
TMatrix GLRotationMatrix(double AAngle, double X, double Y, double Z);

// The matrix glTranslatef(X, Y, Z) multiplies with.
TMatrix GLTranslationMatrix(double X, double Y, double Z);

// The matrix glScalef(AScale, AScale, AScale) multiplies with.
TMatrix GLScaleMatrix(double AScale);

} // namespace vexil
