#include "tests/engine/CommittedMesh.h"
#include "tests/engine/CubeTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

using namespace vexil;
using namespace vexil::test;

namespace {

// The definition: solved unless two stickers (i = j included) share a colour but not a normal.
bool PairwiseSolved(const TVexilCube& ACube) {
  for (int i = 0; i < ACube.WorkPlanesCount(); ++i) {
    for (int j = 0; j < ACube.WorkPlanesCount(); ++j) {
      const TPlane& a = ACube.WorkPlane(i);
      const TPlane& b = ACube.WorkPlane(j);
      if (SameVertex(a.Color(), b.Color()) && !SameVertex(a.Normal(), b.Normal())) {
        return false;
      }
    }
  }
  return true;
}

void ExpectAgreement(const TVexilCube& ACube, const char* AWhat) {
  EXPECT_EQ(ACube.IsCubeSolved(), PairwiseSolved(ACube)) << AWhat;
}

} // namespace

TEST(CubeSolved, AgreesWithThePairwiseDefinition) {
  TVexilCube cube(3, CommittedCubeMesh());
  ExpectAgreement(cube, "solved");
  EXPECT_TRUE(cube.IsCubeSolved());

  std::mt19937 random(5);
  const float palette[] = {0.0f, -0.0f, 0.5f, 1.0f, std::numeric_limits<float>::quiet_NaN()};
  for (int round = 0; round < 300; ++round) {
    cube.InitPlanes();
    const int mode = round % 4;
    for (int s = 0; s < cube.WorkPlanesCount(); ++s) {
      TPlane& p = cube.WorkPlane(s);
      if (mode == 0 && random() % 20 == 0) { // a few stray stickers
        p.SetColor(palette[random() % 4], palette[random() % 4], palette[random() % 4]);
      } else if (mode == 1) { // every sticker its own random colour from a small palette
        p.SetColor(palette[random() % 5], palette[random() % 5], palette[random() % 5]);
      } else if (mode == 2 &&
                 random() % 10 == 0) { // NaN colours match nothing, not even themselves
        p.SetColor(std::numeric_limits<float>::quiet_NaN(), 0, 0);
      } else if (mode == 3) { // each side painted one colour, some sides sharing it
        const int side = p.PlaneID();
        const float c = palette[(side * (round % 7 + 1)) % 4];
        p.SetColor(c, c, side == 1 ? -0.0f : 0.0f);
      }
    }
    ExpectAgreement(cube, "random arrangement");
  }

  // Two sides given the same colour: never solved, whatever the arrangement.
  TVexilCube same(2, CommittedCubeMesh());
  for (int s = 0; s < same.WorkPlanesCount(); ++s) {
    if (same.WorkPlane(s).PlaneID() == 2) {
      same.WorkPlane(s).SetColor(1, 1, 1); // as white as side 1
    }
  }
  EXPECT_FALSE(same.IsCubeSolved());
  ExpectAgreement(same, "two sides alike");

  // -0.0 is the same colour as +0.0.
  TVexilCube zero(2, CommittedCubeMesh());
  for (int s = 0; s < zero.WorkPlanesCount(); ++s) {
    const int side = zero.WorkPlane(s).PlaneID();
    zero.WorkPlane(s).SetColor(side == 3 ? -0.0f : 0.0f, 0.1f * side, side == 5 ? 0.3f : 0.0f);
  }
  zero.WorkPlane(0).SetColor(0.0f, 0.3f, 0.0f); // side 3's sticker shows side 3's colour, +0.0
  EXPECT_TRUE(zero.IsCubeSolved());
  ExpectAgreement(zero, "signed zeros");
  zero.WorkPlane(0).SetColor(0.0f, 0.4f, 0.0f); // now it shows side 4's colour
  EXPECT_FALSE(zero.IsCubeSolved());
}

TEST(CubeSolved, TheEndOfATurnStoresTheResult) {
  TVexilCube cube(3, CommittedCubeMesh());
  QuickTurn(cube, 30, 2);
  EXPECT_FALSE(cube.Solved());
  QuickTurn(cube, 30, 0);
  EXPECT_TRUE(cube.Solved());
  // A click without a drag passes through a one-frame turn that changes nothing but still
  // runs the solved test.
  cube.SetSolved(false);
  cube.Resize(800, 600);
  const auto before = Stickers(cube);
  cube.ProcessMouseDown(TMouseButton::mbLeft, 400, 300, 300);
  cube.ProcessMouseUp(TMouseButton::mbLeft);
  EXPECT_EQ(RunTurn(cube), 1);
  EXPECT_EQ(Stickers(cube), before);
  EXPECT_TRUE(cube.Solved());
}
