#include "dialogs/DialogCentring.h"

#include <QRect>
#include <gtest/gtest.h>

using namespace vexil;

TEST(DialogCentring, CentresOverTheWindowFrameRoundingHalvesTowardZero) {
  EXPECT_EQ(CentredPosition(QRect(100, 50, 400, 300), QSize(200, 101)), QPoint(200, 149));
  // A box wider than its window stands out on both sides, half a pixel truncated.
  EXPECT_EQ(CentredPosition(QRect(10, 10, 100, 100), QSize(301, 100)), QPoint(10 - 100, 10));
}

TEST(DialogCentring, PlacesTheClientSoThatItsFrameStandsCentred) {
  // A title bar of 20 and borders of 1: the frame is 168 x 105 and stands at (307, 240) over
  // the window, so the client starts one border and one title bar further in.
  EXPECT_EQ(CentredClientRect(QRect(40, 30, 702, 525), QSize(166, 84), QMargins(1, 20, 1, 1)),
            QRect(308, 260, 166, 84));
  // Without a frame the client is the frame.
  EXPECT_EQ(CentredClientRect(QRect(0, 0, 100, 100), QSize(50, 20), QMargins()),
            QRect(25, 40, 50, 20));
}
