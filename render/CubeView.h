// TCubeView: the game's drawing area, an OpenGL window of its own that the main window embeds.
// It owns every piece of GL work and state: the context, the sticker textures, the clock's
// glyphs and the body's buffers (made once the context exists), the camera (the cube's
// orientation and zoom), the mouse and key gestures, and the frame timer.
//
// The frame timer ticks about sixty times a second while something on the screen moves and
// stops at rest. Each tick steps the game (the view's spin, the layer's turn, the drag, the end
// of a turn and the scramble's next one), tells the window (Stepped) and then asks for a frame;
// the paint draws the frame the step decided and changes nothing.
//
// An own window rather than a widget: the picture goes straight to the screen, with no pass that
// composes a widget's framebuffer into the top-level window on every frame.
#pragma once

#include "engine/CubeFrame.h"
#include "engine/VectorTypes.h"
#include "render/ClockDraw.h"
#include "render/CubeBodyBuffers.h"
#include "render/CubeSceneSetup.h"
#include "render/CubeViewKeys.h"

#include <QOpenGLWindow>

#include <memory>
#include <string>

class QTimer;

namespace vexil {

class TGame;
class TStickerTextureList;

// What the paint draws besides the cube, as the player chose it.
struct TClockLook {
  bool ShowTimer = true;
  bool ShowMoveCounter = false;
  TVertex3f Color{};
  TVertex3f Background{};
  // The word that stands where a paused game's cube was, in the player's language (UTF-8).
  std::string PausedWord;
};

class TCubeView : public QOpenGLWindow {
  Q_OBJECT

public:
  TCubeView();
  // Frees the GL objects with the context current.
  ~TCubeView() override;

  // --- the game drawn and driven; not owned. Set it before the view is first shown; null
  // before the game goes.
  void SetGame(TGame* AGame);
  // The look of the cube (applied now and to every new cube) and of the clock.
  void SetCubeLook(const TCubeLook& ALook);
  void SetClockLook(const TClockLook& ALook);
  // Makes a new cube model ready to draw: textures, look, size, and its frame under the camera.
  void PrepareCube(TVexilCube& ACube);

  // --- OpenGL
  // The context exists and the textures are made (Initialized was sent).
  bool OpenGLInitialized() const { return FTextureList != nullptr; }
  // Makes the context current outside the paint; false before it exists.
  bool MakeCurrent();
  // Samples of the framebuffer the scene is drawn into; 0 before the context exists.
  int Samples();
  // Size of the drawing area in device pixels, and the device pixels per logical pixel.
  int DeviceWidth() const;
  int DeviceHeight() const;
  double DevicePixelRatio() const { return devicePixelRatio(); }
  // The frame the last step decided, drawn now and read back (not shown, not counted): what
  // the screen shows at the next paint. Null before the context exists.
  QImage GrabFrame();
  // The clock's glyphs have been built and work.
  bool ClockGlyphsBuilt() const { return FClockDrawing && FClockDrawing->GlyphsBuilt(); }

  // --- camera: the cube's orientation, loaded as the modelview matrix of every frame.
  const TMatrix& ViewMatrix() const { return FViewMatrix; }
  void SetViewMatrix(const TMatrix& AValue);
  // Zoom of one wheel notch, and of each frame a zoom key is held.
  static constexpr double kScaleStep = 0.05;
  void ZoomBy(double ADelta);

  // --- gestures
  // The gesture in progress: the ordinal of its button (0 left, 1 right, 2 middle), -1 none.
  int MouseState() const { return FMouseState; }
  TKeys Keys() const { return FKeys; }
  // Ends the gesture in progress as its button's release does; also when that release is lost
  // to a window that opened over this one.
  void EndGesture();
  // Forgets the held keys and any gesture: the window lost the keyboard.
  void ReleaseInput();
  // Drops any pending spin and gesture without ending a turn (a new cube replaced the old one).
  void StopSpin();
  void ForgetGesture() { FMouseState = -1; }
  // The next frame turns the view by one spin step about both screen axes: a loaded game shows
  // that it is a new picture.
  void NudgeView() {
    FHRotateDirection = 1;
    FVRotateDirection = 1;
    Invalidate();
  }

  // --- the frame loop
  // The loop is on: off while a dialog or the congratulation stands over the window.
  bool LoopEnabled() const { return FLoopEnabled; }
  void SetLoopEnabled(bool AValue);
  // Starts the loop and draws the next tick: what every command does when it is done.
  void EnableFrameLoop();
  // The game changed outside the view (a command, the clock, a test turning the model): the
  // timer wakes and the next tick shows it.
  void Invalidate();
  bool FrameTimerRunning() const;
  // The frame of the cube as it stands under the camera, for picking and the next paint.
  void LookAtCube();
  // Frames drawn since the view opened.
  long long FrameCount() const { return FFrameCount; }

signals:
  // The context exists and the textures are made: the first frame follows.
  void Initialized();
  // A tick stepped the game: a turn may have ended, a game may be solved.
  void Stepped();
  // A mouse gesture ended (a turn may have been made).
  void GestureEnded();
  // A press in the view while the game was paused: the player wants to go on.
  void PressedWhilePaused();

protected:
  void initializeGL() override;
  void resizeGL(int AWidth, int AHeight) override;
  void paintGL() override;
  void mousePressEvent(QMouseEvent* AEvent) override;
  void mouseMoveEvent(QMouseEvent* AEvent) override;
  void mouseReleaseEvent(QMouseEvent* AEvent) override;
  void wheelEvent(QWheelEvent* AEvent) override;
  void keyPressEvent(QKeyEvent* AEvent) override;
  void keyReleaseEvent(QKeyEvent* AEvent) override;

private:
  // --- GL objects (CubeView.cpp)
  void CreateTextures();
  void FreeGLObjects();
  // The frame the last step decided, into the current framebuffer.
  void DrawFrame();
  void DrawClock();
  void DrawPauseWord();
  // --- the frame loop (CubeViewFrameLoop.cpp)
  void WakeFrameTimer();
  void TimerTick();
  bool FrameNeeded() const;
  void StepFrame();
  void PaintNow();
  TMatrix FrameRotation();
  // --- input (CubeViewInput.cpp)
  QPoint DevicePixels(const QPointF& APosition) const;

  TGame* FGame = nullptr;
  TCubeLook FCubeLook;
  TClockLook FClockLook;
  std::unique_ptr<TStickerTextureList> FTextureList;
  std::unique_ptr<TClockDrawing> FClockDrawing;
  TCubeBodyBuffers FBodyBuffers;

  TMatrix FViewMatrix = IdentityMatrix();
  TKeys FKeys;
  int FMouseState = -1;
  double FOldRMouseX = 0.0;
  double FOldRMouseY = 0.0;
  int FVRotateDirection = 0;
  int FHRotateDirection = 0;
  int FZRotateDirection = 0;

  QTimer* FTimer; // owned by the view as its child
  // The scene changed outside the per-frame animations (a command, a resize, a clock tick).
  bool FRedrawNeeded = true;
  // The loop is on; the timer itself runs only while frames are needed.
  bool FLoopEnabled = false;
  // What the next paint draws, decided by the model outside the paint.
  TCubeFrame FFrame;
  long long FFrameCount = 0;
};

} // namespace vexil
