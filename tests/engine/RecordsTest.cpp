// The records file and its figures: lines read back as written, damaged lines skipped yet kept,
// appends that survive a killed process, and the best, the counts and the trimmed averages.
#include "engine/Records.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

using namespace vexil;

namespace {

// A private folder for one test, removed afterwards.
class TScratchFolder {
public:
  TScratchFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "vexil-records-XXXXXX").string();
    FPath = ::mkdtemp(pattern.data());
  }
  ~TScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(FPath, ignored);
  }
  TScratchFolder(const TScratchFolder&) = delete;
  TScratchFolder& operator=(const TScratchFolder&) = delete;
  std::string File(const std::string& AName) const { return (FPath / AName).string(); }

private:
  std::filesystem::path FPath;
};

std::string ReadBytes(const std::string& AFileName) {
  std::ifstream in(AFileName, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteBytes(const std::string& AFileName, const std::string& ABytes) {
  std::ofstream(AFileName, std::ios::binary) << ABytes;
}

TSolveRecord Record(int64_t ATotalSeconds, int32_t AMoves = 20, int32_t ADegree = 3,
                    const std::string& ADifficulty = "normal") {
  TSolveRecord record;
  record.Date = "2026-12-09T14:05:00";
  record.Degree = ADegree;
  record.Difficulty = ADifficulty;
  record.Days = static_cast<int32_t>(ATotalSeconds / 86400);
  record.Seconds = static_cast<int32_t>(ATotalSeconds % 86400);
  record.Moves = AMoves;
  return record;
}

std::vector<TSolveRecord> Records(const std::vector<int64_t>& ATimes) {
  std::vector<TSolveRecord> records;
  for (size_t i = 0; i < ATimes.size(); ++i) {
    records.push_back(Record(ATimes[i], static_cast<int32_t>(100 - i)));
  }
  return records;
}

} // namespace

// --- one line

TEST(RecordLine, ReadsBackWhatIsWrittenWithNoneForAnUnmarkedDifficulty) {
  TSolveRecord record = Record(86400 * 2 + 3661, 57, 10, "");
  const std::string line = FormatRecordLine(record);
  EXPECT_EQ(line, "2026-12-09T14:05:00\t10\tnone\t2\t3661\t57");
  const auto back = ParseRecordLine(line);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->Date, record.Date);
  EXPECT_EQ(back->Degree, 10);
  EXPECT_EQ(back->Difficulty, "");
  EXPECT_EQ(back->Days, 2);
  EXPECT_EQ(back->Seconds, 3661);
  EXPECT_EQ(back->Moves, 57);
  EXPECT_EQ(back->TotalSeconds(), 2 * 86400 + 3661);
  // A line a Windows editor saved keeps its carriage return: still the same record.
  const auto crlf = ParseRecordLine(FormatRecordLine(Record(42)) + "\r");
  ASSERT_TRUE(crlf.has_value());
  EXPECT_EQ(crlf->Moves, 20);

  // The scramble is the last column; a line without it (written before games kept their
  // scramble) reads as a game without one.
  record.Scramble = "R U 2R' 3Fw2\tx";
  const std::string withScramble = FormatRecordLine(record);
  EXPECT_EQ(withScramble, "2026-12-09T14:05:00\t10\tnone\t2\t3661\t57\tR U 2R' 3Fw2 x");
  const auto scrambled = ParseRecordLine(withScramble + "\r");
  ASSERT_TRUE(scrambled.has_value());
  EXPECT_EQ(scrambled->Scramble, "R U 2R' 3Fw2 x");
  EXPECT_EQ(scrambled->Moves, 57);
  EXPECT_EQ(back->Scramble, "");
}

TEST(RecordLine, DamagedLinesReadAsNothing) {
  const char* damaged[] = {
      "",
      "2026-12-09T14:05:00\t3\tnormal\t0\t42",              // a field short
      "2026-12-09T14:05:00\t3\tnormal\t0\t42\t20\tR\tU",    // a field more
      "2026-12-09T14:05:00\t3\tnormal\t0\t42\t20\t1",       // a scramble that is no turns
      "2026-12-09T14:05:00\t3\tnormal\t0\t42\t20\tR 4R",    // turns of a bigger cube
      "2026-12-09T14:05:00\t11\tnormal\t0\t42\t20\tR",      // a size without notation
      "\t3\tnormal\t0\t42\t20",                             // no date
      "2026-12-09T14:05:00\t3\tmedium\t0\t42\t20",          // no such difficulty
      "2026-12-09T14:05:00\t3\tnormal\t0\t86400\t20",       // a whole day in the seconds
      "2026-12-09T14:05:00\t3\tnormal\t-1\t42\t20",         // negative days
      "2026-12-09T14:05:00\t3\tnormal\t0\t42\t-5",          // negative moves
      "2026-12-09T14:05:00\tthree\tnormal\t0\t42\t20",      // words for a number
      "2026-12-09T14:05:00\t3\tnormal\t0\t42\t20moves",     // a number with a tail
      "2026-12-09T14:05:00\t3\tnormal\t0\t 42\t20",         // a blank before a number
      "2026-12-09T14:05:00\t3\tnormal\t0\t+42\t20",         // a sign
      "2026-12-09T14:05:00\t3\tnormal\t99999999999\t0\t20", // beyond 32 bits
      "2026-12-09T14:05:00 3 normal 0 42 20",               // blanks for tabs
  };
  for (const char* line : damaged) {
    EXPECT_FALSE(ParseRecordLine(line).has_value()) << '"' << line << '"';
  }
}

// --- the file

TEST(RecordsFile, AMissingFileHasNoRecordsAndNoDamage) {
  const TScratchFolder folder;
  const TRecordsFile file = ReadRecordsFile(folder.File("none.tsv"));
  EXPECT_TRUE(file.Records.empty());
  EXPECT_EQ(file.DamagedLines, 0);
}

TEST(RecordsFile, DamagedLinesAreCountedSkippedAndKeptWhenRecordsAreAppended) {
  const TScratchFolder folder;
  const std::string name = folder.File("records.tsv");
  const std::string damaged = "2026-12-0\t3\tnorm\n";
  WriteBytes(name, "# solves\n\n" + FormatRecordLine(Record(40)) + "\n" + damaged +
                       "garbage \xFF\xFE\n" + FormatRecordLine(Record(50)) + "\n");
  TRecordsFile file = ReadRecordsFile(name);
  ASSERT_EQ(file.Records.size(), 2u);
  EXPECT_EQ(file.Records[0].TotalSeconds(), 40);
  EXPECT_EQ(file.Records[1].TotalSeconds(), 50);
  // The comment and the blank line are no damage.
  EXPECT_EQ(file.DamagedLines, 2);

  AppendRecord(name, Record(30));
  file = ReadRecordsFile(name);
  ASSERT_EQ(file.Records.size(), 3u);
  EXPECT_EQ(file.Records[2].TotalSeconds(), 30);
  EXPECT_EQ(file.DamagedLines, 2);
  const std::string bytes = ReadBytes(name);
  EXPECT_NE(bytes.find(damaged), std::string::npos);
  EXPECT_NE(bytes.find("garbage \xFF\xFE\n"), std::string::npos);
}

TEST(RecordsFile, ALineAppendedAfterALastLineWithoutItsBreakStartsALineOfItsOwn) {
  const TScratchFolder folder;
  // A whole record whose break was lost (edited by hand): both records read.
  const std::string whole = folder.File("whole.tsv");
  WriteBytes(whole, FormatRecordLine(Record(40)));
  AppendRecord(whole, Record(30));
  TRecordsFile file = ReadRecordsFile(whole);
  ASSERT_EQ(file.Records.size(), 2u);
  EXPECT_EQ(file.Records[0].TotalSeconds(), 40);
  EXPECT_EQ(file.Records[1].TotalSeconds(), 30);
  EXPECT_EQ(file.DamagedLines, 0);
  EXPECT_EQ(ReadBytes(whole).back(), '\n');

  // A line cut short: it stays damaged and the new record is whole after it.
  const std::string cut = folder.File("cut.tsv");
  WriteBytes(cut, FormatRecordLine(Record(40)) + "\n2026-12-09T14:0");
  AppendRecord(cut, Record(30));
  file = ReadRecordsFile(cut);
  ASSERT_EQ(file.Records.size(), 2u);
  EXPECT_EQ(file.Records[1].TotalSeconds(), 30);
  EXPECT_EQ(file.DamagedLines, 1);
}

TEST(RecordsFile, TheFirstAppendMakesTheFolderAndAnImpossiblePlaceRaisesNamingTheFile) {
  const TScratchFolder folder;
  const std::string name = folder.File("Vexil Cube/deeper/records.tsv");
  AppendRecord(name, Record(30));
  EXPECT_EQ(ReadBytes(name), FormatRecordLine(Record(30)) + "\n");

  // A folder that is a file: no place for the records, whoever runs the test.
  WriteBytes(folder.File("plain"), "x");
  const std::string impossible = folder.File("plain/records.tsv");
  try {
    AppendRecord(impossible, Record(30));
    ADD_FAILURE() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find(impossible), std::string::npos) << error.what();
  }
  EXPECT_EQ(ReadBytes(folder.File("plain")), "x");
}

// A process that appends records and is killed with SIGKILL between two games loses none of
// them: each was on the disk when its append returned.
TEST(RecordsFile, RecordsSurviveAProcessKilledBetweenGames) {
  const TScratchFolder folder;
  const std::string name = folder.File("records.tsv");
  AppendRecord(name, Record(99)); // from an earlier run
  constexpr int kAppended = 12;
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::close(ready[0]);
    for (int i = 0; i < kAppended; ++i) {
      AppendRecord(name, Record(100 + i, i));
    }
    const char done = 'k';
    (void)!::write(ready[1], &done, 1);
    // Waits for the next game, which never comes.
    while (true) {
      ::pause();
    }
  }
  ::close(ready[1]);
  char done = 0;
  ASSERT_EQ(::read(ready[0], &done, 1), 1);
  ::close(ready[0]);
  ASSERT_EQ(::kill(child, SIGKILL), 0);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(WTERMSIG(status), SIGKILL);

  TRecordsFile file = ReadRecordsFile(name);
  ASSERT_EQ(file.Records.size(), 1u + kAppended);
  EXPECT_EQ(file.DamagedLines, 0);
  EXPECT_EQ(file.Records[0].TotalSeconds(), 99);
  for (int i = 0; i < kAppended; ++i) {
    EXPECT_EQ(file.Records[1 + i].TotalSeconds(), 100 + i);
    EXPECT_EQ(file.Records[1 + i].Moves, i);
  }
  // The next run goes on appending to the same file.
  AppendRecord(name, Record(7));
  file = ReadRecordsFile(name);
  ASSERT_EQ(file.Records.size(), 2u + kAppended);
  EXPECT_EQ(file.Records.back().TotalSeconds(), 7);
}

// Killed at any moment while it appends, a process leaves every record it finished and at
// worst one damaged last line, which the next append does not join to its own.
TEST(RecordsFile, AProcessKilledWhileAppendingLeavesEveryFinishedRecord) {
  const TScratchFolder folder;
  const std::string name = folder.File("records.tsv");
  int progress[2];
  ASSERT_EQ(::pipe(progress), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::close(progress[0]);
    for (int i = 0;; ++i) {
      AppendRecord(name, Record(100 + i, i));
      const char one = '+';
      (void)!::write(progress[1], &one, 1);
    }
  }
  ::close(progress[1]);
  int finished = 0;
  char one = 0;
  while (finished < 30 && ::read(progress[0], &one, 1) == 1) {
    ++finished;
  }
  ASSERT_EQ(::kill(child, SIGKILL), 0);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  // Those reported before the kill and not yet read count too.
  while (::read(progress[0], &one, 1) == 1) {
    ++finished;
  }
  ::close(progress[0]);

  AppendRecord(name, Record(7));
  const TRecordsFile file = ReadRecordsFile(name);
  ASSERT_GE(file.Records.size(), static_cast<size_t>(finished) + 1);
  EXPECT_LE(file.DamagedLines, 1);
  for (int i = 0; i < finished; ++i) {
    EXPECT_EQ(file.Records[i].TotalSeconds(), 100 + i);
  }
  EXPECT_EQ(file.Records.back().TotalSeconds(), 7);
}

// --- the figures

TEST(RecordStats, NoSolvesHaveNoFigures) {
  const TRecordStats stats = ComputeStats({});
  EXPECT_EQ(stats.Solves, 0);
  EXPECT_FALSE(stats.BestSeconds);
  EXPECT_FALSE(stats.BestMoves);
  EXPECT_FALSE(stats.AverageOf5);
  EXPECT_FALSE(stats.AverageOf12);
}

TEST(RecordStats, FewerThanFiveSolvesHaveBestsButNoAverages) {
  const TRecordStats stats = ComputeStats(Records({70, 50, 90, 60}));
  EXPECT_EQ(stats.Solves, 4);
  EXPECT_EQ(stats.BestSeconds, 50);
  // The fewest moves belong to the last solve, not to the fastest.
  EXPECT_EQ(stats.BestMoves, 97);
  EXPECT_FALSE(stats.AverageOf5);
  EXPECT_FALSE(stats.AverageOf12);
}

TEST(RecordStats, AveragesDropOneBestAndOneWorstOfTheLastSolvesOnly) {
  // The first two are older than the last five and stay out of the ao5.
  TRecordStats stats = ComputeStats(Records({1, 1000, 40, 20, 30, 50, 10}));
  ASSERT_TRUE(stats.AverageOf5);
  EXPECT_DOUBLE_EQ(*stats.AverageOf5, (20 + 30 + 40) / 3.0);
  EXPECT_EQ(stats.BestSeconds, 1);
  EXPECT_FALSE(stats.AverageOf12);

  // Eleven solves: no ao12 yet; the twelfth gives one.
  std::vector<int64_t> times = {90, 10, 20, 30, 40, 50, 60, 70, 80, 5, 100};
  EXPECT_FALSE(ComputeStats(Records(times)).AverageOf12);
  times.push_back(15);
  stats = ComputeStats(Records(times));
  ASSERT_TRUE(stats.AverageOf12);
  EXPECT_DOUBLE_EQ(*stats.AverageOf12, (90 + 10 + 20 + 30 + 40 + 50 + 60 + 70 + 80 + 15) / 10.0);
}

TEST(RecordStats, TiesDropOnlyOneOfTheEqualBestAndWorst) {
  // Two equal best and two equal worst: one of each is dropped, the other counts.
  TRecordStats stats = ComputeStats(Records({5, 9, 5, 9, 7}));
  ASSERT_TRUE(stats.AverageOf5);
  EXPECT_DOUBLE_EQ(*stats.AverageOf5, (5 + 7 + 9) / 3.0);
  stats = ComputeStats(Records({12, 12, 12, 12, 12}));
  EXPECT_DOUBLE_EQ(*stats.AverageOf5, 12.0);
  EXPECT_EQ(stats.BestSeconds, 12);
}

TEST(RecordStats, DaysCountInTheTimes) {
  // One day and a second is slower than a day less a second.
  const TRecordStats stats = ComputeStats(Records({86401, 86399, 86400 * 3, 86400, 90000}));
  EXPECT_EQ(stats.BestSeconds, 86399);
  ASSERT_TRUE(stats.AverageOf5);
  EXPECT_DOUBLE_EQ(*stats.AverageOf5, (86400 + 86401 + 90000) / 3.0);
}

TEST(RecordStats, ADamagedLineIsNeitherASolveNorAHoleInTheAverage) {
  const TScratchFolder folder;
  const std::string name = folder.File("records.tsv");
  std::string text;
  for (const int64_t time : {50, 40, 30}) {
    text += FormatRecordLine(Record(time)) + "\n";
  }
  text += "2026-12-09T14:05:00\t3\tnormal\t0\tbroken\t20\n";
  for (const int64_t time : {20, 10}) {
    text += FormatRecordLine(Record(time)) + "\n";
  }
  WriteBytes(name, text);
  const TRecordsFile file = ReadRecordsFile(name);
  EXPECT_EQ(file.DamagedLines, 1);
  const TRecordStats stats = ComputeStats(RecordsOf(file.Records, 3, "normal"));
  EXPECT_EQ(stats.Solves, 5);
  ASSERT_TRUE(stats.AverageOf5);
  EXPECT_DOUBLE_EQ(*stats.AverageOf5, 30.0);
}

TEST(RecordStats, RecordsOfKeepsOneSizeAndDifficultyInTheFilesOrder) {
  std::vector<TSolveRecord> all = {Record(1, 1, 3, "normal"), Record(2, 2, 3, "hard"),
                                   Record(3, 3, 4, "normal"), Record(4, 4, 3, ""),
                                   Record(5, 5, 3, "normal")};
  const auto normal3 = RecordsOf(all, 3, "normal");
  ASSERT_EQ(normal3.size(), 2u);
  EXPECT_EQ(normal3[0].TotalSeconds(), 1);
  EXPECT_EQ(normal3[1].TotalSeconds(), 5);
  const auto unmarked3 = RecordsOf(all, 3, "");
  ASSERT_EQ(unmarked3.size(), 1u);
  EXPECT_EQ(unmarked3[0].TotalSeconds(), 4);
  EXPECT_TRUE(RecordsOf(all, 2, "normal").empty());
}

TEST(RecordStats, TrimmedAverageNeedsThreeTimesAndAsManyAsAsked) {
  EXPECT_FALSE(TrimmedAverage({1, 2}, 2));
  EXPECT_FALSE(TrimmedAverage({1, 2, 3}, 4));
  EXPECT_DOUBLE_EQ(*TrimmedAverage({1, 2, 3}, 3), 2.0);
  EXPECT_DOUBLE_EQ(*TrimmedAverage({100, 1, 2, 6}, 3), 2.0);
}

TEST(RecordStats, RunningAveragesAgreeWithTheAverageOfEachPrefix) {
  // Ties, a slow outlier sliding in and out of the window, and times of days.
  const std::vector<int64_t> times = {90,  10, 20, 90, 30, 40, 5,      5,  70, 80, 86401,
                                      100, 15, 15, 60, 60, 60, 200000, 12, 13, 14, 90};
  for (const size_t count : {size_t{3}, size_t{5}, size_t{12}}) {
    const auto running = RunningTrimmedAverages(times, count);
    ASSERT_EQ(running.size(), times.size());
    for (size_t i = 0; i < times.size(); ++i) {
      const std::vector<int64_t> prefix(times.begin(), times.begin() + static_cast<long>(i) + 1);
      const auto expected = TrimmedAverage(prefix, count);
      ASSERT_EQ(running[i].has_value(), expected.has_value()) << count << ' ' << i;
      if (expected) {
        EXPECT_DOUBLE_EQ(*running[i], *expected) << count << ' ' << i;
      }
    }
  }
  for (const auto& average : RunningTrimmedAverages(times, 2)) {
    EXPECT_FALSE(average);
  }
  EXPECT_TRUE(RunningTrimmedAverages({}, 5).empty());
}

TEST(RecordStats, TheBestSoFarFallsOnlyWhenASolveBeatsIt) {
  EXPECT_EQ(BestTimesSoFar({50, 60, 40, 40, 45, 10, 80}),
            (std::vector<int64_t>{50, 50, 40, 40, 40, 10, 10}));
  EXPECT_TRUE(BestTimesSoFar({}).empty());
}
