#include "tests/engine/CommittedMesh.h"
#include "tests/engine/CubeTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

using namespace vexil;
using namespace vexil::test;

namespace {

// The face number (1..6) of sticker AIndex on its cubie.
int FaceOf(const TVexilCube& ACube, int32_t AIndex) {
  const TCube& cube = ACube.Cube(ACube.WorkPlaneCube(AIndex));
  for (int k = 1; k <= 6; ++k) {
    if (&cube.Plane(k) == &ACube.WorkPlane(AIndex)) {
      return k;
    }
  }
  return 0;
}

} // namespace

TEST(CubeFaces, GeometryIsTheUnitNormalsAndCentresOfTheBody) {
  TVexilCube cube(3, CommittedCubeMesh());
  ASSERT_TRUE(SameIntVector(cube.Geometry().GridPosition(13), TIntVector{2, 2, 2}));
  const TCube& inner = cube.Cube(13); // no stickers: faces as made
  const TVertex3f normals[6] = {{0, 0, 1},  {0, 1, 0}, {-1, 0, 0},
                                {0, -1, 0}, {1, 0, 0}, {0, 0, -1}};
  for (int k = 1; k <= 6; ++k) {
    const TPlane& face = inner.Plane(k);
    SCOPED_TRACE(k);
    EXPECT_EQ(face.PlaneID(), -1);
    EXPECT_EQ(face.TextureID(), 1000u);
    EXPECT_FALSE(face.WorkPlane());
    EXPECT_TRUE(SameVertex(face.Color(), TVertex3f{0.3f, 0.3f, 0.3f}));
    EXPECT_TRUE(SameVertex(face.Normal(), normals[k - 1]));
    EXPECT_EQ(face.ParentCube(), &inner);
    const TVertex3f& c = face.PlaneCentre();
    const TVertex3f& n = normals[k - 1];
    EXPECT_NEAR(c.X, TCubieGeometry::BodyHalfSize() * n.X, 5e-6);
    EXPECT_NEAR(c.Y, TCubieGeometry::BodyHalfSize() * n.Y, 5e-6);
    EXPECT_NEAR(c.Z, TCubieGeometry::BodyHalfSize() * n.Z, 5e-6);
  }
}

TEST(CubeFaces, AMeshWithoutTheCornersIsAnError) {
  TGeomObject empty;
  EXPECT_THROW(TPlane(empty, TIntArray{0, 42, 87, 132}), EStreamError);
}

TEST(CubeFaces, SettersTouchOnlyWhatTheyName) {
  TVexilCube cube(2, CommittedCubeMesh());
  TCube& c = cube.Cube(0);
  c.SetPlaneColor(4, 0, 0, 1);
  EXPECT_EQ(c.Plane(4).PlaneID(), 4);
  EXPECT_TRUE(SameVertex(c.Plane(4).Color(), TVertex3f{0, 0, 1}));
  EXPECT_EQ(c.Plane(1).PlaneID(), -1); // face 1 of cubie (1,1,1) is no sticker for N = 2
  TPlane& p = c.Plane(3);
  const TIntVector before1 = p.RotateVector(1);
  p.SetRotateVector(2, -1, 6, 4, 5);
  EXPECT_TRUE(SameIntVector(p.RotateVector(2), TIntVector{6, 4, 5}));
  EXPECT_EQ(p.RotateSign(2), -1);
  EXPECT_TRUE(SameIntVector(p.RotateVector(1), before1));
}

TEST(CubeAssembly, FiguresForEachSize) {
  struct TCase {
    int N;
    float KScale, KCenter;
  };
  for (const TCase& t : {TCase{2, 1.5f, -0.75f}, TCase{3, 1.0f, -1.0f}, TCase{10, 0.3f, -2.75f}}) {
    SCOPED_TRACE(t.N);
    TVexilCube cube(t.N, CommittedCubeMesh());
    EXPECT_EQ(cube.CubesCount(), t.N * t.N * t.N);
    EXPECT_EQ(cube.WorkPlanesCount(), 6 * t.N * t.N);
    EXPECT_EQ(cube.Geometry().Scale(), t.KScale);
    EXPECT_EQ(cube.Geometry().CentreOffset(), t.KCenter);
    EXPECT_EQ(cube.SelectedPlane(), -1);
    EXPECT_EQ(cube.RotateDirection(), -1);
    EXPECT_EQ(cube.RotateSpeed(), 3.0f);
    EXPECT_FALSE(cube.Solved());
    // Cubie centres: pitch 0.5 about the origin (N = 3: -0.5, 0, 0.5).
    EXPECT_EQ(cube.Geometry().CubieCentre({1, 1, 1}).X, -0.25 * (t.N - 1));
  }
  EXPECT_THROW(TVexilCube(0, CommittedCubeMesh()), std::invalid_argument);
}

TEST(CubeAssembly, CubieNumbersRunThroughTheGridWithZFastest) {
  for (const int32_t n : {1, 2, 3, 10}) {
    SCOPED_TRACE(n);
    int32_t number = 0;
    for (int32_t x = 1; x <= n; ++x) {
      for (int32_t y = 1; y <= n; ++y) {
        for (int32_t z = 1; z <= n; ++z) {
          ASSERT_TRUE(SameIntVector(TCubieGeometry(n).GridPosition(number++), TIntVector{x, y, z}));
        }
      }
    }
  }
  // The place the model draws a cubie at follows its number the same way.
  TVexilCube cube(3, CommittedCubeMesh());
  const TCubeFrame frame = cube.BeginFrame(IdentityMatrix());
  for (const TCubieDraw& c : frame.Cubies) {
    const TIntVector p = cube.Geometry().GridPosition(c.CubeIndex);
    EXPECT_EQ(c.ModelView[12], 0.5f * p.I - 1.0f);
    EXPECT_EQ(c.ModelView[13], 0.5f * p.J - 1.0f);
    EXPECT_EQ(c.ModelView[14], 0.5f * p.L - 1.0f);
  }
}

TEST(CubeAssembly, SizesBeyondTheLargestAreRefusedNamingTheSize) {
  EXPECT_EQ(TVexilCube(TVexilCube::kMaxDegree, CommittedCubeMesh()).CubesCount(),
            TVexilCube::kMaxDegree * TVexilCube::kMaxDegree * TVexilCube::kMaxDegree);
  EXPECT_EQ(TVexilCube(1, CommittedCubeMesh()).CubesCount(), 1);
  EXPECT_THROW(TVexilCube(-1, CommittedCubeMesh()), std::invalid_argument);
  // 1291 is the first size whose cubie count overflows an int32_t.
  for (const int32_t size : {TVexilCube::kMaxDegree + 1, 1291, 0x7FFFFFFF}) {
    try {
      const TVexilCube cube(size, CommittedCubeMesh());
      ADD_FAILURE() << "a cube of size " << size << " was made";
    } catch (const std::invalid_argument& error) {
      EXPECT_NE(std::string(error.what()).find(std::to_string(size)), std::string::npos)
          << error.what();
    }
  }
}

TEST(CubeAssembly, StickerOrderAndSolvedIdentities) {
  TVexilCube cube(3, CommittedCubeMesh());
  const auto gridOf = [&](int32_t ASticker) {
    return cube.Geometry().GridPosition(cube.WorkPlaneCube(ASticker));
  };
  const std::pair<TIntVector, int> first[] = {{{1, 1, 1}, 3}, {{1, 1, 1}, 6}, {{1, 1, 1}, 4},
                                              {{1, 1, 2}, 3}, {{1, 1, 2}, 4}, {{1, 1, 3}, 3},
                                              {{1, 1, 3}, 4}, {{1, 1, 3}, 1}};
  for (int s = 0; s < 8; ++s) {
    EXPECT_TRUE(SameIntVector(gridOf(s), first[s].first)) << s;
    EXPECT_EQ(FaceOf(cube, s), first[s].second) << s;
  }
  EXPECT_TRUE(SameIntVector(gridOf(53), TIntVector{3, 3, 3}));
  EXPECT_EQ(FaceOf(cube, 53), 5);
  EXPECT_EQ(FaceOf(cube, 27), 1);
  EXPECT_TRUE(SameIntVector(gridOf(27), TIntVector{2, 2, 3}));

  for (const int n : {2, 3, 10}) {
    TVexilCube c(n, CommittedCubeMesh());
    int perSide[7] = {};
    for (int s = 0; s < c.WorkPlanesCount(); ++s) {
      const TPlane& p = c.WorkPlane(s);
      ASSERT_EQ(p.PlaneID(), FaceOf(c, s));
      ASSERT_TRUE(p.WorkPlane());
      ASSERT_EQ(p.TextureID(), 1000u);
      ASSERT_EQ(p.TextureIndex(), 0);
      ++perSide[p.PlaneID()];
    }
    for (int side = 1; side <= 6; ++side) {
      EXPECT_EQ(perSide[side], n * n);
    }
  }
}

TEST(CubeAssembly, TurnDataOfASticker) {
  TVexilCube cube(3, CommittedCubeMesh());
  const TPlane& p = cube.WorkPlane(27); // face 1 of cubie (2, 2, 3)
  EXPECT_TRUE(SameIntVector(p.VIntVector(), TIntVector{2, 0, 0}));
  EXPECT_TRUE(SameIntVector(p.HIntVector(), TIntVector{0, 2, 0}));
  EXPECT_TRUE(SameVertex(p.VRotateVector(), TVertex3f{1, 0, 0}));
  EXPECT_TRUE(SameVertex(p.HRotateVector(), TVertex3f{0, 1, 0}));
  EXPECT_TRUE(SameIntVector(p.RotateVector(0), TIntVector{6, 4, 5}));
  EXPECT_TRUE(SameIntVector(p.RotateVector(1), TIntVector{2, 0, 1}));
  EXPECT_EQ(p.RotateSign(0), 1);
  EXPECT_EQ(p.RotateSign(2), -1);
  const TPlane& green = cube.WorkPlane(19); // face 2 of cubie (1, 3, 3): y = N
  EXPECT_EQ(green.PlaneID(), 2);
  EXPECT_TRUE(SameVertex(green.HRotateVector(), TVertex3f{0, 0, -1}));
  EXPECT_EQ(green.RotateSign(0), -1);
}

TEST(CubeAssembly, InitPlanesTakesTheLinkedTextureNames) {
  TVexilCube cube(3, CommittedCubeMesh());
  TFakeTextureList list;
  cube.SetTextureListLink(&list);
  EXPECT_EQ(cube.CubeObject().TextureID(), 57u); // the carcass, last entry
  EXPECT_EQ(cube.Cube(13).Plane(1).TextureID(), 57u);
  EXPECT_EQ(cube.WorkPlane(0).TextureID(), 57u); // until InitPlanes gives the stickers theirs
  cube.InitPlanes();
  const int entryOfFace[7] = {0, 0, 1, 2, 3, 4, 5};
  for (int s = 0; s < cube.WorkPlanesCount(); ++s) {
    const TPlane& p = cube.WorkPlane(s);
    EXPECT_EQ(p.TextureIndex(), entryOfFace[p.PlaneID()]);
    EXPECT_EQ(p.TextureID(), 51u + static_cast<uint32_t>(entryOfFace[p.PlaneID()]));
  }
  EXPECT_EQ(cube.Cube(13).Plane(1).TextureID(), 57u); // inner faces keep the carcass
}

TEST(CubeAssembly, ResetRestoresStickersButNotSolved) {
  TVexilCube cube(3, CommittedCubeMesh());
  const auto solved = Stickers(cube);
  QuickTurn(cube, 5, 1);
  QuickTurn(cube, 5, 3);
  EXPECT_TRUE(cube.Solved()); // a turn that leaves the cube solved sets it
  QuickTurn(cube, 30, 0);
  ASSERT_NE(Stickers(cube), solved);
  cube.Reset();
  EXPECT_EQ(Stickers(cube), solved);
  EXPECT_FALSE(cube.Solved());
  EXPECT_EQ(cube.History().Count(), 0);
  EXPECT_EQ(cube.History().Position(), -1);
}

TEST(CubeAssembly, ResizeStoresAspectAndDragConstants) {
  TVexilCube cube(2, CommittedCubeMesh());
  cube.Resize(800, 600);
  EXPECT_EQ(cube.Aspect(), 800.0 / 600.0);
  EXPECT_EQ(cube.Drag().DParam(), 700.0f);
  EXPECT_EQ(cube.Drag().OfsParam(), 700.0f);
  cube.Resize(801, 600);
  EXPECT_EQ(cube.Drag().DParam(), 700.0f);
  cube.Resize(640, 0);
  EXPECT_EQ(cube.Aspect(), std::numeric_limits<double>::infinity());
  EXPECT_EQ(cube.Drag().DParam(), 320.0f);
  cube.Resize(0, 0);
  EXPECT_TRUE(std::isnan(cube.Aspect()));
  EXPECT_EQ(cube.GetSelectedPlane(0, 0, IdentityMatrix()), -1);
}
