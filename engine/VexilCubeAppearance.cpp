#include "engine/VexilCube.h"

#include <algorithm>

namespace vexil {

void TVexilCube::SetGlobalLighting(bool AValue) {
  FGlobalLighting = AValue;
  for (auto& cube : FCubes) {
    cube->SetGlobalLighting(AValue);
  }
}

void TVexilCube::SetPlaneLight(bool AValue) {
  const float grey = AValue ? 1.0f : 0.3f;
  FCubeObject->SetColor(grey, grey, grey);
  FCubeObject->SetDrawTexture(AValue);
  for (auto& cube : FCubes) {
    cube->SetPlaneLighting(AValue);
  }
}

void TVexilCube::SetShowSelectedPlane(bool AValue) {
  FShowSelectedPlane = AValue;
  for (TPlane* plane : FWorkPlanes) {
    plane->SetShowSelectedPlane(AValue);
  }
}

// The bounds are compared with the single-precision argument as it is: the float nearest to 1.2
// lies above 1.2 and is refused, the one nearest to 0.8 lies above 0.8 and is taken.
void TVexilCube::SetScale(float AValue) {
  const double value = AValue;
  if (value > 0.8 && value < 1.2) {
    FScale = AValue;
    FGeometry = TCubieGeometry(FGeometry.Degree(), AValue);
  }
}

void TVexilCube::SetTextureListLink(TTextureListLink* AValue) {
  FTextureListLink = AValue;
  if (FTextureListLink && FTextureListLink->Count() > 0) {
    SetCarcassTextureID(FTextureListLink->TextureID(FTextureListLink->Count() - 1));
  }
}

// The sticker faces get their own textures afterwards, from InitPlanes.
void TVexilCube::SetCarcassTextureID(uint32_t AValue) {
  FCubeObject->SetTextureID(AValue);
  for (auto& cube : FCubes) {
    cube->SetTextureID(AValue);
  }
}

void TVexilCube::SetVexilColor(const TVertex3f& AVector) {
  FCubeObject->SetColor(AVector.X, AVector.Y, AVector.Z);
}

void TVexilCube::UpdatePlanesColor(const std::array<TVertex3f, 6>& APlaneColors) {
  for (TPlane* plane : FWorkPlanes) {
    const int32_t side = plane->PlaneID();
    if (side >= 1 && side <= 6) {
      plane->SetColor(APlaneColors[side - 1]);
    }
  }
  if (!FTextureListLink) {
    return;
  }
  const int entries = std::min(6, FTextureListLink->Count());
  for (int k = 0; k < entries; ++k) {
    FTextureListLink->SetTextureColor(k, APlaneColors[k]);
  }
}

} // namespace vexil
