// The program: probes multisampling before anything else, then runs the main window until it
// closes. It takes no command-line arguments.
#include "app/MainForm.h"
#include "app/QuitOnSignal.h"
#include "dialogs/ProgramIcon.h"
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
  QApplication::setApplicationName(QString::fromLatin1(vexil::kProgramTitle));
  QApplication::setApplicationDisplayName(QString::fromLatin1(vexil::kProgramTitle));
  QApplication::setWindowIcon(vexil::ProgramIcon());
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
