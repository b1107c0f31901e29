// Message boxes centred over their window on a real display; with a window manager (see the
// window-manager run in CMakeLists.txt) the frames have title bars the box learns of late.
#include "dialogs/DialogCentring.h"

#include <QMainWindow>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

using namespace vexil;

namespace {

QMargins MarginsOf(const QWidget& AWidget) {
  return AWidget.windowHandle() != nullptr ? AWidget.windowHandle()->frameMargins() : QMargins();
}

// Shows a centred box over AWindow and gives its frame once the box stands where it will stay:
// framed as its window is (or unframed when the window is), and not moved for a while.
QRect CentredBoxFrame(QWidget& AWindow, const QString& AText) {
  QMessageBox box(QMessageBox::Information, QStringLiteral("Caption"), AText, QMessageBox::Ok,
                  &AWindow);
  const TDialogCentring centring(&box, &AWindow);
  QRect seen;
  QRect last;
  int stableTicks = 0;
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (!box.isVisible() || MarginsOf(box).isNull() != MarginsOf(AWindow).isNull()) {
      return;
    }
    stableTicks = box.frameGeometry() == last ? stableTicks + 1 : 0;
    last = box.frameGeometry();
    if (stableTicks >= 10) {
      seen = last;
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
