#include "tests/engine/CommittedMesh.h"
#include "tests/engine/CubeTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

using namespace vexil;
using namespace vexil::test;

TEST(CubeTurns, FrameStepClampsAndEnds) {
  TVexilCube cube(3, CommittedCubeMesh());
  cube.RotateSide(10, 1);
  EXPECT_EQ(RunTurn(cube), 9);
  EXPECT_FALSE(cube.SideIsRotating());
  EXPECT_EQ(cube.RotateAngle(), 0.0f);
  EXPECT_EQ(cube.SelectedPlane(), -1);
  EXPECT_EQ(cube.RotateDirection(), -1);
  for (int i = 0; i < cube.CubesCount(); ++i) {
    EXPECT_FALSE(cube.Cube(i).Rotated());
  }

  // From a drag released at 45.75 degrees (61 pixels) the turn completes at speed 3 in 15
  // frames, the last clamped from 90.75 to 90; from 45 (60 pixels) it goes back to 0 in 15.
  cube.Resize(800, 600);
  for (const auto& [pixels, speed] : {std::pair{61, 3.0f}, std::pair{60, -3.0f}}) {
    cube.ProcessMouseDown(TMouseButton::mbLeft, 400, 300, 300);
    cube.ProcessMouseMove(400, 300 - pixels, 0);
    RunFrame(cube);
    cube.ProcessMouseUp(TMouseButton::mbLeft);
    EXPECT_EQ(cube.RotateSpeed(), speed);
    int frames = 0;
    TCubeFrame frame;
    do {
      frame = cube.BeginFrame(IdentityMatrix());
      ++frames;
      if (frame.TurnEnded) {
        EXPECT_EQ(cube.RotateAngle(), speed > 0 ? 90.0f : 0.0f);
      }
      cube.EndFrame(frame);
    } while (!frame.TurnEnded && frames < 100);
    EXPECT_EQ(frames, 15);
  }
}

TEST(CubeTurns, FirstTurnOnAFreshCube) {
  for (const int n : {2, 3, 10}) {
    SCOPED_TRACE(n);
    TVexilCube cube(n, CommittedCubeMesh());
    const auto before = Identities(cube);
    cube.RotateSide(0, 0); // the slice z = 1 by -90 degrees about +Z
    RunTurn(cube);
    EXPECT_EQ(cube.WorkPlane(0).PlaneID(), 4);
    EXPECT_TRUE(SameVertex(cube.WorkPlane(0).Color(), TVertex3f{0, 0, 1}));
    EXPECT_EQ(cube.WorkPlane(2).PlaneID(), 5);
    EXPECT_TRUE(SameVertex(cube.WorkPlane(2).Color(), TVertex3f{1, 0.5f, 0}));
    int changed = 0;
    for (int s = 0; s < cube.WorkPlanesCount(); ++s) {
      if (cube.WorkPlane(s).Normal().Z == -1.0f) {
        EXPECT_EQ(cube.WorkPlane(s).PlaneID(), 6); // the turning side keeps its colour
      }
      changed += Identities(cube)[s] != before[s] ? 1 : 0;
    }
    EXPECT_EQ(changed, 4 * n); // the ring of the slice moves to the next side
    EXPECT_FALSE(cube.Solved());
  }
}

TEST(CubeTurns, QuarterTurnAlgebra) {
  std::mt19937 random(7);
  for (int n = 2; n <= 5; ++n) {
    TVexilCube cube(n, CommittedCubeMesh());
    for (int t = 0; t < 30; ++t) {
      QuickTurn(cube, static_cast<int32_t>(random() % cube.WorkPlanesCount()),
                static_cast<int32_t>(random() % 4));
    }
    for (int s = 0; s < cube.WorkPlanesCount(); ++s) {
      for (int d = 0; d < 4; ++d) {
        const auto start = Stickers(cube);
        auto sorted = Identities(cube);
        QuickTurn(cube, s, d);
        auto after = Identities(cube);
        std::sort(sorted.begin(), sorted.end());
        std::sort(after.begin(), after.end());
        ASSERT_EQ(after, sorted) << "a turn must move stickers, never copy them";
        ASSERT_NE(Stickers(cube), start);
        QuickTurn(cube, s, TVexilCube::OppositeDirection(d));
        ASSERT_EQ(Stickers(cube), start) << n << " " << s << " " << d;
        for (int k = 0; k < 4; ++k) {
          QuickTurn(cube, s, d);
        }
        ASSERT_EQ(Stickers(cube), start) << n << " " << s << " " << d;
      }
    }
  }
}

TEST(CubeTurns, TenThousandRandomTurnsUndoneRestoreEverySticker) {
  for (int n = 2; n <= 10; ++n) {
    SCOPED_TRACE(n);
    TVexilCube cube(n, CommittedCubeMesh());
    TFakeTextureList list;
    cube.SetTextureListLink(&list);
    cube.InitPlanes();
    const auto start = Stickers(cube);
    std::mt19937 random(static_cast<uint32_t>(n));
    std::vector<std::pair<int32_t, int32_t>> turns;
    for (int t = 0; t < 10000; ++t) {
      turns.emplace_back(static_cast<int32_t>(random() % cube.WorkPlanesCount()),
                         static_cast<int32_t>(random() % 4));
      QuickTurn(cube, turns.back().first, turns.back().second);
    }
    ASSERT_NE(Stickers(cube), start);
    for (auto turn = turns.rbegin(); turn != turns.rend(); ++turn) {
      QuickTurn(cube, turn->first, TVexilCube::OppositeDirection(turn->second));
    }
    EXPECT_EQ(Stickers(cube), start);
    EXPECT_TRUE(cube.Solved());
  }
}

TEST(CubeTurns, ViewAndZoomChangingDuringATurnNeverCorruptTheCube) {
  TVexilCube still(4, CommittedCubeMesh());
  TVexilCube spun(4, CommittedCubeMesh());
  std::mt19937 random(3);
  std::uniform_real_distribution<double> angle(-180, 180);
  for (int t = 0; t < 40; ++t) {
    const auto s = static_cast<int32_t>(random() % still.WorkPlanesCount());
    const auto d = static_cast<int32_t>(random() % 4);
    still.RotateSide(s, d);
    RunTurn(still);
    spun.RotateSide(s, d);
    while (spun.SideIsRotating()) {
      spun.SetScale(static_cast<float>(0.85 + 0.3 * (random() % 100) / 100.0));
      RunFrame(spun, Rotation(angle(random), {static_cast<float>(angle(random)), 1.0f, 0.5f}));
    }
    ASSERT_EQ(Stickers(spun), Stickers(still)) << t;
  }
}

TEST(CubeTurns, EndOfTurnCallsTheHandlerBeforeTheSolvedTest) {
  TVexilCube cube(3, CommittedCubeMesh());
  std::vector<bool> solvedSeen;
  cube.SetOnEndSideRotate([&](TVexilCube& ASender) {
    solvedSeen.push_back(ASender.Solved());
    EXPECT_FALSE(ASender.SideIsRotating());
    EXPECT_EQ(ASender.SelectedPlane(), -1);
  });
  cube.RotateSide(12, 1);
  RunTurn(cube);
  cube.RotateSide(12, 3);
  RunTurn(cube);
  EXPECT_EQ(solvedSeen, (std::vector<bool>{false, false}));
  EXPECT_TRUE(cube.Solved());

  // A chain started from the handler, as a scramble does.
  int remaining = 5;
  cube.Randomize(11);
  cube.SetOnEndSideRotate([&](TVexilCube& ASender) {
    if (--remaining > 0) {
      ASender.RotateRandomSide();
    }
  });
  cube.RotateRandomSide();
  RunTurn(cube);
  EXPECT_EQ(remaining, 0);
  EXPECT_EQ(cube.History().Count(), 0);
}

TEST(CubeTurns, HandlerMayClearItselfAndStillUseWhatItCaptured) {
  TVexilCube cube(3, CommittedCubeMesh());
  // Heap-held capture: were the handler destroyed while running, reading it afterwards would
  // read freed memory (caught by the sanitizers, and usually by a wrong count).
  auto calls = std::make_shared<std::vector<int>>();
  cube.SetOnEndSideRotate([calls](TVexilCube& ASender) {
    ASender.SetOnEndSideRotate(nullptr);
    calls->push_back(static_cast<int>(calls->size()));
  });
  cube.RotateSide(4, 0);
  RunTurn(cube);
  cube.RotateSide(4, 2);
  RunTurn(cube);
  EXPECT_EQ(*calls, std::vector<int>{0});
  EXPECT_FALSE(cube.OnEndSideRotate());
}

TEST(CubeTurns, RandomTurnsNeverDrawDirectionThree) {
  TVexilCube cube(3, CommittedCubeMesh());
  cube.Randomize(1);
  int seen[4] = {};
  std::vector<bool> stickers(static_cast<size_t>(cube.WorkPlanesCount()));
  for (int t = 0; t < 10000; ++t) {
    cube.RotateRandomSide();
    EXPECT_EQ(cube.RotateAngle(), 0.0f);
    EXPECT_EQ(cube.RotateSpeed(), 10.0f);
    ASSERT_GE(cube.RotateDirection(), 0);
    ASSERT_LE(cube.RotateDirection(), 3);
    ++seen[cube.RotateDirection()];
    stickers.at(static_cast<size_t>(cube.SelectedPlane())) = true;
  }
  EXPECT_EQ(seen[3], 0);
  EXPECT_GT(seen[0], 3000);
  EXPECT_GT(seen[1], 3000);
  EXPECT_GT(seen[2], 3000);
  EXPECT_TRUE(std::all_of(stickers.begin(), stickers.end(), [](bool b) { return b; }));
}
