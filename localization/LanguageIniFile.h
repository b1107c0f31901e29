// The optional language-index ini file beside the executable. It is only ever read.
#pragma once

#include <optional>
#include <string>

namespace vexil {

// The program file's full path with its extension replaced by ".ini" ("/opt/vexil/vexil_cube"
// gives "/opt/vexil/vexil_cube.ini"); empty when the program's path cannot be found.
std::string ProgramIniFileName();

// The integer under key "CurrentLanguageIndex" of section "language" of the ini file
// AFileName (names compare without regard to case, blanks around names and values are
// ignored). Nothing when the file, the section or the key is missing or the value is no
// decimal integer in the 32-bit range.
std::optional<int> ReadLanguageIndexFromIni(const std::string& AFileName);

} // namespace vexil
