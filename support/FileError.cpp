#include "support/FileError.h"

#include <cerrno>
#include <cstring>

namespace vexil {

TFileError FileErrorOf(int AErrno) {
  switch (AErrno) {
  case 0:
    return TFileError::None;
  case ENOENT:
  case ENOTDIR:
    return TFileError::NotFound;
  case EACCES:
  case EPERM:
    return TFileError::NoPermission;
  case EROFS:
    return TFileError::ReadOnly;
  case ENOSPC:
  case EDQUOT:
  case EFBIG:
    return TFileError::DiskFull;
  case EISDIR:
    return TFileError::IsAFolder;
  default:
    return TFileError::Other;
  }
}

TFileResult FileFailure(int AErrno) {
  return TFileResult{FileErrorOf(AErrno), std::strerror(AErrno)};
}

} // namespace vexil
