#include "app/DesktopOpen.h"

#include <QProcess>

namespace vexil {

void OpenOnDesktop(const QString& AFileName, QObject* AOwner, std::function<void()> AOnFailure) {
  // QDesktopServices would report success as soon as xdg-open started, whatever it found.
  auto* opener = new QProcess(AOwner);
  opener->setProgram(QStringLiteral("xdg-open"));
  opener->setArguments({AFileName});
  opener->setStandardInputFile(QProcess::nullDevice());
  opener->setStandardOutputFile(QProcess::nullDevice());
  opener->setStandardErrorFile(QProcess::nullDevice());
  QObject::connect(opener, &QProcess::errorOccurred, opener,
                   [opener, AOnFailure](QProcess::ProcessError AError) {
                     if (AError == QProcess::FailedToStart) {
                       AOnFailure();
                       opener->deleteLater();
                     }
                   });
  QObject::connect(opener, &QProcess::finished, opener,
                   [opener, AOnFailure](int AExitCode, QProcess::ExitStatus AStatus) {
                     if (AStatus != QProcess::NormalExit || AExitCode != 0) {
                       AOnFailure();
                     }
                     opener->deleteLater();
                   });
  opener->start();
}

} // namespace vexil
