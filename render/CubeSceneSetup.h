// The one way a cube model is made ready to be drawn: the window does it for every new cube and
// every change of appearance, the headless scene for its cube, so both draw the same picture.
#pragma once

#include "engine/VexilCube.h"

#include <array>

namespace vexil {

class TStickerTextureList;

// What the player chose for the cube's looks.
struct TCubeLook {
  bool GlobalLighting = false;
  bool BrightColors = false; // the bright-colours switch: no plane lighting
  bool ShowSelectedPlane = false;
  std::array<TVertex3f, 6> SideColors{}; // side k + 1 at index k
};

// Links the sticker textures (none before the view's context exists) and lays the stickers out
// afresh: for a new cube model, before its first frame.
void LinkCubeTextures(TVexilCube& ACube, TStickerTextureList* ATextures);

// Gives ACube and the textures the look ALook: the textures' masks for the lighting, the cube's
// lighting, plane lighting and side colours (which re-tint the textures). Run with the view's
// context current, or with textures that make it current themselves.
void ApplyCubeLook(TVexilCube& ACube, TStickerTextureList* ATextures, const TCubeLook& ALook);

} // namespace vexil
