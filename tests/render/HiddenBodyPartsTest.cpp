// What a frame leaves out of the cubie bodies and faces, when it leaves out nothing, and which
// bodies it may cull. The pictures themselves are compared with the plain drawing in
// CubeSceneSamePictureTest.
#include "render/HiddenBodyParts.h"
#include "engine/ViewProjection.h"
#include "render/CubieFaces.h"
#include "render/GLMatrix.h"
#include "render/SharedVertexMesh.h"
#include "tests/engine/CommittedMesh.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vexil {
namespace {

// The scene's gluPerspective for a 716 x 466 view, then the camera's step back, column-major.
std::array<double, 16> SceneProjection() {
  const double f = 1.0 / std::tan(kFieldOfView / 2.0 * M_PI / 180.0);
  const double aspect = 716.0 / 466.0;
  const double near = kNearPlane;
  const double far = kFarPlane;
  std::array<double, 16> P{};
  P[0] = f / aspect;
  P[5] = f;
  P[10] = (far + near) / (near - far);
  P[11] = -1.0;
  P[14] = 2.0 * far * near / (near - far) + kCameraDistance * (far + near) / (far - near);
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
  const TCubeFrame frame = ACube.BeginFrame(AView);
  const THiddenBodyParts hidden(ACube, frame, SceneProjection());
  TCounts counts;
  for (const TCubieDraw& cubie : frame.Cubies) {
    switch (hidden.BodyOf(cubie.CubeIndex).Part) {
    case THiddenBodyParts::TPart::None:
      ++counts.None;
      break;
    case THiddenBodyParts::TPart::WithoutSide:
      ++counts.WithoutSide;
      break;
    case THiddenBodyParts::TPart::Whole:
      ++counts.Whole;
      break;
    }
  }
  ACube.EndFrame(frame);
  return counts;
}

TEST(HiddenBodyPartsTest, TheSlabOfASideIsTheRoundingAroundItsOpenSquare) {
  TVexilCube cube(3, test::CommittedCubeMesh());
  const TSharedVertexMesh body(cube.CubeObject());
  EXPECT_EQ(body.Corners(), 576);
  // Four edges of 3 x 2 triangles and four corners of 15 triangles each.
  for (int face = 1; face <= 6; ++face) {
    EXPECT_EQ(body.CornersWithoutSide(face), 576 - 3 * (4 * 6 + 4 * 15)) << "face " << face;
  }
  EXPECT_EQ(body.CornersWithoutSide(0), 576);
}

TEST(HiddenBodyPartsTest, TheEyeIsTheCentreOfProjectionAndAParallelProjectionHasNone) {
  std::array<double, 3> eye{};
  ASSERT_TRUE(THiddenBodyParts::EyeOf(SceneProjection(), eye));
  EXPECT_NEAR(eye[0], 0.0, 1e-9);
  EXPECT_NEAR(eye[1], 0.0, 1e-9);
  EXPECT_NEAR(eye[2], 6.0, 1e-9);
  std::array<double, 16> ortho{};
  ortho[0] = ortho[5] = ortho[15] = 1.0;
  ortho[10] = -1.0;
  EXPECT_FALSE(THiddenBodyParts::EyeOf(ortho, eye));
}

TEST(HiddenBodyPartsTest, RaysNearlySquareToASideCouldRunDownItsShafts) {
  const double halfSize = 0.75;
  EXPECT_FALSE(THiddenBodyParts::NoRayDownTheShafts({0, 0, 6}, halfSize));
  EXPECT_FALSE(THiddenBodyParts::NoRayDownTheShafts({0, -6, 0}, halfSize));
  // 20 degrees off the +Z axis: still within reach of the cube's own spread of rays.
  const double a = 20.0 * M_PI / 180.0;
  EXPECT_FALSE(
      THiddenBodyParts::NoRayDownTheShafts({6 * std::sin(a), 0, 6 * std::cos(a)}, halfSize));
  // Along a space diagonal every side is seen at about 55 degrees.
  const double d = 6.0 / std::sqrt(3.0);
  EXPECT_TRUE(THiddenBodyParts::NoRayDownTheShafts({d, d, d}, halfSize));
  EXPECT_TRUE(THiddenBodyParts::NoRayDownTheShafts({-d, d, -d}, halfSize));
  // A block long in x seen from just beyond its end: the rays to its far end run nearly square
  // to the end side, which those to a small cube in its place do not.
  EXPECT_TRUE(THiddenBodyParts::NoRayDownTheShafts({2.2, 1.0, 1.0}, 0.1));
  EXPECT_FALSE(THiddenBodyParts::NoRayDownTheShafts({2.2, 1.0, 1.0}, {2.0, 0.1, 0.1}));
}

TEST(HiddenBodyPartsTest, OpeningViewHidesTheFarCubiesAndTheInnerSlabsOfSideMiddles) {
  for (const int n : {2, 3, 10}) {
    SCOPED_TRACE(n);
    TVexilCube cube(n, test::CommittedCubeMesh());
    const TCounts counts = CountParts(cube, OpeningView());
    // Three sides face the viewer: the cubies on none of them are hidden whole, the middles of
    // those three sides lose their inner slab, the rest (their rims) are drawn whole.
    const int shown = n * n * n - (n - 1) * (n - 1) * (n - 1);
    const int surface = n * n * n - (n - 2) * (n - 2) * (n - 2);
    EXPECT_EQ(counts.None, surface - shown);
    EXPECT_EQ(counts.WithoutSide, 3 * (n - 2) * (n - 2));
    EXPECT_EQ(counts.Whole, shown - 3 * (n - 2) * (n - 2));
  }
}

TEST(HiddenBodyPartsTest, NothingIsLeftOutSquareToASide) {
  TVexilCube cube(3, test::CommittedCubeMesh());
  const TCounts square = CountParts(cube, IdentityMatrix());
  EXPECT_EQ(square.None + square.WithoutSide, 0);
  EXPECT_EQ(square.Whole, 26);
}

TEST(HiddenBodyPartsTest, NearlySquareToASideOnlyCubiesNoShaftLeadsToAreLeftOut) {
  const int32_t n = 10;
  TVexilCube cube(n, test::CommittedCubeMesh());
  // Turning away from square-on to +Z towards +X: rays run down fewer of the shafts, and more of
  // the far cubies are left out, until the cube is sealed.
  int before = 0;
  for (const double angle : {0.0, 6.0, 12.0, 18.0, 24.0}) {
    SCOPED_TRACE(angle);
    const TCubeFrame frame = cube.BeginFrame(GLRotationMatrix(-angle, 0, 1, 0));
    const THiddenBodyParts hidden(cube, frame, SceneProjection());
    EXPECT_FALSE(hidden.Sealed());
    int none = 0;
    for (const TCubieDraw& cubie : frame.Cubies) {
      const THiddenBodyParts::TPart part = hidden.BodyOf(cubie.CubeIndex).Part;
      EXPECT_NE(part, THiddenBodyParts::TPart::WithoutSide);
      if (part != THiddenBodyParts::TPart::None) {
        continue;
      }
      ++none;
      // Never a cubie on a side facing the eye.
      const int32_t x = cubie.CubeIndex / (n * n) + 1;
      const int32_t z = cubie.CubeIndex % n + 1;
      EXPECT_NE(z, n) << cubie.CubeIndex;
      EXPECT_TRUE(angle < 9.0 || x != n) << cubie.CubeIndex;
    }
    EXPECT_GE(none, before);
    before = none;
    if (angle == 0.0) {
      EXPECT_EQ(none, 0) << "square-on, a ray runs down every shaft and on to the far side";
    }
    cube.EndFrame(frame);
  }
  const int sealed = CountParts(cube, OpeningView()).None;
  EXPECT_GT(before, 0);
  EXPECT_LE(before, sealed);
}

// Starts the turn of the first sticker whose vertical turn moves the slice x = ASlice.
void TurnSliceX(TVexilCube& ACube, int32_t ASlice, float AAngle) {
  const int32_t n = ACube.Degree();
  for (int32_t sticker = 0; sticker < 6 * n * n; ++sticker) {
    for (const int32_t direction : {0, 1}) {
      ACube.RotateSide(sticker, direction);
      ACube.SetRotateSpeed(AAngle);
      const TCubeFrame frame = ACube.BeginFrame(IdentityMatrix());
      bool onlyThatSlice = true;
      int32_t rotated = 0;
      for (const TCubieDraw& cubie : frame.Cubies) {
        rotated += cubie.Rotated;
        onlyThatSlice = onlyThatSlice && cubie.Rotated == (cubie.CubeIndex / (n * n) + 1 == ASlice);
      }
      ACube.EndFrame(frame);
      if (onlyThatSlice && rotated == n * n) {
        ACube.RotateSide(sticker, direction);
        ACube.SetRotateSpeed(AAngle);
        return;
      }
    }
  }
  FAIL() << "no turn moves the slice x = " << ASlice;
}

TEST(HiddenBodyPartsTest, WhileASliceTurnsTheRestingBlocksHideWhatTheirShellsHide) {
  const int32_t n = 10;
  for (const int32_t slice : {1, 2, 5, 10}) {
    SCOPED_TRACE(slice);
    TVexilCube cube(n, test::CommittedCubeMesh());
    TurnSliceX(cube, slice, 30.0f);
    const TCubeFrame frame = cube.BeginFrame(OpeningView());
    ASSERT_TRUE(frame.DrawInner);
    const THiddenBodyParts hidden(cube, frame, SceneProjection());
    EXPECT_TRUE(hidden.Sealed());
    int interior = 0;
    TCounts counts;
    for (const TCubieDraw& cubie : frame.Cubies) {
      const int32_t x = cubie.CubeIndex / (n * n) + 1;
      const int32_t y = (cubie.CubeIndex / n) % n + 1;
      const int32_t z = cubie.CubeIndex % n + 1;
      const THiddenBodyParts::TPart part = hidden.BodyOf(cubie.CubeIndex).Part;
      if (cubie.Rotated) {
        EXPECT_EQ(part, THiddenBodyParts::TPart::Whole) << "the turning slice is drawn whole";
      }
      // Inside a resting block: on none of its sides, the gap sides included.
      const bool insideBlock = x != slice && x != 1 && x != n && x != slice - 1 && x != slice + 1 &&
                               y > 1 && y < n && z > 1 && z < n;
      if (insideBlock) {
        ++interior;
        EXPECT_EQ(part, THiddenBodyParts::TPart::None) << cubie.CubeIndex;
      }
      counts.None += part == THiddenBodyParts::TPart::None;
      counts.WithoutSide += part == THiddenBodyParts::TPart::WithoutSide;
      counts.Whole += part == THiddenBodyParts::TPart::Whole;
    }
    EXPECT_GT(interior, 0);
    EXPECT_GT(counts.None, interior);
    EXPECT_GT(counts.WithoutSide, 0);
    EXPECT_GE(counts.Whole, n * n);
    cube.EndFrame(frame);
  }
}

TEST(HiddenBodyPartsTest, SquareToTurningBlocksOnlyCubiesTooDeepForTheShaftsAreLeftOut) {
  // While a slice turns every cubie is drawn, the inner ones too; down a shaft between them a ray
  // reaches only the four columns at its sides, and the deeper the nearer the eye's axis.
  const int32_t n = 10;
  TVexilCube cube(n, test::CommittedCubeMesh());
  TurnSliceX(cube, 5, 30.0f);
  const TCubeFrame frame = cube.BeginFrame(IdentityMatrix());
  const THiddenBodyParts hidden(cube, frame, SceneProjection());
  EXPECT_FALSE(hidden.Sealed());
  std::array<int, n + 1> noneByDepth{};
  for (const TCubieDraw& cubie : frame.Cubies) {
    const int32_t z = cubie.CubeIndex % n + 1;
    const THiddenBodyParts::TPart part = hidden.BodyOf(cubie.CubeIndex).Part;
    if (cubie.Rotated) {
      EXPECT_EQ(part, THiddenBodyParts::TPart::Whole);
    }
    noneByDepth[static_cast<size_t>(n - z)] += part == THiddenBodyParts::TPart::None;
  }
  EXPECT_EQ(noneByDepth[0], 0) << "the side facing the eye";
  EXPECT_EQ(noneByDepth[1], 0) << "the layer just below it";
  for (int32_t depth = 2; depth < n; ++depth) {
    EXPECT_GE(noneByDepth[static_cast<size_t>(depth)], noneByDepth[static_cast<size_t>(depth - 1)]);
  }
  EXPECT_GT(noneByDepth[n - 1], 0);
  cube.EndFrame(frame);
}

TEST(HiddenBodyPartsTest, NothingIsLeftOutForATurnThatIsNotOneWholeSliceOrSquareToABlock) {
  const int32_t n = 4;
  TVexilCube cube(n, test::CommittedCubeMesh());
  TurnSliceX(cube, 2, 30.0f);
  TCubeFrame frame = cube.BeginFrame(OpeningView());
  ASSERT_TRUE(THiddenBodyParts(cube, frame, SceneProjection()).Sealed());
  // One cubie of the slice at rest, or an extra one turning: not a whole slice.
  for (const int32_t changed : {n * n + 5, 3 * n * n + 5}) {
    TCubeFrame broken = frame;
    for (TCubieDraw& cubie : broken.Cubies) {
      cubie.Rotated = cubie.CubeIndex == changed ? !cubie.Rotated : cubie.Rotated;
    }
    EXPECT_FALSE(THiddenBodyParts(cube, broken, SceneProjection()).Sealed()) << changed;
  }
  // Inner faces drawn with nothing turning.
  TCubeFrame still = frame;
  for (TCubieDraw& cubie : still.Cubies) {
    cubie.Rotated = false;
  }
  EXPECT_FALSE(THiddenBodyParts(cube, still, SceneProjection()).Sealed());
  cube.EndFrame(frame);
  // The +Z sides of both resting blocks seen square-on.
  const TCubeFrame square = cube.BeginFrame(IdentityMatrix());
  const THiddenBodyParts hidden(cube, square, SceneProjection());
  EXPECT_FALSE(hidden.Sealed());
  for (const TCubieDraw& cubie : square.Cubies) {
    EXPECT_EQ(hidden.BodyOf(cubie.CubeIndex).Part, THiddenBodyParts::TPart::Whole);
  }
  cube.EndFrame(square);
}

// Culling keeps what faces the eye only when the body's triangles are wound counter-clockwise
// seen from outside, OpenGL's default front side.
TEST(CubieFacesTest, EveryBodyTriangleIsWoundCounterClockwiseSeenFromOutside) {
  TVexilCube cube(3, test::CommittedCubeMesh());
  const TGeomObject& body = cube.CubeObject();
  const float* p = body.GLVertexArray().Floats();
  const int64_t corners = body.DrawableVertexCount();
  ASSERT_EQ(corners, 576);
  int outward = 0;
  for (int64_t T = 0; T < corners / 3; ++T) {
    const float* a = &p[9 * T];
    const float* b = a + 3;
    const float* c = a + 6;
    const double u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
    const double v[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
    const double normal[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2],
                              u[0] * v[1] - u[1] * v[0]};
    // The body is centred on the cubie's centre, the origin of its own space.
    const double centroid[3] = {(a[0] + b[0] + c[0]) / 3.0, (a[1] + b[1] + c[1]) / 3.0,
                                (a[2] + b[2] + c[2]) / 3.0};
    outward += normal[0] * centroid[0] + normal[1] * centroid[1] + normal[2] * centroid[2] > 0.0;
  }
  EXPECT_EQ(outward, corners / 3);
}

struct TFaceCounts {
  int Stickers = 0;
  int Inner = 0;
  int RestingInner = 0; // inner faces of resting cubies
  int Closed = 0;
  int Drawn = 0;
};

TFaceCounts CountFaces(const TVexilCube& ACube, const TCubeFrame& AFrame,
                       const std::array<double, 16>& AProjection) {
  const THiddenBodyParts hidden(ACube, AFrame, AProjection);
  const TCubieFaces faces(ACube, AFrame, AProjection, hidden);
  TFaceCounts counts;
  for (const TCubieDraw& cubie : AFrame.Cubies) {
    if (!faces.Drawn(cubie.CubeIndex)) {
      continue;
    }
    ++counts.Drawn;
    counts.Closed += faces.Closed(cubie.CubeIndex);
    for (int face = 1; face <= 6; ++face) {
      if (faces.DrawsFace(cubie.CubeIndex, face)) {
        const bool sticker = ACube.Cube(cubie.CubeIndex).Plane(face).WorkPlane();
        counts.Stickers += sticker;
        counts.Inner += !sticker;
        counts.RestingInner += !sticker && !cubie.Rotated;
      }
    }
  }
  return counts;
}

TEST(CubieFacesTest, AtRestTheStickersFacingTheEyeCloseEveryBody) {
  for (const int n : {2, 3, 10}) {
    SCOPED_TRACE(n);
    TVexilCube cube(n, test::CommittedCubeMesh());
    const TCubeFrame frame = cube.BeginFrame(OpeningView());
    const TFaceCounts counts = CountFaces(cube, frame, SceneProjection());
    EXPECT_EQ(counts.Stickers, 3 * n * n);
    EXPECT_EQ(counts.Inner, 0);
    EXPECT_EQ(counts.Drawn, n * n * n - (n - 1) * (n - 1) * (n - 1));
    EXPECT_EQ(counts.Closed, counts.Drawn);
    cube.EndFrame(frame);
  }
}

TEST(CubieFacesTest, WhileASliceTurnsOnlyTheInnerFacesAtTheGapAreDrawnAndTheyFaceTheEye) {
  const int32_t n = 10;
  TVexilCube cube(n, test::CommittedCubeMesh());
  TurnSliceX(cube, 5, 30.0f);
  const TCubeFrame frame = cube.BeginFrame(OpeningView());
  const THiddenBodyParts hidden(cube, frame, SceneProjection());
  ASSERT_TRUE(hidden.Sealed());
  const TCubieFaces faces(cube, frame, SceneProjection(), hidden);
  std::array<int, 7> innerByFace{};
  int turningFaces = 0;
  for (const TCubieDraw& cubie : frame.Cubies) {
    const int32_t x = cubie.CubeIndex / (n * n) + 1;
    for (int face = 1; face <= 6; ++face) {
      if (!faces.DrawsFace(cubie.CubeIndex, face)) {
        continue;
      }
      if (cubie.Rotated) {
        ++turningFaces;
      } else if (!cube.Cube(cubie.CubeIndex).Plane(face).WorkPlane()) {
        ++innerByFace[static_cast<size_t>(face)];
        // -X is face 3, +X face 5: the resting faces next to the slice x = 5.
        EXPECT_TRUE((face == 5 && x == 4) || (face == 3 && x == 6))
            << cubie.CubeIndex << ' ' << face;
      }
    }
    // A resting cubie's faces all lie square to the cube's: none is seen edge-on here. Half the
    // turning slice has a face nearly edge-on at 30 degrees.
    if (!cubie.Rotated && faces.Drawn(cubie.CubeIndex)) {
      EXPECT_TRUE(faces.Closed(cubie.CubeIndex)) << cubie.CubeIndex;
    }
  }
  // The opening view looks at -X: only the block beyond the slice shows its side at the gap.
  EXPECT_EQ(innerByFace[3], n * n);
  EXPECT_EQ(innerByFace[5], 0);
  // Of each turning cubie only the faces towards the eye, three at most as of any box, and one
  // seen edge-on besides; the other two of the six never.
  EXPECT_GT(turningFaces, n * n);
  EXPECT_LE(turningFaces, 4 * n * n);
  cube.EndFrame(frame);
}

TEST(CubieFacesTest, SquareToABlockItsInnerFacesStayToCloseTheShafts) {
  // Seen square-on rays run down the shafts between the cubies of a block; the corners of the
  // inner faces stand in them, so those faces are drawn though a neighbour lies over them.
  const int32_t n = 4;
  TVexilCube cube(n, test::CommittedCubeMesh());
  TurnSliceX(cube, 2, 30.0f);
  const TCubeFrame square = cube.BeginFrame(IdentityMatrix());
  const TFaceCounts squareCounts = CountFaces(cube, square, SceneProjection());
  cube.EndFrame(square);
  const TCubeFrame slanted = cube.BeginFrame(OpeningView());
  const TFaceCounts slantedCounts = CountFaces(cube, slanted, SceneProjection());
  cube.EndFrame(slanted);
  // Square-on the +Z faces of the resting cubies below the top layer face the eye (36 of them)
  // and some of their side faces; slanted only the side of the block beyond the slice at the
  // gap is drawn.
  EXPECT_GT(squareCounts.RestingInner, 2 * n * n);
  EXPECT_EQ(slantedCounts.RestingInner, n * n);
}

TEST(CubieFacesTest, ABodyWithAFaceSeenEdgeOnOrWithoutACentreOfProjectionIsNotCulled) {
  TVexilCube cube(3, test::CommittedCubeMesh());
  // Square-on to +Z the side faces of the middle column are seen edge-on: where their rims meet
  // the bodies' the rasteriser leaves pixels that only the body behind fills.
  const TCubeFrame square = cube.BeginFrame(IdentityMatrix());
  const THiddenBodyParts squareHidden(cube, square, SceneProjection());
  const TCubieFaces squareFaces(cube, square, SceneProjection(), squareHidden);
  const int32_t middle = (2 - 1) * 9 + (2 - 1) * 3 + (3 - 1);
  EXPECT_TRUE(squareFaces.Drawn(middle));
  EXPECT_FALSE(squareFaces.Closed(middle));
  EXPECT_TRUE(squareFaces.DrawsFace(middle, 1));
  cube.EndFrame(square);
  // Without a centre of projection nothing tells which faces the eye sees.
  std::array<double, 16> ortho{};
  ortho[0] = ortho[5] = ortho[15] = 1.0;
  ortho[10] = -1.0;
  const TCubeFrame frame = cube.BeginFrame(OpeningView());
  const TFaceCounts counts = CountFaces(cube, frame, ortho);
  EXPECT_EQ(counts.Closed, 0);
  EXPECT_EQ(counts.Stickers, 27);
  cube.EndFrame(frame);
}

} // namespace
} // namespace vexil
