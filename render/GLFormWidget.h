// The drawing area of TGLForm: it owns the context and hands its life events and input to the
// window.
#pragma once

#include <QOpenGLWidget>

namespace vexil {

class TGLForm;

class TGLFormWidget : public QOpenGLWidget {
public:
  explicit TGLFormWidget(TGLForm& AForm);

  // A position of this widget in device pixels.
  QPoint DevicePixels(const QPointF& APosition) const;
  int DeviceWidth() const;
  int DeviceHeight() const;

protected:
  void initializeGL() override;
  void paintGL() override;
  void resizeEvent(QResizeEvent* AEvent) override;
  void mousePressEvent(QMouseEvent* AEvent) override;
  void mouseMoveEvent(QMouseEvent* AEvent) override;
  void mouseReleaseEvent(QMouseEvent* AEvent) override;
  void wheelEvent(QWheelEvent* AEvent) override;
  void keyPressEvent(QKeyEvent* AEvent) override;
  void keyReleaseEvent(QKeyEvent* AEvent) override;

private:
  TGLForm& FForm;
};

} // namespace vexil
