// What a frame at rest leaves out of the cubie bodies, and when it leaves out nothing. The
// pictures themselves are compared with the plain drawing in CubeSceneSamePictureTest.
#include "render/HiddenBodyParts.h"
#include "engine/ViewProjection.h"
#include "render/GLMatrix.h"
#include "render/SharedVertexMesh.h"
#include "tests/engine/CommittedMesh.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vexil {
namespace {

// The scene's gluPerspective for a 716 x 466 view, then the camera's step back, column-major.
std::array<double, 16> SceneProjection() {
  const double F = 1.0 / std::tan(kFieldOfView / 2.0 * M_PI / 180.0);
  const double Aspect = 716.0 / 466.0;
  const double Near = kNearPlane;
  const double Far = kFarPlane;
  std::array<double, 16> P{};
  P[0] = F / Aspect;
  P[5] = F;
  P[10] = (Far + Near) / (Near - Far);
  P[11] = -1.0;
  P[14] = 2.0 * Far * Near / (Near - Far) + kCameraDistance * (Far + Near) / (Far - Near);
  P[15] = kCameraDistance;
  return P;
}

TMatrix OpeningView() {
  return MultiplyMatrix(GLRotationMatrix(35, 1, 0, 0), GLRotationMatrix(52.5, 0, 1, 0));
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
  TVexilCube Cube(3, test::CommittedCubeMesh());
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
  // A block long in x seen from just beyond its end: the rays to its far end run nearly square
  // to the end side, which those to a small cube in its place do not.
  EXPECT_TRUE(THiddenBodyParts::NoRayDownTheShafts({2.2, 1.0, 1.0}, 0.1));
  EXPECT_FALSE(THiddenBodyParts::NoRayDownTheShafts({2.2, 1.0, 1.0}, {2.0, 0.1, 0.1}));
}

TEST(HiddenBodyPartsTest, OpeningViewHidesTheFarCubiesAndTheInnerSlabsOfSideMiddles) {
  for (const int N : {2, 3, 10}) {
    SCOPED_TRACE(N);
    TVexilCube Cube(N, test::CommittedCubeMesh());
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

TEST(HiddenBodyPartsTest, NothingIsLeftOutSquareToASide) {
  TVexilCube Cube(3, test::CommittedCubeMesh());
  const TCounts Square = CountParts(Cube, IdentityMatrix());
  EXPECT_EQ(Square.None + Square.WithoutSide, 0);
  EXPECT_EQ(Square.Whole, 26);
}

TEST(HiddenBodyPartsTest, NearlySquareToASideOnlyCubiesNoShaftLeadsToAreLeftOut) {
  const int32_t N = 10;
  TVexilCube Cube(N, test::CommittedCubeMesh());
  // Turning away from square-on to +Z towards +X: rays run down fewer of the shafts, and more of
  // the far cubies are left out, until the cube is sealed.
  int Before = 0;
  for (const double Angle : {0.0, 6.0, 12.0, 18.0, 24.0}) {
    SCOPED_TRACE(Angle);
    const TCubeFrame Frame = Cube.BeginFrame(GLRotationMatrix(-Angle, 0, 1, 0));
    const THiddenBodyParts Hidden(Cube, Frame, SceneProjection());
    EXPECT_FALSE(Hidden.Sealed());
    int None = 0;
    for (const TCubieDraw& Cubie : Frame.Cubies) {
      const THiddenBodyParts::TPart Part = Hidden.BodyOf(Cubie.CubeIndex).Part;
      EXPECT_NE(Part, THiddenBodyParts::TPart::WithoutSide);
      if (Part != THiddenBodyParts::TPart::None) {
        continue;
      }
      ++None;
      // Never a cubie on a side facing the eye.
      const int32_t X = Cubie.CubeIndex / (N * N) + 1;
      const int32_t Z = Cubie.CubeIndex % N + 1;
      EXPECT_NE(Z, N) << Cubie.CubeIndex;
      EXPECT_TRUE(Angle < 9.0 || X != N) << Cubie.CubeIndex;
    }
    EXPECT_GE(None, Before);
    Before = None;
    if (Angle == 0.0) {
      EXPECT_EQ(None, 0) << "square-on, a ray runs down every shaft and on to the far side";
    }
    Cube.EndFrame(Frame);
  }
  const int Sealed = CountParts(Cube, OpeningView()).None;
  EXPECT_GT(Before, 0);
  EXPECT_LE(Before, Sealed);
}

// Starts the turn of the first sticker whose vertical turn moves the slice x = ASlice.
void TurnSliceX(TVexilCube& ACube, int32_t ASlice, float AAngle) {
  const int32_t N = ACube.Degree();
  for (int32_t Sticker = 0; Sticker < 6 * N * N; ++Sticker) {
    for (const int32_t Direction : {0, 1}) {
      ACube.RotateSide(Sticker, Direction);
      ACube.SetRotateSpeed(AAngle);
      const TCubeFrame Frame = ACube.BeginFrame(IdentityMatrix());
      bool OnlyThatSlice = true;
      int32_t Rotated = 0;
      for (const TCubieDraw& Cubie : Frame.Cubies) {
        Rotated += Cubie.Rotated;
        OnlyThatSlice = OnlyThatSlice && Cubie.Rotated == (Cubie.CubeIndex / (N * N) + 1 == ASlice);
      }
      ACube.EndFrame(Frame);
      if (OnlyThatSlice && Rotated == N * N) {
        ACube.RotateSide(Sticker, Direction);
        ACube.SetRotateSpeed(AAngle);
        return;
      }
    }
  }
  FAIL() << "no turn moves the slice x = " << ASlice;
}

TEST(HiddenBodyPartsTest, WhileASliceTurnsTheRestingBlocksHideWhatTheirShellsHide) {
  const int32_t N = 10;
  for (const int32_t Slice : {1, 2, 5, 10}) {
    SCOPED_TRACE(Slice);
    TVexilCube Cube(N, test::CommittedCubeMesh());
    TurnSliceX(Cube, Slice, 30.0f);
    const TCubeFrame Frame = Cube.BeginFrame(OpeningView());
    ASSERT_TRUE(Frame.DrawInner);
    const THiddenBodyParts Hidden(Cube, Frame, SceneProjection());
    EXPECT_TRUE(Hidden.Sealed());
    int Interior = 0;
    TCounts Counts;
    for (const TCubieDraw& Cubie : Frame.Cubies) {
      const int32_t X = Cubie.CubeIndex / (N * N) + 1;
      const int32_t Y = (Cubie.CubeIndex / N) % N + 1;
      const int32_t Z = Cubie.CubeIndex % N + 1;
      const THiddenBodyParts::TPart Part = Hidden.BodyOf(Cubie.CubeIndex).Part;
      if (Cubie.Rotated) {
        EXPECT_EQ(Part, THiddenBodyParts::TPart::Whole) << "the turning slice is drawn whole";
      }
      // Inside a resting block: on none of its sides, the gap sides included.
      const bool InsideBlock = X != Slice && X != 1 && X != N && X != Slice - 1 && X != Slice + 1 &&
                               Y > 1 && Y < N && Z > 1 && Z < N;
      if (InsideBlock) {
        ++Interior;
        EXPECT_EQ(Part, THiddenBodyParts::TPart::None) << Cubie.CubeIndex;
      }
      Counts.None += Part == THiddenBodyParts::TPart::None;
      Counts.WithoutSide += Part == THiddenBodyParts::TPart::WithoutSide;
      Counts.Whole += Part == THiddenBodyParts::TPart::Whole;
    }
    EXPECT_GT(Interior, 0);
    EXPECT_GT(Counts.None, Interior);
    EXPECT_GT(Counts.WithoutSide, 0);
    EXPECT_GE(Counts.Whole, N * N);
    Cube.EndFrame(Frame);
  }
}

TEST(HiddenBodyPartsTest, SquareToTurningBlocksOnlyCubiesTooDeepForTheShaftsAreLeftOut) {
  // While a slice turns every cubie is drawn, the inner ones too; down a shaft between them a ray
  // reaches only the four columns at its sides, and the deeper the nearer the eye's axis.
  const int32_t N = 10;
  TVexilCube Cube(N, test::CommittedCubeMesh());
  TurnSliceX(Cube, 5, 30.0f);
  const TCubeFrame Frame = Cube.BeginFrame(IdentityMatrix());
  const THiddenBodyParts Hidden(Cube, Frame, SceneProjection());
  EXPECT_FALSE(Hidden.Sealed());
  std::array<int, N + 1> NoneByDepth{};
  for (const TCubieDraw& Cubie : Frame.Cubies) {
    const int32_t Z = Cubie.CubeIndex % N + 1;
    const THiddenBodyParts::TPart Part = Hidden.BodyOf(Cubie.CubeIndex).Part;
    if (Cubie.Rotated) {
      EXPECT_EQ(Part, THiddenBodyParts::TPart::Whole);
    }
    NoneByDepth[static_cast<size_t>(N - Z)] += Part == THiddenBodyParts::TPart::None;
  }
  EXPECT_EQ(NoneByDepth[0], 0) << "the side facing the eye";
  EXPECT_EQ(NoneByDepth[1], 0) << "the layer just below it";
  for (int32_t Depth = 2; Depth < N; ++Depth) {
    EXPECT_GE(NoneByDepth[static_cast<size_t>(Depth)], NoneByDepth[static_cast<size_t>(Depth - 1)]);
  }
  EXPECT_GT(NoneByDepth[N - 1], 0);
  Cube.EndFrame(Frame);
}

TEST(HiddenBodyPartsTest, NothingIsLeftOutForATurnThatIsNotOneWholeSliceOrSquareToABlock) {
  const int32_t N = 4;
  TVexilCube Cube(N, test::CommittedCubeMesh());
  TurnSliceX(Cube, 2, 30.0f);
  TCubeFrame Frame = Cube.BeginFrame(OpeningView());
  ASSERT_TRUE(THiddenBodyParts(Cube, Frame, SceneProjection()).Sealed());
  // One cubie of the slice at rest, or an extra one turning: not a whole slice.
  for (const int32_t Changed : {N * N + 5, 3 * N * N + 5}) {
    TCubeFrame Broken = Frame;
    for (TCubieDraw& Cubie : Broken.Cubies) {
      Cubie.Rotated = Cubie.CubeIndex == Changed ? !Cubie.Rotated : Cubie.Rotated;
    }
    EXPECT_FALSE(THiddenBodyParts(Cube, Broken, SceneProjection()).Sealed()) << Changed;
  }
  // Inner faces drawn with nothing turning.
  TCubeFrame Still = Frame;
  for (TCubieDraw& Cubie : Still.Cubies) {
    Cubie.Rotated = false;
  }
  EXPECT_FALSE(THiddenBodyParts(Cube, Still, SceneProjection()).Sealed());
  Cube.EndFrame(Frame);
  // The +Z sides of both resting blocks seen square-on.
  const TCubeFrame Square = Cube.BeginFrame(IdentityMatrix());
  const THiddenBodyParts Hidden(Cube, Square, SceneProjection());
  EXPECT_FALSE(Hidden.Sealed());
  for (const TCubieDraw& Cubie : Square.Cubies) {
    EXPECT_EQ(Hidden.BodyOf(Cubie.CubeIndex).Part, THiddenBodyParts::TPart::Whole);
  }
  Cube.EndFrame(Square);
}

} // namespace
} // namespace vexil
