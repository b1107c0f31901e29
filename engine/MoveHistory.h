// The player's completed turns, for undoing and redoing them one at a time. The position is the
// index of the last turn in effect (-1 when none is); the entries after it are turns that were
// undone and can be redone, until a new turn discards them.
#pragma once

#include "engine/UndoRedoInfo.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace vexil {

class TMoveHistory {
public:
  // Records a turn after the position: every turn that had been undone is discarded.
  void Append(int32_t APlaneIndex, int32_t ADirection);
  // The last turn in effect, as it was made, and the position moves back before it; none (and
  // no move) when no turn is in effect.
  std::optional<TUndoRedoInfo> StepBack();
  // The first undone turn, as it was made, and the position moves onto it; none (and no move)
  // when no turn was undone.
  std::optional<TUndoRedoInfo> StepForward();
  void Clear();

  bool UndoExist() const { return Count() > 0 && FUndoRedoPosition >= 0; }
  bool RedoExist() const { return Count() > 0 && FUndoRedoPosition < Count() - 1; }
  int32_t Position() const { return FUndoRedoPosition; }
  int32_t Count() const { return static_cast<int32_t>(FUndoRedoBuffer.size()); }
  // AIndex 0 .. Count() - 1, in the order the turns were made.
  const TUndoRedoInfo& Entry(int32_t AIndex) const { return FUndoRedoBuffer.at(AIndex); }

private:
  int32_t FUndoRedoPosition = -1;
  std::vector<TUndoRedoInfo> FUndoRedoBuffer;
};

} // namespace vexil
