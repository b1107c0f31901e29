// The menu commands and the life of a game: scramble, timed play, solved.
#include "app/MainForm.h"

#include "dialogs/DialogCentring.h"
#include "localization/LocalizationStore.h"

#include <QAction>
#include <QActionGroup>
#include <QDateTime>
#include <QTimer>

namespace vexil {

namespace {

constexpr float kScrambleSpeed = 10.0f;

} // namespace

void TMainForm::SetGameStarted(bool AValue) {
  FNewGameIsStarted = AValue;
  // "Save game" follows the game once saved games exist; until then it stays disabled.
  FRedrawNeeded = true;
  UpdateActions();
}

void TMainForm::NewGameModeClick(QAction* AItem, int AExtraTurns) {
  AItem->setChecked(true);
  StartNewGame(FVexilCube->Degree() + AExtraTurns);
}

void TMainForm::StartNewGame(int ATurnCount) {
  SetGameStarted(false);
  StopSpin();
  FVexilCube->Reset();
  FVexilCube->UpdatePlanesColor(FGameSettings->PlaneColors());
  FVexilCube->Randomize(static_cast<uint32_t>(QDateTime::currentMSecsSinceEpoch()));
  FRandomCount = ATurnCount;
  FVexilCube->SetRotateSpeed(kScrambleSpeed);
  // Runs in the frame where a turn ends, from inside the cube; it may clear itself, so it
  // touches nothing of its own after the call, like any handler that unregisters itself.
  FVexilCube->SetOnEndSideRotate([this](TVexilCube&) { ScrambleStep(); });
  EnableFrameLoop();
  FAllowToStopTimer = false;
  ScrambleStep();
}

void TMainForm::ScrambleStep() {
  if (FRandomCount > 0) {
    FVexilCube->RotateRandomSide();
    --FRandomCount;
    return;
  }
  // The last turn has finished: the game and its clock start now.
  if (FGameTimer) {
    FGameTimer->Reset();
  }
  SetGameStarted(true);
  FAllowToStopTimer = true;
  FVexilCube->SetOnEndSideRotate(nullptr);
}

void TMainForm::ResetMenuItemClick() {
  FVexilCube->Reset();
  FVexilCube->UpdatePlanesColor(FGameSettings->PlaneColors());
  SetGameStarted(false);
  EnableFrameLoop();
}

void TMainForm::ChangeVexilCubeDegree(int ADegree) {
  ReplaceCube(ADegree);
  SetGameStarted(false);
  if (FGameTimer) {
    FGameTimer->Stop();
  }
  ClearDifficultyMarks();
  EnableFrameLoop();
}

void TMainForm::ReplaceCube(int ADegree) {
  FVexilCube.reset();
  FGameSettings->SetVexilCubeDegree(ADegree);
  FVexilCube = std::make_unique<TVexilCube>(ADegree);
  FVexilCube->SetTextureListLink(TextureListLink());
  FVexilCube->InitPlanes();
  FVexilCube->UpdatePlanesColor(FGameSettings->PlaneColors());
  ApplySettings();
  FVexilCube->Resize(ClientWidth(), ClientHeight());
  FVexilCube->SetViewMatrix(ViewMatrix());
}

void TMainForm::acUndoStepExecute() {
  if (!FVexilCube->ManualRotation()) {
    FVRotateDirection = 0;
    FHRotateDirection = 0;
    FVexilCube->Undo();
  }
  EnableFrameLoop();
  UpdateActions();
}

void TMainForm::acRedoStepExecute() {
  if (!FVexilCube->ManualRotation()) {
    FVRotateDirection = 0;
    FHRotateDirection = 0;
    FVexilCube->Redo();
  }
  EnableFrameLoop();
  UpdateActions();
}

void TMainForm::acUndoStepUpdate() {
  FUndoItem->setEnabled(FVexilCube && FVexilCube->UndoExist() && FNewGameIsStarted);
}

void TMainForm::acRedoStepUpdate() {
  FRedoItem->setEnabled(FVexilCube && FVexilCube->RedoExist() && FNewGameIsStarted);
}

void TMainForm::GlobalLightingMenuItemClick() {
  const bool lighting = !FGameSettings->GlobalLighting();
  FGameSettings->SetGlobalLighting(lighting);
  FGlobalLightingItem->setChecked(lighting);
  FVexilCube->SetGlobalLighting(lighting);
  UpdateTextureAlpha();
  FVexilCube->UpdatePlanesColor(FGameSettings->PlaneColors());
  EnableFrameLoop();
}

void TMainForm::BrightColorsMenuItemClick() {
  const bool bright = !FGameSettings->EnablePlaneLight();
  FGameSettings->SetEnablePlaneLight(bright);
  FBrightColorsItem->setChecked(bright);
  FVexilCube->SetPlaneLight(!bright);
  EnableFrameLoop();
}

void TMainForm::TimerEnableMenuItemClick() {
  // The item's check mark has already flipped with the click (or the shortcut).
  FGameSettings->SetShowTimer(FTimerEnableItem->isChecked());
  EnableFrameLoop();
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
  if (FAllowToStopTimer) {
    SetTimerEnabled(false);
  }
}

void TMainForm::ClearDifficultyMarks() {
  // An exclusive group keeps one item checked; let go of that rule while clearing.
  FDifficultyGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
  for (QAction* item : FDifficultyGroup->actions()) {
    item->setChecked(false);
  }
  FDifficultyGroup->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
}

void TMainForm::ShowMessage(QMessageBox::Icon AIcon, const QString& ACaption,
                            const QString& AText) {
  QMessageBox box(AIcon, ACaption, AText, QMessageBox::Ok, this);
  const TDialogCentring centring(&box, this);
  box.exec();
}

} // namespace vexil
