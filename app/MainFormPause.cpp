// Game > Pause: the clock stands still and the cube is hidden behind the word "Paused", so nobody
// studies a paused cube. The P key (by its place on the keyboard) and the Pause key, the menu
// item again or a click in the view let the game go on. A game pauses by itself while the window
// is minimised or hidden and goes on when the player comes back to it.
#include "app/MainForm.h"

#include "render/CubeViewKeys.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>

namespace vexil {

void TMainForm::CreatePauseItem(QMenu* AGameMenu) {
  FPauseItem = AddItem(AGameMenu, "PauseMenuItem", QStringLiteral("Пауза"));
  FPauseItem->setCheckable(true);
  FPauseItem->setEnabled(false); // while a game is in progress
  // The menu shows the Pause key; the P key is read by its place (PauseKeyPressed), as no
  // shortcut of a letter would survive a change of keyboard layout.
  FPauseItem->setShortcut(QKeySequence(Qt::Key_Pause));
  connect(FPauseItem, &QAction::triggered, this, [this] { SetGamePaused(!FGame->Paused()); });
}

void TMainForm::SetGamePaused(bool AValue) {
  FPausedByHiding = false;
  FGame->SetPaused(AValue);
  UpdatePauseItem();
  FView->EnableFrameLoop();
}

void TMainForm::UpdatePauseItem() {
  FPauseItem->setEnabled(FGame->NewGameIsStarted());
  FPauseItem->setChecked(FGame->Paused());
}

bool TMainForm::PauseKeyPressed(const QKeyEvent& AEvent) {
  // The Pause key is the menu item's shortcut and never arrives here.
  if (!IsPauseKey(KeyStrokeOf(AEvent)) || !FGame->NewGameIsStarted()) {
    return false;
  }
  if (!AEvent.isAutoRepeat()) {
    SetGamePaused(!FGame->Paused());
  }
  return true;
}

bool TMainForm::PressEndsPause() {
  if (!FGame->Paused()) {
    return false;
  }
  SetGamePaused(false);
  return true;
}

void TMainForm::PauseWhileHidden(bool AHidden) {
  if (AHidden && FGame->NewGameIsStarted() && !FGame->Paused()) {
    FGame->SetPaused(true);
    FPausedByHiding = true;
  } else if (!AHidden && FPausedByHiding) {
    // Only a pause the hiding made ends with it; one of the player's stays.
    FGame->SetPaused(false);
    FPausedByHiding = false;
  } else {
    return;
  }
  UpdatePauseItem();
  FView->EnableFrameLoop();
}

} // namespace vexil
