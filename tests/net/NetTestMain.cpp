// GoogleTest main with a Qt core application: the hand-offs of the requests run in its event
// loop, which the tests turn while they wait.
#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QCoreApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
