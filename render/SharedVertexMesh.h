// A mesh object's triangles with identical vertices merged and drawn by index: the very picture
// of DrawGeomObject (the same triangles in the same order with the same vertex values, under the
// same state calls), but a renderer that caches transformed vertices lights each distinct vertex
// once instead of once per triangle corner. The cubie body has 576 corners and 104 distinct
// vertices (326 when textured); drawing it hundreds of times a frame makes the difference.
//
// Made from the object as it is (a copy: later changes of the object are not seen). Until
// UploadBuffers it has no OpenGL object behind it and draws from client memory; after it, the
// driver reads the vertices from buffer objects of that context, so drawing the body hundreds of
// times does not copy the arrays hundreds of times.
#pragma once

#include "engine/GeomObject.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vexil {

class TSharedVertexMesh {
public:
  explicit TSharedVertexMesh(const TGeomObject& AObject);
  // Frees the buffer objects: the context of UploadBuffers must be current.
  ~TSharedVertexMesh();
  TSharedVertexMesh(const TSharedVertexMesh&) = delete;
  TSharedVertexMesh& operator=(const TSharedVertexMesh&) = delete;

  // Copies the arrays into buffer objects of the current context, when it has them (OpenGL 1.5
  // or later); otherwise drawing stays on client memory. False in that case.
  bool UploadBuffers();
  bool HasBuffers() const { return FArrayBuffer != 0; }

  // Draws with the current OpenGL state as DrawGeomObject(AObject) would have.
  void Draw() const;

  // Draw split for many draws in a row: BindArrays once, DrawBound per draw (the texture state
  // of DrawGeomObject is set and cleared around each), UnbindArrays once. The arrays' client
  // state does not touch immediate-mode drawing in between.
  void BindArrays() const;
  void DrawBound() const;
  void UnbindArrays() const;

  // DrawBound without the triangles that lie wholly in the end slab of side AFace (1..6 = +Z,
  // +Y, -X, -Y, +X, -Z): those whose corners all reach further than 0.7 of the mesh's extent
  // that way. On the cubie body that is the rounding around that side's open square: the
  // edges and corners that border that side and no other. The other triangles keep their order.
  void DrawBoundWithoutSide(int AFace) const;
  int32_t CornersWithoutSide(int AFace) const;

  // Many draws of the body with nothing else drawn in between: the texture state of
  // DrawGeomObject is set once by BeginBatch (after BindArrays) and cleared once by EndBatch
  // (before UnbindArrays), not around every draw. AFace as for DrawBoundWithoutSide, 0 for the
  // whole body.
  void BeginBatch() const;
  void DrawInBatch(int AFace) const;
  void EndBatch() const;

  int32_t DistinctVertices() const { return static_cast<int32_t>(FPositions.size() / 3); }
  int32_t Corners() const { return static_cast<int32_t>(FListCount[0]); }

private:
  void AddSideLists();
  void DrawList(int AList) const;
  void DrawElements(int AList) const;

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
  std::vector<uint32_t> FIndices; // all triangles, then the six lists without a side's slab
  // Start and count of the lists in FIndices: entry 0 all, entry k without side k's slab.
  std::array<size_t, 7> FListStart{};
  std::array<size_t, 7> FListCount{};
  uint32_t FArrayBuffer = 0;
  uint32_t FIndexBuffer = 0;
  // Byte offsets of each array in the array buffer.
  size_t FNormalsOffset = 0;
  size_t FColorsOffset = 0;
  size_t FTexCoordsOffset = 0;
};

} // namespace vexil
