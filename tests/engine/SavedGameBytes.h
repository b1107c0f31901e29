// Pieces of saved-game files built byte by byte, for the tests and the fuzzer's seed corpus:
// files the game itself would never write (reserved blocks with content, the old cube block).
#pragma once

#include "engine/Streams.h"

#include <cstdint>
#include <vector>

namespace vexil::test {

using TBytes = std::vector<uint8_t>;

// A reserved block: its length, then AContent.
inline TBytes ReservedBlock(const TBytes& AContent) {
  TMemoryStream stream;
  StreamWriteInteger(stream, static_cast<int32_t>(AContent.size()));
  stream.Write(AContent.data(), AContent.size());
  return stream.Data();
}

// The old cube block: three doubles (red, green, blue) per sticker between empty reserved blocks.
inline TBytes OldBlock(const std::vector<double>& AComponents) {
  TMemoryStream stream;
  StreamWriteEmptyBlock(stream);
  for (const double v : AComponents) {
    StreamWriteDouble(stream, v);
  }
  StreamWriteEmptyBlock(stream);
  return stream.Data();
}

} // namespace vexil::test
