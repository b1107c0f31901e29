// Fuzz target of the version file the update check downloads: whatever a server sends, the
// reader returns lines without line breaks and, when it reads a version, a finite number; and
// "." and "," are the same separator.
#include "engine/ProgramInfo.h"
#include "net/VersionFile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

void Check(bool ACondition) {
  if (!ACondition) {
    std::abort();
  }
}

bool HasLineBreak(const std::string& AText) {
  return AText.find_first_of("\r\n") != std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* AData, size_t ASize) {
  const std::string bytes(reinterpret_cast<const char*>(AData), ASize);

  const vexil::TVersionFile file = vexil::ReadVersionFile(bytes);
  Check(!HasLineBreak(file.ServerVersionStr));
  Check(!HasLineBreak(file.ReleaseNote1));
  Check(!HasLineBreak(file.ReleaseNote2));
  Check(!file.ServerVersionRead || std::isfinite(file.ServerVersion));
  Check(file.ServerVersionRead || file.ServerVersion == 0.0);
  const bool newer = vexil::NamesNewerVersion(file, vexil::ProgramVersion);
  Check(!newer || file.ServerVersion > vexil::ProgramVersion);

  // The raw bytes as a line 1.
  const std::optional<double> value = vexil::VersionStrToFloat(bytes);
  Check(!value || std::isfinite(*value));
  std::string dotted = bytes;
  std::replace(dotted.begin(), dotted.end(), ',', '.');
  const std::optional<double> dottedValue = vexil::VersionStrToFloat(dotted);
  Check(value.has_value() == dottedValue.has_value());
  Check(!value || *value == *dottedValue);
  return 0;
}
