// The view's GL objects and its paint: the textures and glyphs made when the context first
// exists, the look handed to every cube, and the frame drawn from what the last step decided.
#include "render/CubeView.h"

#include "engine/Game.h"
#include "render/Antialiasing.h"
#include "render/CubeScene.h"
#include "render/GLIncludes.h"
#include "render/Projection.h"
#include "render/StickerTextures.h"

#include <QTimer>

#include <cmath>
#include <exception>
#include <iostream>

namespace vexil {

namespace {

// About 60 frames a second: a turn at speed 10 takes 9 frames.
constexpr int kFrameIntervalMs = 16;

} // namespace

TCubeView::TCubeView() : QOpenGLWindow(QOpenGLWindow::NoPartialUpdate), FTimer(new QTimer(this)) {
  // The only multisampled surface: see Antialiasing.h.
  setFormat(SceneSurfaceFormat());
  FTimer->setObjectName(QStringLiteral("Timer"));
  FTimer->setInterval(kFrameIntervalMs);
  FTimer->setTimerType(Qt::PreciseTimer);
  connect(FTimer, &QTimer::timeout, this, [this] { TimerTick(); });
}

TCubeView::~TCubeView() {
  FTimer->stop();
  FreeGLObjects();
}

void TCubeView::FreeGLObjects() {
  if (!MakeCurrent()) {
    return;
  }
  if (FGame != nullptr) {
    FGame->VexilCube().SetTextureListLink(nullptr);
  }
  FClockDrawing.reset();
  FBodyBuffers.Release();
  FTextureList.reset();
  doneCurrent();
}

void TCubeView::SetGame(TGame* AGame) {
  FGame = AGame;
  if (FGame != nullptr) {
    PrepareCube(FGame->VexilCube());
  }
}

void TCubeView::SetCubeLook(const TCubeLook& ALook) {
  FCubeLook = ALook;
  if (FGame != nullptr) {
    ApplyCubeLook(FGame->VexilCube(), FTextureList.get(), FCubeLook);
  }
  Invalidate();
}

void TCubeView::SetClockLook(const TClockLook& ALook) {
  FClockLook = ALook;
  Invalidate();
}

void TCubeView::PrepareCube(TVexilCube& ACube) {
  LinkCubeTextures(ACube, FTextureList.get());
  ApplyCubeLook(ACube, FTextureList.get(), FCubeLook);
  ACube.Resize(DeviceWidth(), DeviceHeight());
  // A paint before the next tick draws the new cube, never a frame of the old one.
  if (FGame != nullptr && &ACube == &FGame->VexilCube()) {
    LookAtCube();
  }
  Invalidate();
}

bool TCubeView::MakeCurrent() {
  if (context() == nullptr || !context()->isValid()) {
    return false;
  }
  makeCurrent();
  return true;
}

int TCubeView::Samples() {
  if (!MakeCurrent()) {
    return 0;
  }
  GLint samples = 0;
  glGetIntegerv(GL_SAMPLES, &samples);
  return samples;
}

int TCubeView::DeviceWidth() const {
  return static_cast<int>(std::lround(width() * devicePixelRatio()));
}

int TCubeView::DeviceHeight() const {
  return static_cast<int>(std::lround(height() * devicePixelRatio()));
}

void TCubeView::CreateTextures() {
  // Commands re-tint the stickers outside the paint: each upload makes this context current.
  const auto makeCurrent = [this] { return MakeCurrent(); };
  FTextureList = std::make_unique<TStickerTextureList>(makeCurrent);
  try {
    LoadStickerTextures(*FTextureList, FCubeLook.GlobalLighting);
  } catch (const std::exception& error) {
    // The pictures are built in; should one be broken the stickers are drawn plain rather than
    // with the wrong pictures.
    std::cerr << error.what() << '\n';
    FTextureList = std::make_unique<TStickerTextureList>(makeCurrent);
  }
}

void TCubeView::initializeGL() {
  // The clock's glyphs are built when a game first shows the clock.
  FClockDrawing = std::make_unique<TClockDrawing>();
  CreateTextures();
  if (FGame != nullptr) {
    // Making the textures lays the stickers out afresh.
    PrepareCube(FGame->VexilCube());
  }
  emit Initialized();
}

void TCubeView::resizeGL(int /*AWidth*/, int /*AHeight*/) {
  // The cube picks and projects in device pixels, the size Qt reports here is logical.
  if (FGame != nullptr) {
    FGame->VexilCube().Resize(DeviceWidth(), DeviceHeight());
    LookAtCube();
  }
  Invalidate();
}

void TCubeView::paintGL() {
  if (FGame != nullptr) {
    ++FFrameCount;
  }
  DrawFrame();
}

QImage TCubeView::GrabFrame() {
  if (!MakeCurrent()) {
    return {};
  }
  // The back buffer: the next swap would show it.
  DrawFrame();
  return grabFramebuffer();
}

void TCubeView::DrawFrame() {
  // Draws the frame the last step decided; changes nothing of the game.
  if (FGame == nullptr) {
    ClearScene(FClockLook.Background);
    return;
  }
  SetSceneProjection(DeviceWidth(), DeviceHeight());
  BeginScene(FClockLook.Background, FViewMatrix);
  DrawClock();
  if (FGame->Paused()) {
    DrawPauseWord();
  } else {
    DrawCubeFrame(FGame->VexilCube(), FFrame, FBodyBuffers);
  }
  EndScene();
}

void TCubeView::DrawClock() {
  if (FGame->NewGameIsStarted() && FClockLook.ShowTimer && FClockDrawing) {
    const int32_t moves = FClockLook.ShowMoveCounter ? FGame->MoveCount() : -1;
    FClockDrawing->Draw(FGame->Clock(), FClockLook.Color, DeviceWidth(), DeviceHeight(), moves);
  }
}

void TCubeView::DrawPauseWord() {
  if (FClockDrawing) {
    FClockDrawing->DrawWord(FClockLook.PausedWord, FClockLook.Color, DeviceWidth(),
                            DeviceHeight());
  }
}

} // namespace vexil
