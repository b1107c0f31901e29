#include "dialogs/LinkLabel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace vexil {

TLinkLabel::TLinkLabel(QWidget* AParent) : QLabel(AParent) {
  setTextFormat(Qt::PlainText);
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::StrongFocus);
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

void TLinkLabel::keyPressEvent(QKeyEvent* AEvent) {
  if (!IsClickKey(*AEvent)) {
    QLabel::keyPressEvent(AEvent);
    return;
  }
  // Taken here: Enter opens this link, it does not press the dialog's OK.
  AEvent->accept();
  if (!AEvent->isAutoRepeat()) {
    emit Clicked();
  }
}

void TLinkLabel::paintEvent(QPaintEvent* AEvent) {
  QLabel::paintEvent(AEvent);
  if (hasFocus()) {
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.backgroundColor = palette().color(QPalette::Window);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
  }
}

} // namespace vexil
