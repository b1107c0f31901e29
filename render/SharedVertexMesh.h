// A mesh object's triangles with identical vertices merged and drawn by index: the very picture
// of DrawGeomObject (the same triangles in the same order with the same vertex values, under the
// same state calls), but a renderer that caches transformed vertices lights each distinct vertex
// once instead of once per triangle corner. The cubie body has 576 corners and 104 distinct
// vertices (326 when textured); drawing it hundreds of times a frame makes the difference.
//
// Made from the object as it is (a copy: later changes of the object are not seen), with no
// OpenGL object behind it, so it can be made afresh every frame in any context.
#pragma once

#include "GeomObject.h"

#include <cstdint>
#include <vector>

namespace vexil {

class TSharedVertexMesh {
public:
  explicit TSharedVertexMesh(const TGeomObject& AObject);

  // Draws with the current OpenGL state as DrawGeomObject(AObject) would have.
  void Draw() const;

  int32_t DistinctVertices() const { return static_cast<int32_t>(FPositions.size() / 3); }
  int32_t Corners() const { return static_cast<int32_t>(FIndices.size()); }

private:
  bool FCanDraw;
  bool FDrawTexture;
  bool FTextured;
  uint32_t FTextureID;
  bool FHasNormals;
  bool FHasColors;
  std::vector<float> FPositions;
  std::vector<float> FNormals;
  std::vector<float> FColors;
  std::vector<float> FTexCoords;
  std::vector<uint32_t> FIndices;
};

} // namespace vexil
