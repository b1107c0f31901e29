// The menu commands: each hands its work to the game, the settings or the window, and lets the
// frame loop show the result.
#include "app/MainForm.h"

#include "dialogs/DialogCentring.h"
#include "localization/LocalizationStore.h"

#include <QAction>
#include <QActionGroup>
#include <QDateTime>
#include <QTimer>

namespace vexil {

void TMainForm::NewGameModeClick(TDifficulty ADifficulty) {
  FView->StopSpin();
  FGame->NewGame(ADifficulty, static_cast<uint32_t>(QDateTime::currentMSecsSinceEpoch()));
  FView->EnableFrameLoop();
}

void TMainForm::ResetMenuItemClick() {
  FGame->Reset();
  FView->EnableFrameLoop();
}

void TMainForm::ChangeVexilCubeDegree(int ADegree) {
  FGameSettings->SetVexilCubeDegree(ADegree);
  FGame->ChangeDegree(ADegree);
  FView->EnableFrameLoop();
}

void TMainForm::acUndoStepExecute() {
  if (!VexilCube()->ManualRotation()) {
    FView->StopSpin();
  }
  FGame->Undo();
  FView->EnableFrameLoop();
}

void TMainForm::acRedoStepExecute() {
  if (!VexilCube()->ManualRotation()) {
    FView->StopSpin();
  }
  FGame->Redo();
  FView->EnableFrameLoop();
}

void TMainForm::acUndoStepUpdate() {
  FUndoItem->setEnabled(FGame->UndoEnabled());
}

void TMainForm::acRedoStepUpdate() {
  FRedoItem->setEnabled(FGame->RedoEnabled());
}

void TMainForm::GlobalLightingMenuItemClick() {
  const bool lighting = !FGameSettings->GlobalLighting();
  FGameSettings->SetGlobalLighting(lighting);
  FGlobalLightingItem->setChecked(lighting);
  ApplyLook();
  FView->EnableFrameLoop();
}

void TMainForm::BrightColorsMenuItemClick() {
  const bool bright = !FGameSettings->EnablePlaneLight();
  FGameSettings->SetEnablePlaneLight(bright);
  FBrightColorsItem->setChecked(bright);
  ApplyLook();
  FView->EnableFrameLoop();
}

void TMainForm::TimerEnableMenuItemClick() {
  // The item's check mark has already flipped with the click (or the shortcut).
  FGameSettings->SetShowTimer(FTimerEnableItem->isChecked());
  ApplyLook();
  FView->EnableFrameLoop();
}

void TMainForm::MoveCounterMenuItemClick() {
  FGameSettings->SetShowMoveCounter(FMoveCounterItem->isChecked());
  ApplyLook();
  FView->EnableFrameLoop();
}

void TMainForm::FullScreenModeMenuItemClick() {
  SetFullScreen(!FullScreen());
  FFullScreenItem->setChecked(FullScreen());
  FGameSettings->SetFullScreenMode(FullScreen());
}

void TMainForm::LanguageItemClick(int ALanguage) {
  const QList<QAction*> items = FLanguageGroup->actions();
  if (ALanguage >= 0 && ALanguage < items.size()) {
    items[ALanguage]->setChecked(true);
  }
  FLocalizationStore->SetCurrentLanguageIndex(ALanguage);
  FGameSettings->SetLanguageIndex(FLocalizationStore->CurrentLanguageIndex());
  // Already in the newly chosen language; the menus change at the next start.
  ShowMessage(QMessageBox::Warning, CurrentLanguageTitle(),
              FLocalizationStore->GetString(QStringLiteral("APPLY_LANGUAGE_MESSAGE")));
}

void TMainForm::TopMenuOpened() {
  UpdateActions();
  // A scramble keeps turning while a menu is open.
  if (!FGame->Scrambling()) {
    FView->SetLoopEnabled(false);
  }
}

void TMainForm::ShowDifficultyMark() {
  const TDifficulty difficulty = FGame->Difficulty();
  // An exclusive group keeps one item checked; let go of that rule to show no mark.
  FDifficultyGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
  FEasyItem->setChecked(difficulty == TDifficulty::Easy);
  FNormalItem->setChecked(difficulty == TDifficulty::Normal);
  FHardItem->setChecked(difficulty == TDifficulty::Hard);
  FDifficultyGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
}

void TMainForm::ShowMessage(QMessageBox::Icon AIcon, const QString& ACaption,
                            const QString& AText) {
  QMessageBox box(AIcon, ACaption, AText, QMessageBox::Ok, this);
  const TDialogCentring centring(&box, this);
  box.exec();
}

} // namespace vexil
