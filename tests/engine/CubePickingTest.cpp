#include "engine/ViewProjection.h"
#include "tests/engine/CommittedMesh.h"
#include "tests/engine/CubeTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

using namespace vexil;
using namespace vexil::test;

namespace {

// Window position of a sticker's centre as drawn at rest under the scene's projection, worked
// out independently of the model's pick.
// AAt: a point of the sticker's cubie, from the cubie's centre; the sticker's centre if not given.
std::pair<double, double> ScreenCentre(const TVexilCube& ACube, int32_t ASticker,
                                       const TMatrix& AView, int AWidth, int AHeight,
                                       const TVertex3f* AAt = nullptr) {
  const TCubieGeometry& geometry = ACube.Geometry();
  const TPoint3d cubie = geometry.CubieCentre(geometry.GridPosition(ACube.WorkPlaneCube(ASticker)));
  const TVertex3f& centre = AAt != nullptr ? *AAt : ACube.WorkPlane(ASticker).PlaneCentre();
  TVertex3f p{static_cast<float>(cubie.X + centre.X), static_cast<float>(cubie.Y + centre.Y),
              static_cast<float>(cubie.Z + centre.Z)};
  TransformVertex(p, AView);
  const double s = geometry.Scale();
  const double f = 1.0 / std::tan(kFieldOfView / 2.0 * M_PI / 180.0);
  const double w = kCameraDistance - s * p.Z;
  const double aspect = static_cast<double>(AWidth) / AHeight;
  return {(f / aspect * s * p.X / w + 1) / 2 * AWidth, (f * s * p.Y / w + 1) / 2 * AHeight};
}

} // namespace

TEST(CubePicking, IdentityViewPicksOnlySideOne) {
  TVexilCube cube(3, CommittedCubeMesh());
  cube.Resize(800, 600);
  EXPECT_EQ(cube.GetSelectedPlane(400, 300, IdentityMatrix()), 27);
  EXPECT_EQ(cube.GetSelectedPlane(10, 10, IdentityMatrix()), -1); // beside the cube
  for (int x = 250; x <= 550; x += 7) {
    for (int y = 150; y <= 450; y += 7) {
      const int32_t s = cube.GetSelectedPlane(x, y, IdentityMatrix());
      if (s >= 0) {
        ASSERT_EQ(cube.WorkPlane(s).PlaneID(), 1) << x << "," << y;
      }
    }
  }
}

TEST(CubePicking, EveryFacingStickerIsPickedAtItsCentre) {
  for (const int n : {2, 3, 10}) {
    TVexilCube cube(n, CommittedCubeMesh());
    cube.Resize(1024, 700);
    cube.SetScale(1.1f);
    const TMatrix view = Rotation(-35, {1, 0.8f, 0.1f});
    int picked = 0;
    for (int s = 0; s < cube.WorkPlanesCount(); ++s) {
      const auto [x, y] = ScreenCentre(cube, s, view, 1024, 700);
      const int32_t hit = cube.GetSelectedPlane(static_cast<int32_t>(std::lround(x)),
                                                static_cast<int32_t>(std::lround(y)), view);
      if (TVexilCube::PlaneFacesViewer(cube.WorkPlane(s), view)) {
        ASSERT_EQ(hit, s) << n;
        ++picked;
      } else {
        ASSERT_NE(hit, s) << n;
      }
    }
    EXPECT_EQ(picked, 3 * n * n); // three sides face the viewer in this view
  }
}

TEST(CubePicking, TheBodyAroundAStickerPicksItUpToTheMiddleOfTheGap) {
  for (const int n : {3, 10}) {
    SCOPED_TRACE(n);
    TVexilCube cube(n, CommittedCubeMesh());
    cube.Resize(800, 600);
    // The row of side 1 through the sticker nearest the middle, left to right.
    const auto middle = ScreenCentre(cube, cube.GetSelectedPlane(400, 300, IdentityMatrix()),
                                     IdentityMatrix(), 800, 600);
    std::vector<std::pair<double, int32_t>> row;
    for (int32_t s = 0; s < cube.WorkPlanesCount(); ++s) {
      const auto centre = ScreenCentre(cube, s, IdentityMatrix(), 800, 600);
      if (cube.WorkPlane(s).PlaneID() == 1 && std::fabs(centre.second - middle.second) < 0.5) {
        row.emplace_back(centre.first, s);
      }
    }
    std::sort(row.begin(), row.end());
    ASSERT_EQ(row.size(), static_cast<size_t>(n));
    const int y = static_cast<int>(std::lround(middle.second));
    // From the first sticker's centre to the last's every pixel picks a sticker of the row, the
    // nearer one of each pair: the dark gaps between them are shared out at their middles.
    for (int x = static_cast<int>(std::ceil(row.front().first));
         x <= static_cast<int>(row.back().first); ++x) {
      double nearest = std::numeric_limits<double>::infinity();
      for (const auto& [centre, sticker] : row) {
        nearest = std::min(nearest, std::fabs(x - centre));
      }
      const int32_t hit = cube.GetSelectedPlane(x, y, IdentityMatrix());
      const auto picked = std::find_if(row.begin(), row.end(),
                                       [&](const auto& AEntry) { return AEntry.second == hit; });
      ASSERT_NE(picked, row.end()) << "x " << x << " picked " << hit;
      // Within a pixel of the middle either neighbour may have it.
      ASSERT_LT(std::fabs(x - picked->first), nearest + 1.0) << "x " << x << " picked " << hit;
    }
    // Beyond the last sticker of the row the body rounds off into side 5: nothing is picked
    // there, up to the cube's outline and beyond.
    int x = static_cast<int>(row.back().first);
    while (cube.GetSelectedPlane(x, y, IdentityMatrix()) == row.back().second) {
      ++x;
    }
    for (int beyond = x; beyond < x + 40; ++beyond) {
      ASSERT_EQ(cube.GetSelectedPlane(beyond, y, IdentityMatrix()), -1) << beyond;
    }
  }
}

TEST(CubePicking, AStickerPressedOnItsBorderTurnsItsLayer) {
  TVexilCube cube(10, CommittedCubeMesh());
  cube.Resize(800, 600);
  const int32_t sticker = cube.GetSelectedPlane(400, 300, IdentityMatrix());
  ASSERT_GE(sticker, 0);
  // The last pixel left of the sticker that still picks it lies in the dark gap, past the
  // sticker's left edge.
  const auto centre = ScreenCentre(cube, sticker, IdentityMatrix(), 800, 600);
  const int y = static_cast<int>(std::lround(centre.second));
  int border = static_cast<int>(centre.first);
  while (cube.GetSelectedPlane(border - 1, y, IdentityMatrix()) == sticker) {
    --border;
  }
  TVertex3f leftEdge = cube.WorkPlane(sticker).PlaneCentre();
  for (const TVertex3f& corner : cube.WorkPlane(sticker).GLVertexArray()) {
    leftEdge.X = std::min(leftEdge.X, corner.X);
  }
  ASSERT_LT(border + 1, ScreenCentre(cube, sticker, IdentityMatrix(), 800, 600, &leftEdge).first);
  cube.ProcessMouseDown(TMouseButton::mbLeft, border, 600 - y, y);
  ASSERT_EQ(cube.SelectedPlane(), sticker);
  cube.ProcessMouseMove(border, 600 - y - 100, 0);
  cube.BeginFrame(IdentityMatrix());
  EXPECT_TRUE(cube.ManualRotation());
  EXPECT_EQ(cube.RotateDirection(), 0);
  cube.ProcessMouseUp(TMouseButton::mbLeft);
  cube.FinishTurn();
  EXPECT_EQ(cube.History().Count(), 1);
}

TEST(CubePicking, DevicePixelsKeepThePickOnHiDpiViews) {
  TVexilCube cube(3, CommittedCubeMesh());
  const TMatrix view = Rotation(20, {0, 1, 0});
  cube.Resize(800, 600);
  const auto [x, y] = ScreenCentre(cube, 44, view, 800, 600);
  const int32_t logical = cube.GetSelectedPlane(static_cast<int32_t>(std::lround(x)),
                                                static_cast<int32_t>(std::lround(y)), view);
  cube.Resize(1600, 1200);
  EXPECT_EQ(cube.GetSelectedPlane(static_cast<int32_t>(std::lround(2 * x)),
                                  static_cast<int32_t>(std::lround(2 * y)), view),
            logical);
  EXPECT_EQ(logical, 44);
}

TEST(CubeDrag, DirectionFollowsThePointerAndLocksToItsAxis) {
  struct TCase {
    int DX, DY; // window pixels, y down
    int Direction;
  };
  for (const TCase& t :
       {TCase{0, -40, 0}, TCase{40, 0, 1}, TCase{0, 40, 2}, TCase{-40, 0, 3}, TCase{-8, -40, 0}}) {
    TVexilCube cube(3, CommittedCubeMesh());
    cube.Resize(800, 600);
    cube.ProcessMouseDown(TMouseButton::mbLeft, 400, 300, 300);
    ASSERT_EQ(cube.SelectedPlane(), 27);
    cube.ProcessMouseMove(400 + t.DX, 300 + t.DY, 0);
    const TCubeFrame frame = cube.BeginFrame(IdentityMatrix());
    EXPECT_TRUE(cube.ManualRotation());
    EXPECT_EQ(cube.RotateDirection(), t.Direction) << t.DX << "," << t.DY;
    EXPECT_EQ(cube.RotateAngle(), static_cast<float>(std::hypot(t.DX, t.DY) * 0.75));
    int rotated = 0;
    for (const TCubieDraw& c : frame.Cubies) {
      rotated += c.Rotated ? 1 : 0;
    }
    EXPECT_EQ(rotated, 9);
  }
  TVexilCube cube(3, CommittedCubeMesh());
  cube.Resize(800, 600);
  cube.ProcessMouseDown(TMouseButton::mbLeft, 400, 300, 300);
  cube.ProcessMouseMove(400, 260, 0);
  RunFrame(cube);
  ASSERT_EQ(cube.RotateDirection(), 0);
  cube.ProcessMouseMove(460, 300, 0); // now to the right: only 0 or its opposite remain
  RunFrame(cube);
  EXPECT_TRUE(cube.RotateDirection() == 0 || cube.RotateDirection() == 2);
  cube.ProcessMouseMove(400, 340, 0);
  RunFrame(cube);
  EXPECT_EQ(cube.RotateDirection(), 2);
}

TEST(CubeDrag, ThresholdAngleAndRelease) {
  TVexilCube cube(3, CommittedCubeMesh());
  cube.Resize(800, 600);
  cube.ProcessMouseDown(TMouseButton::mbLeft, 400, 300, 300);
  cube.ProcessMouseMove(405, 298, 0); // 5.39 pixels: rounds to 5, no turn
  RunFrame(cube);
  EXPECT_FALSE(cube.ManualRotation());
  EXPECT_EQ(cube.RotateDirection(), -1);
  cube.ProcessMouseMove(404, 296, 0); // 5.66 pixels: rounds to 6
  RunFrame(cube);
  EXPECT_TRUE(cube.ManualRotation());
  cube.ProcessMouseMove(400, 300 - 200, 0);
  RunFrame(cube);
  EXPECT_EQ(cube.RotateAngle(), 90.0f); // clamped
  cube.ProcessMouseMove(400, 240, 0);   // 60 pixels: 45 degrees
  RunFrame(cube);
  EXPECT_EQ(cube.RotateAngle(), 45.0f);
  // Back within 5 pixels: no layer is shown turned, but the release uses the last angle.
  cube.ProcessMouseMove(400, 297, 0);
  const TCubeFrame frame = cube.BeginFrame(IdentityMatrix());
  cube.EndFrame(frame);
  EXPECT_FALSE(cube.ManualRotation());
  TVexilCube fresh(3, CommittedCubeMesh());
  const TCubeFrame rest = fresh.BeginFrame(IdentityMatrix());
  ASSERT_EQ(frame.Cubies.size(), rest.Cubies.size());
  for (size_t k = 0; k < rest.Cubies.size(); ++k) {
    EXPECT_EQ(frame.Cubies[k].CubeIndex, rest.Cubies[k].CubeIndex);
    EXPECT_EQ(frame.Cubies[k].ModelView, rest.Cubies[k].ModelView);
  }
  cube.ProcessMouseUp(TMouseButton::mbLeft);
  EXPECT_EQ(cube.RotateSpeed(), -3.0f);
  EXPECT_EQ(cube.History().Count(), 0); // 45 is not beyond 45: turned back, not recorded
  EXPECT_EQ(cube.Drag().MouseVectorLength(), 0.0f);
  const auto before = Stickers(cube);
  RunTurn(cube);
  EXPECT_EQ(Stickers(cube), before);

  cube.ProcessMouseDown(TMouseButton::mbLeft, 400, 300, 300);
  cube.ProcessMouseMove(400, 239, 0); // 61 pixels: 45.75 degrees
  RunFrame(cube);
  cube.ProcessMouseUp(TMouseButton::mbLeft);
  EXPECT_EQ(cube.RotateSpeed(), 3.0f);
  ASSERT_EQ(cube.History().Count(), 1);
  EXPECT_EQ(cube.History().Entry(0).UndoRedoPlaneIndex(), 27);
  EXPECT_EQ(cube.History().Entry(0).UndoRedoPlaneDirection(), 0);
  RunTurn(cube);
  EXPECT_NE(Stickers(cube), before);
  // The step that ends the turn shows the cube at rest: the drag no longer turns anything.
  EXPECT_FALSE(cube.ManualRotation());
}

TEST(CubeDrag, PressesThatMustChangeNothing) {
  TVexilCube cube(3, CommittedCubeMesh());
  cube.Resize(800, 600);
  cube.ProcessMouseDown(TMouseButton::mbRight, 400, 300, 300);
  cube.ProcessMouseDown(TMouseButton::mbMiddle, 400, 300, 300);
  EXPECT_EQ(cube.SelectedPlane(), -1);
  cube.ProcessMouseMove(400, 200, 0); // no sticker picked: nothing
  EXPECT_EQ(cube.Drag().MouseVectorLength(), 0.0f);
  cube.ProcessMouseDown(TMouseButton::mbLeft, 20, 20, 580); // beside the cube
  cube.ProcessMouseUp(TMouseButton::mbLeft);
  EXPECT_FALSE(cube.SideIsRotating());

  cube.RotateSide(3, 1);
  cube.ProcessMouseDown(TMouseButton::mbLeft, 400, 300, 300); // during a turn: only the position
  EXPECT_EQ(cube.SelectedPlane(), 3);
  cube.ProcessMouseMove(400, 200, 0);
  EXPECT_EQ(cube.Drag().MouseVectorLength(), 0.0f);
  cube.ProcessMouseUp(TMouseButton::mbLeft);
  EXPECT_EQ(cube.RotateSpeed(), 10.0f);
  // The press is picked under the view of the last frame.
  RunTurn(cube, Rotation(180, {0, 1, 0}));
  cube.ProcessMouseDown(TMouseButton::mbLeft, 400, 300, 300);
  EXPECT_EQ(cube.WorkPlane(cube.SelectedPlane()).Normal().Z, -1.0f);
}

// A window taller than wide widens the vertical field of view so the cube keeps its width; the
// pick follows the projection drawn, so the centre sticker of the front side is still found at
// the centre of the view.
TEST(CubePick, ATallNarrowViewKeepsTheHorizontalFieldOfView) {
  EXPECT_DOUBLE_EQ(FieldOfView(716.0 / 466.0), kFieldOfView);
  EXPECT_DOUBLE_EQ(FieldOfView(0.0), kFieldOfView);
  EXPECT_DOUBLE_EQ(FieldOfView(std::numeric_limits<double>::infinity()), kFieldOfView);
  const double narrow = FieldOfView(0.5);
  EXPECT_NEAR(std::tan(narrow / 2.0 * kPi / 180.0) * 0.5,
              std::tan(kFieldOfView / 2.0 * kPi / 180.0), 1e-12);
  TVexilCube cube(3, CommittedCubeMesh());
  cube.Resize(300, 600);
  EXPECT_EQ(cube.GetSelectedPlane(150, 300, IdentityMatrix()), 27);
}
