#include "tests/engine/CommittedMesh.h"
#include "tests/engine/CubeTestSupport.h"

#include <gtest/gtest.h>

using namespace vexil;
using namespace vexil::test;

TEST(CubeAppearance, LightingAndDisplaySettersReachEveryFace) {
  TVexilCube cube(2, CommittedCubeMesh());
  cube.SetGlobalLighting(true);
  cube.SetPlaneLight(true);
  cube.SetShowSelectedPlane(true);
  EXPECT_TRUE(cube.GlobalLighting());
  EXPECT_TRUE(cube.CubeObject().DrawTexture());
  EXPECT_EQ(cube.CubeObject().GLColorArray().Floats()[0], 1.0f);
  for (int i = 0; i < cube.CubesCount(); ++i) {
    for (int k = 1; k <= 6; ++k) {
      const TPlane& p = cube.Cube(i).Plane(k);
      EXPECT_TRUE(p.GlobalLighting());
      EXPECT_TRUE(p.PlaneLighting());
      EXPECT_EQ(p.ShowSelectedPlane(), p.WorkPlane()); // stickers only
    }
  }
  cube.SetPlaneLight(false);
  EXPECT_FALSE(cube.CubeObject().DrawTexture());
  EXPECT_EQ(cube.CubeObject().GLColorArray().Floats()[0], 0.3f);
  EXPECT_FALSE(cube.Cube(3).Plane(2).PlaneLighting());
  cube.SetVexilColor(TVertex3f{0.2f, 0.4f, 0.6f});
  EXPECT_EQ(cube.CubeObject().GLColorArray().Floats()[1], 0.4f);
}

TEST(CubeAppearance, PlaneColorsFollowIdentitiesAndRetintTheStickerTextures) {
  const std::array<TVertex3f, 6> colors = {
      {{1, 1, 1}, {0, 1, 0}, {1, 0, 0}, {0, 0, 1}, {1, 0.5f, 0}, {0.5f, 0.5f, 0}}};
  TVexilCube cube(3, CommittedCubeMesh());
  cube.UpdatePlanesColor(colors); // before the textures exist: colours only
  QuickTurn(cube, 0, 0);
  TFakeTextureList list;
  cube.SetTextureListLink(&list);
  cube.UpdatePlanesColor(colors);
  for (int s = 0; s < cube.WorkPlanesCount(); ++s) {
    const TPlane& p = cube.WorkPlane(s);
    EXPECT_TRUE(SameVertex(p.Color(), colors[static_cast<size_t>(p.PlaneID() - 1)]));
  }
  ASSERT_EQ(list.Tints.size(), 6u); // the carcass texture is left alone
  for (int k = 0; k < 6; ++k) {
    EXPECT_EQ(list.Tints[static_cast<size_t>(k)].first, k);
    EXPECT_TRUE(SameVertex(list.Color(k), colors[static_cast<size_t>(k)]));
  }
}
