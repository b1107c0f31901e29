#include "engine/GameClock.h"

#include <limits>

namespace vexil {

namespace {

std::string TwoDigits(int32_t AValue) {
  std::string text = std::to_string(AValue);
  if (text.size() == 1) {
    text.insert(0, "0");
  }
  return text;
}

} // namespace

void TGameClock::Reset() {
  FDaysCount = 0;
  FSecondCount = 0;
  FRunning = true;
}

void TGameClock::Tick() {
  if (!FRunning) {
    return;
  }
  SetTime(FDaysCount, FSecondCount + 1);
}

void TGameClock::SetTime(int32_t ADays, int32_t ASeconds) {
  const int64_t seconds = ASeconds < 0 ? 0 : ASeconds;
  const int64_t days = static_cast<int64_t>(ADays < 0 ? 0 : ADays) + seconds / kSecondsPerDay;
  constexpr int64_t kMaxDays = std::numeric_limits<int32_t>::max();
  FDaysCount = static_cast<int32_t>(days > kMaxDays ? kMaxDays : days);
  FSecondCount = static_cast<int32_t>(seconds % kSecondsPerDay);
}

std::string TGameClock::SecondsToTimeStr() const {
  const int32_t hours = FSecondCount / 3600;
  const int32_t minutes = (FSecondCount % 3600) / 60;
  const int32_t seconds = FSecondCount % 60;
  return TwoDigits(hours) + ":" + TwoDigits(minutes) + ":" + TwoDigits(seconds);
}

std::string TGameClock::DaysToTimeStr() const {
  return std::to_string(FDaysCount);
}

} // namespace vexil
