// Mouse and keys: the left button turns layers through the cube, the right button and the keys
// spin the view, the wheel and the plus and minus keys zoom. Positions are device pixels from
// the view's top-left corner, the pixels the projection covers, on every display scale.
#include "render/CubeView.h"

#include "engine/Game.h"
#include "render/DragPixels.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <cmath>

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

QPoint TCubeView::DevicePixels(const QPointF& APosition) const {
  const double ratio = devicePixelRatio();
  return {static_cast<int>(std::lround(APosition.x() * ratio)),
          static_cast<int>(std::lround(APosition.y() * ratio))};
}

void TCubeView::StopSpin() {
  FHRotateDirection = 0;
  FVRotateDirection = 0;
}

void TCubeView::ZoomBy(double ADelta) {
  if (FGame == nullptr) {
    return;
  }
  // The cube ignores a scale outside its limits.
  TVexilCube& cube = FGame->VexilCube();
  cube.SetScale(static_cast<float>(static_cast<double>(cube.Scale()) + ADelta));
  Invalidate();
}

void TCubeView::mousePressEvent(QMouseEvent* AEvent) {
  SetLoopEnabled(true);
  if (!FKeys.Empty() || FGame == nullptr) {
    return;
  }
  if (FGame->Paused()) {
    // The click only lets the game go on; it turns nothing.
    emit PressedWhilePaused();
    return;
  }
  if (FMouseState == kNoGesture) {
    FMouseState = GestureOf(AEvent->button());
  }
  // A right or middle press only records the gesture.
  if (FMouseState != kLeftGesture) {
    return;
  }
  const QPoint at = DevicePixels(AEvent->position());
  StopSpin();
  FOldRMouseX = at.x();
  FOldRMouseY = at.y();
  // A press while the last turn still animates completes it first, so a quick next drag
  // is not lost.
  FGame->FinishTurn();
  FGame->VexilCube().ProcessMouseDown(TMouseButton::mbLeft, at.x(), at.y(),
                                      DeviceHeight() - at.y());
}

void TCubeView::mouseMoveEvent(QMouseEvent* AEvent) {
  SetLoopEnabled(true);
  const Qt::MouseButtons buttons = AEvent->buttons();
  // The release of the gesture's button went elsewhere (a window opened over this one while it
  // was held): the gesture ends here as the release would have ended it.
  if ((FMouseState == kLeftGesture && !(buttons & Qt::LeftButton)) ||
      (FMouseState == kRightGesture && !(buttons & Qt::RightButton))) {
    EndGesture();
  }
  if (FGame == nullptr || FGame->VexilCube().SideIsRotating()) {
    return;
  }
  const QPoint at = DevicePixels(AEvent->position());
  if (FMouseState == kRightGesture) {
    // One spin step for the next frame per move, whatever the distance.
    if (buttons & Qt::LeftButton) {
      if (at.y() != FOldRMouseY) {
        FZRotateDirection = Sign(at.y() - FOldRMouseY);
      }
    } else {
      FHRotateDirection = Sign(at.x() - FOldRMouseX);
      FVRotateDirection = Sign(at.y() - FOldRMouseY);
    }
    FOldRMouseX = at.x();
    FOldRMouseY = at.y();
    return;
  }
  // The drag rules count logical pixels; the press that picked the sticker was in device pixels
  // and FOldRMouseX/Y hold where it was.
  const TPoint drag =
      LogicalDragPoint({static_cast<int32_t>(FOldRMouseX), static_cast<int32_t>(FOldRMouseY)},
                       {at.x(), at.y()}, devicePixelRatio());
  FGame->VexilCube().ProcessMouseMove(drag.X, drag.Y, DeviceHeight() - drag.Y);
}

void TCubeView::mouseReleaseEvent(QMouseEvent* AEvent) {
  if (FMouseState == kNoGesture || GestureOf(AEvent->button()) != FMouseState) {
    return;
  }
  EndGesture();
}

void TCubeView::EndGesture() {
  if (FMouseState == kNoGesture) {
    return;
  }
  if (FMouseState == kLeftGesture && FGame != nullptr) {
    // Below 45 degrees the layer turns back, beyond them it completes its quarter turn.
    FGame->VexilCube().ProcessMouseUp(TMouseButton::mbLeft);
  }
  FMouseState = kNoGesture;
  emit GestureEnded();
  EnableFrameLoop();
}

void TCubeView::ReleaseInput() {
  // Keys released while another window has the keyboard are never reported here: forget them,
  // or the cube would spin on by itself.
  FKeys.Clear();
  EndGesture();
}

void TCubeView::wheelEvent(QWheelEvent* AEvent) {
  const int delta = AEvent->angleDelta().y();
  if (delta != 0) {
    ZoomBy(delta < 0 ? -kScaleStep : kScaleStep);
  }
}

void TCubeView::keyPressEvent(QKeyEvent* AEvent) {
  // Whatever paused the loop, a key the player presses shows its effect.
  SetLoopEnabled(true);
  if (FGame == nullptr || FGame->VexilCube().SideIsRotating() || FMouseState != kNoGesture) {
    return;
  }
  TKey key;
  if (KeyOf(KeyStrokeOf(*AEvent), key)) {
    FKeys.Include(key);
  }
}

void TCubeView::keyReleaseEvent(QKeyEvent* AEvent) {
  // Held keys repeat as release-and-press pairs; only the real release lets go.
  if (AEvent->isAutoRepeat()) {
    return;
  }
  TKey key;
  if (KeyOf(KeyStrokeOf(*AEvent), key)) {
    FKeys.Exclude(key);
  }
}

} // namespace vexil
