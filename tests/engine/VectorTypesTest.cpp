// The shared value types' routines: point transforms, exact comparisons, colour packing, rounding.
#include "engine/VectorTypes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace vexil;

TEST(TransformVertex, IdentityKeepsAndTranslationAddsWhileTheFourthRowIsIgnored) {
  TMatrix m = IdentityMatrix();
  TVertex3f v{0.3f, -7.25f, 1e-8f};
  TransformVertex(v, m);
  EXPECT_TRUE(SameVertex(v, TVertex3f{0.3f, -7.25f, 1e-8f}));

  m[12] = 1.0f;
  m[13] = -2.0f;
  m[14] = 0.5f;
  m[3] = m[7] = m[11] = 9.0f; // no projective part is applied
  m[15] = 4.0f;
  TVertex3f p{1.0f, 2.0f, 3.0f};
  TransformVertex(p, m);
  EXPECT_TRUE(SameVertex(p, TVertex3f{2.0f, 0.0f, 3.5f}));
}

TEST(TransformVertex, UsesColumnMajorOrderAndTheOldComponentsThroughout) {
  // A quarter turn about z: the image of x is y, the image of y is -x.
  TMatrix m = IdentityMatrix();
  m[0] = 0.0f;
  m[1] = 1.0f;
  m[4] = -1.0f;
  m[5] = 0.0f;
  TVertex3f v{1.0f, 2.0f, 3.0f};
  TransformVertex(v, m);
  EXPECT_TRUE(SameVertex(v, TVertex3f{-2.0f, 1.0f, 3.0f}));
}

TEST(TransformVertex, RoundsEachResultOnceFromDoubleArithmetic) {
  TMatrix m = IdentityMatrix();
  m[0] = 0.1f;
  m[4] = 0.2f;
  m[12] = 0.3f;
  TVertex3f v{3.0f, 7.0f, 0.0f};
  TransformVertex(v, m);
  const double exact = 3.0 * double(0.1f) + 7.0 * double(0.2f) + double(0.3f);
  EXPECT_EQ(v.X, static_cast<float>(exact));
}

TEST(SameVertex, IsExactNumericEquality) {
  EXPECT_TRUE(SameVertex(TVertex3f{0.0f, -0.0f, 0.0f}, TVertex3f{0.0f, 0.0f, 0.0f}));
  // The next Single above 0.3 (0.30000001 as a literal is 0.3 itself in single precision).
  const float justAbove = std::nextafter(0.3f, 1.0f);
  EXPECT_FALSE(SameVertex(TVertex3f{0.3f, 0.3f, 0.3f}, TVertex3f{0.3f, 0.3f, justAbove}));
  const float nan = std::nanf("");
  EXPECT_FALSE(SameVertex(TVertex3f{nan, 0.0f, 0.0f}, TVertex3f{nan, 0.0f, 0.0f}));
  EXPECT_TRUE(SameIntVector(TIntVector{0, 3, 0}, TIntVector{0, 3, 0}));
  EXPECT_FALSE(SameIntVector(TIntVector{0, 3, 0}, TIntVector{0, 0, 3}));
}

TEST(ColourPacking, RoundsHalfToEvenOnTheSingleValueAndWrapsOutOfRange) {
  EXPECT_EQ(Vertex3fToColor(TVertex3f{1.0f, 0.5f, 0.0f}), 0x000080FF); // 127.5 -> 128
  // 0.3f is 0.300000011920929: x 255 = 76.500003, which rounds up to 77.
  EXPECT_EQ(Vertex3fToColor(TVertex3f{0.3f, 0.3f, 0.3f}), 0x004D4D4D);
  EXPECT_EQ(Vertex3fToColor(TVertex3f{1.0f, 1.0f, 1.0f}), 0x00FFFFFF);
  EXPECT_EQ(Vertex3fToColor(TVertex3f{0.0f, 0.0f, 0.0f}), 0);
  // 2 x 255 = 510 = 0x1FE and -1 x 255 = -255 = ...FF01: each keeps its low byte.
  EXPECT_EQ(Vertex3fToColor(TVertex3f{2.0f, -1.0f, 0.0f}), 0x000001FE);
}

TEST(ColourPacking, ComponentsBeyondEveryIntegerSaturateAndNaNPacksAsZero) {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float huge = std::numeric_limits<float>::max();
  EXPECT_EQ(Vertex3fToColor(TVertex3f{inf, -inf, nan}), 0x000000FF);
  EXPECT_EQ(Vertex3fToColor(TVertex3f{-huge, huge, 1e30f}), 0x00FFFF00);
  EXPECT_EQ(Vertex3fToColor(TVertex3f{nan, 1.0f, -1e30f}), 0x0000FF00);
  EXPECT_EQ(ColorComponentByte(inf), 0xFF);
  EXPECT_EQ(ColorComponentByte(-inf), 0x00);
  EXPECT_EQ(ColorComponentByte(nan), 0x00);
  EXPECT_EQ(ColorComponentByte(0.5f), 0x80);
}

TEST(ColourPacking, UnpacksTheLowThreeBytes) {
  const TVertex3f orange = ColorToVertex3f(0x000080FF);
  EXPECT_EQ(orange.X, 1.0f);
  EXPECT_EQ(orange.Y, static_cast<float>(128.0 / 255.0));
  EXPECT_EQ(orange.Z, 0.0f);
  EXPECT_TRUE(SameVertex(ColorToVertex3f(static_cast<int32_t>(0xFF0000FFu)), TVertex3f{1, 0, 0}));
  for (const int32_t packed : {0x00000000, 0x00123456, 0x00FFFFFF, 0x004D4D4D}) {
    EXPECT_EQ(Vertex3fToColor(ColorToVertex3f(packed)), packed);
  }
}

TEST(Rounding, TiesGoToEven) {
  EXPECT_EQ(Round(2.5), 2);
  EXPECT_EQ(Round(3.5), 4);
  EXPECT_EQ(Round(-2.5), -2);
  EXPECT_EQ(Round(2.5000001), 3);
  EXPECT_EQ(Round(-0.4), 0);
}

TEST(Rounding, ClampsToTheIntegerRangeAndTakesNaNAsZero) {
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
  const double inf = std::numeric_limits<double>::infinity();
  const double twoTo63 = 9223372036854775808.0;
  EXPECT_EQ(Round(inf), kMax);
  EXPECT_EQ(Round(-inf), kMin);
  EXPECT_EQ(Round(1e300), kMax);
  EXPECT_EQ(Round(-1e300), kMin);
  EXPECT_EQ(Round(twoTo63), kMax);  // one beyond the largest integer
  EXPECT_EQ(Round(-twoTo63), kMin); // the smallest integer itself
  EXPECT_EQ(Round(std::nextafter(twoTo63, 0.0)), 9223372036854774784);
  EXPECT_EQ(Round(std::nextafter(-twoTo63, -inf)), kMin);
  EXPECT_EQ(Round(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(Round(-std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(ArcCosDegrees, CoversTheRangeAndGivesNaNOutsideIt) {
  EXPECT_DOUBLE_EQ(ArcCosDegrees(1.0), 0.0);
  EXPECT_DOUBLE_EQ(ArcCosDegrees(0.0), 90.0);
  EXPECT_DOUBLE_EQ(ArcCosDegrees(-1.0), 180.0);
  EXPECT_NEAR(ArcCosDegrees(0.5), 60.0, 1e-12);
  EXPECT_TRUE(std::isnan(ArcCosDegrees(1.0000001)));
  EXPECT_TRUE(std::isnan(ArcCosDegrees(std::nan(""))));
}
