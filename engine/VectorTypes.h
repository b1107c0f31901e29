// Plain value types shared by the cube model, the renderer and the shell, and the few
// routines that work on them. Stored fields are single precision; every routine computes in
// double precision and rounds only where it stores.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace vexil {

// The one value of pi of the program's geometry.
constexpr double kPi = 3.14159265358979323846;

struct TVertex3f {
  float X = 0.0f;
  float Y = 0.0f;
  float Z = 0.0f;
};

// 4 x 4 matrix in OpenGL's column-major order: element 4c + r is row r of column c.
using TMatrix = std::array<float, 16>;

struct TIntVector {
  int32_t I = 0;
  int32_t J = 0;
  int32_t L = 0;
};

struct T2DVector {
  float X = 0.0f;
  float Y = 0.0f;
};

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;
};

using TIntArray = std::array<int32_t, 4>;
using TGLVectorArray = std::array<TVertex3f, 4>;
using TVectorArray = std::vector<TVertex3f>;

TMatrix IdentityMatrix();

// Replaces V by V transformed as a point by M (translation included, no division by w).
void TransformVertex(TVertex3f& V, const TMatrix& M);

bool SameVertex(const TVertex3f& A, const TVertex3f& B);
bool SameIntVector(const TIntVector& A, const TIntVector& B);

// One colour component as a byte: the low 8 bits of Round(AComponent x 255), so a component
// outside 0..1 wraps in its byte. Through Round's clamp, a component too large for any integer
// (an infinity among them) gives 0xFF, one too small gives 0, and NaN gives 0.
uint8_t ColorComponentByte(float AComponent);
// Packs a colour triple as 0x00BBGGRR, each component as ColorComponentByte makes it.
int32_t Vertex3fToColor(const TVertex3f& V);
TVertex3f ColorToVertex3f(int32_t P);

// Round to nearest, ties to even (the floating-point unit's default mode). Values beyond the
// 64-bit range clamp to its ends (+infinity to INT64_MAX, -infinity to INT64_MIN); NaN gives 0.
int64_t Round(double AValue);

// arccos in degrees, through atan2 so that arguments slightly outside -1..1 give NaN, not a trap.
double ArcCosDegrees(double T);

} // namespace vexil
