// A click as the dialogs' own clickable widgets count one: a press and a release of the left
// button, the release still over the widget.
#pragma once

#include <QMouseEvent>
#include <QRect>

namespace vexil {

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
