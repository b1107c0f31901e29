// The scene's viewport and projection (ViewProjection.h), the camera step kept in the
// projection matrix so that the modelview matrix holds nothing but the cube's orientation.
#pragma once

#include "engine/ViewProjection.h"

namespace vexil {

// Width / height as stored by the window; infinite or NaN for an empty height, never a trap.
float ViewAspect(int AWidth, int AHeight);

// Viewport over AWidth x AHeight device pixels and the projection above. Leaves GL_MODELVIEW
// the current matrix mode and the modelview matrix untouched. An empty size (a minimised
// window) changes nothing: the next real size sets a proper projection again.
void SetSceneProjection(int AWidth, int AHeight);

} // namespace vexil
