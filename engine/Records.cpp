#include "engine/Records.h"

#include "engine/CubeSizes.h"
#include "engine/Notation.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <stdexcept>

namespace vexil {

namespace {

constexpr int32_t kSecondsPerDayOfRecord = 86400;

std::vector<std::string> SplitTabs(const std::string& ALine) {
  std::vector<std::string> fields;
  size_t start = 0;
  while (true) {
    const size_t tab = ALine.find('\t', start);
    fields.push_back(
        ALine.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) {
      return fields;
    }
    start = tab + 1;
  }
}

std::optional<int32_t> ParseCount(const std::string& AText) {
  int32_t value = 0;
  const char* end = AText.data() + AText.size();
  const auto [last, error] = std::from_chars(AText.data(), end, value);
  if (error != std::errc() || last != end || value < 0) {
    return std::nullopt;
  }
  return value;
}

// The scramble is one column of one line: tabs and line breaks become spaces, which the
// notation reads the same.
std::string SingleLine(std::string AText) {
  std::replace_if(
      AText.begin(), AText.end(), [](char C) { return C == '\t' || C == '\n' || C == '\r'; }, ' ');
  return AText;
}

// A scramble the game can play again on a cube of that size.
bool PlayableScramble(const std::string& AText, int32_t ADegree) {
  if (AText.empty()) {
    return true;
  }
  if (ADegree < kMinVexilCubeDegree || ADegree > kMaxVexilCubeDegree) {
    return false;
  }
  const TParsedMoves parsed = TNotation(ADegree).Parse(AText);
  return !parsed.Error && !parsed.Moves.empty();
}

bool KnownDifficulty(const std::string& AText) {
  return AText.empty() || AText == "easy" || AText == "normal" || AText == "hard";
}

} // namespace

int64_t TSolveRecord::TotalSeconds() const {
  return static_cast<int64_t>(Days) * kSecondsPerDayOfRecord + Seconds;
}

std::string FormatRecordLine(const TSolveRecord& ARecord) {
  return ARecord.Date + '\t' + std::to_string(ARecord.Degree) + '\t' +
         (ARecord.Difficulty.empty() ? std::string("none") : ARecord.Difficulty) + '\t' +
         std::to_string(ARecord.Days) + '\t' + std::to_string(ARecord.Seconds) + '\t' +
         std::to_string(ARecord.Moves) +
         (ARecord.Scramble.empty() ? std::string() : '\t' + SingleLine(ARecord.Scramble));
}

std::optional<TSolveRecord> ParseRecordLine(const std::string& ALine) {
  std::string line = ALine;
  if (!line.empty() && line.back() == '\r') {
    line.pop_back();
  }
  const std::vector<std::string> fields = SplitTabs(line);
  // Lines written before the scramble column have six fields and stay valid.
  if ((fields.size() != 6 && fields.size() != 7) || fields[0].empty()) {
    return std::nullopt;
  }
  TSolveRecord record;
  record.Date = fields[0];
  record.Difficulty = fields[2] == "none" ? std::string() : fields[2];
  const auto degree = ParseCount(fields[1]);
  const auto days = ParseCount(fields[3]);
  const auto seconds = ParseCount(fields[4]);
  const auto moves = ParseCount(fields[5]);
  if (!degree || !days || !seconds || !moves || *seconds >= kSecondsPerDayOfRecord ||
      !KnownDifficulty(record.Difficulty)) {
    return std::nullopt;
  }
  record.Degree = *degree;
  record.Days = *days;
  record.Seconds = *seconds;
  record.Moves = *moves;
  record.Scramble = fields.size() == 7 ? fields[6] : std::string();
  if (!PlayableScramble(record.Scramble, record.Degree)) {
    return std::nullopt;
  }
  return record;
}

TRecordsFile ReadRecordsFile(const std::string& AFileName) {
  TRecordsFile file;
  std::ifstream in(AFileName, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') {
      continue;
    }
    if (const auto record = ParseRecordLine(line)) {
      file.Records.push_back(*record);
    } else {
      ++file.DamagedLines;
    }
  }
  return file;
}

void AppendRecord(const std::string& AFileName, const TSolveRecord& ARecord) {
  const auto fail = [&AFileName](int AError) {
    throw std::runtime_error(AFileName + ": " + std::strerror(AError));
  };
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(AFileName).parent_path(), ignored);
  // Read as well as write: the last byte is looked at before the line goes on.
  const int fd = ::open(AFileName.c_str(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) {
    fail(errno);
  }
  // A line after a damaged last line without its break must start a line of its own.
  std::string text = FormatRecordLine(ARecord) + '\n';
  const off_t size = ::lseek(fd, 0, SEEK_END);
  if (size > 0) {
    char last = '\n';
    if (::pread(fd, &last, 1, size - 1) == 1 && last != '\n') {
      text.insert(text.begin(), '\n');
    }
  }
  const ssize_t written = ::write(fd, text.data(), text.size());
  const int writeError = errno;
  const bool synced = written == static_cast<ssize_t>(text.size()) && ::fsync(fd) == 0;
  const int syncError = errno;
  ::close(fd);
  if (written != static_cast<ssize_t>(text.size())) {
    fail(written < 0 ? writeError : ENOSPC);
  }
  if (!synced) {
    fail(syncError);
  }
}

std::vector<TSolveRecord> RecordsOf(const std::vector<TSolveRecord>& ARecords, int32_t ADegree,
                                    const std::string& ADifficulty) {
  std::vector<TSolveRecord> result;
  std::copy_if(ARecords.begin(), ARecords.end(), std::back_inserter(result),
               [&](const TSolveRecord& ARecord) {
                 return ARecord.Degree == ADegree && ARecord.Difficulty == ADifficulty;
               });
  return result;
}

std::optional<double> TrimmedAverage(const std::vector<int64_t>& ATimes, size_t ACount) {
  if (ACount < 3 || ATimes.size() < ACount) {
    return std::nullopt;
  }
  std::vector<int64_t> last(ATimes.end() - static_cast<std::ptrdiff_t>(ACount), ATimes.end());
  std::sort(last.begin(), last.end());
  const double sum = std::accumulate(last.begin() + 1, last.end() - 1, 0.0);
  return sum / static_cast<double>(ACount - 2);
}

std::vector<std::optional<double>> RunningTrimmedAverages(const std::vector<int64_t>& ATimes,
                                                          size_t ACount) {
  std::vector<std::optional<double>> averages(ATimes.size());
  if (ACount < 3) {
    return averages;
  }
  // One window slides along the times: a sorted copy of it drops its oldest time and takes the
  // new one, so each solve costs a few steps of ACount however many solves there are.
  std::vector<int64_t> window;
  window.reserve(ACount);
  for (size_t i = 0; i < ATimes.size(); ++i) {
    if (i >= ACount) {
      window.erase(std::lower_bound(window.begin(), window.end(), ATimes[i - ACount]));
    }
    window.insert(std::upper_bound(window.begin(), window.end(), ATimes[i]), ATimes[i]);
    if (window.size() == ACount) {
      const double sum = std::accumulate(window.begin() + 1, window.end() - 1, 0.0);
      averages[i] = sum / static_cast<double>(ACount - 2);
    }
  }
  return averages;
}

std::vector<int64_t> BestTimesSoFar(const std::vector<int64_t>& ATimes) {
  std::vector<int64_t> bests(ATimes.size());
  for (size_t i = 0; i < ATimes.size(); ++i) {
    bests[i] = i == 0 ? ATimes[i] : std::min(bests[i - 1], ATimes[i]);
  }
  return bests;
}

TRecordStats ComputeStats(const std::vector<TSolveRecord>& ARecordsOfOneKind) {
  TRecordStats stats;
  std::vector<int64_t> times;
  for (const TSolveRecord& record : ARecordsOfOneKind) {
    ++stats.Solves;
    times.push_back(record.TotalSeconds());
    if (!stats.BestSeconds || record.TotalSeconds() < *stats.BestSeconds) {
      stats.BestSeconds = record.TotalSeconds();
    }
    if (!stats.BestMoves || record.Moves < *stats.BestMoves) {
      stats.BestMoves = record.Moves;
    }
  }
  stats.AverageOf5 = TrimmedAverage(times, 5);
  stats.AverageOf12 = TrimmedAverage(times, 12);
  return stats;
}

} // namespace vexil
