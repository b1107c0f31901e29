// The window's side of the game: it makes the game, gives each new cube model the window's
// appearance, shows what the game changed (menus, marks, clock) and ticks its clock.
#include "app/MainForm.h"
#include "render/CubeMeshResource.h"

#include <QAction>
#include <QTimer>

namespace vexil {

namespace {

constexpr int kClockTickMs = 1000;

} // namespace

void TMainForm::CreateGame(int ADegree) {
  FClockTimer = new QTimer(this);
  FClockTimer->setInterval(kClockTickMs);
  FClockTimer->setTimerType(Qt::PreciseTimer);
  connect(FClockTimer, &QTimer::timeout, this, [this] { ClockTickTimer(); });

  // A build without its mesh raises here, before the window shows, and the program says why.
  FGame = std::make_unique<TGame>(ADegree, ReadCubeMesh());
  FGame->SetPlaneColors(FGameSettings->PlaneColors());
  ApplySettings();
  TGameEvents events;
  events.OnCubeCreated = [this](TVexilCube& ACube) { FView->PrepareCube(ACube); };
  events.OnChanged = [this] { GameChanged(); };
  // A game that starts counts its first second from now, not from the tick's old period.
  events.OnClockRestarted = [this] { FClockTimer->start(); };
  FGame->SetEvents(std::move(events));
  FView->SetGame(FGame.get());
  GameChanged();
}

void TMainForm::GameChanged() {
  FSaveGameItem->setEnabled(FGame->NewGameIsStarted());
  if (!FGame->NewGameIsStarted()) {
    GameEndedForKeeping();
  }
  ShowDifficultyMark();
  // The tick runs exactly while the game's clock counts.
  if (!FGame->Clock().Running()) {
    FClockTimer->stop();
  } else if (!FClockTimer->isActive()) {
    FClockTimer->start();
  }
  FView->Invalidate();
  UpdateActions();
}

void TMainForm::ClockTickTimer() {
  FGame->ClockTick();
  if (FGame->NewGameIsStarted() && FGameSettings->ShowTimer()) {
    FView->Invalidate();
  }
}

bool TMainForm::ClockTickActive() const {
  return FClockTimer->isActive();
}

} // namespace vexil
