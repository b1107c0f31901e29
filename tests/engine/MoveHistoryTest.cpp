// The history on its own: stepping back and forth over recorded turns, a new turn discarding the
// undone ones, and the ends where there is nothing to undo or redo.
#include "engine/MoveHistory.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace vexil;

namespace {

void ExpectTurn(const std::optional<TUndoRedoInfo>& ATurn, int32_t APlaneIndex,
                int32_t ADirection) {
  ASSERT_TRUE(ATurn.has_value());
  EXPECT_EQ(ATurn->UndoRedoPlaneIndex(), APlaneIndex);
  EXPECT_EQ(ATurn->UndoRedoPlaneDirection(), ADirection);
}

} // namespace

TEST(MoveHistory, StepsBackAndForthOverTheTurnsAsTheyWereMade) {
  TMoveHistory history;
  history.Append(5, 0);
  history.Append(7, 1);
  history.Append(9, 3);
  EXPECT_EQ(history.Count(), 3);
  EXPECT_EQ(history.Position(), 2);
  EXPECT_TRUE(history.UndoExist());
  EXPECT_FALSE(history.RedoExist());

  ExpectTurn(history.StepBack(), 9, 3);
  ExpectTurn(history.StepBack(), 7, 1);
  EXPECT_EQ(history.Position(), 0);
  EXPECT_TRUE(history.UndoExist());
  EXPECT_TRUE(history.RedoExist());
  ExpectTurn(history.StepForward(), 7, 1);
  EXPECT_EQ(history.Position(), 1);
  EXPECT_EQ(history.Count(), 3); // stepping keeps every entry
}

TEST(MoveHistory, ANewTurnDiscardsTheUndoneOnes) {
  TMoveHistory history;
  history.Append(5, 0);
  history.Append(7, 1);
  history.Append(9, 3);
  history.StepBack();
  history.StepBack();
  history.Append(11, 2);
  EXPECT_EQ(history.Count(), 2);
  EXPECT_EQ(history.Position(), 1);
  EXPECT_FALSE(history.RedoExist());
  EXPECT_EQ(history.Entry(0).UndoRedoPlaneIndex(), 5);
  EXPECT_EQ(history.Entry(1).UndoRedoPlaneIndex(), 11);
  EXPECT_EQ(history.Entry(1).UndoRedoPlaneDirection(), 2);

  // With every turn undone, a new one is the only entry.
  history.StepBack();
  history.StepBack();
  EXPECT_EQ(history.Position(), -1);
  history.Append(3, 1);
  EXPECT_EQ(history.Count(), 1);
  EXPECT_EQ(history.Position(), 0);
}

TEST(MoveHistory, AtItsEndsNothingIsGivenAndThePositionStays) {
  TMoveHistory history;
  EXPECT_FALSE(history.StepBack().has_value());
  EXPECT_FALSE(history.StepForward().has_value());
  EXPECT_EQ(history.Position(), -1);
  EXPECT_FALSE(history.UndoExist());
  EXPECT_FALSE(history.RedoExist());

  history.Append(4, 2);
  EXPECT_FALSE(history.StepForward().has_value()); // nothing undone
  EXPECT_EQ(history.Position(), 0);
  ExpectTurn(history.StepBack(), 4, 2);
  EXPECT_FALSE(history.StepBack().has_value()); // all undone
  EXPECT_EQ(history.Position(), -1);
  EXPECT_TRUE(history.RedoExist());
  EXPECT_THROW(history.Entry(1), std::out_of_range);
  EXPECT_THROW(history.Entry(-1), std::out_of_range);

  history.Clear();
  EXPECT_EQ(history.Count(), 0);
  EXPECT_EQ(history.Position(), -1);
  EXPECT_FALSE(history.RedoExist());
}
