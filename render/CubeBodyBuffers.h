// The cubie body's vertex and index buffers, made in the view's context when it first draws and
// kept from frame to frame. They are made again only when the body itself changes: another cube
// model, or the bright-colours switch, which changes the body's colour and texturing.
#pragma once

#include "engine/GeomObject.h"
#include "render/SharedVertexMesh.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace vexil {

class TCubeBodyBuffers {
public:
  TCubeBodyBuffers() = default;
  // Frees the buffers: the context they were made in must be current.
  ~TCubeBodyBuffers() = default;
  TCubeBodyBuffers(const TCubeBodyBuffers&) = delete;
  TCubeBodyBuffers& operator=(const TCubeBodyBuffers&) = delete;

  // The mesh of ABody, in buffer objects of the current context.
  TSharedVertexMesh& MeshOf(const TGeomObject& ABody);
  // How many times the buffers were made: once, unless the body changed.
  int32_t Builds() const { return FBuilds; }
  // Frees the buffers now; the context must be current.
  void Release() { FMesh.reset(); }

private:
  bool SameBody(const TGeomObject& ABody) const;

  std::unique_ptr<TSharedVertexMesh> FMesh;
  // What the mesh was made from: the object and what of it the picture depends on.
  const TGeomObject* FBody = nullptr;
  bool FCanDraw = false;
  bool FDrawTexture = false;
  uint32_t FTextureID = 0;
  std::vector<float> FColors;
  int32_t FBuilds = 0;
};

} // namespace vexil
