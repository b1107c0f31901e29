// The switches the cube scene flips between its primitives, flipped only when they really
// change. Drawing a whole frame through one of these leaves every primitive under exactly the
// state it would have had with the switches set and cleared around each primitive, but the
// driver sees far fewer changes (each one may cost it a shader or state rebuild per draw).
#pragma once

#include <cstdint>

namespace vexil {

class TSceneDrawState {
public:
  TSceneDrawState() = default;
  // Leaves lighting and texturing off, as every primitive's own set-and-clear would.
  ~TSceneDrawState();
  TSceneDrawState(const TSceneDrawState&) = delete;
  TSceneDrawState& operator=(const TSceneDrawState&) = delete;

  // GL_LIGHTING, GL_LIGHT0 and GL_COLOR_MATERIAL together (the default light and material).
  void SetLighting(bool AOn);
  // GL_TEXTURE_2D off.
  void DisableTexture();
  // GL_TEXTURE_2D on with ATextureID bound and the environment mode AEnvMode.
  void EnableTexture(uint32_t ATextureID, int32_t AEnvMode);
  // Someone else drew in between and left texturing off, with any texture bound and any
  // environment mode.
  void ForgetTexture();

private:
  bool FLighting = false;
  bool FTexture = false;
  bool FBindingKnown = false;
  uint32_t FTextureID = 0;
  bool FEnvModeKnown = false;
  int32_t FEnvMode = 0;
};

} // namespace vexil
