#include "dialogs/DialogCentring.h"

#include <QRect>
#include <gtest/gtest.h>

using namespace vexil;

TEST(DialogCentring, CentresOverTheWindowFrameRoundingHalvesTowardZero) {
  EXPECT_EQ(CentredPosition(QRect(100, 50, 400, 300), QSize(200, 101)), QPoint(200, 149));
  // A box wider than its window stands out on both sides, half a pixel truncated.
  EXPECT_EQ(CentredPosition(QRect(10, 10, 100, 100), QSize(301, 100)), QPoint(10 - 100, 10));
}
