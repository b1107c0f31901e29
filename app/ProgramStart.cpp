#include "app/ProgramStart.h"

#include "dialogs/ProgramIcon.h"
#include "engine/ProgramInfo.h"
#include "render/Antialiasing.h"

namespace vexil {

std::unique_ptr<QApplication> StartApplication(int& AArgc, char** AArgv,
                                               TMultisampling AMultisampling) {
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
