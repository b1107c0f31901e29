#include "app/QuitOnSignal.h"

#include <QTest>
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
