#include "engine/Cube.h"

namespace vexil {

TCube::TCube(const TGeomObject& AGeomObject) {
  for (int k = 0; k < 6; ++k) {
    FGLPlanes[k] = std::make_unique<TPlane>(AGeomObject, PlaneCornerOffsets[k]);
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
