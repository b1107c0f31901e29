// GoogleTest main with a Qt application object, for tests that need timers, fonts or windows.
// Listing the tests (as the build does to register them) needs no display.
#include "render/Antialiasing.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (::testing::GTEST_FLAG(list_tests)) {
    return RUN_ALL_TESTS();
  }
  // The format every window of the game gets, without the multisample probe.
  vexil::SetDefaultSurfaceFormat();
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
