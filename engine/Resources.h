// Data compiled into the executable, found by name and type like a module's resources:
// raw data ("RCDATA": the mesh and the sticker bitmaps) and texts ("TEXT": the languages).
// The table itself is generated at build time from resources/resources.txt.
#pragma once

#include "engine/Streams.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace vexil {

struct TResourceEntry {
  const char* Name;
  const char* Type;
  const uint8_t* Data;
  size_t Size;
};

class EResNotFound : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

extern const char* const kRawDataResource; // "RCDATA"
extern const char* const kTextResource;    // "TEXT"

// nullptr when there is no such resource.
const TResourceEntry* FindResourceEntry(const std::string& AName, const std::string& AType);

// A read-only stream over the resource; raises EResNotFound naming it when it is missing.
TBytesStream OpenResource(const std::string& AName, const std::string& AType);

} // namespace vexil
