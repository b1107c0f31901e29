#include "render/ClockDraw.h"
#include "render/ClockGlyphs.h"
#include "render/GLIncludes.h"
#include "render/OffscreenContext.h"

#include <QFontInfo>
#include <QPainterPath>
#include <QTransform>
#include <gtest/gtest.h>

#include <memory>

using namespace vexil;

namespace {

// Number of pixels of the picture whose red channel is lit.
int LitPixels(const std::vector<uint8_t>& ARgba) {
  int count = 0;
  for (size_t i = 0; i < ARgba.size(); i += 4) {
    count += ARgba[i] > 128 ? 1 : 0;
  }
  return count;
}

} // namespace

TEST(ClockGlyphs, OutlinesUseTheEmSquareAsUnit) {
  const QFont font = ClockFont();
  const TGlyphOutline zero = GlyphOutline(font, '0');
  // Digits of the Arial metrics are 1139/2048 of the em wide.
  EXPECT_NEAR(zero.Advance, 1139.0 / 2048.0, 0.002);
  ASSERT_EQ(zero.Contours.size(), 2u); // the outer ring and the counter
  double top = 0.0;
  double bottom = 1.0;
  for (const QPointF& point : zero.Contours[0]) {
    top = std::max(top, point.y());
    bottom = std::min(bottom, point.y());
  }
  EXPECT_NEAR(top, 0.72, 0.03); // digit height above the baseline, y up
  EXPECT_NEAR(bottom, 0.0, 0.03);
  EXPECT_TRUE(GlyphOutline(font, ' ').Contours.empty());
  EXPECT_GT(GlyphOutline(font, ' ').Advance, 0.2);
  EXPECT_TRUE(GlyphOutline(font, 10).Contours.empty());
  EXPECT_FALSE(GlyphOutline(font, 0xC4).Contours.empty()); // Cyrillic capital De
}

// Curved glyphs must keep their shape: a coarse flattening turns an "o" into an octagon and
// closes the eye of an "e". The flattened ring of "o" must hold nearly the area Qt fills for it.
TEST(ClockGlyphs, CurvesAreFlattenedFinely) {
  const QFont font = ClockFont();
  const TGlyphOutline o = GlyphOutline(font, 'o');
  ASSERT_EQ(o.Contours.size(), 2u);
  auto area = [](const QPolygonF& APolygon) {
    double twice = 0.0;
    for (int i = 0; i < APolygon.size(); ++i) {
      const QPointF& p = APolygon[i];
      const QPointF& q = APolygon[(i + 1) % APolygon.size()];
      twice += p.x() * q.y() - q.x() * p.y();
    }
    return std::abs(twice) / 2.0;
  };
  QPainterPath path;
  path.addText(0.0, 0.0, font, QStringLiteral("o"));
  const double em = QFontInfo(font).pixelSize();
  double filled = 0.0; // the exact ring area, from a very fine flattening
  const QTransform fine = QTransform::fromScale(64.0, 64.0);
  const auto rings = path.toSubpathPolygons(fine);
  ASSERT_EQ(rings.size(), 2);
  filled = (area(rings[0]) - area(rings[1])) / (64.0 * 64.0 * em * em);
  const double ours = area(o.Contours[0]) - area(o.Contours[1]);
  EXPECT_NEAR(ours, filled, filled * 0.01);
  EXPECT_GE(GlyphOutline(font, 'e').Contours[0].size(), 40);
}

class GlyphListsTest : public ::testing::Test {
protected:
  void SetUp() override {
    FContext = TOffscreenContext::TryCreate();
    if (!FContext) {
      GTEST_SKIP() << "no OpenGL context available";
    }
  }
  std::unique_ptr<TOffscreenContext> FContext;
};

TEST_F(GlyphListsTest, BuildsTwoHundredFiftyFiveListsFromThousand) {
  const TClockGlyphs glyphs(ClockFont());
  ASSERT_TRUE(glyphs.Built());
  for (GLuint list = kClockGlyphListBase; list < kClockGlyphListBase + kClockGlyphCount; ++list) {
    EXPECT_TRUE(glIsList(list)) << list;
  }
  EXPECT_FALSE(glIsList(kClockGlyphListBase + kClockGlyphCount));
  // Each list leaves the pen one glyph width further right.
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glyphs.DrawText("00");
  GLfloat matrix[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
  EXPECT_NEAR(matrix[12], 2 * 1139.0 / 2048.0, 0.004);
}

TEST_F(GlyphListsTest, DrawsTwoLinesInTheTopRightCornerInTheTimerColour) {
  constexpr int kWidth = 716;
  constexpr int kHeight = 466;
  TOffscreenFramebuffer framebuffer(kWidth, kHeight, 0);
  TClockDrawing drawing;
  EXPECT_FALSE(drawing.GlyphsBuilt()); // not before the clock is first drawn
  TGameClock clock;
  clock.SetTime(7, 3600);
  glViewport(0, 0, kWidth, kHeight);
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_DEPTH_TEST);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glRotatef(40.0f, 0.0f, 1.0f, 0.0f); // the clock ignores the cube's orientation
  drawing.Draw(clock, TVertex3f{1.0f, 0.0f, 0.0f}, kWidth, kHeight);
  ASSERT_TRUE(drawing.GlyphsBuilt());
  GLfloat matrix[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
  EXPECT_NEAR(matrix[0], std::cos(40.0 * M_PI / 180.0), 1e-5); // modelview restored
  const std::vector<uint8_t> pixels = framebuffer.ReadPixels();
  // In the opening window's box, x 3.8 of -10..10 is pixel 494 and y 9.0 is 23 pixels from the
  // top; the second line's baseline is 1.3 units (30 pixels) lower, so nothing lies left of
  // x 3.8 and everything lies above y 6.5 (pixel 81).
  int litLeft = 0;
  int litTop = 0;
  int litBelow = 0;
  int litDayDigit = 0;
  int rightmost = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const bool lit = pixels[(y * kWidth + x) * 4] > 128;
      litLeft += lit && x < 488 ? 1 : 0;
      litTop += lit && y < 25 ? 1 : 0;
      litBelow += lit && y > 81 ? 1 : 0;
      // The day count is the last glyph of the second line.
      litDayDigit += lit && x >= 690 && y >= 36 && y <= 56 ? 1 : 0;
      rightmost = lit ? std::max(rightmost, x) : rightmost;
      EXPECT_FALSE(lit && pixels[(y * kWidth + x) * 4 + 1] > 128);
    }
  }
  EXPECT_GT(LitPixels(pixels), 300);
  EXPECT_EQ(litLeft, 0);
  EXPECT_GT(litTop, 0);
  EXPECT_EQ(litBelow, 0);
  // Both lines fit: nothing is cut at the right edge, and the day count shows.
  EXPECT_LT(rightmost, kWidth - 2);
  EXPECT_GT(rightmost, kWidth - 30);
  EXPECT_GT(litDayDigit, 10);
}

// Pixels per unit across over pixels per unit upright: the glyphs' proportion.
double Proportion(const TClockBox& ABox, int AWidth, int AHeight) {
  return (AWidth / (ABox.Right - ABox.Left)) / (AHeight / (ABox.Top - ABox.Bottom));
}

TEST(ClockBox, KeepsTheGlyphsProportionsAndTheTopRightCornerAtEveryShape) {
  const TClockBox opening = ClockBox(716, 466);
  EXPECT_DOUBLE_EQ(opening.Left, -10.0);
  EXPECT_DOUBLE_EQ(opening.Bottom, -10.0);
  const double proportion = 716.0 / 466.0;
  for (const auto& [width, height] :
       {std::pair{716, 466}, std::pair{2000, 300}, std::pair{320, 900}, std::pair{320, 240},
        std::pair{3840, 2160}, std::pair{1, 1}}) {
    const TClockBox box = ClockBox(width, height);
    EXPECT_DOUBLE_EQ(box.Right, 10.0) << width << "x" << height;
    EXPECT_DOUBLE_EQ(box.Top, 10.0) << width << "x" << height;
    EXPECT_NEAR(Proportion(box, width, height), proportion, 1e-9) << width << "x" << height;
    // The text's region, x 3.8 to 10 and y 7 to 10, stays inside the view.
    EXPECT_LE(box.Left, 3.8) << width << "x" << height;
    EXPECT_LE(box.Bottom, 7.0) << width << "x" << height;
  }
  // A wide, low window keeps the clock at the height of the opening one.
  EXPECT_DOUBLE_EQ(ClockBox(2000, 466).Bottom, -10.0);
  // An empty view gets the opening box rather than a division by zero.
  EXPECT_DOUBLE_EQ(ClockBox(0, 0).Left, -10.0);
}

TEST(ClockGlyphs, TextIsScaledToItsLineHeight) {
  // Arial's line (ascent 1854 + descent 434 of 2048) is 1.117 em.
  EXPECT_NEAR(LineHeightScale(ClockFont()), 2048.0 / 2288.0, 0.01);
}

TEST_F(GlyphListsTest, TheMoveCounterIsAThirdLineUnderTheClock) {
  constexpr int kWidth = 716;
  constexpr int kHeight = 466;
  TOffscreenFramebuffer framebuffer(kWidth, kHeight, 0);
  TClockDrawing drawing;
  const TGameClock clock;
  const auto draw = [&](int32_t AMoves) {
    glViewport(0, 0, kWidth, kHeight);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    drawing.Draw(clock, TVertex3f{1.0f, 1.0f, 1.0f}, kWidth, kHeight, AMoves);
    const std::vector<uint8_t> pixels = framebuffer.ReadPixels();
    // Lit pixels of the band below the second line (6.5 down to 5.5 units: pixels 81 to 105).
    int below = 0;
    int rightmost = 0;
    for (int y = 82; y < 106; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const bool lit = pixels[(y * kWidth + x) * 4] > 128;
        below += lit ? 1 : 0;
        rightmost = lit ? std::max(rightmost, x) : rightmost;
      }
    }
    return std::pair{below, rightmost};
  };
  EXPECT_EQ(draw(-1).first, 0);
  const auto [lit, rightmost] = draw(12);
  EXPECT_GT(lit, 100);
  // It ends where the time line ends, inside the view.
  EXPECT_GT(rightmost, kWidth - 30);
  EXPECT_LT(rightmost, kWidth - 2);
}
