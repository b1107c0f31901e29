#include "app/ProgramStart.h"

#include "dialogs/ProgramIcon.h"
#include "engine/ProgramInfo.h"
#include "render/Antialiasing.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace vexil {

namespace {

// The software renderer allocates buffers of several megabytes for every frame and frees them
// again. Above glibc's default threshold each is a fresh mapping whose every page faults on
// first touch (some 2,500 faults a frame, a sixth of a frame's CPU); below it the blocks come
// back from the heap already touched. The heap's top is kept for the next frame too.
void KeepFrameBuffersInTheHeap() {
#ifdef __GLIBC__
  constexpr int kLargestHeapBlock = 64 * 1024 * 1024;
  mallopt(M_MMAP_THRESHOLD, kLargestHeapBlock);
  mallopt(M_TRIM_THRESHOLD, 2 * kLargestHeapBlock);
#endif
}

} // namespace

std::unique_ptr<QApplication> StartApplication(int& AArgc, char** AArgv,
                                               TMultisampling AMultisampling) {
  KeepFrameBuffersInTheHeap();
  SetDefaultSurfaceFormat();
  auto application = std::make_unique<QApplication>(AArgc, AArgv);
  // On the application's own display connection, before the main window is made.
  if (AMultisampling == TMultisampling::Probe) {
    DetectMultisample();
  }
  // The name only: a display name would be appended to every window's caption on some
  // platforms, and captions are the game's own texts.
  QApplication::setApplicationName(QString::fromLatin1(kProgramTitle));
  QApplication::setWindowIcon(ProgramIcon());
  // Lets the desktop match the window to the installed menu entry and its icon.
  QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopAppId));
  return application;
}

} // namespace vexil
