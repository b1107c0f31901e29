#include "dialogs/ColorPanel.h"

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
}

void TColorPanel::mousePressEvent(QMouseEvent* AEvent) {
  FClick.Press(*AEvent);
}

void TColorPanel::mouseReleaseEvent(QMouseEvent* AEvent) {
  if (FClick.Release(*AEvent, rect())) {
    emit Clicked();
  }
}

} // namespace vexil
