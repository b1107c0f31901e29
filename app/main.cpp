// The program: starts the application with its surface formats and multisample probe
// (ProgramStart.h), then runs the main window until it closes. Its one optional argument is a saved
// game to open: vexil_cube [FILE.vcs]
#include "app/MainForm.h"
#include "app/ProgramStart.h"
#include "app/QuitOnSignal.h"
#include "engine/ProgramInfo.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>

#include <exception>
#include <iostream>
#include <memory>

int main(int argc, char** argv) {
  const std::unique_ptr<QApplication> application =
      vexil::StartApplication(argc, argv, vexil::TMultisampling::Probe);
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("A turning-cube puzzle."));
  parser.addHelpOption();
  parser.addPositionalArgument(QStringLiteral("file"),
                               QStringLiteral("A saved game (.vcs) to open."),
                               QStringLiteral("[file]"));
  parser.process(*application);
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
