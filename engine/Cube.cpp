#include "Cube.h"

namespace vexil {

namespace {

// Float positions of each face's four corners in the body mesh, faces 1..6 (+Z, +Y, -X, -Y, +X,
// -Z).
constexpr std::array<TIntArray, 6> kPlaneCornerOffsets = {{{0, 42, 87, 132},
                                                           {759, 471, 726, 960},
                                                           {1023, 1041, 528, 807},
                                                           {600, 867, 852, 582},
                                                           {921, 906, 915, 918},
                                                           {1560, 1581, 1626, 1671}}};

} // namespace

TCube::TCube(const TGeomObject& AGeomObject) {
  for (int k = 0; k < 6; ++k) {
    FGLPlanes[k] = std::make_unique<TPlane>(AGeomObject, kPlaneCornerOffsets[k]);
    FGLPlanes[k]->SetParentCube(this);
  }
}

void TCube::SetPlaneColor(int APlaneIndex, float Rf, float Gf, float Bf) {
  TPlane& plane = Plane(APlaneIndex);
  plane.SetColor(Rf, Gf, Bf);
  plane.SetPlaneID(APlaneIndex);
}

void TCube::SetPlaneTextureID(int APlaneIndex, uint32_t ATextureID, int32_t ATextureIndex) {
  Plane(APlaneIndex).SetTextureID(ATextureID, ATextureIndex);
}

void TCube::SetPlaneLighting(bool AValue) {
  for (auto& plane : FGLPlanes) {
    plane->SetPlaneLighting(AValue);
  }
}

void TCube::SetGlobalLighting(bool AValue) {
  for (auto& plane : FGLPlanes) {
    plane->SetGlobalLighting(AValue);
  }
}

void TCube::SetTextureID(uint32_t AValue) {
  for (auto& plane : FGLPlanes) {
    plane->SetTextureID(AValue, plane->TextureIndex());
  }
}

} // namespace vexil
