// Mouse and keys: the left button turns layers through the cube, the right button and the keys
// spin the view, the wheel and the plus and minus keys zoom.
#include "app/MainForm.h"

#include "app/DragPixels.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QOpenGLWidget>
#include <QTimer>

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

void TMainForm::StopSpin() {
  FHRotateDirection = 0;
  FVRotateDirection = 0;
}

void TMainForm::ZoomBy(double ADelta) {
  // The cube ignores a scale outside its limits.
  TVexilCube& cube = FGame->VexilCube();
  cube.SetScale(static_cast<float>(static_cast<double>(cube.Scale()) + ADelta));
  Invalidate();
}

void TMainForm::FormMouseDown(Qt::MouseButton AButton, Qt::MouseButtons /*AButtons*/,
                              Qt::KeyboardModifiers /*AModifiers*/, int X, int Y) {
  SetTimerEnabled(true);
  if (!FKeys.Empty() || !FGame || PressEndsPause()) {
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
  // The release of the gesture's button went elsewhere (a window opened over this one while it
  // was held): the gesture ends here as the release would have ended it.
  if ((FMouseState == kLeftGesture && !(AButtons & Qt::LeftButton)) ||
      (FMouseState == kRightGesture && !(AButtons & Qt::RightButton))) {
    EndGesture();
  }
  if (!FGame || FGame->VexilCube().SideIsRotating()) {
    return;
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
  // The drag rules count logical pixels; the press that picked the sticker was in device pixels
  // and FOldRMouseX/Y hold where it was.
  const TPoint at =
      LogicalDragPoint({static_cast<int32_t>(FOldRMouseX), static_cast<int32_t>(FOldRMouseY)},
                       {X, Y}, DevicePixelRatio());
  FGame->VexilCube().ProcessMouseMove(at.X, at.Y, ClientHeight() - at.Y);
}

void TMainForm::FormMouseUp(Qt::MouseButton AButton, Qt::MouseButtons /*AButtons*/,
                            Qt::KeyboardModifiers /*AModifiers*/, int /*X*/, int /*Y*/) {
  if (FMouseState == kNoGesture || GestureOf(AButton) != FMouseState) {
    return;
  }
  EndGesture();
}

void TMainForm::EndGesture() {
  if (FMouseState == kNoGesture) {
    return;
  }
  if (FMouseState == kLeftGesture && FGame) {
    // Below 45 degrees the layer turns back, beyond them it completes its quarter turn.
    FGame->VexilCube().ProcessMouseUp(TMouseButton::mbLeft);
  }
  FMouseState = kNoGesture;
  FRedrawNeeded = true;
  UpdateActions();
  EnableFrameLoop();
}

bool TMainForm::event(QEvent* AEvent) {
  // A modal window (a message, the update notice) takes the mouse: the release of a button
  // held now never comes here.
  if (AEvent->type() == QEvent::WindowBlocked) {
    EndGesture();
  }
  // Hidden by the desktop (another workspace, a minimise that comes as a hide) or shown again.
  if ((AEvent->type() == QEvent::Hide || AEvent->type() == QEvent::Show) && AEvent->spontaneous() &&
      FGame) {
    PauseWhileHidden(AEvent->type() == QEvent::Hide);
  }
  return TGLForm::event(AEvent);
}

void TMainForm::FormMouseWheel(int AWheelDelta) {
  if (!FGame) {
    return;
  }
  ZoomBy(AWheelDelta < 0 ? -kScaleStep : kScaleStep);
}

void TMainForm::FormKeyDown(QKeyEvent& AEvent) {
  // Whatever paused the loop, a key the player presses shows its effect.
  SetTimerEnabled(true);
  if (!FGame || PauseKeyPressed(AEvent) || FGame->VexilCube().SideIsRotating() ||
      FMouseState != kNoGesture) {
    return;
  }
  TKey key;
  if (KeyOf(KeyStrokeOf(AEvent), key)) {
    FKeys.Include(key);
  }
}

void TMainForm::FormKeyUp(QKeyEvent& AEvent) {
  // Held keys repeat as release-and-press pairs; only the real release lets go.
  if (AEvent.isAutoRepeat()) {
    return;
  }
  TKey key;
  if (KeyOf(KeyStrokeOf(AEvent), key)) {
    FKeys.Exclude(key);
  }
}

void TMainForm::TopMenuShown() {
  // An open menu holds the keyboard: the releases of keys held now would never reach the cube.
  FKeys.Clear();
  TopMenuOpened();
}

void TMainForm::TopMenuClosed() {
  // However the menu closed (a command, a click elsewhere, Esc), the game goes on; a command
  // that pauses the loop for a dialog does so after this.
  EnableFrameLoop();
  // A menu closed with Esc leaves the keyboard with the menu bar, which the bar takes only once
  // the menu has gone: hand it back to the cube after that.
  QTimer::singleShot(0, this, [this] {
    if (QApplication::activePopupWidget() == nullptr) {
      GLWidget()->setFocus(Qt::OtherFocusReason);
    }
  });
}

void TMainForm::changeEvent(QEvent* AEvent) {
  TGLForm::changeEvent(AEvent);
  // Keys released while another window has the focus are never reported here: forget the
  // held keys when the focus goes, or the cube would spin on by itself.
  if (AEvent->type() == QEvent::ActivationChange && !isActiveWindow()) {
    FKeys.Clear();
    EndGesture();
  }
  if (AEvent->type() == QEvent::WindowStateChange && FGame) {
    PauseWhileHidden(isMinimized());
  }
}

} // namespace vexil
