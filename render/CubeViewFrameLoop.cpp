// The frame loop: about sixty ticks a second while something on the screen moves, each stepping
// the game and then asking for a frame; at rest the timer stops, so an idle game costs nothing.
#include "render/CubeView.h"

#include "engine/Game.h"
#include "render/GLMatrix.h"

#include <QOpenGLContext>
#include <QTimer>

namespace vexil {

namespace {

constexpr double kSpinStep = 3.5; // degrees per held key, mouse move or pending step

} // namespace

bool TCubeView::FrameTimerRunning() const {
  return FTimer->isActive();
}

void TCubeView::SetLoopEnabled(bool AValue) {
  FLoopEnabled = AValue;
  if (AValue) {
    WakeFrameTimer();
  } else {
    FTimer->stop();
  }
}

void TCubeView::WakeFrameTimer() {
  if (FLoopEnabled && !FTimer->isActive()) {
    FTimer->start();
    // The first tick comes at once, as soon as the event that woke the loop is done: a key
    // tapped for less than a frame still spins the cube one step.
    QTimer::singleShot(0, this, [this] {
      if (FTimer->isActive()) {
        TimerTick();
      }
    });
  }
}

void TCubeView::EnableFrameLoop() {
  FRedrawNeeded = true;
  SetLoopEnabled(true);
}

void TCubeView::Invalidate() {
  FRedrawNeeded = true;
  WakeFrameTimer();
}

bool TCubeView::FrameNeeded() const {
  if (FGame == nullptr) {
    return false;
  }
  const TVexilCube& cube = FGame->VexilCube();
  return FRedrawNeeded || cube.SideIsRotating() || cube.ManualRotation() || FMouseState == 0 ||
         !FKeys.Empty() || FHRotateDirection != 0 || FVRotateDirection != 0 ||
         FZRotateDirection != 0;
}

void TCubeView::TimerTick() {
  if (!FrameNeeded()) {
    // At rest: no ticks until input, a command or the clock changes something.
    FTimer->stop();
    return;
  }
  StepFrame();
  // The window's part of the step (the solved check and its congratulation, the menus) comes
  // before the frame is asked for.
  emit Stepped();
  PaintNow();
}

void TCubeView::PaintNow() {
  // A frame asked for with update() waits for the platform's next update slot (a refresh
  // period on X11), so a step's frame would come a tick late and two steps would share one
  // frame. The step's frame is drawn and shown now instead, as the window's own paint would.
  if (!isExposed() || !MakeCurrent()) {
    update();
    return;
  }
  paintGL();
  context()->swapBuffers(this);
  emit frameSwapped();
}

void TCubeView::StepFrame() {
  FRedrawNeeded = false;
  // The frame's rotation goes on the screen axes, in front of the orientation so far.
  FViewMatrix = MultiplyMatrix(FrameRotation(), FViewMatrix);
  FHRotateDirection = 0;
  FVRotateDirection = 0;
  FZRotateDirection = 0;
  FFrame = FGame->VexilCube().Step(FViewMatrix);
}

void TCubeView::LookAtCube() {
  if (FGame != nullptr) {
    FFrame = FGame->VexilCube().Look(FViewMatrix);
  }
}

void TCubeView::SetViewMatrix(const TMatrix& AValue) {
  FViewMatrix = AValue;
  LookAtCube();
  Invalidate();
}

// This frame's rotation on the screen axes: held keys first, then the pending spin steps.
TMatrix TCubeView::FrameRotation() {
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

} // namespace vexil
