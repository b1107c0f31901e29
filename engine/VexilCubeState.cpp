#include "engine/VexilCube.h"

#include "engine/CubeState.h"

namespace vexil {

namespace {

// The block is read and checked whole before a sticker changes, so a damaged block leaves the
// cube exactly as it was and the stream where the block began.
TCubeState ReadWhole(TStream& AStream, TCubeState::TFormat AFormat, int32_t AStickerCount) {
  const int64_t start = AStream.Position();
  try {
    return TCubeState::Read(AStream, AFormat, AStickerCount);
  } catch (...) {
    AStream.SetPosition(start);
    throw;
  }
}

} // namespace

void TVexilCube::SaveState(TStream& ASourStream) const {
  StreamWriteEmptyBlock(ASourStream);
  for (const TPlane* plane : FWorkPlanes) {
    StreamWriteInteger(ASourStream, plane->PlaneID());
  }
  StreamWriteEmptyBlock(ASourStream);
}

void TVexilCube::LoadState(TStream& ADestStream) {
  ApplyCubeState(ReadWhole(ADestStream, TCubeState::TFormat::Current, FWorkPlanesCount), *this);
}

void TVexilCube::LoadStateOldFormat(TStream& ADestStream) {
  ApplyCubeState(ReadWhole(ADestStream, TCubeState::TFormat::Old, FWorkPlanesCount), *this);
}

} // namespace vexil
