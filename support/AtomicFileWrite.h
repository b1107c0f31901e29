// Writing a file so that it is either wholly the new bytes or, when anything fails (a full disk,
// a crash, a kill), exactly what it was before. The bytes go to a hidden temporary file beside the
// target, are flushed to the disk, and only then renamed over it.
#pragma once

#include "support/FileError.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace vexil {

// The temporary files of a write are named "." + the target's name + "." + six letters or
// digits + this ending, so that a temporary left by a killed program is told from anything else.
inline constexpr const char* kAtomicWriteTempEnding = ".vexil-tmp";
// A temporary of our naming older than this is left over from a write that never finished.
inline constexpr int kStrayTempAgeSeconds = 60;

// Writes ASize bytes from AData to APath. An existing file keeps its permissions (a symbolic link
// is followed to the file it names); a new one gets the usual ones (0666 less the umask). On
// failure APath is untouched, the temporary is removed, and the result says why.
TFileResult WriteFileAtomically(const std::string& APath, const uint8_t* AData, size_t ASize);

// Removes, in AFolder, the temporaries of our naming for any target that are older than
// kStrayTempAgeSeconds (a write never takes that long), and nothing else; the count removed.
int RemoveStrayTemporaries(const std::string& AFolder);

} // namespace vexil
