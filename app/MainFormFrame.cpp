// The frame loop: about sixty ticks a second while something on the screen moves, each stepping
// the game and then asking for a frame; at rest the timer stops, so an idle game costs nothing.
#include "app/MainForm.h"

#include "app/RecordsFile.h"
#include "render/CubeScene.h"
#include "render/GLMatrix.h"

#include <QAction>
#include <QDateTime>
#include <QTimer>

#include <exception>
#include <iostream>

namespace vexil {

namespace {

constexpr double kSpinStep = 3.5; // degrees per held key, mouse move or pending step

} // namespace

bool TMainForm::TimerEnabled() const {
  return FLoopEnabled;
}

bool TMainForm::FrameTimerRunning() const {
  return FTimer->isActive();
}

void TMainForm::SetTimerEnabled(bool AValue) {
  FLoopEnabled = AValue;
  if (AValue) {
    WakeFrameTimer();
  } else {
    FTimer->stop();
  }
}

void TMainForm::WakeFrameTimer() {
  if (FLoopEnabled && !FTimer->isActive()) {
    FTimer->start();
    // The first tick comes at once, as soon as the event that woke the loop is done: a key
    // tapped for less than a frame still spins the cube one step.
    QTimer::singleShot(0, this, [this] {
      if (FTimer->isActive()) {
        TimerTimer();
      }
    });
  }
}

void TMainForm::EnableFrameLoop() {
  FRedrawNeeded = true;
  SetTimerEnabled(true);
}

void TMainForm::Invalidate() {
  FRedrawNeeded = true;
  WakeFrameTimer();
}

bool TMainForm::FrameNeeded() const {
  if (!FGame) {
    return false;
  }
  const TVexilCube& cube = FGame->VexilCube();
  return FRedrawNeeded || cube.SideIsRotating() || cube.ManualRotation() || FMouseState == 0 ||
         !FKeys.Empty() || FHRotateDirection != 0 || FVRotateDirection != 0 ||
         FZRotateDirection != 0;
}

void TMainForm::TimerTimer() {
  if (!FrameNeeded()) {
    // At rest: no ticks until input, a command or the clock changes something.
    FTimer->stop();
    return;
  }
  StepFrame();
  // The solved check belongs to the step just made; its congratulation is a modal message box.
  CheckSolved();
  UpdateActions();
  RequestFrame();
}

void TMainForm::StepFrame() {
  FRedrawNeeded = false;
  // The frame's rotation goes on the screen axes, in front of the orientation so far.
  SetViewMatrix(MultiplyMatrix(FrameRotation(), ViewMatrix()));
  FHRotateDirection = 0;
  FVRotateDirection = 0;
  FZRotateDirection = 0;
  FFrame = FGame->VexilCube().Step(ViewMatrix());
}

void TMainForm::LookAtCube() {
  FFrame = FGame->VexilCube().Look(ViewMatrix());
}

// This frame's rotation on the screen axes: held keys first, then the pending spin steps.
TMatrix TMainForm::FrameRotation() {
  TMatrix rotation = IdentityMatrix();
  const auto rotate = [&rotation](double AAngle, double X, double Y, double Z) {
    rotation = MultiplyMatrix(rotation, GLRotationMatrix(AAngle, X, Y, Z));
  };
  // With Control held every spin key rolls the cube about the viewing axis.
  const bool roll = FKeys.Contains(TKey::kCtrl);
  const auto spinKey = [&](TKey AKey, double AAngle, double X, double Y) {
    if (FKeys.Contains(AKey)) {
      roll ? rotate(AAngle, 0.0, 0.0, 1.0) : rotate(AAngle, X, Y, 0.0);
    }
  };
  spinKey(TKey::kLeft, -kSpinStep, 0.0, 1.0);
  spinKey(TKey::kRight, kSpinStep, 0.0, 1.0);
  spinKey(TKey::kUp, -kSpinStep, 1.0, 0.0);
  spinKey(TKey::kDown, kSpinStep, 1.0, 0.0);
  if (FKeys.Contains(TKey::kZoomIn)) {
    ZoomBy(kScaleStep);
  }
  if (FKeys.Contains(TKey::kZoomOut)) {
    ZoomBy(-kScaleStep);
  }
  rotate(FHRotateDirection * kSpinStep, 0.0, 1.0, 0.0);
  rotate(FVRotateDirection * kSpinStep, 1.0, 0.0, 0.0);
  rotate(FZRotateDirection * kSpinStep, 0.0, 0.0, 1.0);
  return rotation;
}

void TMainForm::RenderFrame() {
  // Draws the frame the last step decided; changes nothing of the game.
  if (!FGame) {
    return;
  }
  ++FFrameCount;
  BeginScene(FGameSettings->BackgroundColor(), ViewMatrix());
  DrawClock();
  if (FGame->Paused()) {
    DrawPauseWord();
  } else {
    DrawCubeFrame(FGame->VexilCube(), FFrame, FBodyBuffers);
  }
  EndScene();
}

void TMainForm::CheckSolved() {
  if (!FGame || !FGame->CheckSolved()) {
    return;
  }
  KeepRecord();
  ShowMessage(QMessageBox::Information, QStringLiteral("Поздравляем!"),
              QString::fromStdString(FGame->CongratulationText()));
  EnableFrameLoop();
}

void TMainForm::KeepRecord() {
  TSolveRecord record = FGame->LastSolve();
  record.Date = QDateTime::currentDateTime().toString(Qt::ISODate).toStdString();
  try {
    AppendRecord(RecordsFileName(), record);
  } catch (const std::exception& error) {
    // The game itself is not harmed; the solve is only missing from the records.
    std::cerr << error.what() << '\n';
  }
}

void TMainForm::UpdateActions() {
  UpdatePauseItem();
  acUndoStepUpdate();
  acRedoStepUpdate();
  UpdateNotationItems();
}

} // namespace vexil
