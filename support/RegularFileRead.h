// Reading a file the player named: only a regular file is read, so that a named pipe or a
// device never blocks the game waiting for a writer, and never more than a limit.
#pragma once

#include "support/FileError.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vexil {

struct TFileReadResult {
  TFileResult Result;
  // The first bytes of the file, at most the limit asked for.
  std::vector<uint8_t> Bytes;
  // The file holds more than the limit.
  bool Truncated = false;
};

// Reads APath if it is a regular file (after following symbolic links): at most AMaxBytes of it.
// Anything else fails with NotARegularFile (IsAFolder for a folder) without waiting for it.
TFileReadResult ReadRegularFile(const std::string& APath, size_t AMaxBytes);

} // namespace vexil
