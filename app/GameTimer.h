// The game clock: whole seconds and days of play, counted by a one-second tick, and drawn over
// the scene as two lines of extruded text ("Time: hh:mm:ss", "Days: n").
#pragma once

#include "app/GameSettings.h"
#include "render/ClockGlyphs.h"

#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace vexil {

constexpr int32_t kSecondsPerDay = 86400;

class TGameTimer {
public:
  // Builds the glyphs in the OpenGL context current now; without one the clock still counts
  // but draws nothing.
  TGameTimer();
  ~TGameTimer();
  TGameTimer(const TGameTimer&) = delete;
  TGameTimer& operator=(const TGameTimer&) = delete;

  // Both counts to 0, then start the tick.
  void Reset();
  // Start the tick without touching the counts; a running tick keeps its period.
  void Resume();
  void Stop();
  bool Running() const { return FTimer.isActive(); }

  // One second of play: the tick calls it; the day rolls over at 86400 seconds.
  void TimerTick();

  // The time of day of the counts, "hh:mm:ss".
  std::string SecondsToTimeStr() const;
  std::string DaysToTimeStr() const;

  // The two lines of the clock, in the current frame (depth test on, any modelview matrix).
  void DrawTimer() const;
  bool TimerIsInitialized() const { return FTimerIsInitialized; }

  int32_t DaysCount() const { return FDaysCount; }
  void SetDaysCount(int32_t AValue) { FDaysCount = AValue; }
  int32_t SecondCount() const { return FSecondCount; }
  void SetSecondCount(int32_t AValue) { FSecondCount = AValue; }
  TGameSettings* GameSettingsLink() const { return FGameSettingsLink; }
  void SetGameSettingsLink(TGameSettings* AValue) { FGameSettingsLink = AValue; }
  // Runs after every tick, so a shown clock can be redrawn.
  void SetOnTick(std::function<void()> AValue) { FOnTick = std::move(AValue); }

private:
  void DrawGLText(const std::string& AText) const;

  QTimer FTimer;
  int32_t FDaysCount = 0;
  int32_t FSecondCount = 0;
  bool FTimerIsInitialized = false;
  double FTextScale = 1.0;
  std::unique_ptr<TClockGlyphs> FGlyphs;
  TGameSettings* FGameSettingsLink = nullptr;
  std::function<void()> FOnTick;
};

} // namespace vexil
