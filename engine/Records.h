// The player's personal records: one line per solved game in a text file a person can read
// (tab-separated: date, size, difficulty, days, seconds, moves, scramble), appended when a game is
// won and never rewritten, and the figures cubers use, worked out from it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vexil {

struct TSolveRecord {
  std::string Date; // ISO 8601, "2026-12-09T14:05:00"
  int32_t Degree = 0;
  std::string Difficulty; // "easy", "normal", "hard", or "" when none was marked
  int32_t Days = 0;
  int32_t Seconds = 0; // seconds into the last day
  int32_t Moves = 0;
  // The game's scramble in notation; "" for lines written before games kept it.
  std::string Scramble;

  // The whole time in seconds.
  int64_t TotalSeconds() const;
};

// One line of the file, without its line break.
std::string FormatRecordLine(const TSolveRecord& ARecord);
// The record of a line, or nothing for a line that is damaged (it stays in the file, skipped).
std::optional<TSolveRecord> ParseRecordLine(const std::string& ALine);

struct TRecordsFile {
  std::vector<TSolveRecord> Records; // in the file's order, the damaged lines left out
  int DamagedLines = 0;
};

// Reads the records file; a missing file has no records.
TRecordsFile ReadRecordsFile(const std::string& AFileName);
// Appends one line in a single write and flushes it to the disk, so a crash keeps every earlier
// line and at worst loses this one. Makes the folder when missing. Raises std::runtime_error
// naming the file and the system's reason when it cannot.
void AppendRecord(const std::string& AFileName, const TSolveRecord& ARecord);

// The figures of the solves of one size and difficulty.
struct TRecordStats {
  int Solves = 0;
  std::optional<int64_t> BestSeconds;
  std::optional<int32_t> BestMoves;
  // The mean of the last 5 (12) solves with the best and the worst dropped; none with fewer.
  std::optional<double> AverageOf5;
  std::optional<double> AverageOf12;
};

// The records of one size and difficulty, oldest first.
std::vector<TSolveRecord> RecordsOf(const std::vector<TSolveRecord>& ARecords, int32_t ADegree,
                                    const std::string& ADifficulty);
TRecordStats ComputeStats(const std::vector<TSolveRecord>& ARecordsOfOneKind);
// The trimmed mean of the last ACount times: the best and the worst of them dropped.
std::optional<double> TrimmedAverage(const std::vector<int64_t>& ATimes, size_t ACount);
// The trimmed mean of ACount times ending at each solve, as TrimmedAverage would have given it
// then: none for the first ACount - 1 solves (and for every one when ACount is below 3).
std::vector<std::optional<double>> RunningTrimmedAverages(const std::vector<int64_t>& ATimes,
                                                          size_t ACount);
// The best time reached up to each solve, that solve included.
std::vector<int64_t> BestTimesSoFar(const std::vector<int64_t>& ATimes);

} // namespace vexil
