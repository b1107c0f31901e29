#include "engine/GeomObject.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace vexil {

void TGLArray::Allocate(int32_t ASize) {
  Size = ASize;
  glArray.assign((static_cast<size_t>(ASize) + sizeof(float) - 1) / sizeof(float), 0.0f);
}

namespace {

void ReadArray(TStream& AStream, TGLArray& AArray) {
  const int32_t size = StreamReadCount(AStream, "Mesh read error: an array");
  if (size < 0) {
    throw EStreamError("Mesh read error: negative array size " + std::to_string(size));
  }
  if (size == 0) {
    AArray = TGLArray();
    return;
  }
  TGLArray array;
  array.Allocate(size);
  AStream.ReadBuffer(array.Floats(), static_cast<size_t>(size));
  AArray = std::move(array);
}

// The counts size the arrays made from them and say how much of the arrays is drawn, so every
// array read must back them: the positions always, colours and normals when the mesh has them.
void CheckCountsAreBacked(const TGeomObject& AMesh, const TGLArray& AArray,
                          const char* AArrayName) {
  const int64_t triangleBytes = 36 * static_cast<int64_t>(std::max(0, AMesh.PolygonCount()));
  const int64_t vertexBytes = 12 * static_cast<int64_t>(std::max(0, AMesh.GLArraysVertexCount()));
  if (triangleBytes > AArray.Size || vertexBytes > AArray.Size) {
    throw EStreamError("Mesh read error: " + std::to_string(AMesh.PolygonCount()) +
                       " triangles and " + std::to_string(AMesh.GLArraysVertexCount()) +
                       " vertices need more than the " + std::to_string(AArray.Size) +
                       " bytes of the " + AArrayName + " array");
  }
}

void WriteArray(TStream& AStream, const TGLArray& AArray) {
  const int32_t size = AArray.Exists() ? AArray.Size : 0;
  StreamWriteInteger(AStream, size);
  AStream.Write(AArray.Floats(), static_cast<size_t>(size));
}

} // namespace

void TGeomObject::LoadFromStream(TStream& ASourStream) {
  StreamSkipBlock(ASourStream);
  FName = StreamReadString(ASourStream);
  FVertexCount = StreamReadInteger(ASourStream);
  FPolygonCount = StreamReadInteger(ASourStream);
  FGLArraysVertexCount = StreamReadInteger(ASourStream);
  ReadArray(ASourStream, FGLColorArray);
  ReadArray(ASourStream, FGLNormalArray);
  ReadArray(ASourStream, FGLVertexArray);
  CheckCountsAreBacked(*this, FGLVertexArray, "position");
  if (FGLColorArray.Exists()) {
    CheckCountsAreBacked(*this, FGLColorArray, "colour");
  }
  if (FGLNormalArray.Exists()) {
    CheckCountsAreBacked(*this, FGLNormalArray, "normal");
  }
  StreamSkipBlock(ASourStream);
}

void TGeomObject::LoadFromFile(const std::string& AFileName) {
  TFileStream stream(AFileName, TFileStream::TMode::OpenRead);
  LoadFromStream(stream);
}

void TGeomObject::LoadFromBytes(const std::vector<uint8_t>& ABytes) {
  TBytesStream stream(ABytes.data(), ABytes.size());
  LoadFromStream(stream);
}

void TGeomObject::SaveToStream(TStream& ADestStream) const {
  StreamWriteEmptyBlock(ADestStream);
  StreamWriteString(ADestStream, FName);
  StreamWriteInteger(ADestStream, FVertexCount);
  StreamWriteInteger(ADestStream, FPolygonCount);
  StreamWriteInteger(ADestStream, FGLArraysVertexCount);
  WriteArray(ADestStream, FGLColorArray);
  WriteArray(ADestStream, FGLNormalArray);
  WriteArray(ADestStream, FGLVertexArray);
  StreamWriteEmptyBlock(ADestStream);
}

void TGeomObject::SaveToFile(const std::string& AFileName) const {
  TFileStream stream(AFileName, TFileStream::TMode::Create);
  SaveToStream(stream);
  stream.Close();
}

namespace {
// An array's size is an int32_t in the file format, so a count whose array would not fit is
// refused before anything is allocated.
float* AllocateTriangles(TGLArray& AArray, int32_t APolygonCount, int32_t ABytesPerTriangle) {
  const int64_t bytes = static_cast<int64_t>(std::max(0, APolygonCount)) * ABytesPerTriangle;
  if (bytes > std::numeric_limits<int32_t>::max()) {
    throw std::length_error("Mesh error: an array for " + std::to_string(APolygonCount) +
                            " triangles would need " + std::to_string(bytes) + " bytes");
  }
  AArray.Allocate(static_cast<int32_t>(bytes));
  return AArray.Floats();
}
} // namespace

float* TGeomObject::CreateColorArray() {
  return AllocateTriangles(FGLColorArray, FPolygonCount, 36);
}

float* TGeomObject::CreateNormalArray() {
  return AllocateTriangles(FGLNormalArray, FPolygonCount, 36);
}

float* TGeomObject::CreateVertexArray() {
  return AllocateTriangles(FGLVertexArray, FPolygonCount, 36);
}

float* TGeomObject::CreateTextureArray() {
  // Consecutive triangles cover the unit square once; only the first half of the block is read.
  static constexpr float kPattern[12] = {0, 0, 0, 1, 1, 1, 0, 0, 1, 0, 1, 1};
  float* block = AllocateTriangles(FGLTextureArray, FPolygonCount, 48);
  for (int64_t t = 0; t < FPolygonCount; ++t) {
    std::memcpy(block + 12 * t, kPattern, sizeof(kPattern));
  }
  return block;
}

bool TGeomObject::DrawsTextured() const {
  return FDrawTexture && FTextureID != kNoTexture && FGLTextureArray.Exists();
}

int64_t TGeomObject::DrawableVertexCount() const {
  if (!FGLVertexArray.Exists()) {
    return 0;
  }
  int64_t count = FGLArraysVertexCount;
  const auto limit = [&count](const TGLArray& AArray, int64_t AFloatsPerVertex) {
    if (AArray.Exists()) {
      count = std::min(count, static_cast<int64_t>(AArray.glArray.size()) / AFloatsPerVertex);
    }
  };
  limit(FGLVertexArray, 3);
  limit(FGLNormalArray, 3);
  limit(FGLColorArray, 3);
  if (DrawsTextured()) {
    limit(FGLTextureArray, 2);
  }
  return std::max<int64_t>(count, 0);
}

template <typename TOperation>
void TGeomObject::ForEachTriple(TGLArray& AArray, TOperation AOperation) {
  if (!AArray.Exists()) {
    return;
  }
  // A byte count that disagrees with the vertex count must not take us past the block.
  const int64_t triples = DrawableVertexCount();
  float* values = AArray.Floats();
  for (int64_t k = 0; k < triples; ++k) {
    AOperation(values + 3 * k);
  }
}

void TGeomObject::Scale(float AScale) {
  ForEachTriple(FGLVertexArray, [AScale](float* p) {
    for (int i = 0; i < 3; ++i) {
      p[i] = static_cast<float>(static_cast<double>(p[i]) * AScale);
    }
  });
}

void TGeomObject::Translate(float X, float Y, float Z) {
  ForEachTriple(FGLVertexArray, [X, Y, Z](float* p) {
    p[0] = static_cast<float>(static_cast<double>(p[0]) + X);
    p[1] = static_cast<float>(static_cast<double>(p[1]) + Y);
    p[2] = static_cast<float>(static_cast<double>(p[2]) + Z);
  });
}

void TGeomObject::SetColor(float AR, float AG, float AB) {
  ForEachTriple(FGLColorArray, [AR, AG, AB](float* p) {
    p[0] = AR;
    p[1] = AG;
    p[2] = AB;
  });
}

void TGeomObject::ReverseNormals() {
  ForEachTriple(FGLNormalArray, [](float* p) {
    for (int i = 0; i < 3; ++i) {
      p[i] = -p[i];
    }
  });
}

} // namespace vexil
