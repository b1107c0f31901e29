// A folder on a small file system of its own (a tmpfs), filled to its last byte on request, for
// tests of what the game does when the disk is full. Mounting needs root (or CAP_SYS_ADMIN):
// where the test cannot mount, Mounted() is false and Why() says so, for the test's skip.
#pragma once

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace vexil::test {

class TFullDiskFolder {
public:
  TFullDiskFolder() {
    char pattern[] = "/tmp/vexil-full-disk-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) {
      FWhy = std::string("cannot make a folder: ") + std::strerror(errno);
      return;
    }
    FPath = pattern;
    if (::mount("tmpfs", FPath.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=256k") != 0) {
      FWhy = std::string("cannot mount a small tmpfs here (needs root): ") + std::strerror(errno);
      return;
    }
    FMounted = true;
  }
  ~TFullDiskFolder() {
    if (FMounted) {
      ::umount2(FPath.c_str(), MNT_DETACH);
    }
    if (!FPath.empty()) {
      ::rmdir(FPath.c_str());
    }
  }
  TFullDiskFolder(const TFullDiskFolder&) = delete;
  TFullDiskFolder& operator=(const TFullDiskFolder&) = delete;

  bool Mounted() const { return FMounted; }
  const std::string& Why() const { return FWhy; }
  std::string File(const std::string& AName) const { return FPath + "/" + AName; }

  // Writes a filler file until the file system has no byte left; false if it never filled.
  bool Fill() const {
    const int handle = ::open(File("filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (handle < 0) {
      return false;
    }
    const std::vector<char> chunk(4096, 'f');
    bool full = false;
    for (size_t size = chunk.size(); size > 0 && !full;) {
      if (::write(handle, chunk.data(), size) < 0) {
        if (errno != ENOSPC) {
          break;
        }
        size /= 2; // the last free bytes, down to one
        full = size == 0;
      }
    }
    ::close(handle);
    return full;
  }

  // Names in the folder apart from the filler.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(FPath)) {
      if (entry.path().filename() != "filler") {
        names.push_back(entry.path().filename().string());
      }
    }
    return names;
  }

private:
  std::string FPath;
  std::string FWhy;
  bool FMounted = false;
};

} // namespace vexil::test
