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
  uint32_t Result = 0;
  std::memcpy(&Result, &AValue, sizeof(Result));
  return Result;
}

// Buffer objects are core from OpenGL 1.5 on; the version string starts "major.minor".
bool HasBufferObjects() {
  const auto* Version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  int Major = 0;
  int Minor = 0;
  if (Version == nullptr || std::sscanf(Version, "%d.%d", &Major, &Minor) != 2) {
    return false;
  }
  return Major > 1 || (Major == 1 && Minor >= 5);
}

} // namespace

TSharedVertexMesh::TSharedVertexMesh(const TGeomObject& AObject)
    : FCanDraw(AObject.CanDraw()), FDrawTexture(AObject.DrawTexture()),
      FTextured(AObject.DrawsTextured()), FTextureID(AObject.TextureID()),
      FHasNormals(AObject.GLNormalArray().Exists()), FHasColors(AObject.GLColorArray().Exists()) {
  const int64_t Count = AObject.DrawableVertexCount();
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
  FListCount[0] = FIndices.size();
  AddSideLists();
}

void TSharedVertexMesh::AddSideLists() {
  const size_t Triangles = FListCount[0] / 3;
  for (int Face = 1; Face <= 6; ++Face) {
    const TPlaneDirection& Outward = PlaneDirections[Face - 1];
    const auto Reach = [&](uint32_t AVertex) {
      return static_cast<float>(Outward.Sign) * FPositions[3 * AVertex + Outward.Axis];
    };
    float Extent = 0.0f;
    for (size_t K = 0; K < FListCount[0]; ++K) {
      Extent = std::max(Extent, Reach(FIndices[K]));
    }
    const float Limit = 0.7f * Extent;
    FListStart[Face] = FIndices.size();
    FIndices.reserve(FIndices.size() + 3 * Triangles);
    for (size_t T = 0; T < Triangles; ++T) {
      const uint32_t* Corner = &FIndices[3 * T];
      if (Extent > 0.0f && Reach(Corner[0]) > Limit && Reach(Corner[1]) > Limit &&
          Reach(Corner[2]) > Limit) {
        continue;
      }
      const uint32_t Kept[3] = {Corner[0], Corner[1], Corner[2]};
      FIndices.insert(FIndices.end(), Kept, Kept + 3);
    }
    FListCount[Face] = FIndices.size() - FListStart[Face];
  }
}

int32_t TSharedVertexMesh::CornersWithoutSide(int AFace) const {
  return AFace >= 1 && AFace <= 6 ? static_cast<int32_t>(FListCount[AFace]) : Corners();
}

TSharedVertexMesh::~TSharedVertexMesh() {
  if (FArrayBuffer != 0) {
    const GLuint Buffers[2] = {FArrayBuffer, FIndexBuffer};
    glDeleteBuffers(2, Buffers);
  }
}

bool TSharedVertexMesh::UploadBuffers() {
  if (FArrayBuffer != 0) {
    return true;
  }
  if (!HasBufferObjects()) {
    return false;
  }
  const auto Bytes = [](const std::vector<float>& AArray) { return AArray.size() * sizeof(float); };
  FNormalsOffset = Bytes(FPositions);
  FColorsOffset = FNormalsOffset + Bytes(FNormals);
  FTexCoordsOffset = FColorsOffset + Bytes(FColors);
  const size_t Total = FTexCoordsOffset + Bytes(FTexCoords);
  GLuint Buffers[2] = {};
  glGenBuffers(2, Buffers);
  FArrayBuffer = Buffers[0];
  FIndexBuffer = Buffers[1];
  glBindBuffer(GL_ARRAY_BUFFER, FArrayBuffer);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(Total), nullptr, GL_STATIC_DRAW);
  const auto Put = [&Bytes](size_t AOffset, const std::vector<float>& AArray) {
    if (!AArray.empty()) {
      glBufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>(AOffset),
                      static_cast<GLsizeiptr>(Bytes(AArray)), AArray.data());
    }
  };
  Put(0, FPositions);
  Put(FNormalsOffset, FNormals);
  Put(FColorsOffset, FColors);
  Put(FTexCoordsOffset, FTexCoords);
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
  const auto Source = [this](const std::vector<float>& AArray, size_t AOffset) -> const void* {
    return FArrayBuffer != 0 ? reinterpret_cast<const void*>(AOffset) : AArray.data();
  };
  // Without buffer objects the binding calls are left out: older contexts lack them.
  if (FArrayBuffer != 0) {
    glBindBuffer(GL_ARRAY_BUFFER, FArrayBuffer);
  }
  if (!FPositions.empty()) {
    glVertexPointer(3, GL_FLOAT, 0, Source(FPositions, 0));
    glEnableClientState(GL_VERTEX_ARRAY);
  }
  if (FHasNormals) {
    glNormalPointer(GL_FLOAT, 0, Source(FNormals, FNormalsOffset));
    glEnableClientState(GL_NORMAL_ARRAY);
  }
  if (FHasColors) {
    glColorPointer(3, GL_FLOAT, 0, Source(FColors, FColorsOffset));
    glEnableClientState(GL_COLOR_ARRAY);
  }
  if (FTextured) {
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, 0, Source(FTexCoords, FTexCoordsOffset));
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
  if (FTextured) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, FTextureID);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  }
  if (FListCount[AList] > 0) {
    const size_t Start = FListStart[AList];
    const void* Indices = FIndexBuffer != 0
                              ? reinterpret_cast<const void*>(Start * sizeof(uint32_t))
                              : static_cast<const void*>(&FIndices[Start]);
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(FListCount[AList]), GL_UNSIGNED_INT, Indices);
  }
  if (FDrawTexture) {
    glDisable(GL_TEXTURE_2D);
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
