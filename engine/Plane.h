// One face quad of a cubie. Its geometry is fixed when it is made; a turn only moves the sticker
// data (identity, colour, texture) between places, so no coordinate is ever rotated in place.
#pragma once

#include "engine/GeomObject.h"
#include "engine/TextureLink.h"
#include "engine/VectorTypes.h"

#include <array>
#include <cstdint>

namespace vexil {

class TCube;

class TPlane {
public:
  static constexpr uint32_t kNoTexture = vexil::kNoTexture;

  TPlane(const TGeomObject& AGeomObject, const TIntArray& AIntArray);

  void SetColor(float Rf, float Gf, float Bf);
  void SetVIntVector(int32_t I, int32_t J, int32_t L);
  void SetHIntVector(int32_t I, int32_t J, int32_t L);
  void SetVRotateVector(float X, float Y, float Z);
  void SetHRotateVector(float X, float Y, float Z);
  void SetTextureID(uint32_t ATextureID, int32_t ATextureIndex);
  void SetRotateVector(int AIndex, int32_t ARotateSign, int32_t mX, int32_t mY, int32_t mZ);
  // FTextureID := the name of entry FTextureIndex of the list.
  void UpdateTexture(const TTextureListLink& ATextureListLink);

  int32_t PlaneID() const { return FPlaneID; }
  void SetPlaneID(int32_t AValue) { FPlaneID = AValue; }
  const TVertex3f& Color() const { return FColor; }
  void SetColor(const TVertex3f& AValue) { FColor = AValue; }
  const TVertex3f& Normal() const { return FNormal; }
  bool Selected() const { return FSelected; }
  void SetSelected(bool AValue) { FSelected = AValue; }
  const TIntVector& VIntVector() const { return FVIntVector; }
  const TIntVector& HIntVector() const { return FHIntVector; }
  const TVertex3f& VRotateVector() const { return FVRotateVector; }
  const TVertex3f& HRotateVector() const { return FHRotateVector; }
  int32_t TextureIndex() const { return FTextureIndex; }
  uint32_t TextureID() const { return FTextureID; }
  bool WorkPlane() const { return FWorkPlane; }
  void SetWorkPlane(bool AValue) { FWorkPlane = AValue; }
  TCube* ParentCube() const { return FParentCube; }
  void SetParentCube(TCube* AValue) { FParentCube = AValue; }
  const TVertex3f& PlaneCentre() const { return FPlaneCentre; }
  const TGLVectorArray& GLVertexArray() const { return FGLVertexArray; }
  const TGLVectorArray& GLNormalArray() const { return FGLNormalArray; }
  bool PlaneLighting() const { return FPlaneLighting; }
  void SetPlaneLighting(bool AValue) { FPlaneLighting = AValue; }
  bool GlobalLighting() const { return FGlobalLighting; }
  void SetGlobalLighting(bool AValue) { FGlobalLighting = AValue; }
  bool ShowSelectedPlane() const { return FShowSelectedPlane; }
  void SetShowSelectedPlane(bool AValue) { FShowSelectedPlane = AValue; }
  // Indices (depth, screen x, screen y) into a modelview matrix of the axis of direction AIndex.
  const TIntVector& RotateVector(int AIndex) const { return FRotateVectors[AIndex]; }
  int32_t RotateSign(int AIndex) const { return FRotateSigns[AIndex]; }

private:
  void CalcNormal();

  int32_t FPlaneID = -1;
  TVertex3f FColor;
  TVertex3f FNormal;
  bool FSelected = false;
  TIntVector FVIntVector;
  TIntVector FHIntVector;
  TVertex3f FHRotateVector;
  TVertex3f FVRotateVector;
  int32_t FTextureIndex = 0;
  uint32_t FTextureID = kNoTexture;
  bool FWorkPlane = false;
  TVertex3f FPlaneCentre;
  TGLVectorArray FGLVertexArray{};
  TGLVectorArray FGLNormalArray{};
  TCube* FParentCube = nullptr;
  bool FPlaneLighting = false;
  bool FGlobalLighting = false;
  bool FShowSelectedPlane = false;
  std::array<TIntVector, 4> FRotateVectors{};
  std::array<int32_t, 4> FRotateSigns{};
};

} // namespace vexil
