// The program: probes multisampling before anything else, then runs the main window until it
// closes. It takes no command-line arguments.
#include "app/MainForm.h"
#include "app/QuitOnSignal.h"
#include "engine/ProgramInfo.h"
#include "render/Antialiasing.h"

#include <QApplication>
#include <QMessageBox>

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
  vexil::DetectMultisample();
  vexil::SetDefaultSurfaceFormat();
  QApplication application(argc, argv);
  // The name only: a display name would be appended to every window's caption on some
  // platforms, and captions are the game's own texts.
  QApplication::setApplicationName(QString::fromLatin1(vexil::kProgramTitle));
  try {
    vexil::TMainForm mainForm;
    vexil::QuitOnTerminationSignals();
    mainForm.show();
    return QApplication::exec();
  } catch (const std::exception& error) {
    // Only a build without its resources gets here; say so instead of vanishing.
    std::cerr << error.what() << '\n';
    QMessageBox::critical(nullptr, QString::fromLatin1(vexil::kProgramTitle),
                          QString::fromStdString(error.what()));
    return 1;
  }
}
