#include "SharedVertexMesh.h"

#include "GLIncludes.h"
#include "GeomObjectDraw.h"

#include <array>
#include <cstring>
#include <map>

namespace vexil {

namespace {

// One corner's attributes, compared bit for bit (so -0.0 and 0.0 stay apart, as the renderer
// would see them).
using TVertexKey = std::array<uint32_t, 11>;

uint32_t Bits(float AValue) {
  uint32_t Result = 0;
  std::memcpy(&Result, &AValue, sizeof(Result));
  return Result;
}

} // namespace

TSharedVertexMesh::TSharedVertexMesh(const TGeomObject& AObject)
    : FCanDraw(AObject.CanDraw()), FDrawTexture(AObject.DrawTexture()),
      FTextured(DrawsTextured(AObject)), FTextureID(AObject.TextureID()),
      FHasNormals(AObject.GLNormalArray().Exists()), FHasColors(AObject.GLColorArray().Exists()) {
  const int64_t Count = DrawableVertexCount(AObject);
  const float* Positions = AObject.GLVertexArray().Floats();
  const float* Normals = AObject.GLNormalArray().Floats();
  const float* Colors = AObject.GLColorArray().Floats();
  const float* TexCoords = AObject.GLTextureArray().Floats();
  std::map<TVertexKey, uint32_t> Known;
  FIndices.reserve(static_cast<size_t>(Count));
  for (int64_t K = 0; K < Count; ++K) {
    TVertexKey Key{};
    for (int C = 0; C < 3; ++C) {
      Key[C] = Bits(Positions[3 * K + C]);
      Key[3 + C] = FHasNormals ? Bits(Normals[3 * K + C]) : 0;
      Key[6 + C] = FHasColors ? Bits(Colors[3 * K + C]) : 0;
    }
    if (FTextured) {
      Key[9] = Bits(TexCoords[2 * K]);
      Key[10] = Bits(TexCoords[2 * K + 1]);
    }
    const auto [Place, Added] = Known.emplace(Key, static_cast<uint32_t>(Known.size()));
    if (Added) {
      FPositions.insert(FPositions.end(), &Positions[3 * K], &Positions[3 * K + 3]);
      if (FHasNormals) {
        FNormals.insert(FNormals.end(), &Normals[3 * K], &Normals[3 * K + 3]);
      }
      if (FHasColors) {
        FColors.insert(FColors.end(), &Colors[3 * K], &Colors[3 * K + 3]);
      }
      if (FTextured) {
        FTexCoords.insert(FTexCoords.end(), &TexCoords[2 * K], &TexCoords[2 * K + 2]);
      }
    }
    FIndices.push_back(Place->second);
  }
}

void TSharedVertexMesh::Draw() const {
  if (!FCanDraw) {
    return;
  }
  // The state calls of DrawGeomObject, in its order.
  if (!FPositions.empty()) {
    glVertexPointer(3, GL_FLOAT, 0, FPositions.data());
    glEnableClientState(GL_VERTEX_ARRAY);
  }
  if (FHasNormals) {
    glNormalPointer(GL_FLOAT, 0, FNormals.data());
    glEnableClientState(GL_NORMAL_ARRAY);
  }
  if (FHasColors) {
    glColorPointer(3, GL_FLOAT, 0, FColors.data());
    glEnableClientState(GL_COLOR_ARRAY);
  }
  if (FTextured) {
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, 0, FTexCoords.data());
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, FTextureID);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  }
  if (!FIndices.empty()) {
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(FIndices.size()), GL_UNSIGNED_INT,
                   FIndices.data());
  }
  if (FDrawTexture) {
    glDisable(GL_TEXTURE_2D);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  }
  if (FHasColors) {
    glDisableClientState(GL_COLOR_ARRAY);
  }
  if (!FPositions.empty()) {
    glDisableClientState(GL_VERTEX_ARRAY);
  }
  if (FHasNormals) {
    glDisableClientState(GL_NORMAL_ARRAY);
  }
}

} // namespace vexil
