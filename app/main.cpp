// The program: probes multisampling before anything else, then runs the main window until it
// closes. Its one optional argument is a saved game to open: vexil_cube [FILE.vcs]
#include "app/MainForm.h"
#include "app/QuitOnSignal.h"
#include "dialogs/ProgramIcon.h"
#include "engine/ProgramInfo.h"
#include "render/Antialiasing.h"

#include <QApplication>
#include <QCommandLineParser>
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
  QApplication::setWindowIcon(vexil::ProgramIcon());
  // Lets the desktop match the window to the installed menu entry and its icon.
  QGuiApplication::setDesktopFileName(QString::fromLatin1(vexil::kDesktopAppId));
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("A turning-cube puzzle."));
  parser.addHelpOption();
  parser.addPositionalArgument(QStringLiteral("file"),
                               QStringLiteral("A saved game (.vcs) to open."),
                               QStringLiteral("[file]"));
  parser.process(application);
  try {
    vexil::TMainForm mainForm;
    if (!parser.positionalArguments().isEmpty()) {
      mainForm.SetStartGameFile(parser.positionalArguments().constFirst());
    }
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
