// TGLForm: the base of the game's main window. A QMainWindow whose central widget is a
// QOpenGLWidget carrying the window's one OpenGL context for its whole life (the full-screen
// switch keeps the same window, so the context survives it).
//
// A descendant overrides the protected hooks below; they are called in this order:
//
//   FormCreate     once, when the window is first shown, before the OpenGL context exists:
//                  must not call OpenGL. May switch to full screen (SetFullScreen(true)); the
//                  window then opens full screen and leaving it restores the state the window
//                  had before (normal or maximised).
//   FormShow       once, right after the context was created; the context is current. Make
//                  textures and other OpenGL objects here.
//   FormResize     after every resize of the drawing area, with its size in device pixels;
//                  also before the context exists (then touch no OpenGL), so guard objects that
//                  FormCreate has not made yet.
//   RenderFrame    for every paint (RequestFrame() asks for one); the context is current on
//                  the widget's framebuffer, the viewport covers it, the projection is the
//                  scene's (Projection.h), GL_MODELVIEW is the matrix mode and the modelview
//                  matrix holds ViewMatrix(). Qt presents the frame when RenderFrame returns.
//   FormActivate   each time the window becomes the active window.
//   FormMouseDown / FormMouseMove / FormMouseUp / FormMouseWheel / FormKeyDown / FormKeyUp
//                  the input of the drawing area, mouse positions in device pixels from its
//                  top-left corner (HiDPI-safe: the same pixels the projection covers).
//
// Destruction: the descendant's destructor runs while the context still exists; call
// MakeCurrent() first when it frees OpenGL objects. The context is released afterwards with the
// widget.
#pragma once

#include "engine/VectorTypes.h"

#include <QMainWindow>

class QKeyEvent;
class QOpenGLWidget;

namespace vexil {

class TGLFormWidget;

class TGLForm : public QMainWindow {
  Q_OBJECT

public:
  explicit TGLForm(QWidget* AParent = nullptr);
  ~TGLForm() override;

  // Width / height of the drawing area, updated on every resize (also before the context
  // exists); 0 before the first resize.
  float Aspect() const { return FAspect; }
  bool FullScreen() const { return FFullScreen; }
  // Enters full screen (no frame) or returns to the window state saved on entering it.
  void SetFullScreen(bool AValue);

  // The context has been created (FormShow has run).
  bool OpenGLInitialized() const { return FOpenGLInitialize; }
  // Device pixels per logical pixel of the drawing area (2 on a screen scaled to 200 %).
  double DevicePixelRatio() const;
  // Size of the drawing area in device pixels.
  int ClientWidth() const;
  int ClientHeight() const;
  // Samples of the framebuffer the scene is drawn into, read with glGetIntegerv(GL_SAMPLES) in
  // the widget's context (its format() reports 0 for that buffer); 0 before the context exists.
  int Samples();

  // The cube's orientation, kept here rather than in the context's matrix stack so that nothing
  // depends on context state surviving; loaded as the modelview matrix before RenderFrame.
  const TMatrix& ViewMatrix() const { return FViewMatrix; }
  void SetViewMatrix(const TMatrix& AValue) { FViewMatrix = AValue; }

  // Asks for a paint: RenderFrame runs soon after, on the main thread.
  void RequestFrame();
  // Makes the context current outside RenderFrame; false before it exists.
  bool MakeCurrent();
  void DoneCurrent();
  QOpenGLWidget* GLWidget() const;

  void setVisible(bool AVisible) override;

protected:
  virtual void FormCreate() {}
  virtual void FormShow() {}
  virtual void FormResize(int /*AWidth*/, int /*AHeight*/) {}
  virtual void RenderFrame() {}
  virtual void FormActivate() {}
  // AButton: the button that changed; AButtons: those held after the event.
  virtual void FormMouseDown(Qt::MouseButton /*AButton*/, Qt::MouseButtons /*AButtons*/,
                             Qt::KeyboardModifiers /*AModifiers*/, int /*X*/, int /*Y*/) {}
  virtual void FormMouseMove(Qt::MouseButtons /*AButtons*/, Qt::KeyboardModifiers /*AModifiers*/,
                             int /*X*/, int /*Y*/) {}
  virtual void FormMouseUp(Qt::MouseButton /*AButton*/, Qt::MouseButtons /*AButtons*/,
                           Qt::KeyboardModifiers /*AModifiers*/, int /*X*/, int /*Y*/) {}
  // AWheelDelta: the vertical wheel movement in eighths of a degree (120 per notch).
  virtual void FormMouseWheel(int /*AWheelDelta*/) {}
  virtual void FormKeyDown(QKeyEvent& /*AEvent*/) {}
  virtual void FormKeyUp(QKeyEvent& /*AEvent*/) {}

  void changeEvent(QEvent* AEvent) override;
  void keyPressEvent(QKeyEvent* AEvent) override;
  void keyReleaseEvent(QKeyEvent* AEvent) override;

private:
  friend class TGLFormWidget;

  // Called by the widget.
  void InitOpenGL();
  void Resizing(int AWidth, int AHeight);
  void PaintFrame();

  bool FCreated = false;
  bool FOpenGLInitialize = false;
  float FAspect = 0.0f;
  bool FFullScreen = false;
  Qt::WindowStates FSaveWindowState = Qt::WindowNoState;
  TMatrix FViewMatrix = IdentityMatrix();
  TGLFormWidget* FGLWidget; // owned by the window as its central widget
};

} // namespace vexil
