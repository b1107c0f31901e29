#include "dialogs/LinkLabel.h"

#include <QMouseEvent>

namespace vexil {

TLinkLabel::TLinkLabel(QWidget* AParent) : QLabel(AParent) {
  setTextFormat(Qt::PlainText);
  setCursor(Qt::PointingHandCursor);
  QPalette palette = this->palette();
  palette.setColor(QPalette::WindowText, Qt::blue);
  setPalette(palette);
}

void TLinkLabel::mousePressEvent(QMouseEvent* AEvent) {
  FPressed = AEvent->button() == Qt::LeftButton;
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* AEvent) {
  const bool click = FPressed && AEvent->button() == Qt::LeftButton &&
                     rect().contains(AEvent->position().toPoint());
  FPressed = false;
  if (click) {
    emit Clicked();
  }
}

} // namespace vexil
