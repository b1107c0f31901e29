// Helpers shared by the cube model's tests: a texture list that records what it is asked, and
// ways to run turns and frames and to snapshot what the stickers show.
#pragma once

#include "engine/MatrixMath.h"
#include "engine/VexilCube.h"
#include "tests/engine/CommittedMesh.h"

#include <array>
#include <utility>
#include <vector>

namespace vexil::test {

class TFakeTextureList : public TTextureListLink {
public:
  explicit TFakeTextureList(int ACount = 7, uint32_t AFirstName = 51) {
    for (int k = 0; k < ACount; ++k) {
      FNames.push_back(AFirstName + static_cast<uint32_t>(k));
    }
    FColors.resize(static_cast<size_t>(ACount), TVertex3f{-1, -1, -1});
  }
  int Count() const override { return static_cast<int>(FNames.size()); }
  uint32_t TextureID(int AIndex) const override { return FNames[static_cast<size_t>(AIndex)]; }
  void SetTextureColor(int AIndex, const TVertex3f& AColor) override {
    FColors[static_cast<size_t>(AIndex)] = AColor;
    Tints.emplace_back(AIndex, AColor);
  }
  const TVertex3f& Color(int AIndex) const { return FColors[static_cast<size_t>(AIndex)]; }

  std::vector<std::pair<int, TVertex3f>> Tints;

private:
  std::vector<uint32_t> FNames;
  std::vector<TVertex3f> FColors;
};

// What a sticker shows: identity, colour and texture name.
struct TStickerData {
  int32_t PlaneID;
  TVertex3f Color;
  uint32_t TextureID;
  bool operator==(const TStickerData& AOther) const {
    return PlaneID == AOther.PlaneID && SameVertex(Color, AOther.Color) &&
           TextureID == AOther.TextureID;
  }
};

inline std::vector<TStickerData> Stickers(const TVexilCube& ACube) {
  std::vector<TStickerData> data;
  for (int32_t i = 0; i < ACube.WorkPlanesCount(); ++i) {
    const TPlane& p = ACube.WorkPlane(i);
    data.push_back(TStickerData{p.PlaneID(), p.Color(), p.TextureID()});
  }
  return data;
}

inline std::vector<int32_t> Identities(const TVexilCube& ACube) {
  std::vector<int32_t> ids;
  for (int32_t i = 0; i < ACube.WorkPlanesCount(); ++i) {
    ids.push_back(ACube.WorkPlane(i).PlaneID());
  }
  return ids;
}

// One step of the frame timer, as the window runs it before it draws.
inline TCubeFrame RunFrame(TVexilCube& ACube, const TMatrix& AView = IdentityMatrix()) {
  return ACube.Step(AView);
}

// Frames until the animated turn has ended; returns how many it took.
inline int RunTurn(TVexilCube& ACube, const TMatrix& AView = IdentityMatrix()) {
  int frames = 0;
  while (ACube.SideIsRotating() && frames < 1000) {
    RunFrame(ACube, AView);
    ++frames;
  }
  return frames;
}

// A complete quarter turn in a single frame.
inline void QuickTurn(TVexilCube& ACube, int32_t APlaneIndex, int32_t ADirection) {
  ACube.RotateSide(APlaneIndex, ADirection);
  ACube.SetRotateSpeed(90.0f);
  RunFrame(ACube);
}

// Side colours other than the defaults, as a player's settings may hold them.
inline const std::array<TVertex3f, 6> kSettingsColors = {
    {{0.9f, 0.9f, 0.9f}, {0, 0.8f, 0}, {0.8f, 0, 0}, {0, 0, 0.8f}, {1, 0.6f, 0}, {1, 1, 0.2f}}};

// A model prepared the way the shell prepares one before a cube block or a saved game is read
// into it.
struct TPrepared {
  explicit TPrepared(int ADegree) : Cube(ADegree, CommittedCubeMesh()) {
    Cube.SetTextureListLink(&List);
    Cube.InitPlanes();
    Cube.UpdatePlanesColor(kSettingsColors);
    List.Tints.clear();
  }
  TFakeTextureList List;
  TVexilCube Cube;
};

inline TMatrix Rotation(double AAngle, TVertex3f AAxis) {
  return ToSingleMatrix(RotationMatrix(AAngle, AAxis));
}

} // namespace vexil::test
