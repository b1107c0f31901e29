#include "engine/Plane.h"

#include "engine/Streams.h"

#include <cmath>
#include <string>

namespace vexil {

namespace {

// The three floats of the triple that starts at float index p, checked against the block so that
// a mesh with too few vertices is an error, not a read past its arrays.
TVertex3f TripleAt(const TGLArray& AArray, int32_t p, const char* AArrayName) {
  if (p < 0 || static_cast<size_t>(p) + 3 > AArray.glArray.size()) {
    throw EStreamError(std::string("Mesh error: the ") + AArrayName +
                       " array has no vertex at position " + std::to_string(p));
  }
  const float* values = AArray.Floats() + p;
  return TVertex3f{values[0], values[1], values[2]};
}

} // namespace

TPlane::TPlane(const TGeomObject& AGeomObject, const TIntArray& AIntArray) {
  FColor = TripleAt(AGeomObject.GLColorArray(), 0, "colour");
  for (int k = 0; k < 4; ++k) {
    FGLVertexArray[k] = TripleAt(AGeomObject.GLVertexArray(), AIntArray[k], "position");
    FGLNormalArray[k] = TripleAt(AGeomObject.GLNormalArray(), AIntArray[k], "normal");
  }
  CalcNormal();
  const TVertex3f& c0 = FGLVertexArray[0];
  const TVertex3f& c2 = FGLVertexArray[2];
  FPlaneCentre = TVertex3f{static_cast<float>((static_cast<double>(c0.X) + c2.X) / 2.0),
                           static_cast<float>((static_cast<double>(c0.Y) + c2.Y) / 2.0),
                           static_cast<float>((static_cast<double>(c0.Z) + c2.Z) / 2.0)};
}

// The outward unit normal from the first three corners; every cubie computes it from the same
// corners, so the solved test may compare normals exactly.
void TPlane::CalcNormal() {
  const TVertex3f& c0 = FGLVertexArray[0];
  const TVertex3f& c1 = FGLVertexArray[1];
  const TVertex3f& c2 = FGLVertexArray[2];
  const double ax = static_cast<double>(c1.X) - c0.X;
  const double ay = static_cast<double>(c1.Y) - c0.Y;
  const double az = static_cast<double>(c1.Z) - c0.Z;
  const double bx = static_cast<double>(c2.X) - c0.X;
  const double by = static_cast<double>(c2.Y) - c0.Y;
  const double bz = static_cast<double>(c2.Z) - c0.Z;
  FNormal = TVertex3f{static_cast<float>(ay * bz - az * by), static_cast<float>(az * bx - ax * bz),
                      static_cast<float>(ax * by - ay * bx)};
  const auto d = static_cast<float>(static_cast<double>(c0.X) * FNormal.X +
                                    static_cast<double>(c0.Y) * FNormal.Y +
                                    static_cast<double>(c0.Z) * FNormal.Z);
  if (d < 0.0f) {
    FNormal = TVertex3f{-FNormal.X, -FNormal.Y, -FNormal.Z};
  }
  const double length = std::sqrt(static_cast<double>(FNormal.X) * FNormal.X +
                                  static_cast<double>(FNormal.Y) * FNormal.Y +
                                  static_cast<double>(FNormal.Z) * FNormal.Z);
  FNormal =
      TVertex3f{static_cast<float>(FNormal.X / length), static_cast<float>(FNormal.Y / length),
                static_cast<float>(FNormal.Z / length)};
}

void TPlane::SetColor(float Rf, float Gf, float Bf) {
  FColor = TVertex3f{Rf, Gf, Bf};
}

void TPlane::SetVIntVector(int32_t I, int32_t J, int32_t L) {
  FVIntVector = TIntVector{I, J, L};
}

void TPlane::SetHIntVector(int32_t I, int32_t J, int32_t L) {
  FHIntVector = TIntVector{I, J, L};
}

void TPlane::SetVRotateVector(float X, float Y, float Z) {
  FVRotateVector = TVertex3f{X, Y, Z};
}

void TPlane::SetHRotateVector(float X, float Y, float Z) {
  FHRotateVector = TVertex3f{X, Y, Z};
}

void TPlane::SetTextureID(uint32_t ATextureID, int32_t ATextureIndex) {
  FTextureID = ATextureID;
  FTextureIndex = ATextureIndex;
}

void TPlane::SetRotateVector(int AIndex, int32_t ARotateSign, int32_t mX, int32_t mY, int32_t mZ) {
  FRotateSigns[AIndex] = ARotateSign;
  FRotateVectors[AIndex] = TIntVector{mX, mY, mZ};
}

void TPlane::UpdateTexture(const TTextureListLink& ATextureListLink) {
  if (FTextureIndex >= 0 && FTextureIndex < ATextureListLink.Count()) {
    FTextureID = ATextureListLink.TextureID(FTextureIndex);
  }
}

} // namespace vexil
