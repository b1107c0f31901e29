// Pieces of saved-game files built byte by byte, for the tests and the fuzzer's seed corpus:
// files the game itself would never write (reserved blocks with content, the old cube block).
#pragma once

#include "engine/Streams.h"
#include "engine/VexilCube.h"
#include "tests/engine/CommittedMesh.h"

#include <cstdint>
#include <string>
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

// The cube block of a solved cube of ADegree, as the game writes it.
inline TBytes HomeCubeBlock(int32_t ADegree) {
  TMemoryStream stream;
  TVexilCube(ADegree, CommittedCubeMesh()).SaveState(stream);
  return stream.Data();
}

// The fields of a saved game around its cube block, each as a test wants it.
struct TFileParts {
  std::string Magic = "VCS";
  double Version = 1.4;
  TBytes Leading;
  int32_t Degree = 2;
  int32_t Days = 0;
  int32_t Seconds = 0;
  std::string Difficulty = "easy";
  TBytes Block = HomeCubeBlock(2);
  TBytes Closing;
  TBytes Trailing; // after the game
};

// The file made of AParts in their order.
inline TBytes Build(const TFileParts& AParts) {
  TMemoryStream stream;
  StreamWriteString(stream, AParts.Magic);
  StreamWriteDouble(stream, AParts.Version);
  const TBytes leading = ReservedBlock(AParts.Leading);
  stream.Write(leading.data(), leading.size());
  StreamWriteInteger(stream, AParts.Degree);
  StreamWriteInteger(stream, AParts.Days);
  StreamWriteInteger(stream, AParts.Seconds);
  StreamWriteString(stream, AParts.Difficulty);
  stream.Write(AParts.Block.data(), AParts.Block.size());
  const TBytes closing = ReservedBlock(AParts.Closing);
  stream.Write(closing.data(), closing.size());
  stream.Write(AParts.Trailing.data(), AParts.Trailing.size());
  return stream.Data();
}

} // namespace vexil::test
