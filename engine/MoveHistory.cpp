#include "engine/MoveHistory.h"

#include <algorithm>

namespace vexil {

void TMoveHistory::Append(int32_t APlaneIndex, int32_t ADirection) {
  const int32_t kept = std::clamp(FUndoRedoPosition + 1, 0, Count());
  FUndoRedoBuffer.erase(FUndoRedoBuffer.begin() + kept, FUndoRedoBuffer.end());
  FUndoRedoBuffer.push_back(TUndoRedoInfo(APlaneIndex, ADirection));
  FUndoRedoPosition = Count() - 1;
}

std::optional<TUndoRedoInfo> TMoveHistory::StepBack() {
  if (!UndoExist()) {
    return std::nullopt;
  }
  return FUndoRedoBuffer[static_cast<size_t>(FUndoRedoPosition--)];
}

std::optional<TUndoRedoInfo> TMoveHistory::StepForward() {
  if (!RedoExist()) {
    return std::nullopt;
  }
  return FUndoRedoBuffer[static_cast<size_t>(++FUndoRedoPosition)];
}

void TMoveHistory::Clear() {
  FUndoRedoPosition = -1;
  FUndoRedoBuffer.clear();
}

} // namespace vexil
