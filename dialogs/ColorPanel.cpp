#include "dialogs/ColorPanel.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace vexil {

QColor UnpackColor(int32_t AColor) {
  const auto bits = static_cast<uint32_t>(AColor);
  return {static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
          static_cast<int>((bits >> 16) & 0xFF)};
}

int32_t PackColor(const QColor& AColor) {
  const QColor rgb = AColor.toRgb();
  return rgb.red() | (rgb.green() << 8) | (rgb.blue() << 16);
}

TColorPanel::TColorPanel(QWidget* AParent) : QWidget(AParent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::StrongFocus);
}

void TColorPanel::SetColor(int32_t AValue) {
  const int32_t color = AValue & 0xFFFFFF;
  if (color != FColor) {
    FColor = color;
    update();
  }
}

void TColorPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), UnpackColor(FColor));
  if (hasFocus()) {
    // Black inside white, dashed: seen on a white, a black or any other side.
    const QRect frame = rect().adjusted(2, 2, -3, -3);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(frame);
    painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
    painter.drawRect(frame);
  }
}

void TColorPanel::mousePressEvent(QMouseEvent* AEvent) {
  FClick.Press(*AEvent);
}

void TColorPanel::mouseReleaseEvent(QMouseEvent* AEvent) {
  if (FClick.Release(*AEvent, rect())) {
    emit Clicked();
  }
}

void TColorPanel::keyPressEvent(QKeyEvent* AEvent) {
  if (!IsClickKey(*AEvent)) {
    QWidget::keyPressEvent(AEvent);
    return;
  }
  // Taken here: Enter chooses this colour, it does not press the dialog's OK.
  AEvent->accept();
  if (!AEvent->isAutoRepeat()) {
    emit Clicked();
  }
}

} // namespace vexil
