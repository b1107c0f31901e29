// Drawing a mesh object with client-side vertex arrays in the current OpenGL state. Lighting,
// colour material, depth test and the matrices are the caller's.
#pragma once

#include "GeomObject.h"

#include <cstdint>

namespace vexil {

// Nothing when the object cannot draw. Textured with GL_MODULATE when the object draws its
// texture and has one (a texture name other than 1000) and texture coordinates.
void DrawGeomObject(const TGeomObject& AObject);

// Whether DrawGeomObject textures AObject.
bool DrawsTextured(const TGeomObject& AObject);

// The vertices DrawGeomObject draws: the vertex count, cut to what every array it reads really
// holds, so that a damaged mesh whose byte counts disagree draws fewer triangles instead of
// reading past an array. 0 without positions.
int64_t DrawableVertexCount(const TGeomObject& AObject);

} // namespace vexil
