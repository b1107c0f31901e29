#include "render/GLFormWidget.h"

#include "render/Antialiasing.h"
#include "render/GLForm.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QWheelEvent>

#include <cmath>

namespace vexil {

TGLFormWidget::TGLFormWidget(TGLForm& AForm) : QOpenGLWidget(&AForm), FForm(AForm) {
  // The only multisampled surface: see Antialiasing.h.
  setFormat(SceneSurfaceFormat());
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
}

QPoint TGLFormWidget::DevicePixels(const QPointF& APosition) const {
  const double ratio = devicePixelRatioF();
  return {static_cast<int>(std::lround(APosition.x() * ratio)),
          static_cast<int>(std::lround(APosition.y() * ratio))};
}

int TGLFormWidget::DeviceWidth() const {
  return static_cast<int>(std::lround(width() * devicePixelRatioF()));
}

int TGLFormWidget::DeviceHeight() const {
  return static_cast<int>(std::lround(height() * devicePixelRatioF()));
}

void TGLFormWidget::initializeGL() {
  FForm.InitOpenGL();
}

void TGLFormWidget::paintGL() {
  FForm.PaintFrame();
}

void TGLFormWidget::resizeEvent(QResizeEvent* AEvent) {
  // The base creates the context on the first non-empty size and then runs resizeGL.
  QOpenGLWidget::resizeEvent(AEvent);
  FForm.Resizing(DeviceWidth(), DeviceHeight());
}

void TGLFormWidget::mousePressEvent(QMouseEvent* AEvent) {
  const QPoint position = DevicePixels(AEvent->position());
  FForm.FormMouseDown(AEvent->button(), AEvent->buttons(), AEvent->modifiers(), position.x(),
                      position.y());
}

void TGLFormWidget::mouseMoveEvent(QMouseEvent* AEvent) {
  const QPoint position = DevicePixels(AEvent->position());
  FForm.FormMouseMove(AEvent->buttons(), AEvent->modifiers(), position.x(), position.y());
}

void TGLFormWidget::mouseReleaseEvent(QMouseEvent* AEvent) {
  const QPoint position = DevicePixels(AEvent->position());
  FForm.FormMouseUp(AEvent->button(), AEvent->buttons(), AEvent->modifiers(), position.x(),
                    position.y());
}

void TGLFormWidget::wheelEvent(QWheelEvent* AEvent) {
  const int delta = AEvent->angleDelta().y();
  if (delta != 0) {
    FForm.FormMouseWheel(delta);
  }
}

void TGLFormWidget::keyPressEvent(QKeyEvent* AEvent) {
  FForm.FormKeyDown(*AEvent);
}

void TGLFormWidget::keyReleaseEvent(QKeyEvent* AEvent) {
  FForm.FormKeyUp(*AEvent);
}

} // namespace vexil
