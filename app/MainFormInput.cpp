// Mouse and keys: the left button turns layers through the cube, the right button and the keys
// spin the view, the wheel and the plus and minus keys zoom.
#include "app/MainForm.h"

#include <QEvent>
#include <QKeyEvent>

namespace vexil {

namespace {

// Gesture numbers of FMouseState: the ordinal of the button that started it.
constexpr int kNoGesture = -1;
constexpr int kLeftGesture = 0;
constexpr int kRightGesture = 1;
constexpr int kMiddleGesture = 2;

int GestureOf(Qt::MouseButton AButton) {
  switch (AButton) {
  case Qt::LeftButton:
    return kLeftGesture;
  case Qt::RightButton:
    return kRightGesture;
  case Qt::MiddleButton:
    return kMiddleGesture;
  default:
    return kNoGesture;
  }
}

int Sign(double AValue) {
  return AValue < 0.0 ? -1 : (AValue > 0.0 ? 1 : 0);
}

} // namespace

bool KeyOf(int AQtKey, TKey& AKey) {
  switch (AQtKey) {
  case Qt::Key_Control:
    AKey = TKey::kCtrl;
    return true;
  case Qt::Key_Left:
  case Qt::Key_A:
    AKey = TKey::kLeft;
    return true;
  case Qt::Key_Up:
  case Qt::Key_W:
    AKey = TKey::kUp;
    return true;
  case Qt::Key_Right:
  case Qt::Key_D:
    AKey = TKey::kRight;
    return true;
  case Qt::Key_Down:
  case Qt::Key_S:
    AKey = TKey::kDown;
    return true;
  case Qt::Key_Plus:
  case Qt::Key_Equal:
    AKey = TKey::kZoomIn;
    return true;
  case Qt::Key_Minus:
  case Qt::Key_Underscore:
    AKey = TKey::kZoomOut;
    return true;
  default:
    return false;
  }
}

void TMainForm::StopSpin() {
  FHRotateDirection = 0;
  FVRotateDirection = 0;
}

void TMainForm::ZoomBy(double ADelta) {
  // The cube ignores a scale outside its limits.
  TVexilCube& cube = FGame->VexilCube();
  cube.SetScale(static_cast<float>(static_cast<double>(cube.Scale()) + ADelta));
  FRedrawNeeded = true;
}

void TMainForm::FormMouseDown(Qt::MouseButton AButton, Qt::MouseButtons /*AButtons*/,
                              Qt::KeyboardModifiers /*AModifiers*/, int X, int Y) {
  SetTimerEnabled(true);
  if (!FKeys.Empty() || !FGame) {
    return;
  }
  if (FMouseState == kNoGesture) {
    FMouseState = GestureOf(AButton);
  }
  // A right or middle press only records the gesture.
  if (FMouseState != kLeftGesture) {
    return;
  }
  StopSpin();
  FOldRMouseX = X;
  FOldRMouseY = Y;
  // A press while the last turn still animates completes it first, so a quick next drag
  // is not lost.
  FGame->FinishTurn();
  FGame->VexilCube().ProcessMouseDown(TMouseButton::mbLeft, X, Y, ClientHeight() - Y);
}

void TMainForm::FormMouseMove(Qt::MouseButtons AButtons, Qt::KeyboardModifiers /*AModifiers*/,
                              int X, int Y) {
  SetTimerEnabled(true);
  if (!FGame || FGame->VexilCube().SideIsRotating()) {
    return;
  }
  if ((FMouseState == kLeftGesture && !(AButtons & Qt::LeftButton)) ||
      (FMouseState == kRightGesture && !(AButtons & Qt::RightButton))) {
    FMouseState = kNoGesture;
  }
  if (FMouseState == kRightGesture) {
    // One spin step for the next frame per move, whatever the distance.
    if (AButtons & Qt::LeftButton) {
      if (Y != FOldRMouseY) {
        FZRotateDirection = Sign(Y - FOldRMouseY);
      }
    } else {
      FHRotateDirection = Sign(X - FOldRMouseX);
      FVRotateDirection = Sign(Y - FOldRMouseY);
    }
    FOldRMouseX = X;
    FOldRMouseY = Y;
    return;
  }
  FGame->VexilCube().ProcessMouseMove(X, Y, ClientHeight() - Y);
}

void TMainForm::FormMouseUp(Qt::MouseButton AButton, Qt::MouseButtons /*AButtons*/,
                            Qt::KeyboardModifiers /*AModifiers*/, int /*X*/, int /*Y*/) {
  if (FMouseState == kNoGesture || GestureOf(AButton) != FMouseState) {
    return;
  }
  if (FMouseState == kLeftGesture && FGame) {
    FGame->VexilCube().ProcessMouseUp(TMouseButton::mbLeft);
  }
  FMouseState = kNoGesture;
  FRedrawNeeded = true;
  UpdateActions();
}

void TMainForm::FormMouseWheel(int AWheelDelta) {
  if (!FGame) {
    return;
  }
  ZoomBy(AWheelDelta < 0 ? -kScaleStep : kScaleStep);
}

void TMainForm::FormKeyDown(QKeyEvent& AEvent) {
  if (!FGame || FGame->VexilCube().SideIsRotating() || FMouseState != kNoGesture) {
    return;
  }
  TKey key;
  if (KeyOf(AEvent.key(), key)) {
    FKeys.Include(key);
  }
}

void TMainForm::FormKeyUp(QKeyEvent& AEvent) {
  // Held keys repeat as release-and-press pairs; only the real release lets go.
  if (AEvent.isAutoRepeat()) {
    return;
  }
  TKey key;
  if (KeyOf(AEvent.key(), key)) {
    FKeys.Exclude(key);
  }
}

void TMainForm::changeEvent(QEvent* AEvent) {
  TGLForm::changeEvent(AEvent);
  // Keys released while another window has the focus are never reported here: forget the
  // held keys when the focus goes, or the cube would spin on by itself.
  if (AEvent->type() == QEvent::ActivationChange && !isActiveWindow()) {
    FKeys.Clear();
  }
}

} // namespace vexil
