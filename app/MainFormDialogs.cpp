// The commands that open the dialogs (colours, about) and the help.
#include "app/MainForm.h"

#include "app/DesktopOpen.h"
#include "dialogs/AboutBox.h"
#include "dialogs/ColorsForm.h"
#include "dialogs/HelpForm.h"
#include "engine/ProgramInfo.h"
#include "localization/LocalizationStore.h"

#include <QDir>
#include <QFileInfo>

namespace vexil {

namespace {

TGameColors ColorsOf(const TGameSettings& ASettings) {
  TGameColors colors;
  colors.PlaneColors = ASettings.PlaneColors();
  colors.TimerColor = ASettings.TimerColor();
  colors.BackgroundColor = ASettings.BackgroundColor();
  return colors;
}

void StoreColors(const TGameColors& AColors, TGameSettings& ASettings) {
  for (size_t i = 0; i < AColors.PlaneColors.size(); ++i) {
    ASettings.SetPlaneColor(static_cast<int>(i), AColors.PlaneColors[i]);
  }
  ASettings.SetTimerColor(AColors.TimerColor);
  ASettings.SetBackgroundColor(AColors.BackgroundColor);
}

} // namespace

void TMainForm::acColorsFormExecute() {
  TColorsForm form(this);
  form.SetLocalizationStoreLink(FLocalizationStore.get());
  form.SetGameColors(ColorsOf(*FGameSettings));
  if (form.exec() == QDialog::Accepted) {
    StoreColors(form.GameColors(), *FGameSettings);
  }
  // Whatever the answer the cube, the background and the clock show the settings' colours.
  FGame->SetPlaneColors(FGameSettings->PlaneColors());
  ApplyLook();
  FView->EnableFrameLoop();
}

void TMainForm::AboutMenuItemClick() {
  FView->SetLoopEnabled(false);
  TAboutBox box(this);
  box.SetLocalizationStoreLink(FLocalizationStore.get());
  box.SetVersion(ProgramVersion);
  box.exec();
  FView->EnableFrameLoop();
}

void TMainForm::acHelpExecute() {
  // A "help.chm" in the current folder goes to the desktop, as it always has; the game's own
  // help serves when there is none or nothing on the desktop opens it.
  const QFileInfo chm(QDir::current(), QStringLiteral("help.chm"));
  if (chm.isFile()) {
    OpenOnDesktop(chm.absoluteFilePath(), this, [this] { ShowGameHelp(); });
    return;
  }
  ShowGameHelp();
}

void TMainForm::ShowGameHelp() {
  auto* help = findChild<THelpForm*>();
  if (help == nullptr) {
    help = new THelpForm(this);
    help->SetLocalizationStoreLink(FLocalizationStore.get());
  }
  help->show();
  help->raise();
  help->activateWindow();
}

} // namespace vexil
