#include "render/DragPixels.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

using namespace vexil;

namespace {

bool Same(const TPoint& A, const TPoint& B) {
  return A.X == B.X && A.Y == B.Y;
}

} // namespace

TEST(DragPixels, TheWayFromThePressIsCountedInLogicalPixels) {
  // At 200 % a way of 100 device pixels is 50 logical ones, in both directions and signs.
  EXPECT_TRUE(Same(LogicalDragPoint({200, 300}, {300, 300}, 2.0), {250, 300}));
  EXPECT_TRUE(Same(LogicalDragPoint({200, 300}, {160, 220}, 2.0), {180, 260}));
  // At 100 % nothing changes.
  EXPECT_TRUE(Same(LogicalDragPoint({10, 20}, {17, -3}, 1.0), {17, -3}));
  // Fractional scales round to the nearest pixel, halves away from the press.
  EXPECT_TRUE(Same(LogicalDragPoint({0, 0}, {10, -10}, 1.5), {7, -7}));
  EXPECT_TRUE(Same(LogicalDragPoint({0, 0}, {11, -11}, 2.0), {6, -6}));
  // No way at all stays at the press.
  EXPECT_TRUE(Same(LogicalDragPoint({5, 5}, {5, 5}, 3.0), {5, 5}));
}

TEST(DragPixels, ABrokenRatioCountsAsOneAndTheResultStaysAnInteger) {
  for (const double ratio : {0.0, -2.0, std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_TRUE(Same(LogicalDragPoint({1, 2}, {30, 40}, ratio), {30, 40})) << ratio;
  }
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  EXPECT_TRUE(Same(LogicalDragPoint({0, 0}, {kMax, kMin}, 0.25), {kMax, kMin}));
}
