// Opening the real main window for a test, with its settings in a private folder, and the
// helpers that drive it: waiting for frames, watching message boxes, dragging the mouse.
#pragma once

#include "app/MainForm.h"
#include "tests/app/SettingsTestSupport.h"
#include "tests/dialogs/DialogTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace vexil::testing {

// Runs the event loop until APredicate holds or ATimeoutMs pass; tells which.
inline bool WaitUntil(const std::function<bool()>& APredicate, int ATimeoutMs = 5000) {
  return QTest::qWaitFor(APredicate, ATimeoutMs);
}

struct TSeenMessage {
  QString Caption;
  QString Text;
  QMessageBox::Icon Icon = QMessageBox::NoIcon;
  QRect BoxFrame;    // where the box stood on the screen
  QRect WindowFrame; // where its parent window stood
};

// Closes every message box that opens while it lives, noting what it showed.
class TMessageWatcher {
public:
  TMessageWatcher() {
    FTimer.setInterval(10);
    QObject::connect(&FTimer, &QTimer::timeout, [this] { Poll(); });
    FTimer.start();
  }
  const std::vector<TSeenMessage>& Seen() const { return FSeen; }

private:
  void Poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible() || !FSettling.Settled(*box)) {
      return;
    }
    TSeenMessage seen{box->windowTitle(), box->text(), box->icon(), box->frameGeometry(), {}};
    if (box->parentWidget() != nullptr) {
      seen.WindowFrame = box->parentWidget()->window()->frameGeometry();
    }
    FSeen.push_back(seen);
    box->accept();
  }
  QTimer FTimer;
  std::vector<TSeenMessage> FSeen;
  TFrameSettling FSettling;
};

class MainFormTest : public ::testing::Test {
protected:
  void SetUp() override {
    const char* old = std::getenv("XDG_CONFIG_HOME");
    FOldConfigHome = old != nullptr ? std::optional<std::string>(old) : std::nullopt;
    setenv("XDG_CONFIG_HOME", FFolder.Path().c_str(), 1);
    const char* oldData = std::getenv("XDG_DATA_HOME");
    FOldDataHome = oldData != nullptr ? std::optional<std::string>(oldData) : std::nullopt;
    setenv("XDG_DATA_HOME", (FFolder.Path() / "data").c_str(), 1);
  }
  void TearDown() override {
    FForm.reset();
    if (FOldConfigHome) {
      setenv("XDG_CONFIG_HOME", FOldConfigHome->c_str(), 1);
    } else {
      unsetenv("XDG_CONFIG_HOME");
    }
    if (FOldDataHome) {
      setenv("XDG_DATA_HOME", FOldDataHome->c_str(), 1);
    } else {
      unsetenv("XDG_DATA_HOME");
    }
  }

  std::string IniPath() const { return FFolder.File("Vexil Cube/vexil_cube.ini"); }
  void WriteSettings(const std::string& AText) {
    std::filesystem::create_directories(FFolder.Path() / "Vexil Cube");
    WriteTextFile(IniPath(), AText);
  }

  // Shows the window and waits for its context, its first frame and its frame loop.
  TMainForm& Open() {
    FForm = std::make_unique<TMainForm>();
    FForm->show();
    FForm->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(FForm.get()));
    EXPECT_TRUE(WaitUntil([this] { return FForm->View()->OpenGLInitialized(); }));
    EXPECT_TRUE(WaitUntil([this] { return FForm->View()->FrameCount() > 0; }));
    // The loop starts with the window's activation, or with the first mouse move over it when
    // another program holds the focus.
    if (!WaitUntil([this] { return FForm->View()->LoopEnabled(); }, 500)) {
      QTest::mouseMove(Surface(), QPoint(5, 5));
    }
    EXPECT_TRUE(WaitUntil([this] { return FForm->View()->LoopEnabled(); }));
    return *FForm;
  }
  // Closes the window as the player would and frees it, which writes the settings.
  void CloseAndFree() {
    FForm->close();
    FForm.reset();
  }

  QAction* Item(const char* AName) const {
    auto* item = FForm->findChild<QAction*>(QString::fromLatin1(AName));
    EXPECT_NE(item, nullptr) << AName;
    return item;
  }
  QWindow* Surface() const { return FForm->View(); }
  // The keys reach the view: its own window has the keyboard, or the widget that holds it in
  // the main window has the focus (the window hands its keys on).
  bool ViewHasTheKeys() const {
    return QGuiApplication::focusWindow() == Surface() ||
           QApplication::focusWidget() == FForm->findChild<QWidget*>("CubeViewContainer");
  }

  // Waits until no turn is animating and a few frames have passed.
  void Settle() {
    EXPECT_TRUE(WaitUntil([this] { return !FForm->VexilCube()->SideIsRotating(); }));
    const long long frames = FForm->View()->FrameCount();
    WaitUntil([&] { return FForm->View()->FrameCount() > frames + 1; }, 200);
  }

  // A point of the drawing area that shows a sticker.
  QPoint StickerPoint() const {
    const TVexilCube& cube = *FForm->VexilCube();
    const int height = FForm->View()->DeviceHeight();
    for (int y = height / 2 - 60; y < height / 2 + 60; y += 7) {
      for (int x = FForm->View()->DeviceWidth() / 2 - 60; x < FForm->View()->DeviceWidth() / 2 + 60; x += 7) {
        if (cube.GetSelectedPlane(x, height - y, FForm->View()->ViewMatrix()) >= 0) {
          return {x, y};
        }
      }
    }
    ADD_FAILURE() << "no sticker near the centre";
    return {};
  }

  // Drags with AButton from AFrom by (ADx, ADy) in steps, letting frames pass between moves.
  void Drag(Qt::MouseButton AButton, QPoint AFrom, int ADx, int ADy, int ASteps = 10) {
    PressAndMove(AButton, AFrom, ADx, ADy, ASteps);
    QTest::mouseRelease(Surface(), AButton, {}, AFrom + QPoint(ADx, ADy));
  }
  // The drag without its release: the button stays held.
  void PressAndMove(Qt::MouseButton AButton, QPoint AFrom, int ADx, int ADy, int ASteps = 10) {
    QTest::mousePress(Surface(), AButton, {}, AFrom);
    for (int i = 1; i <= ASteps; ++i) {
      const QPoint to = AFrom + QPoint(ADx * i / ASteps, ADy * i / ASteps);
      QMouseEvent move(QEvent::MouseMove, to, Surface()->mapToGlobal(to), Qt::NoButton, AButton,
                       Qt::NoModifier);
      QApplication::sendEvent(Surface(), &move);
      QTest::qWait(20);
    }
  }

  TTempFolder FFolder;
  std::optional<std::string> FOldConfigHome;
  std::optional<std::string> FOldDataHome;
  // Where the window keeps the records of solved games during the test.
  std::string RecordsPath() const { return FFolder.File("data/Vexil Cube/records.tsv"); }
  std::unique_ptr<TMainForm> FForm;
};

} // namespace vexil::testing
