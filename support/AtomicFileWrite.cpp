#include "support/AtomicFileWrite.h"

#include "support/FileDescriptor.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>

namespace vexil {

namespace {

namespace fs = std::filesystem;

constexpr size_t kTempLetters = 6;
constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

std::string RandomLetters() {
  static thread_local std::mt19937 generator{std::random_device{}()};
  std::uniform_int_distribution<size_t> pick(0, sizeof kLetters - 2);
  std::string letters;
  for (size_t i = 0; i < kTempLetters; ++i) {
    letters += kLetters[pick(generator)];
  }
  return letters;
}

// The file that a write to APath replaces: the target of a symbolic link, else APath itself.
fs::path ResolvedTarget(const std::string& APath) {
  std::error_code error;
  const fs::path canonical = fs::canonical(APath, error);
  return error ? fs::absolute(APath, error) : canonical;
}

// Opens a new temporary beside ATarget; its name in ATempPath.
int CreateTemporary(const fs::path& ATarget, fs::path& ATempPath) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    ATempPath = ATarget.parent_path() / ("." + ATarget.filename().string() + "." + RandomLetters() +
                                         kAtomicWriteTempEnding);
    const int handle =
        ::open(ATempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
    if (handle >= 0 || errno != EEXIST) {
      return handle;
    }
  }
  errno = EEXIST;
  return -1;
}

// Writes every byte, or returns errno of the first failure.
int WriteAll(int AHandle, const uint8_t* AData, size_t ASize) {
  while (ASize > 0) {
    const ssize_t count = ::write(AHandle, AData, ASize);
    if (count < 0) {
      if (errno == EINTR) {
        continue;
      }
      return errno;
    }
    AData += count;
    ASize -= static_cast<size_t>(count);
  }
  return 0;
}

// What must hold of the target before anything is written: not a folder, not a pipe or device.
TFileResult CheckTarget(const fs::path& ATarget, struct stat& AInfo, bool& AExists) {
  AExists = ::stat(ATarget.c_str(), &AInfo) == 0;
  if (!AExists) {
    return errno == ENOENT ? TFileResult{} : FileFailure(errno);
  }
  if (S_ISDIR(AInfo.st_mode)) {
    return FileFailure(EISDIR);
  }
  if (!S_ISREG(AInfo.st_mode)) {
    return TFileResult{TFileError::NotARegularFile, "not a regular file"};
  }
  return {};
}

// Fills the open temporary and puts it on the disk; errno of the first failure, else 0.
int FillTemporary(TFileDescriptor& AFile, const uint8_t* AData, size_t ASize,
                  const struct stat* AExisting) {
  if (AExisting != nullptr && ::fchmod(AFile.Handle(), AExisting->st_mode & 07777) != 0) {
    return errno;
  }
  if (const int error = WriteAll(AFile.Handle(), AData, ASize)) {
    return error;
  }
  // A file system may take the bytes into its cache and find out only now that it has no room
  // for them: the sync and the close are checked like the writes.
  if (::fsync(AFile.Handle()) != 0) {
    return errno;
  }
  return AFile.Close() != 0 ? errno : 0;
}

void SyncFolder(const fs::path& AFolder) {
  const TFileDescriptor folder(::open(AFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.Valid()) {
    ::fsync(folder.Handle()); // the rename is done either way; this only hastens it to the disk
  }
}

bool IsOurTemporaryName(const std::string& AName) {
  const std::string ending = kAtomicWriteTempEnding;
  // "." + at least one letter of a name + "." + six letters + the ending.
  if (AName.size() < 1 + 1 + 1 + kTempLetters + ending.size() || AName[0] != '.' ||
      AName.compare(AName.size() - ending.size(), ending.size(), ending) != 0) {
    return false;
  }
  const size_t lettersAt = AName.size() - ending.size() - kTempLetters;
  if (AName[lettersAt - 1] != '.') {
    return false;
  }
  for (size_t i = lettersAt; i < lettersAt + kTempLetters; ++i) {
    if (std::strchr(kLetters, AName[i]) == nullptr || AName[i] == '\0') {
      return false;
    }
  }
  return true;
}

} // namespace

TFileResult WriteFileAtomically(const std::string& APath, const uint8_t* AData, size_t ASize) {
  const fs::path target = ResolvedTarget(APath);
  struct stat existing {};
  bool exists = false;
  if (TFileResult check = CheckTarget(target, existing, exists); !check.Ok()) {
    return check;
  }
  fs::path tempPath;
  TFileDescriptor file(CreateTemporary(target, tempPath));
  if (!file.Valid()) {
    return FileFailure(errno);
  }
  int error = FillTemporary(file, AData, ASize, exists ? &existing : nullptr);
  if (error == 0 && ::rename(tempPath.c_str(), target.c_str()) != 0) {
    error = errno;
  }
  if (error != 0) {
    file.Close();
    ::unlink(tempPath.c_str());
    return FileFailure(error);
  }
  SyncFolder(target.parent_path());
  return {};
}

int RemoveStrayTemporaries(const std::string& AFolder) {
  std::error_code error;
  int removed = 0;
  const std::time_t now = std::time(nullptr);
  for (const auto& entry : fs::directory_iterator(AFolder, error)) {
    const std::string name = entry.path().filename().string();
    struct stat info {};
    if (!IsOurTemporaryName(name) || ::lstat(entry.path().c_str(), &info) != 0 ||
        !S_ISREG(info.st_mode) || info.st_uid != ::geteuid() ||
        now - info.st_mtime < kStrayTempAgeSeconds) {
      continue;
    }
    if (::unlink(entry.path().c_str()) == 0) {
      ++removed;
    }
  }
  return removed;
}

} // namespace vexil
