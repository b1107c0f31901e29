// A click as the dialogs' own clickable widgets count one: a press and a release of the left
// button, the release still over the widget; or, with the keyboard focus on the widget, Space,
// Enter or Return, as a button takes them.
#pragma once

#include <QKeyEvent>
#include <QMouseEvent>
#include <QRect>

namespace vexil {

// True for a key that uses the focused widget, as Space presses a focused button.
inline bool IsClickKey(const QKeyEvent& AEvent) {
  const Qt::KeyboardModifiers modifiers = AEvent.modifiers() & ~Qt::KeypadModifier;
  return modifiers == Qt::NoModifier &&
         (AEvent.key() == Qt::Key_Space || AEvent.key() == Qt::Key_Return ||
          AEvent.key() == Qt::Key_Enter || AEvent.key() == Qt::Key_Select);
}

class TClickTracker {
public:
  void Press(const QMouseEvent& AEvent) { FPressed = AEvent.button() == Qt::LeftButton; }
  // True when this release completes a click inside ARect.
  bool Release(const QMouseEvent& AEvent, const QRect& ARect) {
    const bool click = FPressed && AEvent.button() == Qt::LeftButton &&
                       ARect.contains(AEvent.position().toPoint());
    FPressed = false;
    return click;
  }

private:
  bool FPressed = false;
};

} // namespace vexil
