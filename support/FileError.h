// What went wrong with a file, in classes a player can be told about in their own language. The
// system's own reason (strerror) stays available for logs, in English.
#pragma once

#include <string>

namespace vexil {

enum class TFileError {
  None,
  NotFound,        // the file or a folder on its way does not exist
  NoPermission,    // the player may not read or write there
  ReadOnly,        // the file system is mounted read-only
  DiskFull,        // no space (or quota) left
  IsAFolder,       // the name is a folder's
  NotARegularFile, // a pipe, a device or a socket: never opened, it could block the game
  Other            // anything else; the system's reason tells more
};

struct TFileResult {
  TFileError Error = TFileError::None;
  // The system's reason in English, for logs; empty when nothing went wrong.
  std::string Reason;
  bool Ok() const { return Error == TFileError::None; }
};

// The class of the system error AErrno.
TFileError FileErrorOf(int AErrno);
// A failure of the class of AErrno, with the system's reason.
TFileResult FileFailure(int AErrno);

} // namespace vexil
