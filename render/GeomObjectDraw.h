// Drawing a mesh object with client-side vertex arrays in the current OpenGL state. Lighting,
// colour material, depth test and the matrices are the caller's.
#pragma once

#include "engine/GeomObject.h"

namespace vexil {

// Nothing when the object cannot draw. Textured with GL_MODULATE when AObject.DrawsTextured();
// draws AObject.DrawableVertexCount() vertices.
void DrawGeomObject(const TGeomObject& AObject);

} // namespace vexil
