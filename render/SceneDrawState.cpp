#include "render/SceneDrawState.h"

#include "render/GLIncludes.h"

namespace vexil {

TSceneDrawState::~TSceneDrawState() {
  SetLighting(false);
  DisableTexture();
}

void TSceneDrawState::SetLighting(bool AOn) {
  if (AOn == FLighting) {
    return;
  }
  FLighting = AOn;
  if (AOn) {
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
  } else {
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_LIGHT0);
    glDisable(GL_LIGHTING);
  }
}

void TSceneDrawState::DisableTexture() {
  if (FTexture) {
    glDisable(GL_TEXTURE_2D);
    FTexture = false;
  }
}

void TSceneDrawState::ForgetTexture() {
  FTexture = false;
  FBindingKnown = false;
  FEnvModeKnown = false;
}

void TSceneDrawState::EnableTexture(uint32_t ATextureID, int32_t AEnvMode) {
  if (!FTexture) {
    glEnable(GL_TEXTURE_2D);
    FTexture = true;
  }
  if (!FBindingKnown || FTextureID != ATextureID) {
    glBindTexture(GL_TEXTURE_2D, ATextureID);
    FBindingKnown = true;
    FTextureID = ATextureID;
  }
  if (!FEnvModeKnown || FEnvMode != AEnvMode) {
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, AEnvMode);
    FEnvModeKnown = true;
    FEnvMode = AEnvMode;
  }
}

} // namespace vexil
