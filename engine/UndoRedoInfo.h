// One recorded player turn: a sticker place and a direction, so replaying it turns the same
// slice the same way whatever the stickers show at that moment.
#pragma once

#include <cstdint>

namespace vexil {

class TUndoRedoInfo {
public:
  TUndoRedoInfo(int32_t APlaneIndex, int32_t APlaneDirection)
      : FUndoRedoPlaneIndex(APlaneIndex), FUndoRedoPlaneDirection(APlaneDirection) {}

  int32_t UndoRedoPlaneIndex() const { return FUndoRedoPlaneIndex; }
  void SetUndoRedoPlaneIndex(int32_t AValue) { FUndoRedoPlaneIndex = AValue; }
  int32_t UndoRedoPlaneDirection() const { return FUndoRedoPlaneDirection; }
  void SetUndoRedoPlaneDirection(int32_t AValue) { FUndoRedoPlaneDirection = AValue; }

private:
  int32_t FUndoRedoPlaneIndex;
  int32_t FUndoRedoPlaneDirection;
};

} // namespace vexil
