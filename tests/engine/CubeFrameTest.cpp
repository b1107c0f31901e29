#include "tests/engine/CommittedMesh.h"
#include "tests/engine/CubeTestSupport.h"

#include <gtest/gtest.h>

using namespace vexil;
using namespace vexil::test;

TEST(CubeFrame, IdentityViewVisibility) {
  TVexilCube cube(3, CommittedCubeMesh());
  const TCubeFrame frame = cube.BeginFrame(IdentityMatrix());
  // +Z faces the viewer; +X and +Y have eye z exactly 0, so their opposites count instead.
  const std::array<bool, 6> expected = {true, false, true, true, false, false};
  EXPECT_EQ(frame.PlaneVisible, expected);
  EXPECT_EQ(cube.PlaneVisible(), expected);
  const TCubeFrame turned = cube.BeginFrame(Rotation(180, {0, 1, 0}));
  EXPECT_EQ(turned.PlaneVisible, (std::array<bool, 6>{false, false, true, true, false, true}));
}

TEST(CubeFrame, DrawnCubiesAtRestAndDuringATurn) {
  TVexilCube small(2, CommittedCubeMesh());
  EXPECT_EQ(small.BeginFrame(IdentityMatrix()).Cubies.size(), 8u);
  TVexilCube cube(3, CommittedCubeMesh());
  TCubeFrame rest = cube.BeginFrame(IdentityMatrix());
  EXPECT_EQ(rest.Cubies.size(), 26u);
  EXPECT_FALSE(rest.DrawInner);
  cube.RotateSide(0, 0);
  const TCubeFrame turning = cube.BeginFrame(IdentityMatrix());
  EXPECT_EQ(turning.Cubies.size(), 27u);
  EXPECT_TRUE(turning.DrawInner);
  int rotated = 0;
  for (size_t i = 0; i < turning.Cubies.size(); ++i) {
    EXPECT_EQ(turning.Cubies[i].CubeIndex, static_cast<int32_t>(i)); // grid order
    rotated += turning.Cubies[i].Rotated ? 1 : 0;
  }
  EXPECT_EQ(rotated, 9); // the slice z = 1
}

TEST(CubeFrame, MatricesComposeViewScaleTurnAndGridPlace) {
  TVexilCube cube(3, CommittedCubeMesh());
  const TMatrix view = Rotation(30, {1, 1, 0});
  const TMatrix4d viewScale = Multiply(ToMatrix4d(view), ScaleMatrix(1.0));
  const TCubeFrame rest = cube.BeginFrame(view);
  for (const TCubieDraw& c : rest.Cubies) {
    const TIntVector p = cube.Geometry().GridPosition(c.CubeIndex);
    const TMatrix expected = ToSingleMatrix(
        Multiply(viewScale, TranslationMatrix(p.I * 0.5 - 1, p.J * 0.5 - 1, p.L * 0.5 - 1)));
    for (int e = 0; e < 16; ++e) {
      ASSERT_NEAR(c.ModelView[e], expected[e], 1e-6) << c.CubeIndex << " " << e;
    }
    EXPECT_EQ(cube.Cube(c.CubeIndex).MatrixBeforeRotate(), c.ModelView);
  }
  // Sticker 0 direction 0: slice z = 1 by -30 degrees about +Z (speed 30, first frame).
  cube.RotateSide(0, 0);
  cube.SetRotateSpeed(30);
  const TCubeFrame turning = cube.BeginFrame(view);
  const TCubieDraw& corner = turning.Cubies[0];
  ASSERT_TRUE(corner.Rotated);
  const TMatrix expected = ToSingleMatrix(Multiply(
      Multiply(viewScale, RotationMatrix(-30, {0, 0, 1})), TranslationMatrix(-0.5, -0.5, -0.5)));
  for (int e = 0; e < 16; ++e) {
    EXPECT_NEAR(corner.ModelView[e], expected[e], 1e-6) << e;
  }
  EXPECT_EQ(cube.Cube(0).MatrixAfterRotate(), corner.ModelView);
}

TEST(CubeFrame, TheWholeCubeMeasuresTheSameForEverySizeAndFollowsTheScale) {
  for (const int n : {2, 3, 7, 10}) {
    TVexilCube cube(n, CommittedCubeMesh());
    const TCubeFrame frame = cube.BeginFrame(IdentityMatrix());
    // The last cubie's centre lies at (N - 1) / 2 pitches of 0.5, scaled by 3 / N.
    EXPECT_NEAR(frame.Cubies.back().ModelView[12], (n - 1) * 0.25 * 3.0 / n, 1e-6);
  }
  TVexilCube cube(3, CommittedCubeMesh());
  cube.SetScale(1.2f); // the float nearest to 1.2 lies above it
  EXPECT_EQ(cube.Scale(), 1.0f);
  cube.SetScale(0.8f); // the float nearest to 0.8 lies above it
  EXPECT_EQ(cube.Scale(), 0.8f);
  cube.SetScale(1.19f);
  EXPECT_EQ(cube.Geometry().Scale(), static_cast<float>(static_cast<double>(1.19f) * 3.0 / 3.0));
  cube.SetScale(5.0f);
  EXPECT_EQ(cube.Scale(), 1.19f);
}

TEST(CubeFrame, EndFrameRunsOnlyTheEndItsFrameStepNoted) {
  TVexilCube cube(3, CommittedCubeMesh());
  cube.RotateSide(0, 0);
  TCubeFrame last;
  for (int f = 1; f <= 9; ++f) {
    last = cube.BeginFrame(IdentityMatrix());
    EXPECT_EQ(cube.RotateAngle(), 10.0f * f);
    EXPECT_EQ(last.TurnEnded, f == 9);
    if (f < 9) {
      cube.EndFrame(last);
    }
  }
  int ends = 0;
  cube.SetOnEndSideRotate([&](TVexilCube& ASender) {
    ++ends;
    ASender.RotateSide(5, 1); // the next turn starts at once
  });
  cube.EndFrame(last);
  cube.EndFrame(last); // a stale frame must not end the turn just started
  EXPECT_EQ(ends, 1);
  EXPECT_TRUE(cube.SideIsRotating());
  EXPECT_EQ(cube.SelectedPlane(), 5);
}

TEST(CubeFrame, ADragDrawnBackUnderItsThresholdShowsTheCubeAtRest) {
  TVexilCube cube(10, CommittedCubeMesh());
  cube.Resize(800, 600);
  const TCubeFrame rest = cube.BeginFrame(IdentityMatrix());
  ASSERT_EQ(rest.Cubies.size(), 488u); // the surface of 10 x 10 x 10
  // The middle of the view is a gap between stickers for an even size; one sticker further up.
  const int x = 420;
  const int y = 280;
  cube.ProcessMouseDown(TMouseButton::mbLeft, x, y, 600 - y);
  ASSERT_GE(cube.SelectedPlane(), 0);
  cube.ProcessMouseMove(x + 40, y, 600 - y);
  const TCubeFrame dragged = cube.BeginFrame(IdentityMatrix());
  ASSERT_TRUE(cube.ManualRotation());
  ASSERT_EQ(dragged.Cubies.size(), 1000u);
  ASSERT_TRUE(dragged.DrawInner);
  cube.ProcessMouseMove(x + 3, y, 600 - y); // back within 5 pixels: nothing turns
  const TCubeFrame back = cube.BeginFrame(IdentityMatrix());
  EXPECT_FALSE(cube.ManualRotation());
  EXPECT_FALSE(back.DrawInner);
  ASSERT_EQ(back.Cubies.size(), rest.Cubies.size());
  for (size_t k = 0; k < back.Cubies.size(); ++k) {
    EXPECT_FALSE(back.Cubies[k].Rotated) << back.Cubies[k].CubeIndex;
    EXPECT_EQ(back.Cubies[k].ModelView, rest.Cubies[k].ModelView) << back.Cubies[k].CubeIndex;
  }
  for (int32_t i = 0; i < cube.CubesCount(); ++i) {
    ASSERT_FALSE(cube.Cube(i).Rotated()) << i;
  }
}

TEST(CubeFrame, StepEndsATurnAndShowsTheCubeAtRestWithItsStickersMoved) {
  TVexilCube cube(3, CommittedCubeMesh());
  TVexilCube reference(3, CommittedCubeMesh());
  cube.RotateSide(4, 1);
  reference.RotateSide(4, 1);
  reference.FinishTurn();
  const TMatrix view = Rotation(30, {0, 1, 0});
  TCubeFrame frame;
  int steps = 0;
  do {
    frame = cube.Step(view);
    ++steps;
    ASSERT_LE(steps, 9);
  } while (!frame.TurnEnded);
  EXPECT_EQ(steps, 9); // ten degrees a step
  EXPECT_FALSE(cube.SideIsRotating());
  EXPECT_EQ(Stickers(cube), Stickers(reference));
  // The frame of the last step is the cube at rest: no layer at an angle, no cubie turning, the
  // surface alone, exactly as a later look at it.
  EXPECT_FALSE(frame.DrawInner);
  const TCubeFrame rest = cube.Look(view);
  ASSERT_EQ(frame.Cubies.size(), rest.Cubies.size());
  for (size_t k = 0; k < frame.Cubies.size(); ++k) {
    EXPECT_FALSE(frame.Cubies[k].Rotated);
    EXPECT_EQ(frame.Cubies[k].ModelView, rest.Cubies[k].ModelView);
  }
}

TEST(CubeFrame, LookAndFrameAdvanceNothing) {
  TVexilCube cube(4, CommittedCubeMesh());
  cube.RotateSide(7, 2);
  cube.Step(IdentityMatrix());
  ASSERT_EQ(cube.RotateAngle(), 10.0f);
  const TCubeFrame looked = cube.Look(Rotation(45, {1, 0, 0}));
  const TCubeFrame again = cube.Frame();
  EXPECT_EQ(cube.RotateAngle(), 10.0f);
  EXPECT_TRUE(cube.SideIsRotating());
  EXPECT_TRUE(looked.DrawInner);
  ASSERT_EQ(looked.Cubies.size(), again.Cubies.size());
  for (size_t k = 0; k < looked.Cubies.size(); ++k) {
    EXPECT_EQ(looked.Cubies[k].ModelView, again.Cubies[k].ModelView);
    EXPECT_EQ(looked.Cubies[k].Rotated, again.Cubies[k].Rotated);
  }
  // The pick of the next press looks through the view handed over last.
  EXPECT_EQ(again.View, Rotation(45, {1, 0, 0}));
}

TEST(CubeFrame, TheEndOfATurnMovesTheTurnsOwnLayerWhateverTheCubiesAreMarked) {
  TVexilCube cube(3, CommittedCubeMesh());
  TVexilCube reference(3, CommittedCubeMesh());
  cube.RotateSide(0, 1);
  reference.RotateSide(0, 1);
  reference.FinishTurn();
  TCubeFrame last;
  do {
    last = cube.BeginFrame(IdentityMatrix());
  } while (!last.TurnEnded);
  // Marks left on the cubies by whoever looked at them must not decide what turns.
  for (int32_t i = 0; i < cube.CubesCount(); ++i) {
    cube.Cube(i).SetRotated(true);
  }
  cube.EndFrame(last);
  EXPECT_EQ(Stickers(cube), Stickers(reference));
}
