// Drawing the face quads of a cubie. A face is one GL_QUADS primitive whose look depends on
// whether it is a sticker, on global lighting and on plane lighting (the inverse of "Bright
// colors"); no light, material, blending or culling state is ever set, the OpenGL defaults are
// part of the look.
#pragma once

#include "engine/Cube.h"
#include "engine/Plane.h"
#include "render/SceneDrawState.h"

#include <array>

namespace vexil {

// Lighting and texturing are switched through AState only where they change, for drawing many
// faces in a row; a face drawn through a fresh state looks the same.
void DrawPlane(const TPlane& APlane, TSceneDrawState& AState);

// All six faces, whatever faces the viewer (a cubie turning with its layer).
void DrawPlanes(const TCube& ACube, TSceneDrawState& AState);

// The faces whose direction faces the viewer (APlaneVisible, indexed by face number - 1); only
// sticker faces unless ADrawInner.
void DrawPlanes2(const TCube& ACube, const std::array<bool, 6>& APlaneVisible, bool ADrawInner,
                 TSceneDrawState& AState);

} // namespace vexil
