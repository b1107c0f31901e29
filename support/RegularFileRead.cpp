#include "support/RegularFileRead.h"

#include "support/FileDescriptor.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>

namespace vexil {

namespace {

TFileResult CheckRegular(int AHandle) {
  struct stat info {};
  if (::fstat(AHandle, &info) != 0) {
    return FileFailure(errno);
  }
  if (S_ISDIR(info.st_mode)) {
    return FileFailure(EISDIR);
  }
  if (!S_ISREG(info.st_mode)) {
    return TFileResult{TFileError::NotARegularFile, "not a regular file"};
  }
  return {};
}

// Appends up to ACount bytes to AInto; the count read, or -1 with errno set.
ssize_t ReadSome(int AHandle, std::vector<uint8_t>& AInto, size_t ACount) {
  const size_t start = AInto.size();
  AInto.resize(start + ACount);
  ssize_t count = 0;
  do {
    count = ::read(AHandle, AInto.data() + start, ACount);
  } while (count < 0 && errno == EINTR);
  const int error = errno;
  AInto.resize(start + static_cast<size_t>(std::max<ssize_t>(count, 0)));
  errno = error;
  return count;
}

} // namespace

TFileReadResult ReadRegularFile(const std::string& APath, size_t AMaxBytes) {
  TFileReadResult result;
  // Without O_NONBLOCK, opening a pipe waits until something opens its other end.
  const TFileDescriptor file(::open(APath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (!file.Valid()) {
    result.Result = FileFailure(errno);
    return result;
  }
  result.Result = CheckRegular(file.Handle());
  if (!result.Result.Ok()) {
    return result;
  }
  constexpr size_t kChunk = 64 * 1024;
  // One byte past the limit tells whether the file holds more.
  while (result.Bytes.size() <= AMaxBytes) {
    const size_t want = std::min(kChunk, AMaxBytes + 1 - result.Bytes.size());
    const ssize_t count = ReadSome(file.Handle(), result.Bytes, want);
    if (count < 0) {
      result.Result = FileFailure(errno);
      result.Bytes.clear();
      return result;
    }
    if (count == 0) {
      break;
    }
  }
  if (result.Bytes.size() > AMaxBytes) {
    result.Truncated = true;
    result.Bytes.resize(AMaxBytes);
  }
  return result;
}

} // namespace vexil
