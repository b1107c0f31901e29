// GoogleTest main with a Qt application object for the dialog tests. Listing the tests (as the
// build does to register them) needs no display.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (::testing::GTEST_FLAG(list_tests)) {
    return RUN_ALL_TESTS();
  }
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
