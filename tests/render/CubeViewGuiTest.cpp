// The real cube view on a display, embedded in a widget window as the game embeds it: its
// context and textures, input in device pixels, multisampling, the frame loop and the
// full-screen switch.
#include "engine/Game.h"
#include "render/Antialiasing.h"
#include "render/CubeMeshResource.h"
#include "render/CubeView.h"
#include "render/OffscreenContext.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMainWindow>
#include <QOpenGLContext>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

#include <GL/gl.h>

#include <cstdlib>
#include <memory>

namespace vexil {
namespace {

bool HasDisplay() {
  const char* display = std::getenv("DISPLAY");
  return display != nullptr && *display != '\0';
}

// One application for the whole suite, made after the default format and before the probe as
// the program main does, and destroyed before the program's static objects.
class TApplicationEnvironment : public ::testing::Environment {
public:
  void SetUp() override {
    if (!HasDisplay()) {
      return;
    }
    SetDefaultSurfaceFormat();
    FApplication = std::make_unique<QApplication>(FArgc, FArgv);
    DetectMultisample();
  }
  void TearDown() override { FApplication.reset(); }

private:
  int FArgc = 1;
  char FName[17] = "render_gui_tests";
  char* FArgv[2] = {FName, nullptr};
  std::unique_ptr<QApplication> FApplication;
};

[[maybe_unused]] ::testing::Environment* const kApplicationEnvironment =
    ::testing::AddGlobalTestEnvironment(new TApplicationEnvironment);

class CubeViewGuiTest : public ::testing::Test {
protected:
  void SetUp() override {
    if (!HasDisplay()) {
      GTEST_SKIP() << "no display";
    }
    FGame = std::make_unique<TGame>(3, ReadCubeMesh());
    FWindow = std::make_unique<QMainWindow>();
    FView = new TCubeView(); // owned by its container
    FInitialized = std::make_unique<QSignalSpy>(FView, &TCubeView::Initialized);
    FWindow->setCentralWidget(QWidget::createWindowContainer(FView, FWindow.get()));
    FView->SetGame(FGame.get());
  }
  void TearDown() override {
    if (FView != nullptr) {
      FView->SetGame(nullptr);
    }
    FWindow.reset();
  }

  void ShowAndWait() {
    FWindow->resize(716, 466);
    FWindow->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(FWindow.get()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return FView->FrameCount() > 0; }, 5000));
  }
  void Settle() {
    FView->SetLoopEnabled(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !FView->FrameTimerRunning(); }, 5000));
  }

  std::unique_ptr<TGame> FGame;
  std::unique_ptr<QMainWindow> FWindow;
  TCubeView* FView = nullptr;
  std::unique_ptr<QSignalSpy> FInitialized;
};

TEST_F(CubeViewGuiTest, TheFirstShowMakesTheContextAndTheTexturesOnce) {
  EXPECT_FALSE(FView->OpenGLInitialized());
  EXPECT_FALSE(FView->MakeCurrent());
  EXPECT_EQ(FGame->VexilCube().TextureListLink(), nullptr);
  ShowAndWait();
  EXPECT_TRUE(FView->OpenGLInitialized());
  EXPECT_EQ(FInitialized->count(), 1);
  ASSERT_NE(FView->context(), nullptr);
  EXPECT_TRUE(FView->context()->isValid());
  EXPECT_GE(FView->context()->format().depthBufferSize(), 16);
  EXPECT_NE(FGame->VexilCube().TextureListLink(), nullptr);
}

// Also run with QT_SCALE_FACTOR=2 (see CMakeLists.txt): the cube is picked at the device pixel
// under the pointer.
TEST_F(CubeViewGuiTest, PressesPickTheStickerUnderThePointerInDevicePixels) {
  ShowAndWait();
  Settle();
  const double ratio = FView->devicePixelRatio();
  RecordProperty("device_pixel_ratio", std::to_string(ratio));
  EXPECT_EQ(FView->DeviceWidth(), qRound(FView->width() * ratio));
  EXPECT_EQ(FView->DeviceHeight(), qRound(FView->height() * ratio));
  // A logical point whose device pixel shows a sticker.
  const TVexilCube& cube = FGame->VexilCube();
  QPoint logical;
  int32_t sticker = -1;
  for (int y = 150; y < 320 && sticker < 0; y += 5) {
    for (int x = 250; x < 470 && sticker < 0; x += 5) {
      sticker = cube.GetSelectedPlane(qRound(x * ratio), FView->DeviceHeight() - qRound(y * ratio),
                                      FView->ViewMatrix());
      logical = {x, y};
    }
  }
  ASSERT_GE(sticker, 0);
  QTest::mousePress(FView, Qt::LeftButton, Qt::NoModifier, logical);
  EXPECT_EQ(FView->MouseState(), 0);
  EXPECT_EQ(cube.SelectedPlane(), sticker);
  QTest::mouseRelease(FView, Qt::LeftButton, Qt::NoModifier, logical);
  EXPECT_EQ(FView->MouseState(), -1);
}

TEST_F(CubeViewGuiTest, KeysSpinTheViewAndTheWheelZooms) {
  ShowAndWait();
  Settle();
  const TMatrix before = FView->ViewMatrix();
  QTest::keyPress(FView, Qt::Key_Left);
  EXPECT_TRUE(FView->Keys().Contains(TKey::kLeft));
  EXPECT_TRUE(QTest::qWaitFor([&] { return FView->ViewMatrix() != before; }, 2000));
  QTest::keyRelease(FView, Qt::Key_Left);
  EXPECT_TRUE(FView->Keys().Empty());

  const float scale = FGame->VexilCube().Scale();
  QWheelEvent wheel(QPointF(10, 10), FView->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, -120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(FView, &wheel);
  EXPECT_LT(FGame->VexilCube().Scale(), scale);
}

TEST_F(CubeViewGuiTest, TheFrameTimerStopsAtRestAndWakesForAChange) {
  ShowAndWait();
  Settle();
  const long long frames = FView->FrameCount();
  QTest::qWait(100);
  EXPECT_EQ(FView->FrameCount(), frames);
  FView->Invalidate();
  EXPECT_TRUE(QTest::qWaitFor([&] { return FView->FrameCount() > frames; }, 2000));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !FView->FrameTimerRunning(); }, 2000));
}

TEST_F(CubeViewGuiTest, MultisamplingIsObtainedWhereTheProbeFoundIt) {
  ShowAndWait();
  if (!MultisampleSupported()) {
    GTEST_SKIP() << "the driver offers no multisampling";
  }
  EXPECT_EQ(FView->Samples(), MultisamplePixelFormat());
  // Only the scene: the widget window around it has no samples to pay for.
  ASSERT_NE(FWindow->windowHandle(), nullptr);
  EXPECT_LE(FWindow->windowHandle()->format().samples(), 0);
  EXPECT_LE(QSurfaceFormat::defaultFormat().samples(), 0);
}

TEST_F(CubeViewGuiTest, ProbeOnTheApplicationsDisplayFindsWhatAContextOfItsOwnFinds) {
  // The count the driver gives a separate EGL display, as the probe found it before it used
  // the application's connection.
  int ownDisplaySamples = 0;
  {
    const std::unique_ptr<TOffscreenContext> context = TOffscreenContext::TryCreate();
    if (context == nullptr) {
      GTEST_SKIP() << "no EGL context to compare with";
    }
    GLint maxSamples = 0;
    glGetIntegerv(GL_MAX_SAMPLES, &maxSamples);
    ownDisplaySamples = ChooseSampleCount(glGetError() == GL_NO_ERROR ? maxSamples : 0);
  }
  DetectMultisample();
  EXPECT_EQ(MultisamplePixelFormat(), ownDisplaySamples);
  EXPECT_EQ(MultisampleSupported(), ownDisplaySamples > 0);
  // The probe leaves no context current behind.
  EXPECT_EQ(QOpenGLContext::currentContext(), nullptr);
}

TEST_F(CubeViewGuiTest, TheBackgroundAndTheCubeAreDrawnIntoTheWindow) {
  TClockLook look;
  look.Background = {1.0f, 0.0f, 0.0f};
  FView->SetClockLook(look);
  ShowAndWait();
  Settle();
  const QImage picture = FView->GrabFrame();
  ASSERT_FALSE(picture.isNull());
  const QColor corner = picture.pixelColor(2, 2);
  EXPECT_EQ(corner.red(), 255);
  EXPECT_EQ(corner.green(), 0);
  EXPECT_EQ(corner.alpha(), 255);
  EXPECT_NE(picture.pixelColor(picture.width() / 2, picture.height() / 2), corner);
}

TEST_F(CubeViewGuiTest, FullScreenAndBackKeepsTheContext) {
  ShowAndWait();
  Settle();
  QOpenGLContext* const context = FView->context();
  const long long before = FView->FrameCount();
  FWindow->showFullScreen();
  FView->Invalidate();
  EXPECT_TRUE(QTest::qWaitFor([&] { return FView->FrameCount() > before; }, 5000));
  FWindow->showNormal();
  const long long after = FView->FrameCount();
  FView->Invalidate();
  EXPECT_TRUE(QTest::qWaitFor([&] { return FView->FrameCount() > after; }, 5000));
  EXPECT_EQ(FView->context(), context);
  EXPECT_EQ(FInitialized->count(), 1);
}

} // namespace
} // namespace vexil
