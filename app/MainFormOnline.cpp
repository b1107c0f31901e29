// The main window's online services: the usage ping and the update check start once the window
// is shown, and a version file naming a newer version brings up the update notice.
#include "app/MainForm.h"

#include "dialogs/UpdateForm.h"
#include "engine/ProgramInfo.h"
#include "net/MainThreadSync.h"
#include "net/OnlineSite.h"
#include "net/Stat.h"
#include "net/VexilCubeUpdater.h"

#include <QPointer>

namespace vexil {

void TMainForm::StartOnlineServices() {
  const std::optional<std::string> site = OnlineSite();
  if (!site || FSyncTarget) {
    return;
  }
  FSyncTarget = std::make_unique<TSyncTarget>();
  TStat::Start(*site, FSyncTarget->Channel());
  TVexilCubeUpdater::Start(
      *site, ProgramVersion, FSyncTarget->Channel(),
      [this, siteUrl = QString::fromStdString(*site)](const TVersionFile& AVersionFile) {
        ShowUpdateForm(AVersionFile, siteUrl);
      });
}

void TMainForm::ShowUpdateForm(const TVersionFile& AVersionFile, const QString& ASiteUrl) {
  // Runs inside the update check's hand-off: its worker waits until the notice is closed. The
  // window owns the notice while it is open, so a window that goes takes the notice along.
  const QPointer<TUpdateForm> form =
      new TUpdateForm(QString::fromStdString(AVersionFile.ServerVersionStr),
                      QString::fromStdString(AVersionFile.ReleaseNote1),
                      QString::fromStdString(AVersionFile.ReleaseNote2), ASiteUrl, this);
  form->exec();
  delete form.data();
}

} // namespace vexil
