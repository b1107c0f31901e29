// What a drag measures: the vector from the press with y upwards, the 5-pixel threshold, the
// angle it shows, and how far it deviates from the screen direction of a cube axis.
#include "engine/DragTracker.h"
#include "engine/MatrixMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace vexil;

namespace {

// The depth, screen-x and screen-y elements of the cube's X and Y axes in a view matrix.
const TIntVector kXAxis{2, 0, 1};
const TIntVector kYAxis{6, 4, 5};

TDragTracker DragBy(int32_t ADX, int32_t ADY) {
  TDragTracker drag;
  drag.SetViewSize(800, 600);
  drag.Press(400, 300);
  drag.Move(400 + ADX, 300 + ADY);
  return drag;
}

} // namespace

TEST(DragTracker, MeasuresFromThePressWithYUpwards) {
  const TDragTracker drag = DragBy(3, -4); // right and up on the screen
  EXPECT_EQ(drag.MouseDownCoord().X, 400);
  EXPECT_EQ(drag.MouseVector().X, 3);
  EXPECT_EQ(drag.MouseVector().Y, 4);
  EXPECT_EQ(drag.MouseVectorLength(), 5.0f);
  EXPECT_EQ(drag.MouseUnitVector().X, 0.6f);
  EXPECT_EQ(drag.MouseUnitVector().Y, 0.8f);
  EXPECT_EQ(drag.DParam(), 700.0f);
  EXPECT_EQ(drag.OfsParam(), 700.0f);
}

TEST(DragTracker, ActsOnlyBeyondFivePixelsRounded) {
  EXPECT_FALSE(DragBy(0, 5).BeyondThreshold());
  EXPECT_FALSE(DragBy(5, 2).BeyondThreshold()); // 5.39 rounds to 5
  EXPECT_TRUE(DragBy(4, 4).BeyondThreshold());  // 5.66 rounds to 6
  EXPECT_TRUE(DragBy(-6, 0).BeyondThreshold());
  TDragTracker released = DragBy(0, 80);
  released.Release();
  EXPECT_FALSE(released.BeyondThreshold());
  EXPECT_EQ(released.Angle(), 0.0f);
  // Coordinates far outside any screen still measure, without overflow.
  TDragTracker far;
  far.Press(std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max());
  far.Move(std::numeric_limits<int32_t>::max(), std::numeric_limits<int32_t>::min());
  EXPECT_TRUE(std::isfinite(far.MouseVectorLength()));
  EXPECT_TRUE(far.BeyondThreshold());
}

TEST(DragTracker, ShowsThreeQuartersOfADegreePerPixelUpToAQuarterTurn) {
  EXPECT_EQ(DragBy(0, -60).Angle(), 45.0f);
  EXPECT_EQ(DragBy(0, -61).Angle(), 45.75f);
  EXPECT_EQ(DragBy(120, 0).Angle(), 90.0f);
  EXPECT_EQ(DragBy(300, 0).Angle(), 90.0f);
}

TEST(DragTracker, DeviationFromTheScreenDirectionOfAnAxis) {
  const TMatrix identity = IdentityMatrix();
  EXPECT_EQ(DragBy(80, 0).DeviationDegrees(kXAxis, 1, identity), 0.0f);
  EXPECT_EQ(DragBy(80, 0).DeviationDegrees(kXAxis, -1, identity), 180.0f);
  EXPECT_EQ(DragBy(0, -80).DeviationDegrees(kXAxis, 1, identity), 90.0f);
  EXPECT_EQ(DragBy(0, -80).DeviationDegrees(kYAxis, 1, identity), 0.0f);
  EXPECT_NEAR(DragBy(80, -80).DeviationDegrees(kYAxis, 1, identity), 45.0f, 1e-4);
  // Under a view turned 90 degrees about the screen's z axis, the cube's X axis points up.
  TMatrix turned = identity;
  turned[0] = 0.0f;
  turned[1] = 1.0f;
  turned[4] = -1.0f;
  turned[5] = 0.0f;
  EXPECT_EQ(DragBy(0, -80).DeviationDegrees(kXAxis, 1, turned), 0.0f);
  // No drag, or no view size yet: no direction to compare.
  EXPECT_TRUE(std::isnan(DragBy(0, 0).DeviationDegrees(kXAxis, 1, identity)));
  TDragTracker unsized;
  unsized.Press(0, 0);
  unsized.Move(80, 0);
  EXPECT_TRUE(std::isnan(unsized.DeviationDegrees(kXAxis, 1, identity)));
}
