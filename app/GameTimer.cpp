#include "app/GameTimer.h"

#include "render/GLIncludes.h"

namespace vexil {

namespace {

constexpr int kTickIntervalMs = 1000;

std::string TwoDigits(int32_t AValue) {
  std::string text = std::to_string(AValue);
  if (text.size() == 1) {
    text.insert(0, "0");
  }
  return text;
}

} // namespace

TGameTimer::TGameTimer()
    : FTextScale(LineHeightScale(ClockFont())),
      FGlyphs(std::make_unique<TClockGlyphs>(ClockFont())) {
  FTimer.setInterval(kTickIntervalMs);
  FTimer.setTimerType(Qt::PreciseTimer);
  QObject::connect(&FTimer, &QTimer::timeout, [this] { TimerTick(); });
  FTimerIsInitialized = FGlyphs->Built();
}

TGameTimer::~TGameTimer() = default;

void TGameTimer::Reset() {
  FDaysCount = 0;
  FSecondCount = 0;
  // A restarted game counts its first second from now, not from the old period.
  FTimer.start();
}

void TGameTimer::Resume() {
  if (!FTimer.isActive()) {
    FTimer.start();
  }
}

void TGameTimer::Stop() {
  FTimer.stop();
}

void TGameTimer::TimerTick() {
  ++FSecondCount;
  if (FSecondCount >= kSecondsPerDay) {
    FSecondCount = 0;
    ++FDaysCount;
  }
  if (FOnTick) {
    FOnTick();
  }
}

std::string TGameTimer::SecondsToTimeStr() const {
  const int32_t hours = FSecondCount / 3600;
  const int32_t minutes = (FSecondCount % 3600) / 60;
  const int32_t seconds = (FSecondCount % 3600) % 60;
  return TwoDigits(hours) + ":" + TwoDigits(minutes) + ":" + TwoDigits(seconds);
}

std::string TGameTimer::DaysToTimeStr() const {
  return std::to_string(FDaysCount);
}

void TGameTimer::DrawGLText(const std::string& AText) const {
  FGlyphs->DrawText(AText);
}

void TGameTimer::DrawTimer() const {
  if (!FTimerIsInitialized) {
    return;
  }
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(-10, 10, -10, 10, 0, 1);
  if (FGameSettingsLink != nullptr) {
    const TVertex3f& color = FGameSettingsLink->TimerColor();
    glColor3f(color.X, color.Y, color.Z);
  }
  // The places below are in the units of the ortho projection. The text is drawn with its
  // line height as the unit: in em units "Time: 00:00:00" would run from 3.8 to 10.47, past
  // the right edge at 10, and the day count would start beyond it. At line height both lines
  // end near 9.8, whatever the number of digits.
  const auto drawScaled = [this](const std::string& AText) {
    glScaled(FTextScale, FTextScale, 1.0);
    DrawGLText(AText);
    glScaled(1.0 / FTextScale, 1.0 / FTextScale, 1.0);
  };
  glTranslatef(3.8f, 9.0f, 0.0f);
  drawScaled("Time: " + SecondsToTimeStr());
  const std::string days = DaysToTimeStr();
  // From where the first line ended back to the start of the second, half a unit further left
  // per digit of the day count.
  glTranslatef(static_cast<float>(-2.55 - static_cast<double>(days.size()) / 2.0), -1.3f, 0.0f);
  drawScaled("Days: " + days);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}

} // namespace vexil
