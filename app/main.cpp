// The program: starts the application with its surface formats and multisample probe
// (ProgramStart.h), then runs the main window until it closes. Its one optional argument is a saved
// game to open: vexil_cube [FILE.vcs]. A game already running for this user takes the argument
// instead, and this start ends (SingleInstance.h).
#include "app/MainForm.h"
#include "app/ProgramStart.h"
#include "app/QuitOnSignal.h"
#include "app/SingleInstance.h"
#include "engine/ProgramInfo.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
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
  const QString startFile =
      parser.positionalArguments().isEmpty()
          ? QString()
          : QFileInfo(parser.positionalArguments().constFirst()).absoluteFilePath();
  if (vexil::TSingleInstance::HandOff(startFile)) {
    return 0;
  }
  vexil::TSingleInstance instance;
  instance.Listen();
  try {
    vexil::TMainForm mainForm;
    if (!startFile.isEmpty()) {
      mainForm.SetStartGameFile(startFile);
    }
    QObject::connect(&instance, &vexil::TSingleInstance::Requested, &mainForm,
                     &vexil::TMainForm::OpenFromAnotherStart);
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
