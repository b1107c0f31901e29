#include "engine/SavedGame.h"
#include "tests/engine/CommittedMesh.h"

#include "tests/engine/CubeTestSupport.h"
#include "tests/engine/SavedGameBytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

using namespace vexil;
using namespace vexil::test;

namespace {

TBytes CurrentBlock(const std::vector<int32_t>& AIdentities, const TBytes& ALeading = {},
                    const TBytes& AClosing = {}) {
  TMemoryStream stream;
  const TBytes leading = ReservedBlock(ALeading);
  stream.Write(leading.data(), leading.size());
  for (const int32_t v : AIdentities) {
    StreamWriteInteger(stream, v);
  }
  const TBytes closing = ReservedBlock(AClosing);
  stream.Write(closing.data(), closing.size());
  return stream.Data();
}

std::vector<double> Components(const std::vector<TVertex3f>& AColors) {
  std::vector<double> values;
  for (const TVertex3f& c : AColors) {
    values.insert(values.end(), {c.X, c.Y, c.Z});
  }
  return values;
}

std::vector<int32_t> HomeIdentities(int ADegree) {
  return Identities(TVexilCube(ADegree, CommittedCubeMesh()));
}

TSavedGameReadResult Read(const TBytes& ABytes) {
  TMemoryStream stream(ABytes);
  return ReadSavedGame(stream);
}

TBytes Written(const TVexilCube& ACube, int32_t ADays, int32_t ASeconds,
               const std::string& ADifficulty, int32_t AMoves = 0,
               const std::string& AScramble = std::string()) {
  TMemoryStream stream;
  WriteSavedGame(stream, ACube, ADays, ASeconds, ADifficulty, AMoves, AScramble);
  return stream.Data();
}

// Expects AOutcome with a reason that contains AReason.
void ExpectRefused(const TSavedGameReadResult& AResult, TSavedGameOutcome AOutcome,
                   const std::string& AReason) {
  EXPECT_EQ(AResult.Outcome, AOutcome) << AResult.Reason;
  EXPECT_FALSE(AResult.Game.has_value());
  EXPECT_NE(AResult.Reason.find(AReason), std::string::npos)
      << "reason \"" << AResult.Reason << "\" lacks \"" << AReason << "\"";
}

const TSavedGame& Loaded(const TSavedGameReadResult& AResult) {
  EXPECT_EQ(AResult.Outcome, TSavedGameOutcome::Loaded) << AResult.Reason;
  EXPECT_TRUE(AResult.Reason.empty());
  if (!AResult.Game) {
    throw std::runtime_error("no game: " + AResult.Reason);
  }
  return *AResult.Game;
}

} // namespace

TEST(SavedGame, BytesOfAFiveCubeOnHardAtOneDayAndAnHour) {
  TVexilCube cube(5, CommittedCubeMesh());
  QuickTurn(cube, 17, 2);
  const TBytes bytes = Written(cube, 1, 3600, "hard");
  const TBytes head = {0x03, 0x00, 0x00, 0x00, 0x56, 0x43, 0x53, 0x66, 0x66, 0x66,
                       0x66, 0x66, 0x66, 0xF6, 0x3F, 0x00, 0x00, 0x00, 0x00, 0x05,
                       0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x10, 0x0E, 0x00,
                       0x00, 0x04, 0x00, 0x00, 0x00, 0x68, 0x61, 0x72, 0x64};
  TMemoryStream block;
  cube.SaveState(block);
  ASSERT_EQ(bytes.size(), head.size() + block.Data().size() + 4);
  EXPECT_EQ(TBytes(bytes.begin(), bytes.begin() + head.size()), head);
  EXPECT_EQ(TBytes(bytes.begin() + head.size(), bytes.end() - 4), block.Data());
  EXPECT_EQ(TBytes(bytes.end() - 4, bytes.end()), TBytes(4, 0));
}

TEST(SavedGame, NoMarkedDifficultyIsWrittenAsAnEmptyTextAndReadBack) {
  TVexilCube cube(2, CommittedCubeMesh());
  const TBytes bytes = Written(cube, 0, 0, "");
  EXPECT_EQ(TBytes(bytes.begin() + 31, bytes.begin() + 35), TBytes(4, 0));
  EXPECT_EQ(Loaded(Read(bytes)).Difficulty, "");
  // Any other text survives too, in the program's code page.
  EXPECT_EQ(Loaded(Read(Written(cube, 0, 0, "трудно"))).Difficulty, "трудно");
}

TEST(SavedGame, WriteThenReadRestoresEverything) {
  TPrepared saved(4);
  for (const auto& [s, d] : {std::pair{3, 1}, std::pair{40, 0}, std::pair{77, 2}}) {
    QuickTurn(saved.Cube, s, d);
  }
  const TBytes bytes = Written(saved.Cube, 3, 86399, "normal");

  // Through a real file too: the reader peeks at the mark and steps back.
  const std::string path = ::testing::TempDir() + "saved_game_round_trip.vcs";
  {
    TFileStream file(path, TFileStream::TMode::Create);
    file.Write(bytes.data(), bytes.size());
    file.Close();
  }
  TFileStream file(path, TFileStream::TMode::OpenRead);
  const TSavedGameReadResult result = ReadSavedGame(file);
  std::remove(path.c_str());

  const TSavedGame& game = Loaded(result);
  EXPECT_EQ(game.Version, 1.4);
  EXPECT_EQ(game.Degree, 4);
  EXPECT_EQ(game.Days, 3);
  EXPECT_EQ(game.Seconds, 86399);
  EXPECT_EQ(game.Difficulty, "normal");
  EXPECT_EQ(game.CubeState.Format(), TCubeState::TFormat::Current);

  TPrepared loaded(4);
  ApplySavedGame(game, loaded.Cube);
  EXPECT_EQ(Stickers(loaded.Cube), Stickers(saved.Cube));
  EXPECT_EQ(loaded.Cube.History().Count(), 0);
  EXPECT_TRUE(loaded.List.Tints.empty());
}

TEST(SavedGame, ApplyingToAnotherSizeIsTheCallersErrorAndChangesNothing) {
  const TSavedGame game = Loaded(Read(Written(TVexilCube(3, CommittedCubeMesh()), 0, 5, "easy")));
  TPrepared other(2);
  QuickTurn(other.Cube, 1, 1);
  const auto before = Stickers(other.Cube);
  EXPECT_THROW(ApplySavedGame(game, other.Cube), std::invalid_argument);
  EXPECT_EQ(Stickers(other.Cube), before);
}

TEST(SavedGame, WriterRefusesWhatTheReaderWouldRefuse) {
  TMemoryStream stream;
  EXPECT_THROW(WriteSavedGame(stream, TVexilCube(1, CommittedCubeMesh()), 0, 0, "easy"),
               std::invalid_argument);
  EXPECT_THROW(WriteSavedGame(stream, TVexilCube(2, CommittedCubeMesh()), -1, 0, "easy"),
               std::invalid_argument);
  EXPECT_THROW(WriteSavedGame(stream, TVexilCube(2, CommittedCubeMesh()), 0, -1, "easy"),
               std::invalid_argument);
  EXPECT_THROW(WriteSavedGame(stream, TVexilCube(2, CommittedCubeMesh()),
                              std::numeric_limits<int32_t>::max(), 86400, "easy"),
               std::invalid_argument);
  EXPECT_EQ(stream.Size(), 0);
  // Whole days in the seconds are carried, so the file is what the clock shows.
  const TSavedGame game =
      Loaded(Read(Written(TVexilCube(2, CommittedCubeMesh()), 1, 2 * 86400 + 7, "")));
  EXPECT_EQ(game.Days, 3);
  EXPECT_EQ(game.Seconds, 7);
}

TEST(SavedGame, VersionsChooseTheCubeBlockOrRefuseTheFile) {
  // Newer versions are refused whatever follows, even nothing.
  for (const double version :
       {1.41, std::nextafter(1.4, 2.0), 2.0, 1e300, std::numeric_limits<double>::infinity()}) {
    TFileParts parts;
    parts.Version = version;
    ExpectRefused(Read(Build(parts)), TSavedGameOutcome::NewerVersion, "newer than");
    TBytes cut = Build(parts);
    cut.resize(15);
    ExpectRefused(Read(cut), TSavedGameOutcome::NewerVersion, "newer than");
  }

  TFileParts between;
  between.Version = 1.35;
  EXPECT_EQ(Loaded(Read(Build(between))).CubeState.Format(), TCubeState::TFormat::Current);

  std::vector<TVertex3f> colors(24, TVertex3f{1, 0, 0});
  colors[0] = TVertex3f{1, 1, 1};
  colors[7] = TVertex3f{0, 0, 1};
  for (const double version : {1.3, 1.0, 0.0, -std::numeric_limits<double>::infinity()}) {
    TFileParts old;
    old.Version = version;
    old.Block = OldBlock(Components(colors));
    const TSavedGame game = Loaded(Read(Build(old)));
    EXPECT_EQ(game.CubeState.Format(), TCubeState::TFormat::Old);

    TPrepared model(2);
    const auto homes = Identities(model.Cube);
    ApplySavedGame(game, model.Cube);
    ASSERT_EQ(model.List.Tints.size(), 3u);
    EXPECT_TRUE(SameVertex(model.List.Color(0), TVertex3f{1, 1, 1}));
    EXPECT_TRUE(SameVertex(model.List.Color(1), TVertex3f{1, 0, 0}));
    EXPECT_TRUE(SameVertex(model.List.Color(2), TVertex3f{0, 0, 1}));
    EXPECT_EQ(model.Cube.WorkPlane(7).TextureID(), 53u);
    EXPECT_TRUE(SameVertex(model.Cube.WorkPlane(7).Color(), TVertex3f{0, 0, 1}));
    EXPECT_EQ(Identities(model.Cube), homes);
  }

  // A current block under an old version (or the other way round) does not fit the file.
  TFileParts mismatched;
  mismatched.Version = 1.3;
  ExpectRefused(Read(Build(mismatched)), TSavedGameOutcome::Damaged, "ends early");
  mismatched.Version = 1.4;
  mismatched.Block = OldBlock(Components(colors));
  ExpectRefused(Read(Build(mismatched)), TSavedGameOutcome::Damaged, "damaged");

  TFileParts notANumber;
  notANumber.Version = std::numeric_limits<double>::quiet_NaN();
  ExpectRefused(Read(Build(notANumber)), TSavedGameOutcome::Damaged, "not a number");
}

TEST(SavedGame, OtherFilesAreNotSavedGames) {
  for (const char* magic : {"VCX", "vcs", "VCS ", "", "VC"}) {
    TFileParts parts;
    parts.Magic = magic;
    ExpectRefused(Read(Build(parts)), TSavedGameOutcome::NotASavedGame, "not a saved game");
  }
  const TBytes picture = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 0x0D};
  ExpectRefused(Read(picture), TSavedGameOutcome::NotASavedGame, "not a saved game");
  ExpectRefused(Read(TBytes{3, 0, 0, 1}), TSavedGameOutcome::NotASavedGame, "not a saved game");
}

TEST(SavedGame, AFileCutAtAnyByteIsDamaged) {
  TPrepared current(3);
  QuickTurn(current.Cube, 8, 1);
  TFileParts old;
  old.Version = 1.2;
  old.Block = OldBlock(Components(std::vector<TVertex3f>(24, TVertex3f{0.5f, 0.25f, 1})));
  old.Leading = {1, 2, 3};
  old.Closing = {4, 5};
  for (const TBytes& whole : {Written(current.Cube, 4, 100, "hard"), Build(old)}) {
    ASSERT_EQ(Read(whole).Outcome, TSavedGameOutcome::Loaded);
    for (size_t cut = 0; cut < whole.size(); ++cut) {
      const auto result = Read(TBytes(whole.begin(), whole.begin() + cut));
      ASSERT_EQ(result.Outcome, TSavedGameOutcome::Damaged) << "cut at " << cut;
      ASSERT_FALSE(result.Game.has_value());
      ASSERT_FALSE(result.Reason.empty());
    }
  }
}

TEST(SavedGame, ReservedBlocksHoldingBytesAreSkipped) {
  TPrepared saved(2);
  QuickTurn(saved.Cube, 5, 3);
  TFileParts parts;
  parts.Leading = {'s', 'o', 'm', 'e'};
  parts.Block = CurrentBlock(Identities(saved.Cube), {9, 9}, {7, 7, 7});
  parts.Closing = TBytes(50, 0xAB);
  const TSavedGame game = Loaded(Read(Build(parts)));
  TPrepared loaded(2);
  ApplySavedGame(game, loaded.Cube);
  EXPECT_EQ(Stickers(loaded.Cube), Stickers(saved.Cube));

  // A negative length reads as an empty block.
  TBytes negative = Build(TFileParts{});
  std::fill(negative.begin() + 15, negative.begin() + 19, 0xFF);
  EXPECT_EQ(Read(negative).Outcome, TSavedGameOutcome::Loaded);
}

TEST(SavedGame, TheMoveCountAndTheScrambleAreReadOnlyBehindTheMark) {
  const auto count = [](int32_t AValue) {
    TMemoryStream stream;
    StreamWriteInteger(stream, AValue);
    return stream.Data();
  };
  const auto join = [](TBytes AHead, const TBytes& ATail) {
    AHead.insert(AHead.end(), ATail.begin(), ATail.end());
    return AHead;
  };
  const TBytes mark = {'V', 'C', 'E', 'X'};
  const auto text = [&](const std::string& AText, int32_t ALength) {
    return join(count(ALength), TBytes(AText.begin(), AText.end()));
  };
  const struct {
    const char* Name;
    TBytes Closing;
    int32_t Moves;
    std::string Scramble = "";
  } cases[] = {
      {"empty", {}, 0},
      {"ours with a scramble", join(join(mark, count(3)), text("R U2 F'", 7)), 3, "R U2 F'"},
      {"a scramble and later fields", join(join(join(mark, count(0)), text("F", 1)), count(9)), 0,
       "F"},
      {"a scramble spelled otherwise", join(join(mark, count(2)), text("R2' U\xE2\x80\x99", 8)), 2,
       "R2 U'"},
      {"a scramble of a bigger cube", join(join(mark, count(4)), text("R 3R", 4)), 4},
      {"a scramble of no turns", join(join(mark, count(4)), text("hello", 5)), 4},
      {"a scramble cut short", join(join(mark, count(4)), text("R U", 20)), 4},
      {"a negative scramble length", join(join(mark, count(4)), text("R U", -3)), 4},
      {"ours", join(mark, count(116)), 116},
      {"ours with later fields", join(join(mark, count(31)), {'n', 'e', 'x', 't'}), 31},
      {"ours, a negative count", join(mark, count(-7)), 0},
      {"ours cut inside the count", join(mark, {1, 0}), 0},
      {"foreign bytes", {'d', 'e', 'f', 'g', 'h'}, 0},
      {"foreign bytes of eight", {'d', 'e', 'f', 'g', 1, 0, 0, 0}, 0},
      {"another mark", join({'V', 'C', 'E', 'Y'}, count(5)), 0},
      {"a bare count", count(116), 116},
      {"a bare count at the limit", count(10'000'000), 10'000'000},
      {"a bare count beyond the limit", count(10'000'001), 0},
      {"a bare negative count", count(-1), 0},
      {"four letters", {'d', 'e', 'f', 'g'}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TFileParts parts;
    parts.Closing = c.Closing;
    EXPECT_EQ(Loaded(Read(Build(parts))).Moves, c.Moves);
    EXPECT_EQ(Loaded(Read(Build(parts))).Scramble, c.Scramble);
  }

  // The game writes its count behind the mark, and reads it back.
  TPrepared saved(3);
  const TBytes bytes = Written(saved.Cube, 0, 5, "easy", 1234);
  EXPECT_EQ(TBytes(bytes.end() - 12, bytes.end()), join(join(count(8), mark), count(1234)));
  EXPECT_EQ(Loaded(Read(bytes)).Moves, 1234);
  // Then the scramble, also when no move has been made yet.
  const TBytes scrambled = Written(saved.Cube, 0, 5, "", 0, "3Rw' D2");
  EXPECT_EQ(TBytes(scrambled.end() - 23, scrambled.end()),
            join(join(join(count(19), mark), count(0)), text("3Rw' D2", 7)));
  EXPECT_EQ(Loaded(Read(scrambled)).Scramble, "3Rw' D2");
  EXPECT_EQ(Loaded(Read(scrambled)).Moves, 0);
}

TEST(SavedGame, AFileBeyondTheSizeLimitIsJudgedByItsHeadFirst) {
  TPrepared saved(2);
  const TBytes game = Written(saved.Cube, 0, 5, "easy");
  EXPECT_EQ(ReadSavedGameBytes(game, false).Outcome, TSavedGameOutcome::Loaded);
  // The same first bytes of a file that goes on past the limit.
  ExpectRefused(ReadSavedGameBytes(game, true), TSavedGameOutcome::Damaged, "far larger");
  TFileParts newer;
  newer.Version = 2.0;
  ExpectRefused(ReadSavedGameBytes(Build(newer), true), TSavedGameOutcome::NewerVersion,
                "version 2");
  ExpectRefused(ReadSavedGameBytes(TBytes(4096, 0), true), TSavedGameOutcome::NotASavedGame,
                "not a saved game");
  ExpectRefused(ReadSavedGameBytes(TBytes(4096, 'x'), true), TSavedGameOutcome::NotASavedGame,
                "not a saved game");
}

TEST(SavedGame, SecondsOfWholeDaysAreCarriedIntoTheDays) {
  TFileParts parts;
  parts.Days = 2;
  parts.Seconds = 3 * 86400 + 5;
  const TSavedGame game = Loaded(Read(Build(parts)));
  EXPECT_EQ(game.Days, 5);
  EXPECT_EQ(game.Seconds, 5);

  parts.Days = std::numeric_limits<int32_t>::max();
  parts.Seconds = 86399;
  EXPECT_EQ(Loaded(Read(Build(parts))).Days, std::numeric_limits<int32_t>::max());
  parts.Seconds = 86400;
  ExpectRefused(Read(Build(parts)), TSavedGameOutcome::Damaged, "largest day count");
  parts.Days = 0;
  parts.Seconds = std::numeric_limits<int32_t>::max();
  EXPECT_EQ(Loaded(Read(Build(parts))).Days, std::numeric_limits<int32_t>::max() / 86400);
}

TEST(SavedGame, DamagedFieldsAreRefusedWithAReason) {
  struct TCase {
    const char* Name;
    TFileParts Parts;
    const char* Reason;
  };
  std::vector<TCase> cases;
  for (const int32_t degree : {1, 11, 0, -3, std::numeric_limits<int32_t>::max()}) {
    TFileParts parts;
    parts.Degree = degree;
    cases.push_back({"size", parts, "is not one the game offers"});
  }
  TFileParts days;
  days.Days = -1;
  cases.push_back({"negative days", days, "the clock shows -1 days"});
  TFileParts seconds;
  seconds.Seconds = std::numeric_limits<int32_t>::min();
  cases.push_back({"negative seconds", seconds, "the clock shows"});
  TFileParts bigger;
  bigger.Degree = 3; // the block is a 2 x 2 x 2 one
  cases.push_back({"block too short for its size", bigger, "ends early"});
  TFileParts smaller;
  smaller.Block = CurrentBlock(HomeIdentities(3));
  cases.push_back({"block too long for its size", smaller, "followed by"});
  TFileParts trailing;
  trailing.Trailing = {0};
  cases.push_back({"bytes after the game", trailing, "followed by"});
  for (auto& c : cases) {
    SCOPED_TRACE(c.Name);
    ExpectRefused(Read(Build(c.Parts)), TSavedGameOutcome::Damaged, c.Reason);
  }

  // Counts that claim more bytes than the file holds, up to about 2 GB.
  const TBytes base = Build(TFileParts{});
  for (const auto& [at, what] :
       {std::pair{size_t{31}, "The file is damaged: the difficulty text of "},
        std::pair{size_t{15}, "The file is damaged: the leading reserved block of "},
        std::pair{size_t{35 + 4}, "The cube block is damaged: the leading reserved block of "},
        std::pair{base.size() - 8, "The cube block is damaged: the closing reserved block of "},
        std::pair{base.size() - 4, "The file is damaged: the closing reserved block of "}}) {
    for (const uint8_t high : {uint8_t{0}, uint8_t{0x7F}}) {
      TBytes bytes = base;
      bytes[at] = 0xF0;
      bytes[at + 3] = high;
      ExpectRefused(Read(bytes), TSavedGameOutcome::Damaged, what);
      EXPECT_NE(Read(bytes).Reason.find("runs past the end"), std::string::npos);
    }
  }
}

TEST(SavedGame, HostileColoursInOldBlocksAreRefused) {
  const double inf = std::numeric_limits<double>::infinity();
  for (const double hostile : {std::numeric_limits<double>::quiet_NaN(), inf, -inf, 1e300, -1e300,
                               1.0000001, -0.001, std::numeric_limits<double>::max()}) {
    std::vector<double> components(72, 1.0);
    components[40] = hostile;
    TFileParts parts;
    parts.Version = 1.3;
    parts.Block = OldBlock(components);
    ExpectRefused(Read(Build(parts)), TSavedGameOutcome::Damaged, "sticker 13 has no valid colour");
  }
  // The smallest numbers within 0..1 are colours, however faint.
  std::vector<double> faint(72, 0.0);
  faint[0] = std::numeric_limits<double>::denorm_min();
  faint[1] = -0.0;
  TFileParts parts;
  parts.Version = 1.3;
  parts.Block = OldBlock(faint);
  EXPECT_EQ(Read(Build(parts)).Outcome, TSavedGameOutcome::Loaded);

  std::vector<TVertex3f> seven(24, TVertex3f{1, 1, 1});
  for (int k = 0; k < 7; ++k) {
    seven[static_cast<size_t>(3 * k)] = TVertex3f{0.1f * static_cast<float>(k), 0, 0};
  }
  parts.Block = OldBlock(Components(seven));
  ExpectRefused(Read(Build(parts)), TSavedGameOutcome::Damaged, "more than six colours");
}
