#include "tests/engine/CommittedMesh.h"
#include "tests/engine/CubeTestSupport.h"

#include <gtest/gtest.h>

using namespace vexil;
using namespace vexil::test;

namespace {

// A completed mouse turn of sticker 27 (centre of side 1 under the identity view).
void MouseTurn(TVexilCube& ACube, int ADX, int ADY) {
  ACube.ProcessMouseDown(TMouseButton::mbLeft, 400, 300, 300);
  ACube.ProcessMouseMove(400 + ADX, 300 + ADY, 0);
  RunFrame(ACube);
  ACube.ProcessMouseUp(TMouseButton::mbLeft);
  RunTurn(ACube);
}

} // namespace

TEST(CubeHistory, UndoRedoAndBranching) {
  TVexilCube cube(3, CommittedCubeMesh());
  cube.Resize(800, 600);
  const auto s0 = Stickers(cube);
  MouseTurn(cube, 0, -80); // (27, 0)
  const auto s1 = Stickers(cube);
  MouseTurn(cube, 80, 0); // (27, 1)
  const auto s2 = Stickers(cube);
  MouseTurn(cube, 0, 80); // (27, 2)
  ASSERT_EQ(cube.History().Count(), 3);
  EXPECT_EQ(cube.History().Position(), 2);
  EXPECT_TRUE(cube.UndoExist());
  EXPECT_FALSE(cube.RedoExist());

  cube.Undo(); // undoing (27, 2) animates (27, 0)
  EXPECT_EQ(cube.SelectedPlane(), 27);
  EXPECT_EQ(cube.RotateDirection(), 0);
  EXPECT_EQ(cube.RotateSpeed(), 10.0f);
  cube.Undo(); // ignored while the turn animates
  cube.Redo();
  EXPECT_EQ(cube.History().Position(), 1);
  EXPECT_EQ(RunTurn(cube), 9);
  EXPECT_EQ(Stickers(cube), s2);
  cube.Undo(); // undoing (27, 1) animates (27, 3)
  EXPECT_EQ(cube.RotateDirection(), 3);
  RunTurn(cube);
  EXPECT_EQ(Stickers(cube), s1);
  EXPECT_EQ(cube.History().Position(), 0);
  EXPECT_TRUE(cube.UndoExist());
  EXPECT_TRUE(cube.RedoExist());

  cube.Redo();
  EXPECT_EQ(cube.RotateDirection(), 1);
  RunTurn(cube);
  EXPECT_EQ(Stickers(cube), s2);
  cube.Undo();
  RunTurn(cube);

  MouseTurn(cube, -80, 0); // a new turn discards the undone ones
  EXPECT_EQ(cube.History().Count(), 2);
  EXPECT_EQ(cube.History().Position(), 1);
  EXPECT_FALSE(cube.RedoExist());
  EXPECT_EQ(cube.History().Entry(1).UndoRedoPlaneDirection(), 3);

  cube.Undo();
  RunTurn(cube);
  cube.Undo();
  RunTurn(cube);
  EXPECT_EQ(Stickers(cube), s0);
  EXPECT_EQ(cube.History().Position(), -1);
  EXPECT_FALSE(cube.UndoExist());
  EXPECT_TRUE(cube.RedoExist());
  cube.Undo(); // nothing to undo: nothing happens
  EXPECT_FALSE(cube.SideIsRotating());
  EXPECT_EQ(cube.History().Position(), -1);

  cube.ClearUndoRedoState();
  EXPECT_FALSE(cube.RedoExist());
  cube.Redo(); // nothing to redo
  EXPECT_FALSE(cube.SideIsRotating());
}

TEST(CubeHistory, OppositeDirections) {
  EXPECT_EQ(TVexilCube::OppositeDirection(0), 2);
  EXPECT_EQ(TVexilCube::OppositeDirection(1), 3);
  EXPECT_EQ(TVexilCube::OppositeDirection(2), 0);
  EXPECT_EQ(TVexilCube::OppositeDirection(3), 1);
  EXPECT_EQ(TVexilCube::OppositeDirection(-1), -1);
  EXPECT_EQ(TVexilCube::OppositeDirection(4), -1);
}
