#include "render/SharedVertexMesh.h"

#include "engine/Cube.h"
#include "render/GLIncludes.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <map>

namespace vexil {

namespace {

// One corner's attributes, compared bit for bit (so -0.0 and 0.0 stay apart, as the renderer
// would see them).
using TVertexKey = std::array<uint32_t, 11>;

uint32_t Bits(float AValue) {
  uint32_t result = 0;
  std::memcpy(&result, &AValue, sizeof(result));
  return result;
}

// Buffer objects are core from OpenGL 1.5 on; the version string starts "major.minor".
bool HasBufferObjects() {
  const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  int major = 0;
  int minor = 0;
  if (version == nullptr || std::sscanf(version, "%d.%d", &major, &minor) != 2) {
    return false;
  }
  return major > 1 || (major == 1 && minor >= 5);
}

} // namespace

TSharedVertexMesh::TSharedVertexMesh(const TGeomObject& AObject)
    : FCanDraw(AObject.CanDraw()), FDrawTexture(AObject.DrawTexture()),
      FTextured(AObject.DrawsTextured()), FTextureID(AObject.TextureID()),
      FHasNormals(AObject.GLNormalArray().Exists()), FHasColors(AObject.GLColorArray().Exists()) {
  const int64_t count = AObject.DrawableVertexCount();
  const float* positions = AObject.GLVertexArray().Floats();
  const float* normals = AObject.GLNormalArray().Floats();
  const float* colors = AObject.GLColorArray().Floats();
  const float* texCoords = AObject.GLTextureArray().Floats();
  std::map<TVertexKey, uint32_t> known;
  FIndices.reserve(static_cast<size_t>(count));
  for (int64_t K = 0; K < count; ++K) {
    TVertexKey key{};
    for (int C = 0; C < 3; ++C) {
      key[C] = Bits(positions[3 * K + C]);
      key[3 + C] = FHasNormals ? Bits(normals[3 * K + C]) : 0;
      key[6 + C] = FHasColors ? Bits(colors[3 * K + C]) : 0;
    }
    if (FTextured) {
      key[9] = Bits(texCoords[2 * K]);
      key[10] = Bits(texCoords[2 * K + 1]);
    }
    const auto [Place, Added] = known.emplace(key, static_cast<uint32_t>(known.size()));
    if (Added) {
      FPositions.insert(FPositions.end(), &positions[3 * K], &positions[3 * K + 3]);
      if (FHasNormals) {
        FNormals.insert(FNormals.end(), &normals[3 * K], &normals[3 * K + 3]);
      }
      if (FHasColors) {
        FColors.insert(FColors.end(), &colors[3 * K], &colors[3 * K + 3]);
      }
      if (FTextured) {
        FTexCoords.insert(FTexCoords.end(), &texCoords[2 * K], &texCoords[2 * K + 2]);
      }
    }
    FIndices.push_back(Place->second);
  }
  FListCount[0] = FIndices.size();
  AddSideLists();
}

void TSharedVertexMesh::AddSideLists() {
  const size_t triangles = FListCount[0] / 3;
  for (int face = 1; face <= 6; ++face) {
    const TPlaneDirection& outward = PlaneDirections[face - 1];
    const auto reach = [&](uint32_t AVertex) {
      return static_cast<float>(outward.Sign) * FPositions[3 * AVertex + outward.Axis];
    };
    float extent = 0.0f;
    for (size_t K = 0; K < FListCount[0]; ++K) {
      extent = std::max(extent, reach(FIndices[K]));
    }
    const float limit = 0.7f * extent;
    FListStart[face] = FIndices.size();
    FIndices.reserve(FIndices.size() + 3 * triangles);
    for (size_t T = 0; T < triangles; ++T) {
      const uint32_t* corner = &FIndices[3 * T];
      if (extent > 0.0f && reach(corner[0]) > limit && reach(corner[1]) > limit &&
          reach(corner[2]) > limit) {
        continue;
      }
      const uint32_t kept[3] = {corner[0], corner[1], corner[2]};
      FIndices.insert(FIndices.end(), kept, kept + 3);
    }
    FListCount[face] = FIndices.size() - FListStart[face];
  }
}

int32_t TSharedVertexMesh::CornersWithoutSide(int AFace) const {
  return AFace >= 1 && AFace <= 6 ? static_cast<int32_t>(FListCount[AFace]) : Corners();
}

TSharedVertexMesh::~TSharedVertexMesh() {
  if (FArrayBuffer != 0) {
    const GLuint buffers[2] = {FArrayBuffer, FIndexBuffer};
    glDeleteBuffers(2, buffers);
  }
}

bool TSharedVertexMesh::UploadBuffers() {
  if (FArrayBuffer != 0) {
    return true;
  }
  if (!HasBufferObjects()) {
    return false;
  }
  const auto bytes = [](const std::vector<float>& AArray) { return AArray.size() * sizeof(float); };
  FNormalsOffset = bytes(FPositions);
  FColorsOffset = FNormalsOffset + bytes(FNormals);
  FTexCoordsOffset = FColorsOffset + bytes(FColors);
  const size_t total = FTexCoordsOffset + bytes(FTexCoords);
  GLuint buffers[2] = {};
  glGenBuffers(2, buffers);
  FArrayBuffer = buffers[0];
  FIndexBuffer = buffers[1];
  glBindBuffer(GL_ARRAY_BUFFER, FArrayBuffer);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(total), nullptr, GL_STATIC_DRAW);
  const auto put = [&bytes](size_t AOffset, const std::vector<float>& AArray) {
    if (!AArray.empty()) {
      glBufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>(AOffset),
                      static_cast<GLsizeiptr>(bytes(AArray)), AArray.data());
    }
  };
  put(0, FPositions);
  put(FNormalsOffset, FNormals);
  put(FColorsOffset, FColors);
  put(FTexCoordsOffset, FTexCoords);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, FIndexBuffer);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(FIndices.size() * sizeof(uint32_t)),
               FIndices.data(), GL_STATIC_DRAW);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  return true;
}

void TSharedVertexMesh::Draw() const {
  if (!FCanDraw) {
    return;
  }
  BindArrays();
  DrawBound();
  UnbindArrays();
}

void TSharedVertexMesh::BindArrays() const {
  if (!FCanDraw) {
    return;
  }
  // From the array buffer the pointers are byte offsets into it.
  const auto source = [this](const std::vector<float>& AArray, size_t AOffset) -> const void* {
    return FArrayBuffer != 0 ? reinterpret_cast<const void*>(AOffset) : AArray.data();
  };
  // Without buffer objects the binding calls are left out: older contexts lack them.
  if (FArrayBuffer != 0) {
    glBindBuffer(GL_ARRAY_BUFFER, FArrayBuffer);
  }
  if (!FPositions.empty()) {
    glVertexPointer(3, GL_FLOAT, 0, source(FPositions, 0));
    glEnableClientState(GL_VERTEX_ARRAY);
  }
  if (FHasNormals) {
    glNormalPointer(GL_FLOAT, 0, source(FNormals, FNormalsOffset));
    glEnableClientState(GL_NORMAL_ARRAY);
  }
  if (FHasColors) {
    glColorPointer(3, GL_FLOAT, 0, source(FColors, FColorsOffset));
    glEnableClientState(GL_COLOR_ARRAY);
  }
  if (FTextured) {
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, 0, source(FTexCoords, FTexCoordsOffset));
  }
  if (FArrayBuffer != 0) {
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, FIndexBuffer);
  }
}

void TSharedVertexMesh::DrawBound() const {
  DrawList(0);
}

void TSharedVertexMesh::DrawBoundWithoutSide(int AFace) const {
  DrawList(AFace >= 1 && AFace <= 6 ? AFace : 0);
}

void TSharedVertexMesh::DrawList(int AList) const {
  if (!FCanDraw) {
    return;
  }
  BeginBatch();
  DrawElements(AList);
  EndBatch();
}

void TSharedVertexMesh::BeginBatch() const {
  if (FCanDraw && FTextured) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, FTextureID);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  }
}

void TSharedVertexMesh::DrawInBatch(int AFace) const {
  if (FCanDraw) {
    DrawElements(AFace >= 1 && AFace <= 6 ? AFace : 0);
  }
}

void TSharedVertexMesh::EndBatch() const {
  if (FCanDraw && FDrawTexture) {
    glDisable(GL_TEXTURE_2D);
  }
}

void TSharedVertexMesh::DrawElements(int AList) const {
  if (FListCount[AList] > 0) {
    const size_t start = FListStart[AList];
    const void* indices = FIndexBuffer != 0
                              ? reinterpret_cast<const void*>(start * sizeof(uint32_t))
                              : static_cast<const void*>(&FIndices[start]);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(FListCount[AList]), GL_UNSIGNED_INT, indices);
  }
}

void TSharedVertexMesh::UnbindArrays() const {
  if (!FCanDraw) {
    return;
  }
  if (FIndexBuffer != 0) {
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  }
  if (FDrawTexture) {
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
