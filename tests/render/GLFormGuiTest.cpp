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
  const char* Display = std::getenv("DISPLAY");
  return Display != nullptr && *Display != '\0';
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
  TRecordingForm Form;
  EXPECT_FALSE(Form.OpenGLInitialized());
  ShowAndWait(Form);
  ASSERT_GE(Form.Events.size(), 2u);
  EXPECT_EQ(Form.Events[0], "create");
  EXPECT_EQ(Form.Events[1], "show+context");
  EXPECT_FALSE(Form.ContextAtCreate);
  EXPECT_TRUE(Form.OpenGLInitialized());
  ASSERT_NE(Form.GLWidget()->context(), nullptr);
  EXPECT_TRUE(Form.GLWidget()->context()->isValid());
  EXPECT_GE(Form.GLWidget()->context()->format().depthBufferSize(), 16);
}

TEST_F(GLFormGuiTest, ResizeReportsDevicePixelsAndKeepsTheAspect) {
  TRecordingForm Form;
  ShowAndWait(Form);
  const double Ratio = Form.GLWidget()->devicePixelRatioF();
  EXPECT_DOUBLE_EQ(Form.DevicePixelRatio(), Ratio);
  EXPECT_EQ(Form.LastWidth, qRound(Form.GLWidget()->width() * Ratio));
  EXPECT_EQ(Form.LastHeight, qRound(Form.GLWidget()->height() * Ratio));
  EXPECT_EQ(Form.ClientWidth(), Form.LastWidth);
  EXPECT_FLOAT_EQ(Form.Aspect(), static_cast<float>(Form.LastWidth) / Form.LastHeight);
}

// Also run with QT_SCALE_FACTOR=2 (see CMakeLists.txt): positions and sizes must then be twice
// the logical ones.
TEST_F(GLFormGuiTest, InputOfTheDrawingAreaReachesTheHooksInDevicePixels) {
  TRecordingForm Form;
  ShowAndWait(Form);
  QWidget* const Area = Form.GLWidget();
  const double Ratio = Area->devicePixelRatioF();
  RecordProperty("device_pixel_ratio", std::to_string(Ratio));
  const auto Device = [Ratio](int AValue) { return std::to_string(qRound(AValue * Ratio)); };
  Form.Input.clear();
  QTest::mousePress(Area, Qt::LeftButton, Qt::NoModifier, QPoint(100, 50));
  QTest::mouseMove(Area, QPoint(120, 60));
  QTest::mouseRelease(Area, Qt::LeftButton, Qt::NoModifier, QPoint(120, 60));
  QTest::keyPress(Area, Qt::Key_Left);
  QTest::keyRelease(Area, Qt::Key_Left);
  QWheelEvent Wheel(QPointF(10, 10), Area->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, -120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(Area, &Wheel);

  const std::vector<std::string> Expected = {
      "down 1 " + Device(100) + "," + Device(50), "move 1 " + Device(120) + "," + Device(60),
      "up 1 " + Device(120) + "," + Device(60),   "key down " + std::to_string(Qt::Key_Left),
      "key up " + std::to_string(Qt::Key_Left),   "wheel -120"};
  EXPECT_EQ(Form.Input, Expected);
  EXPECT_EQ(Form.ClientWidth(), qRound(Area->width() * Ratio));
}

TEST_F(GLFormGuiTest, MultisamplingIsObtainedWhereTheProbeFoundIt) {
  TRecordingForm Form;
  ShowAndWait(Form);
  if (!MultisampleSupported()) {
    GTEST_SKIP() << "the driver offers no multisampling";
  }
  EXPECT_EQ(Form.Samples(), MultisamplePixelFormat());
  // Only the scene: the window Qt composes the finished picture into has no samples to pay for.
  ASSERT_NE(Form.windowHandle(), nullptr);
  EXPECT_LE(Form.windowHandle()->format().samples(), 0);
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
  TRecordingForm Form;
  Form.ClearRed = 1.0f;
  ShowAndWait(Form);
  const QImage Picture = Form.GLWidget()->grabFramebuffer();
  ASSERT_FALSE(Picture.isNull());
  const QColor Centre = Picture.pixelColor(Picture.width() / 2, Picture.height() / 2);
  EXPECT_EQ(Centre.red(), 255);
  EXPECT_EQ(Centre.green(), 0);
  EXPECT_EQ(Centre.alpha(), 255);
}

TEST_F(GLFormGuiTest, FullScreenAndBackKeepsTheContextAndRestoresTheState) {
  for (const bool Maximised : {false, true}) {
    SCOPED_TRACE(Maximised ? "maximised" : "normal");
    TRecordingForm Form;
    ShowAndWait(Form);
    if (Maximised) {
      Form.showMaximized();
      QTest::qWait(50);
    }
    QOpenGLContext* const Context = Form.GLWidget()->context();
    const int FramesBefore = Form.Frames;

    Form.SetFullScreen(true);
    EXPECT_TRUE(Form.FullScreen());
    EXPECT_TRUE(Form.windowState() & Qt::WindowFullScreen);
    Form.RequestFrame();
    EXPECT_TRUE(QTest::qWaitFor([&] { return Form.Frames > FramesBefore; }, 5000));

    Form.SetFullScreen(false);
    EXPECT_FALSE(Form.FullScreen());
    EXPECT_FALSE(Form.windowState() & Qt::WindowFullScreen);
    EXPECT_EQ(static_cast<bool>(Form.windowState() & Qt::WindowMaximized), Maximised);
    const int FramesAfter = Form.Frames;
    Form.RequestFrame();
    EXPECT_TRUE(QTest::qWaitFor([&] { return Form.Frames > FramesAfter; }, 5000));

    EXPECT_EQ(Form.GLWidget()->context(), Context);
    EXPECT_EQ(std::count(Form.Events.begin(), Form.Events.end(), "show+context"), 1);
  }
}

TEST_F(GLFormGuiTest, FullScreenRequestedByTheCreationHandlerOpensFullScreenAndReturnsToNormal) {
  TRecordingForm Form;
  Form.EnterFullScreenOnCreate = true;
  Form.resize(716, 466);
  Form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&Form));
  EXPECT_TRUE(Form.FullScreen());
  EXPECT_TRUE(Form.windowState() & Qt::WindowFullScreen);
  Form.SetFullScreen(false);
  EXPECT_EQ(Form.windowState(), Qt::WindowNoState);
  EXPECT_EQ(std::count(Form.Events.begin(), Form.Events.end(), "create"), 1);
}

} // namespace
} // namespace vexil
