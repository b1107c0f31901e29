// What a frame at rest leaves out of the cubie bodies, and when it leaves out nothing. The
// pictures themselves are compared with the plain drawing in CubeSceneSamePictureTest.
#include "HiddenBodyParts.h"
#include "GLMatrix.h"
#include "SharedVertexMesh.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vexil {
namespace {

// gluPerspective(30, 716 / 466, 1, 10) then a step of 6 back, column-major.
std::array<double, 16> SceneProjection() {
  const double F = 1.0 / std::tan(15.0 * M_PI / 180.0);
  const double Aspect = 716.0 / 466.0;
  std::array<double, 16> P{};
  P[0] = F / Aspect;
  P[5] = F;
  P[10] = -11.0 / 9.0;
  P[11] = -1.0;
  P[14] = -20.0 / 9.0 + 6.0 * 11.0 / 9.0;
  P[15] = 6.0;
  return P;
}

TMatrix OpeningView() {
  return MultiplyMatrix(RotationMatrix(35, 1, 0, 0), RotationMatrix(52.5, 0, 1, 0));
}

struct TCounts {
  int None = 0;
  int WithoutSide = 0;
  int Whole = 0;
};

TCounts CountParts(TVexilCube& ACube, const TMatrix& AView) {
  const TCubeFrame Frame = ACube.BeginFrame(AView);
  const THiddenBodyParts Hidden(ACube, Frame, SceneProjection());
  TCounts Counts;
  for (const TCubieDraw& Cubie : Frame.Cubies) {
    switch (Hidden.BodyOf(Cubie.CubeIndex).Part) {
    case THiddenBodyParts::TPart::None:
      ++Counts.None;
      break;
    case THiddenBodyParts::TPart::WithoutSide:
      ++Counts.WithoutSide;
      break;
    case THiddenBodyParts::TPart::Whole:
      ++Counts.Whole;
      break;
    }
  }
  ACube.EndFrame(Frame);
  return Counts;
}

TEST(HiddenBodyPartsTest, TheSlabOfASideIsTheRoundingAroundItsOpenSquare) {
  TVexilCube Cube(3);
  const TSharedVertexMesh Body(Cube.CubeObject());
  EXPECT_EQ(Body.Corners(), 576);
  // Four edges of 3 x 2 triangles and four corners of 15 triangles each.
  for (int Face = 1; Face <= 6; ++Face) {
    EXPECT_EQ(Body.CornersWithoutSide(Face), 576 - 3 * (4 * 6 + 4 * 15)) << "face " << Face;
  }
  EXPECT_EQ(Body.CornersWithoutSide(0), 576);
}

TEST(HiddenBodyPartsTest, TheEyeIsTheCentreOfProjectionAndAParallelProjectionHasNone) {
  std::array<double, 3> Eye{};
  ASSERT_TRUE(THiddenBodyParts::EyeOf(SceneProjection(), Eye));
  EXPECT_NEAR(Eye[0], 0.0, 1e-9);
  EXPECT_NEAR(Eye[1], 0.0, 1e-9);
  EXPECT_NEAR(Eye[2], 6.0, 1e-9);
  std::array<double, 16> Ortho{};
  Ortho[0] = Ortho[5] = Ortho[15] = 1.0;
  Ortho[10] = -1.0;
  EXPECT_FALSE(THiddenBodyParts::EyeOf(Ortho, Eye));
}

TEST(HiddenBodyPartsTest, RaysNearlySquareToASideCouldRunDownItsShafts) {
  const double HalfSize = 0.75;
  EXPECT_FALSE(THiddenBodyParts::NoRayDownTheShafts({0, 0, 6}, HalfSize));
  EXPECT_FALSE(THiddenBodyParts::NoRayDownTheShafts({0, -6, 0}, HalfSize));
  // 20 degrees off the +Z axis: still within reach of the cube's own spread of rays.
  const double A = 20.0 * M_PI / 180.0;
  EXPECT_FALSE(
      THiddenBodyParts::NoRayDownTheShafts({6 * std::sin(A), 0, 6 * std::cos(A)}, HalfSize));
  // Along a space diagonal every side is seen at about 55 degrees.
  const double D = 6.0 / std::sqrt(3.0);
  EXPECT_TRUE(THiddenBodyParts::NoRayDownTheShafts({D, D, D}, HalfSize));
  EXPECT_TRUE(THiddenBodyParts::NoRayDownTheShafts({-D, D, -D}, HalfSize));
}

TEST(HiddenBodyPartsTest, OpeningViewHidesTheFarCubiesAndTheInnerSlabsOfSideMiddles) {
  for (const int N : {2, 3, 10}) {
    SCOPED_TRACE(N);
    TVexilCube Cube(N);
    const TCounts Counts = CountParts(Cube, OpeningView());
    // Three sides face the viewer: the cubies on none of them are hidden whole, the middles of
    // those three sides lose their inner slab, the rest (their rims) are drawn whole.
    const int Shown = N * N * N - (N - 1) * (N - 1) * (N - 1);
    const int Surface = N * N * N - (N - 2) * (N - 2) * (N - 2);
    EXPECT_EQ(Counts.None, Surface - Shown);
    EXPECT_EQ(Counts.WithoutSide, 3 * (N - 2) * (N - 2));
    EXPECT_EQ(Counts.Whole, Shown - 3 * (N - 2) * (N - 2));
  }
}

TEST(HiddenBodyPartsTest, NothingIsLeftOutSquareToASideOrWithALayerAtAnAngle) {
  TVexilCube Cube(3);
  const TCounts Square = CountParts(Cube, IdentityMatrix());
  EXPECT_EQ(Square.None + Square.WithoutSide, 0);
  EXPECT_EQ(Square.Whole, 26);

  Cube.Randomize(3);
  Cube.RotateRandomSide();
  Cube.SetRotateSpeed(10.0f);
  const TCounts Turning = CountParts(Cube, OpeningView());
  EXPECT_EQ(Turning.None + Turning.WithoutSide, 0);
  EXPECT_EQ(Turning.Whole, 27);
}

} // namespace
} // namespace vexil
