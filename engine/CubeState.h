// The cube block of a saved game read into a value. Reading checks the whole block and raises
// EStreamError naming what is wrong; applying a state that was read never fails, so a loader can
// read everything first and change the model only when all of it is sound.
#pragma once

#include "engine/Streams.h"
#include "engine/VectorTypes.h"

#include <cstdint>
#include <vector>

namespace vexil {

class TVexilCube;

class TCubeState {
public:
  // Current blocks store each sticker's identity; old ones stored its colour.
  enum class TFormat { Current, Old };

  // Reads one block of AFormat for a cube of AStickerCount stickers from the stream's position.
  // The stream is left after the block, or anywhere inside it when the block is refused.
  static TCubeState Read(TStream& AStream, TFormat AFormat, int32_t AStickerCount);

  TFormat Format() const { return FFormat; }
  int32_t StickerCount() const { return FStickerCount; }
  // Current blocks: every sticker's identity as stored, in sticker order; empty for old blocks.
  const std::vector<int32_t>& Identities() const { return FIdentities; }
  // Old blocks: every sticker's colour, components within 0..1, at most six different ones, in
  // sticker order; empty for current blocks.
  const std::vector<TVertex3f>& Colors() const { return FColors; }
  // The different colours of an old block in order of first appearance.
  const std::vector<TVertex3f>& DistinctColors() const { return FDistinctColors; }

private:
  TCubeState(TFormat AFormat, int32_t AStickerCount)
      : FFormat(AFormat), FStickerCount(AStickerCount) {}

  TFormat FFormat;
  int32_t FStickerCount;
  std::vector<int32_t> FIdentities;
  std::vector<TVertex3f> FColors;
  std::vector<TVertex3f> FDistinctColors;
};

// Puts AState on the stickers of ACube, a model prepared as the shell prepares one (InitPlanes,
// then the settings' colours). A current state takes the colour and texture that the model's own
// stickers give each identity; an old one shows its colours, keeps the home identities and re-tints
// the sticker textures to its colours. Raises std::invalid_argument, before touching anything, when
// ACube has another number of stickers: that is the caller's error, not the file's.
void ApplyCubeState(const TCubeState& AState, TVexilCube& ACube);

} // namespace vexil
