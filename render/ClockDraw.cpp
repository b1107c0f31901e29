#include "render/ClockDraw.h"

#include "engine/ViewProjection.h"
#include "render/GLIncludes.h"
#include "support/AnsiCodePage.h"

#include <algorithm>

namespace vexil {

namespace {

// The box of the opening window: 20 units each way.
constexpr double kBoxSize = 20.0;

} // namespace

TClockBox ClockBox(int AWidth, int AHeight) {
  if (AWidth <= 0 || AHeight <= 0) {
    return TClockBox{-10.0, 10.0, -10.0, 10.0};
  }
  // Pixels per unit, upright and across, in the opening window; their ratio is the glyphs'
  // proportion, kept at every shape. The smaller fit wins, so the clock never leaves the view.
  const double openingAspect =
      static_cast<double>(kDefaultViewWidth) / static_cast<double>(kDefaultViewHeight);
  const double upright = std::min(AHeight / kBoxSize, AWidth / (kBoxSize * openingAspect));
  const double across = upright * openingAspect;
  return TClockBox{10.0 - AWidth / across, 10.0, 10.0 - AHeight / upright, 10.0};
}

TClockDrawing::TClockDrawing() = default;

TClockDrawing::~TClockDrawing() = default;

void TClockDrawing::DrawScaled(const std::string& AText) const {
  glScaled(FTextScale, FTextScale, 1.0);
  FGlyphs->DrawText(AText);
  glScaled(1.0 / FTextScale, 1.0 / FTextScale, 1.0);
}

bool TClockDrawing::EnsureGlyphs() {
  if (!FGlyphs) {
    const QFont font = ClockFont();
    FTextScale = LineHeightScale(font);
    FGlyphs = std::make_unique<TClockGlyphs>(font);
  }
  return FGlyphs->Built();
}

void TClockDrawing::LoadBox(int AWidth, int AHeight) {
  const TClockBox box = ClockBox(AWidth, AHeight);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(box.Left, box.Right, box.Bottom, box.Top, 0, 1);
  // The text is placed on the projection matrix, which stays current: the glyphs' normals and
  // so their shading do not change with it.
}

void TClockDrawing::RestoreBox() {
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}

void TClockDrawing::DrawWord(const std::string& AUtf8Word, const TVertex3f& AColor, int AWidth,
                             int AHeight) {
  if (!EnsureGlyphs()) {
    return;
  }
  const std::string word = Utf8ToAnsi(AUtf8Word);
  const TClockBox box = ClockBox(AWidth, AHeight);
  // Three clock lines tall, centred on the view.
  constexpr double kWordScale = 3.0;
  const double width = FGlyphs->TextWidth(word) * FTextScale * kWordScale;
  LoadBox(AWidth, AHeight);
  glColor3f(AColor.X, AColor.Y, AColor.Z);
  glTranslated((box.Left + box.Right - width) / 2.0,
               (box.Bottom + box.Top) / 2.0 - kWordScale / 3.0, 0.0);
  glScaled(kWordScale, kWordScale, 1.0);
  DrawScaled(word);
  RestoreBox();
}

void TClockDrawing::Draw(const TGameClock& AClock, const TVertex3f& AColor, int AWidth, int AHeight,
                         int32_t AMoves) {
  if (!EnsureGlyphs()) {
    return;
  }
  LoadBox(AWidth, AHeight);
  glColor3f(AColor.X, AColor.Y, AColor.Z);
  // The places below are in the units of the box. The text is drawn with its line height as
  // the unit: in em units "Time: 00:00:00" would run from 3.8 to 10.47, past the right edge at
  // 10, and the day count would start beyond it. At line height both lines end near 9.8,
  // whatever the number of digits.
  glTranslatef(3.8f, 9.0f, 0.0f);
  const std::string time = "Time: " + AClock.SecondsToTimeStr();
  if (AMoves >= 0) {
    // The third line ends where the first does, one line further down than the second.
    const std::string moves = "Moves: " + std::to_string(AMoves);
    glPushMatrix();
    glTranslated((FGlyphs->TextWidth(time) - FGlyphs->TextWidth(moves)) * FTextScale, -2.6, 0.0);
    DrawScaled(moves);
    glPopMatrix();
  }
  DrawScaled(time);
  const std::string days = AClock.DaysToTimeStr();
  // From where the first line ended back to the start of the second, half a unit further left
  // per digit of the day count.
  glTranslatef(static_cast<float>(-2.55 - static_cast<double>(days.size()) / 2.0), -1.3f, 0.0f);
  DrawScaled("Days: " + days);
  RestoreBox();
}

} // namespace vexil
