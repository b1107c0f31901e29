// The small text file the update check downloads: its text rules, its three lines and the
// comparison with the running program's version. Plain C++ without threads or network, so the
// parsing of what a server sends can be tested and fuzzed on its own.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vexil {

struct TVersionFile {
  // Line 1 as written, the newest version (UTF-8, like every text below).
  std::string ServerVersionStr;
  // Lines 2 and 3.
  std::string ReleaseNote1;
  std::string ReleaseNote2;
  // Line 1 as a number; 0 while the file has no line 1.
  double ServerVersion = 0.0;
  // False when line 1 is there but is not a number: the check then ends without a notice.
  bool ServerVersionRead = true;
};

// Reads a version number whose decimal separator is "." or ",": blanks, an optional sign,
// digits with at most one separator, an optional exponent, blanks. Nothing else is a number:
// no digit groups, no "inf" or "nan", nothing beyond the range of a double. Empty otherwise.
std::optional<double> VersionStrToFloat(const std::string& AVersionStr);

// Line 1 is the version, lines 2 and 3 the release notes; further lines are ignored and
// missing ones leave their fields empty.
TVersionFile ParseVersionFile(const std::vector<std::string>& ALines);

// The downloaded bytes as the program reads any text (a byte-order mark selects UTF-16 LE,
// UTF-16 BE or UTF-8; without one the bytes are Windows-1251), cut into lines at CR LF, a lone
// CR or a lone LF, then parsed.
TVersionFile ReadVersionFile(const std::string& ABytes);

// The file names a version strictly newer than AClientVersion.
bool NamesNewerVersion(const TVersionFile& AFile, double AClientVersion);

} // namespace vexil
