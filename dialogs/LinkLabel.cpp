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
  FClick.Press(*AEvent);
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* AEvent) {
  if (FClick.Release(*AEvent, rect())) {
    emit Clicked();
  }
}

} // namespace vexil
