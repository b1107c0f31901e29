#include "render/CubeSceneSetup.h"

#include "render/StickerTextures.h"

namespace vexil {

void LinkCubeTextures(TVexilCube& ACube, TStickerTextureList* ATextures) {
  ACube.SetTextureListLink(ATextures);
  ACube.InitPlanes();
}

void ApplyCubeLook(TVexilCube& ACube, TStickerTextureList* ATextures, const TCubeLook& ALook) {
  if (ATextures != nullptr) {
    ATextures->SetGlobalLighting(ALook.GlobalLighting);
  }
  ACube.SetShowSelectedPlane(ALook.ShowSelectedPlane);
  ACube.SetPlaneLight(!ALook.BrightColors);
  ACube.SetGlobalLighting(ALook.GlobalLighting);
  ACube.UpdatePlanesColor(ALook.SideColors);
}

} // namespace vexil
