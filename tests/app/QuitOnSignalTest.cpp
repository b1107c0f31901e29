#include "app/QuitOnSignal.h"

#include <QCloseEvent>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>

using namespace vexil;

TEST(QuitOnSignal, TerminationRequestClosesTheWindows) {
  QWidget window;
  window.show();
  QuitOnTerminationSignals();
  std::raise(SIGTERM);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }, 10000));
}

TEST(QuitOnSignal, BurstOfSignalsNeitherHangsNorChangesErrno) {
  QuitOnTerminationSignals();
  // Far more requests than the wake-up socket holds, with no event loop to drain it: the
  // handler must give up on a full socket instead of waiting, and leave errno as it was for
  // the code it interrupted.
  errno = EDOM;
  for (int i = 0; i < 100000; ++i) {
    std::raise(SIGHUP);
  }
  EXPECT_EQ(errno, EDOM);
  QWidget window;
  window.show();
  std::raise(SIGINT);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !window.isVisible(); }, 10000));
}

// A modal window that, like the update notice, closes only when the program itself says so.
class TStubbornDialog : public QDialog {
public:
  using QDialog::QDialog;
  void Release() {
    FReleased = true;
    done(Rejected);
  }

protected:
  void closeEvent(QCloseEvent* AEvent) override { AEvent->setAccepted(FReleased); }
  void reject() override {
    if (FReleased) {
      QDialog::reject();
    }
  }

private:
  bool FReleased = false;
};

TEST(QuitOnSignal, AWindowThatRefusesToCloseDoesNotKeepTheProgramRunning) {
  QuitOnTerminationSignals();
  QWidget window;
  window.show();
  TStubbornDialog dialog(&window);
  bool released = false;
  // Only a program that ignores the request gets here; it must not hang the test.
  QTimer::singleShot(10000, &dialog, [&] {
    released = true;
    dialog.Release();
  });
  QTimer::singleShot(0, [] { std::raise(SIGTERM); });
  // A loop inside the program's, as the notice's runs: the request ends it, and with it the
  // program's own loop, so main() returns and the main window goes.
  dialog.exec();
  EXPECT_FALSE(released);
}
