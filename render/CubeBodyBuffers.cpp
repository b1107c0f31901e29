#include "render/CubeBodyBuffers.h"

namespace vexil {

bool TCubeBodyBuffers::SameBody(const TGeomObject& ABody) const {
  return FMesh != nullptr && FBody == &ABody && FCanDraw == ABody.CanDraw() &&
         FDrawTexture == ABody.DrawTexture() && FTextureID == ABody.TextureID() &&
         FColors == ABody.GLColorArray().glArray;
}

TSharedVertexMesh& TCubeBodyBuffers::MeshOf(const TGeomObject& ABody) {
  if (!SameBody(ABody)) {
    FMesh.reset(); // the old buffers first, while their context is current
    FMesh = std::make_unique<TSharedVertexMesh>(ABody);
    FMesh->UploadBuffers();
    FBody = &ABody;
    FCanDraw = ABody.CanDraw();
    FDrawTexture = ABody.DrawTexture();
    FTextureID = ABody.TextureID();
    FColors = ABody.GLColorArray().glArray;
    ++FBuilds;
  }
  return *FMesh;
}

} // namespace vexil
