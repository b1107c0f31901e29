// The game clock's counting: whole seconds of the day and whole days of play. What makes it tick
// (a one-second timer of the window) and what draws it (render/) live elsewhere; the clock only
// counts, so the rules of a game can be tested without a timer or a screen.
#pragma once

#include <cstdint>
#include <string>

namespace vexil {

constexpr int32_t kSecondsPerDay = 86400;

class TGameClock {
public:
  // Both counts to 0, and counting.
  void Reset();
  // Counting again from the counts as they stand (a loaded game goes on from its time).
  void Resume() { FRunning = true; }
  void Stop() { FRunning = false; }
  bool Running() const { return FRunning; }

  // One second of play; the day rolls over at 86400 seconds. Does nothing while stopped.
  void Tick();

  // Sets the counts; seconds of a day or more are carried into the days, negative counts become
  // 0 and the days stop at the largest count rather than wrapping.
  void SetTime(int32_t ADays, int32_t ASeconds);

  // The time of day of the counts, "hh:mm:ss", and the day count.
  std::string SecondsToTimeStr() const;
  std::string DaysToTimeStr() const;

  int32_t DaysCount() const { return FDaysCount; }
  int32_t SecondCount() const { return FSecondCount; }

private:
  int32_t FDaysCount = 0;
  int32_t FSecondCount = 0;
  bool FRunning = false;
};

} // namespace vexil
