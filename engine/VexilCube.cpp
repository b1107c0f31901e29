#include "engine/VexilCube.h"

#include "engine/CubieBodyMesh.h"
#include "engine/StickerTable.h"

#include <stdexcept>
#include <string>

namespace vexil {

namespace {

int32_t CheckedDegree(int32_t ADegree) {
  if (ADegree < 1) {
    throw std::invalid_argument("A cube needs at least one cubie per edge, not " +
                                std::to_string(ADegree));
  }
  // Far beyond it the cubie count would not even fit an int32_t.
  if (ADegree > TVexilCube::kMaxDegree) {
    throw std::invalid_argument("A cube of size " + std::to_string(ADegree) +
                                " is larger than the largest, " +
                                std::to_string(TVexilCube::kMaxDegree));
  }
  return ADegree;
}

} // namespace

TVexilCube::TVexilCube(int32_t ADegree, const std::vector<uint8_t>& ABodyMesh)
    : FGeometry(CheckedDegree(ADegree)) {
  FCubeObject = std::make_unique<TGeomObject>();
  FCubeObject->LoadFromBytes(ABodyMesh);
  FCubeObject->Scale(static_cast<float>(kBodyMeshScale));
  FCubeObject->SetColor(0.3f, 0.3f, 0.3f);
  FCubeObject->Translate(kBodyMeshOffset[0], kBodyMeshOffset[1], kBodyMeshOffset[2]);
  FCubeObject->CreateTextureArray();
  FCubeObject->SetDrawTexture(true);

  FCubesCount = ADegree * ADegree * ADegree;
  FWorkPlanesCount = 6 * ADegree * ADegree;
  FCubes.reserve(static_cast<size_t>(FCubesCount));
  for (int32_t i = 0; i < FCubesCount; ++i) {
    FCubes.push_back(std::make_unique<TCube>(*FCubeObject));
  }
  const auto stickers = static_cast<size_t>(FWorkPlanesCount);
  FWorkPlanes.assign(stickers, nullptr);
  FWorkPlanesCubes.assign(stickers, 0);
  FWorkPlanesColors.assign(stickers, TVertex3f{});
  FWorkPlanesIDs.assign(stickers, 0);
  FWorkPlanesTextures.assign(stickers, 0);
  FSelectedPlane = -1;
  InitPlanes();
}

TVexilCube::~TVexilCube() = default;

namespace {

int32_t Coordinate(TSelectorAxis AAxis, const TIntVector& APosition) {
  switch (AAxis) {
  case TSelectorAxis::X:
    return APosition.I;
  case TSelectorAxis::Y:
    return APosition.J;
  case TSelectorAxis::Z:
    return APosition.L;
  }
  return 0;
}

TIntVector Selector(TSelectorAxis AAxis, const TIntVector& APosition) {
  TIntVector selector;
  switch (AAxis) {
  case TSelectorAxis::X:
    selector.I = APosition.I;
    break;
  case TSelectorAxis::Y:
    selector.J = APosition.J;
    break;
  case TSelectorAxis::Z:
    selector.L = APosition.L;
    break;
  }
  return selector;
}

} // namespace

void TVexilCube::InitPlanes() {
  int32_t s = 0;
  for (int32_t i = 0; i < FCubesCount; ++i) {
    const TIntVector position = FGeometry.GridPosition(i);
    TCube& cube = *FCubes[i];
    for (const TStickerSide& side : kStickerSides) {
      const int32_t coordinate = Coordinate(side.OnAxis, position);
      if (coordinate != (side.AtFirst ? 1 : FGeometry.Degree())) {
        continue;
      }
      cube.SetPlaneColor(side.Face, side.DefaultColor.X, side.DefaultColor.Y, side.DefaultColor.Z);
      const bool textured = FTextureListLink && side.TextureEntry < FTextureListLink->Count();
      cube.SetPlaneTextureID(
          side.Face, textured ? FTextureListLink->TextureID(side.TextureEntry) : TPlane::kNoTexture,
          textured ? side.TextureEntry : 0);
      TPlane& plane = cube.Plane(side.Face);
      plane.SetWorkPlane(true);
      FWorkPlanes[s] = &plane;
      FWorkPlanesCubes[s] = i;
      const TIntVector v = Selector(side.VSelector, position);
      const TIntVector h = Selector(side.HSelector, position);
      plane.SetVIntVector(v.I, v.J, v.L);
      plane.SetHIntVector(h.I, h.J, h.L);
      plane.SetVRotateVector(side.VRotateVector.X, side.VRotateVector.Y, side.VRotateVector.Z);
      plane.SetHRotateVector(side.HRotateVector.X, side.HRotateVector.Y, side.HRotateVector.Z);
      for (int d = 0; d < 4; ++d) {
        const TDragAxis& axis = side.Directions[d];
        plane.SetRotateVector(d, axis.Sign, axis.Depth, axis.ScreenX, axis.ScreenY);
      }
      ++s;
    }
  }
}

void TVexilCube::Reset() {
  CancelTurn();
  FSolved = false;
  InitPlanes();
  ClearUndoRedoState();
}

void TVexilCube::Resize(int32_t AWidth, int32_t AHeight) {
  FViewWidth = AWidth;
  FViewHeight = AHeight;
  // Floating-point division: a zero height gives an infinite (or NaN) aspect, never a trap.
  FAspect = static_cast<double>(AWidth) / static_cast<double>(AHeight);
  FDrag.SetViewSize(AWidth, AHeight);
}

} // namespace vexil
