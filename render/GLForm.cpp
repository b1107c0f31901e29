#include "render/GLForm.h"

#include "render/GLFormWidget.h"
#include "render/Projection.h"

#include <QEvent>
#include <QKeyEvent>
#include <QOpenGLContext>

#include <GL/gl.h>

namespace vexil {

TGLForm::TGLForm(QWidget* AParent) : QMainWindow(AParent), FGLWidget(new TGLFormWidget(*this)) {
  setCentralWidget(FGLWidget);
}

TGLForm::~TGLForm() = default;

QOpenGLWidget* TGLForm::GLWidget() const {
  return FGLWidget;
}

double TGLForm::DevicePixelRatio() const {
  return FGLWidget->devicePixelRatioF();
}

int TGLForm::ClientWidth() const {
  return FGLWidget->DeviceWidth();
}

int TGLForm::ClientHeight() const {
  return FGLWidget->DeviceHeight();
}

void TGLForm::setVisible(bool AVisible) {
  if (AVisible && !FCreated) {
    // Before anything is shown, so before the drawing area can create its context.
    FCreated = true;
    FormCreate();
  }
  QMainWindow::setVisible(AVisible);
}

void TGLForm::SetFullScreen(bool AValue) {
  if (AValue == FFullScreen) {
    return;
  }
  FFullScreen = AValue;
  if (AValue) {
    FSaveWindowState = windowState() & ~(Qt::WindowFullScreen | Qt::WindowMinimized);
    // Not shown yet (the creation handler): open full screen when shown.
    if (isVisible()) {
      showFullScreen();
    } else {
      setWindowState(Qt::WindowFullScreen);
    }
    return;
  }
  if (!isVisible()) {
    setWindowState(FSaveWindowState);
  } else if (FSaveWindowState & Qt::WindowMaximized) {
    showMaximized();
  } else {
    showNormal();
  }
}

void TGLForm::RequestFrame() {
  FGLWidget->update();
}

bool TGLForm::MakeCurrent() {
  if (!FOpenGLInitialize) {
    return false;
  }
  FGLWidget->makeCurrent();
  return true;
}

void TGLForm::DoneCurrent() {
  if (FOpenGLInitialize) {
    FGLWidget->doneCurrent();
  }
}

int TGLForm::Samples() {
  if (!MakeCurrent()) {
    return 0;
  }
  GLint samples = 0;
  glGetIntegerv(GL_SAMPLES, &samples);
  return samples;
}

void TGLForm::changeEvent(QEvent* AEvent) {
  QMainWindow::changeEvent(AEvent);
  if (AEvent->type() == QEvent::ActivationChange && isActiveWindow()) {
    FormActivate();
  }
}

void TGLForm::keyPressEvent(QKeyEvent* AEvent) {
  FormKeyDown(*AEvent);
}

void TGLForm::keyReleaseEvent(QKeyEvent* AEvent) {
  FormKeyUp(*AEvent);
}

void TGLForm::InitOpenGL() {
  FOpenGLInitialize = true;
  FormShow();
}

void TGLForm::Resizing(int AWidth, int AHeight) {
  FAspect = ViewAspect(AWidth, AHeight);
  FormResize(AWidth, AHeight);
}

void TGLForm::PaintFrame() {
  SetSceneProjection(ClientWidth(), ClientHeight());
  glLoadMatrixf(FViewMatrix.data());
  RenderFrame();
}

} // namespace vexil
