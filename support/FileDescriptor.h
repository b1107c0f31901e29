// A POSIX file descriptor closed when its owner goes, whatever way a file operation ends.
#pragma once

#include <unistd.h>

namespace vexil {

class TFileDescriptor {
public:
  explicit TFileDescriptor(int AHandle) : FHandle(AHandle) {}
  ~TFileDescriptor() { Close(); }
  TFileDescriptor(const TFileDescriptor&) = delete;
  TFileDescriptor& operator=(const TFileDescriptor&) = delete;

  int Handle() const { return FHandle; }
  bool Valid() const { return FHandle >= 0; }
  // Closes now; the result of close(2), 0 when nothing was open.
  int Close() {
    const int result = FHandle >= 0 ? ::close(FHandle) : 0;
    FHandle = -1;
    return result;
  }

private:
  int FHandle;
};

} // namespace vexil
