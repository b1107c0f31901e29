// Message boxes centred over their window on a real display; with a window manager (see the
// window-manager run in CMakeLists.txt) the frames have title bars the box learns of late.
#include "dialogs/DialogCentring.h"

#include <QMainWindow>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

#include <cstdlib>

using namespace vexil;

namespace {

QMargins MarginsOf(const QWidget& AWidget) {
  return AWidget.windowHandle() != nullptr ? AWidget.windowHandle()->frameMargins() : QMargins();
}

bool Centred(const QRect& ABox, const QRect& AWindow) {
  return std::abs(ABox.center().x() - AWindow.center().x()) <= 1 &&
         std::abs(ABox.center().y() - AWindow.center().y()) <= 1;
}

// Shows a centred box over AWindow and gives its frame once the box stands centred, framed as
// its window is (or unframed when the window is); gives the last frame seen if that does not
// happen within five seconds. Waiting for the centred place rather than for the box to stand
// still: on a loaded machine the manager may answer the box's move long after it framed it.
QRect CentredBoxFrame(QWidget& AWindow, const QString& AText) {
  QMessageBox box(QMessageBox::Information, QStringLiteral("Caption"), AText, QMessageBox::Ok,
                  &AWindow);
  const TDialogCentring centring(&box, &AWindow);
  QRect seen;
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (!box.isVisible() || MarginsOf(box).isNull() != MarginsOf(AWindow).isNull()) {
      return;
    }
    seen = box.frameGeometry();
    if (Centred(seen, AWindow.frameGeometry())) {
      box.accept();
    }
  });
  poll.start();
  QTimer::singleShot(5000, &box, [&box] { box.reject(); });
  box.exec();
  return seen;
}

} // namespace

TEST(DialogCentringGui, BoxesStandCentredOverTheWindowFrameWithTheirRealFrame) {
  QMainWindow window;
  window.resize(700, 500);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  window.move(40, 30); // away from the screen's centre
  ASSERT_TRUE(QTest::qWaitFor([&] { return window.frameGeometry().topLeft() == QPoint(40, 30); }));
  // A small box and a wide, tall one: the error of a wrong frame would differ between them.
  for (const QString& text :
       {QStringLiteral("Short."), QStringLiteral("A longer text\n").repeated(8)}) {
    const QRect box = CentredBoxFrame(window, text);
    ASSERT_FALSE(box.isNull()) << "the box never settled";
    const QRect frame = window.frameGeometry();
    EXPECT_NEAR(box.center().x(), frame.center().x(), 1);
    EXPECT_NEAR(box.center().y(), frame.center().y(), 1);
  }
}
