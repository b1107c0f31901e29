// A triangle mesh held as non-indexed client-side vertex arrays, with its binary file format.
// Drawing lives in the renderer; this is the data and its transforms.
#pragma once

#include "engine/Streams.h"
#include "engine/TextureLink.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vexil {

// One vertex array: Size bytes, or no block at all. Owned by the object that holds it.
struct TGLArray {
  int32_t Size = 0;
  std::vector<float> glArray; // empty when there is no block

  bool Exists() const { return !glArray.empty(); }
  float* Floats() { return glArray.data(); }
  const float* Floats() const { return glArray.data(); }
  void Allocate(int32_t ASize);
};

class TGeomObject {
public:
  static constexpr uint32_t kNoTexture = vexil::kNoTexture;

  // Raises EStreamError for damaged data: a stream that ends early, an array count the stream
  // cannot hold, or polygon or vertex counts that the arrays read cannot back. What was read
  // before the damage stays in the object.
  void LoadFromStream(TStream& ASourStream);
  void LoadFromFile(const std::string& AFileName);
  // The whole mesh file in memory (as its owner read it); damaged bytes raise as a damaged
  // stream does.
  void LoadFromBytes(const std::vector<uint8_t>& ABytes);
  void SaveToFile(const std::string& AFileName) const;
  void SaveToStream(TStream& ADestStream) const;

  // Each makes a block sized by PolygonCount (36 bytes a triangle, 48 for texture coordinates);
  // raises std::length_error when that is more than an array's int32_t size can hold.
  float* CreateColorArray();
  float* CreateNormalArray();
  float* CreateVertexArray();
  float* CreateTextureArray();

  void Scale(float AScale);
  void Translate(float X, float Y, float Z);
  void SetColor(float AR, float AG, float AB);
  void ReverseNormals();

  const std::string& Name() const { return FName; }
  void SetName(const std::string& AName) { FName = AName; }
  bool CanDraw() const { return FCanDraw; }
  void SetCanDraw(bool AValue) { FCanDraw = AValue; }
  uint32_t TextureID() const { return FTextureID; }
  void SetTextureID(uint32_t AValue) { FTextureID = AValue; }
  bool DrawTexture() const { return FDrawTexture; }
  void SetDrawTexture(bool AValue) { FDrawTexture = AValue; }
  int32_t VertexCount() const { return FVertexCount; }
  void SetVertexCount(int32_t AValue) { FVertexCount = AValue; }
  int32_t PolygonCount() const { return FPolygonCount; }
  void SetPolygonCount(int32_t AValue) { FPolygonCount = AValue; }
  int32_t GLArraysVertexCount() const { return FGLArraysVertexCount; }
  void SetGLArraysVertexCount(int32_t AValue) { FGLArraysVertexCount = AValue; }
  const TGLArray& GLColorArray() const { return FGLColorArray; }
  const TGLArray& GLVertexArray() const { return FGLVertexArray; }
  const TGLArray& GLNormalArray() const { return FGLNormalArray; }
  const TGLArray& GLTextureArray() const { return FGLTextureArray; }
  // Bytes of the colour, normal and position arrays together.
  int64_t Size() const { return 3 * static_cast<int64_t>(FGLColorArray.Size); }

  // Drawing textures the object: it draws its texture, has one (a name other than kNoTexture)
  // and texture coordinates.
  bool DrawsTextured() const;
  // The vertices that drawing and the transforms reach: GLArraysVertexCount cut to what every
  // array drawing reads really holds (positions, normals and colours where they exist, texture
  // coordinates when textured), so a damaged mesh whose byte counts disagree draws fewer
  // triangles instead of reading past an array. 0 without positions.
  int64_t DrawableVertexCount() const;

private:
  // Applies AOperation to the first DrawableVertexCount triples of AArray, if it has a block.
  template <typename TOperation> void ForEachTriple(TGLArray& AArray, TOperation AOperation);

  std::string FName;
  bool FCanDraw = true;
  uint32_t FTextureID = kNoTexture;
  bool FDrawTexture = false;
  int32_t FVertexCount = 0;
  int32_t FPolygonCount = 0;
  TGLArray FGLColorArray;
  TGLArray FGLVertexArray;
  TGLArray FGLNormalArray;
  TGLArray FGLTextureArray;
  int32_t FGLArraysVertexCount = 0;
};

} // namespace vexil
