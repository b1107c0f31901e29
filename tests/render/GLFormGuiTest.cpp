// The real GL window on a display: context creation, the hooks' order, multisampling and the
// full-screen switch.
#include "render/Antialiasing.h"
#include "render/GLForm.h"
#include "render/OffscreenContext.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QOpenGLContext>
#include <QOpenGLWidget>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

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

class TRecordingForm : public TGLForm {
public:
  std::vector<std::string> Events;
  bool ContextAtCreate = true;
  int Frames = 0;
  int LastWidth = 0;
  int LastHeight = 0;
  bool EnterFullScreenOnCreate = false;
  std::vector<std::string> Input;
  GLfloat ClearRed = 0.0f;

protected:
  void FormCreate() override {
    Events.push_back("create");
    ContextAtCreate = OpenGLInitialized() || QOpenGLContext::currentContext() != nullptr;
    if (EnterFullScreenOnCreate) {
      SetFullScreen(true);
    }
  }
  void FormShow() override {
    Events.push_back(QOpenGLContext::currentContext() != nullptr ? "show+context" : "show");
  }
  void FormResize(int AWidth, int AHeight) override {
    LastWidth = AWidth;
    LastHeight = AHeight;
  }
  void FormMouseDown(Qt::MouseButton AButton, Qt::MouseButtons, Qt::KeyboardModifiers, int X,
                     int Y) override {
    Input.push_back("down " + std::to_string(AButton) + " " + std::to_string(X) + "," +
                    std::to_string(Y));
  }
  void FormMouseMove(Qt::MouseButtons AButtons, Qt::KeyboardModifiers, int X, int Y) override {
    Input.push_back("move " + std::to_string(AButtons.toInt()) + " " + std::to_string(X) + "," +
                    std::to_string(Y));
  }
  void FormMouseUp(Qt::MouseButton AButton, Qt::MouseButtons, Qt::KeyboardModifiers, int X,
                   int Y) override {
    Input.push_back("up " + std::to_string(AButton) + " " + std::to_string(X) + "," +
                    std::to_string(Y));
  }
  void FormMouseWheel(int ADelta) override { Input.push_back("wheel " + std::to_string(ADelta)); }
  void FormKeyDown(QKeyEvent& AEvent) override {
    Input.push_back("key down " + std::to_string(AEvent.key()));
  }
  void FormKeyUp(QKeyEvent& AEvent) override {
    Input.push_back("key up " + std::to_string(AEvent.key()));
  }
  void RenderFrame() override {
    ++Frames;
    glClearColor(ClearRed, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }
};

class GLFormGuiTest : public ::testing::Test {
protected:
  void SetUp() override {
    if (!HasDisplay()) {
      GTEST_SKIP() << "no display";
    }
  }

  static void ShowAndWait(TRecordingForm& AForm) {
    AForm.resize(716, 466);
    AForm.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&AForm));
    ASSERT_TRUE(QTest::qWaitFor([&] { return AForm.Frames > 0; }, 5000));
  }
};

TEST_F(GLFormGuiTest, CreationHandlerRunsBeforeTheContextWhichThenStaysCurrentForShow) {
  TRecordingForm form;
  EXPECT_FALSE(form.OpenGLInitialized());
  ShowAndWait(form);
  ASSERT_GE(form.Events.size(), 2u);
  EXPECT_EQ(form.Events[0], "create");
  EXPECT_EQ(form.Events[1], "show+context");
  EXPECT_FALSE(form.ContextAtCreate);
  EXPECT_TRUE(form.OpenGLInitialized());
  ASSERT_NE(form.GLWidget()->context(), nullptr);
  EXPECT_TRUE(form.GLWidget()->context()->isValid());
  EXPECT_GE(form.GLWidget()->context()->format().depthBufferSize(), 16);
}

TEST_F(GLFormGuiTest, ResizeReportsDevicePixelsAndKeepsTheAspect) {
  TRecordingForm form;
  ShowAndWait(form);
  const double ratio = form.GLWidget()->devicePixelRatioF();
  EXPECT_DOUBLE_EQ(form.DevicePixelRatio(), ratio);
  EXPECT_EQ(form.LastWidth, qRound(form.GLWidget()->width() * ratio));
  EXPECT_EQ(form.LastHeight, qRound(form.GLWidget()->height() * ratio));
  EXPECT_EQ(form.ClientWidth(), form.LastWidth);
  EXPECT_FLOAT_EQ(form.Aspect(), static_cast<float>(form.LastWidth) / form.LastHeight);
}

// Also run with QT_SCALE_FACTOR=2 (see CMakeLists.txt): positions and sizes must then be twice
// the logical ones.
TEST_F(GLFormGuiTest, InputOfTheDrawingAreaReachesTheHooksInDevicePixels) {
  TRecordingForm form;
  ShowAndWait(form);
  QWidget* const area = form.GLWidget();
  const double ratio = area->devicePixelRatioF();
  RecordProperty("device_pixel_ratio", std::to_string(ratio));
  const auto device = [ratio](int AValue) { return std::to_string(qRound(AValue * ratio)); };
  form.Input.clear();
  QTest::mousePress(area, Qt::LeftButton, Qt::NoModifier, QPoint(100, 50));
  QTest::mouseMove(area, QPoint(120, 60));
  QTest::mouseRelease(area, Qt::LeftButton, Qt::NoModifier, QPoint(120, 60));
  QTest::keyPress(area, Qt::Key_Left);
  QTest::keyRelease(area, Qt::Key_Left);
  QWheelEvent wheel(QPointF(10, 10), area->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, -120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(area, &wheel);

  const std::vector<std::string> expected = {
      "down 1 " + device(100) + "," + device(50), "move 1 " + device(120) + "," + device(60),
      "up 1 " + device(120) + "," + device(60),   "key down " + std::to_string(Qt::Key_Left),
      "key up " + std::to_string(Qt::Key_Left),   "wheel -120"};
  EXPECT_EQ(form.Input, expected);
  EXPECT_EQ(form.ClientWidth(), qRound(area->width() * ratio));
}

TEST_F(GLFormGuiTest, MultisamplingIsObtainedWhereTheProbeFoundIt) {
  TRecordingForm form;
  ShowAndWait(form);
  if (!MultisampleSupported()) {
    GTEST_SKIP() << "the driver offers no multisampling";
  }
  EXPECT_EQ(form.Samples(), MultisamplePixelFormat());
  // Only the scene: the window Qt composes the finished picture into has no samples to pay for.
  ASSERT_NE(form.windowHandle(), nullptr);
  EXPECT_LE(form.windowHandle()->format().samples(), 0);
  EXPECT_LE(QSurfaceFormat::defaultFormat().samples(), 0);
}

TEST_F(GLFormGuiTest, ProbeOnTheApplicationsDisplayFindsWhatAContextOfItsOwnFinds) {
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

TEST_F(GLFormGuiTest, RenderFrameDrawsIntoTheWindow) {
  TRecordingForm form;
  form.ClearRed = 1.0f;
  ShowAndWait(form);
  const QImage picture = form.GLWidget()->grabFramebuffer();
  ASSERT_FALSE(picture.isNull());
  const QColor centre = picture.pixelColor(picture.width() / 2, picture.height() / 2);
  EXPECT_EQ(centre.red(), 255);
  EXPECT_EQ(centre.green(), 0);
  EXPECT_EQ(centre.alpha(), 255);
}

TEST_F(GLFormGuiTest, FullScreenAndBackKeepsTheContextAndRestoresTheState) {
  for (const bool maximised : {false, true}) {
    SCOPED_TRACE(maximised ? "maximised" : "normal");
    TRecordingForm form;
    ShowAndWait(form);
    if (maximised) {
      form.showMaximized();
      QTest::qWait(50);
    }
    QOpenGLContext* const context = form.GLWidget()->context();
    const int framesBefore = form.Frames;

    form.SetFullScreen(true);
    EXPECT_TRUE(form.FullScreen());
    EXPECT_TRUE(form.windowState() & Qt::WindowFullScreen);
    form.RequestFrame();
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.Frames > framesBefore; }, 5000));

    form.SetFullScreen(false);
    EXPECT_FALSE(form.FullScreen());
    EXPECT_FALSE(form.windowState() & Qt::WindowFullScreen);
    EXPECT_EQ(static_cast<bool>(form.windowState() & Qt::WindowMaximized), maximised);
    const int framesAfter = form.Frames;
    form.RequestFrame();
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.Frames > framesAfter; }, 5000));

    EXPECT_EQ(form.GLWidget()->context(), context);
    EXPECT_EQ(std::count(form.Events.begin(), form.Events.end(), "show+context"), 1);
  }
}

TEST_F(GLFormGuiTest, FullScreenRequestedByTheCreationHandlerOpensFullScreenAndReturnsToNormal) {
  TRecordingForm form;
  form.EnterFullScreenOnCreate = true;
  form.resize(716, 466);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  EXPECT_TRUE(form.FullScreen());
  EXPECT_TRUE(form.windowState() & Qt::WindowFullScreen);
  form.SetFullScreen(false);
  EXPECT_EQ(form.windowState(), Qt::WindowNoState);
  EXPECT_EQ(std::count(form.Events.begin(), form.Events.end(), "create"), 1);
}

} // namespace
} // namespace vexil
