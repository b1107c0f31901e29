#include "app/GameTimer.h"
#include "render/ClockGlyphs.h"
#include "render/GLIncludes.h"
#include "render/OffscreenContext.h"
#include "tests/app/SettingsTestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QPainterPath>
#include <QTransform>
#include <gtest/gtest.h>

#include <memory>

using namespace vexil;

namespace {

void Tick(TGameTimer& ATimer, int ACount) {
  for (int i = 0; i < ACount; ++i) {
    ATimer.TimerTick();
  }
}

// Number of pixels of the picture whose red channel is lit.
int LitPixels(const std::vector<uint8_t>& ARgba) {
  int count = 0;
  for (size_t i = 0; i < ARgba.size(); i += 4) {
    count += ARgba[i] > 128 ? 1 : 0;
  }
  return count;
}

} // namespace

TEST(GameClock, FormatsTheTimeOfDayAndRollsOverAtMidnight) {
  TGameTimer timer;
  EXPECT_EQ(timer.SecondsToTimeStr(), "00:00:00");
  Tick(timer, 7);
  EXPECT_EQ(timer.SecondsToTimeStr(), "00:00:07");
  timer.SetSecondCount(3661);
  EXPECT_EQ(timer.SecondsToTimeStr(), "01:01:01");
  timer.SetSecondCount(13 * 3600 + 5 * 60 + 42);
  EXPECT_EQ(timer.SecondsToTimeStr(), "13:05:42");
  timer.SetSecondCount(86399);
  EXPECT_EQ(timer.SecondsToTimeStr(), "23:59:59");
  EXPECT_EQ(timer.DaysToTimeStr(), "0");
  Tick(timer, 1);
  EXPECT_EQ(timer.SecondsToTimeStr(), "00:00:00");
  EXPECT_EQ(timer.DaysCount(), 1);
  timer.SetDaysCount(12);
  EXPECT_EQ(timer.DaysToTimeStr(), "12");
}

TEST(GameClock, ResumeKeepsLoadedCountsAndResetClearsThem) {
  TGameTimer timer;
  EXPECT_FALSE(timer.Running());
  timer.SetDaysCount(1);
  timer.SetSecondCount(100);
  timer.Resume();
  EXPECT_TRUE(timer.Running());
  EXPECT_EQ(timer.SecondsToTimeStr(), "00:01:40");
  Tick(timer, 1);
  EXPECT_EQ(timer.SecondsToTimeStr(), "00:01:41");
  EXPECT_EQ(timer.DaysToTimeStr(), "1");
  timer.Stop();
  EXPECT_FALSE(timer.Running());
  timer.Reset();
  EXPECT_TRUE(timer.Running());
  EXPECT_EQ(timer.SecondCount(), 0);
  EXPECT_EQ(timer.DaysCount(), 0);
}

TEST(GameClock, TheRealTickCountsSecondsAndReportsEachOne) {
  TGameTimer timer;
  int ticks = 0;
  timer.SetOnTick([&] { ++ticks; });
  timer.Reset();
  QElapsedTimer elapsed;
  elapsed.start();
  // A loaded machine may deliver a tick late, never early: wait for two, then check they took
  // two seconds and each was reported.
  while (timer.SecondCount() < 2 && elapsed.elapsed() < 10000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  }
  EXPECT_GE(elapsed.elapsed(), 1900);
  EXPECT_EQ(timer.SecondCount(), 2);
  EXPECT_EQ(ticks, 2);
}

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
  vexil::testing::TTempFolder folder;
  TGameSettings settings(folder.File("vexil_cube.ini"));
  settings.SetTimerColor({1.0f, 0.0f, 0.0f});
  TOffscreenFramebuffer framebuffer(400, 400, 0);
  TGameTimer timer;
  ASSERT_TRUE(timer.TimerIsInitialized());
  timer.SetGameSettingsLink(&settings);
  glViewport(0, 0, 400, 400);
  glClearColor(0, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_DEPTH_TEST);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glRotatef(40.0f, 0.0f, 1.0f, 0.0f); // the clock ignores the cube's orientation
  timer.DrawTimer();
  GLfloat matrix[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
  EXPECT_NEAR(matrix[0], std::cos(40.0 * M_PI / 180.0), 1e-5); // modelview restored
  const std::vector<uint8_t> pixels = framebuffer.ReadPixels();
  // x 3.8 of -10..10 is pixel 276, y 9.0 is 20 pixels from the top; the second line is 1.3
  // units (26 pixels) lower, so nothing lies left of x 3.8 and everything lies above y 6.5.
  int litLeft = 0;
  int litTop = 0;
  int litBelow = 0;
  int litDayDigit = 0;
  int rightmost = 0;
  for (int y = 0; y < 400; ++y) {
    for (int x = 0; x < 400; ++x) {
      const bool lit = pixels[(y * 400 + x) * 4] > 128;
      litLeft += lit && x < 270 ? 1 : 0;
      litTop += lit && y < 22 ? 1 : 0;
      litBelow += lit && y > 70 ? 1 : 0;
      // The day count is the last glyph of the second line (baseline 46 pixels down).
      litDayDigit += lit && x >= 380 && y >= 28 && y <= 48 ? 1 : 0;
      rightmost = lit ? std::max(rightmost, x) : rightmost;
      EXPECT_FALSE(lit && pixels[(y * 400 + x) * 4 + 1] > 128);
    }
  }
  EXPECT_GT(LitPixels(pixels), 200);
  EXPECT_EQ(litLeft, 0);
  EXPECT_GT(litTop, 0);
  EXPECT_EQ(litBelow, 0);
  // Both lines fit: nothing is cut at the right edge, and the day count shows.
  EXPECT_LT(rightmost, 398);
  EXPECT_GT(rightmost, 385);
  EXPECT_GT(litDayDigit, 10);
}

TEST(ClockGlyphs, TextIsScaledToItsLineHeight) {
  // Arial's line (ascent 1854 + descent 434 of 2048) is 1.117 em.
  EXPECT_NEAR(LineHeightScale(ClockFont()), 2048.0 / 2288.0, 0.01);
}
