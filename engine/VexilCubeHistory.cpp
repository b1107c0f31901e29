#include "engine/VexilCube.h"

#include <algorithm>

namespace vexil {

int32_t TVexilCube::OppositeDirection(int32_t ADirection) {
  switch (ADirection) {
  case 0:
    return 2;
  case 1:
    return 3;
  case 2:
    return 0;
  case 3:
    return 1;
  default:
    return -1;
  }
}

// A new turn discards every turn that had been undone.
void TVexilCube::AppendUndoRedo(int32_t APlaneIndex, int32_t ADirection) {
  const int32_t kept = std::clamp(FUndoRedoPosition + 1, 0, UndoRedoCount());
  FUndoRedoBuffer.erase(FUndoRedoBuffer.begin() + kept, FUndoRedoBuffer.end());
  FUndoRedoBuffer.push_back(TUndoRedoInfo(APlaneIndex, ADirection));
  FUndoRedoPosition = UndoRedoCount() - 1;
}

void TVexilCube::Undo() {
  if (FSideIsRotating || !UndoExist()) {
    return;
  }
  const TUndoRedoInfo& entry = FUndoRedoBuffer[FUndoRedoPosition];
  RotateSide(entry.UndoRedoPlaneIndex(), OppositeDirection(entry.UndoRedoPlaneDirection()));
  --FUndoRedoPosition;
}

void TVexilCube::Redo() {
  if (FSideIsRotating || !RedoExist()) {
    return;
  }
  ++FUndoRedoPosition;
  const TUndoRedoInfo& entry = FUndoRedoBuffer[FUndoRedoPosition];
  RotateSide(entry.UndoRedoPlaneIndex(), entry.UndoRedoPlaneDirection());
}

bool TVexilCube::UndoExist() const {
  return UndoRedoCount() > 0 && FUndoRedoPosition >= 0;
}

bool TVexilCube::RedoExist() const {
  return UndoRedoCount() > 0 && FUndoRedoPosition < UndoRedoCount() - 1;
}

void TVexilCube::ClearUndoRedoState() {
  FUndoRedoPosition = -1;
  FUndoRedoBuffer.clear();
}

} // namespace vexil
