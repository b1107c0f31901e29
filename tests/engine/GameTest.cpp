// The rules of a game, played without a window: frames are run by hand as the window's frame
// loop runs them (draw, then the solved check).
#include "engine/Game.h"
#include "tests/engine/CommittedMesh.h"
#include "tests/engine/CubeTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

using namespace vexil;
using namespace vexil::test;

namespace {

struct TTurn {
  int32_t Plane;
  int32_t Direction;
};

// Runs frames until the scramble is over, noting every turn it starts.
std::vector<TTurn> PlayScramble(TGame& AGame) {
  std::vector<TTurn> turns;
  for (int frame = 0; frame < 5000 && AGame.Scrambling(); ++frame) {
    const TVexilCube& cube = AGame.VexilCube();
    if (cube.SideIsRotating() && cube.RotateAngle() == 0.0f) {
      turns.push_back({cube.SelectedPlane(), cube.RotateDirection()});
    }
    RunFrame(AGame.VexilCube());
  }
  return turns;
}

// Frames of the window: the cube's frame, then the solved check. Returns how many checks
// reported a won game.
int RunFrames(TGame& AGame, int ACount) {
  int won = 0;
  for (int i = 0; i < ACount; ++i) {
    RunFrame(AGame.VexilCube());
    won += AGame.CheckSolved() ? 1 : 0;
  }
  return won;
}

// Turns the scramble back, last turn first, with animated turns as a player's would be.
int SolveByReversing(TGame& AGame, const std::vector<TTurn>& ATurns) {
  int won = 0;
  for (auto turn = ATurns.rbegin(); turn != ATurns.rend(); ++turn) {
    AGame.VexilCube().RotateSide(turn->Plane, TVexilCube::OppositeDirection(turn->Direction));
    while (AGame.VexilCube().SideIsRotating()) {
      won += RunFrames(AGame, 1);
    }
  }
  return won + RunFrames(AGame, 1);
}

// A player's mouse turn of sticker 27 (centre of side 1 under the identity view), released
// past 45 degrees: it is recorded and then animates.
void ReleaseMouseTurn(TVexilCube& ACube, int ADX, int ADY) {
  ACube.ProcessMouseDown(TMouseButton::mbLeft, 400, 300, 300);
  ACube.ProcessMouseMove(400 + ADX, 300 + ADY, 0);
  RunFrame(ACube);
  ACube.ProcessMouseUp(TMouseButton::mbLeft);
}

class GameTest : public ::testing::Test {
protected:
  explicit GameTest(int32_t ADegree = 3) : FGame(ADegree, CommittedCubeMesh()) {
    FGame.VexilCube().Resize(800, 600);
    TGameEvents events;
    events.OnCubeCreated = [this](TVexilCube& ACube) {
      ++FCubesCreated;
      ACube.Resize(800, 600);
    };
    events.OnChanged = [this] { ++FChanges; };
    events.OnClockRestarted = [this] { ++FClockRestarts; };
    FGame.SetEvents(std::move(events));
  }

  // A game in progress on a scrambled cube; returns the scramble's turns.
  std::vector<TTurn> StartGame(TDifficulty ADifficulty = TDifficulty::Easy) {
    FGame.NewGame(ADifficulty, 1234);
    return PlayScramble(FGame);
  }

  TGame FGame;
  int FCubesCreated = 0;
  int FChanges = 0;
  int FClockRestarts = 0;
};

} // namespace

TEST(GameClock, CountsSecondsRollsDaysAndFormats) {
  TGameClock clock;
  EXPECT_EQ(clock.SecondsToTimeStr(), "00:00:00");
  clock.Tick(); // stopped: no count
  EXPECT_EQ(clock.SecondCount(), 0);
  clock.Reset();
  for (int i = 0; i < 7; ++i) {
    clock.Tick();
  }
  EXPECT_EQ(clock.SecondsToTimeStr(), "00:00:07");
  clock.SetTime(0, 13 * 3600 + 5 * 60 + 42);
  EXPECT_EQ(clock.SecondsToTimeStr(), "13:05:42");
  clock.SetTime(0, 86399);
  clock.Tick();
  EXPECT_EQ(clock.SecondsToTimeStr(), "00:00:00");
  EXPECT_EQ(clock.DaysToTimeStr(), "1");
  clock.Stop();
  clock.Tick();
  EXPECT_EQ(clock.SecondCount(), 0);
  clock.Resume(); // goes on from the counts as they stand
  clock.Tick();
  EXPECT_EQ(clock.SecondCount(), 1);
  EXPECT_EQ(clock.DaysCount(), 1);
}

TEST(GameClock, SetTimeCarriesWholeDaysAndRefusesToWrap) {
  TGameClock clock;
  clock.SetTime(1, 3 * 86400 + 5);
  EXPECT_EQ(clock.DaysCount(), 4);
  EXPECT_EQ(clock.SecondCount(), 5);
  clock.SetTime(-3, -7);
  EXPECT_EQ(clock.DaysCount(), 0);
  EXPECT_EQ(clock.SecondCount(), 0);
  clock.SetTime(2147483647, 2147483647);
  EXPECT_EQ(clock.DaysCount(), 2147483647);
  EXPECT_LT(clock.SecondCount(), 86400);
  clock.Resume();
  clock.SetTime(2147483647, 86399);
  clock.Tick(); // the last day cannot roll over into a negative count
  EXPECT_EQ(clock.DaysCount(), 2147483647);
}

TEST_F(GameTest, ANewGameScramblesSizePlusItsTurnsThenStartsTheClockAtZero) {
  for (const auto& [difficulty, turns] :
       {std::pair{TDifficulty::Easy, 5}, {TDifficulty::Normal, 10}, {TDifficulty::Hard, 16}}) {
    FGame.NewGame(difficulty, 99);
    EXPECT_TRUE(FGame.Scrambling());
    EXPECT_FALSE(FGame.NewGameIsStarted());
    EXPECT_EQ(FGame.Difficulty(), difficulty);
    const int restartsBefore = FClockRestarts;
    EXPECT_EQ(PlayScramble(FGame).size(), static_cast<size_t>(turns));
    EXPECT_EQ(FClockRestarts, restartsBefore + 1);
    EXPECT_TRUE(FGame.NewGameIsStarted());
    EXPECT_FALSE(FGame.Scrambling());
    EXPECT_EQ(FGame.RandomCount(), 0);
    EXPECT_TRUE(FGame.Clock().Running());
    EXPECT_EQ(FGame.Clock().SecondsToTimeStr(), "00:00:00");
    EXPECT_FALSE(FGame.VexilCube().SideIsRotating());
  }
}

TEST_F(GameTest, TheScrambleIsNotHurriedAndLeavesUndoAndRedoOff) {
  FGame.NewGame(TDifficulty::Normal, 5);
  RunFrame(FGame.VexilCube());
  const float angle = FGame.VexilCube().RotateAngle();
  FGame.FinishTurn(); // a press on the cube during the scramble
  EXPECT_TRUE(FGame.VexilCube().SideIsRotating());
  EXPECT_EQ(FGame.VexilCube().RotateAngle(), angle);
  EXPECT_FALSE(FGame.UndoEnabled());
  EXPECT_FALSE(FGame.RedoEnabled());
  EXPECT_FALSE(FGame.Clock().Running());
}

TEST_F(GameTest, SolvingEndsTheGameOnceWithTheClocksTime) {
  const auto turns = StartGame();
  FGame.Clock().SetTime(0, 3661);
  EXPECT_EQ(SolveByReversing(FGame, turns), 1);
  EXPECT_FALSE(FGame.NewGameIsStarted());
  EXPECT_FALSE(FGame.Clock().Running());
  EXPECT_EQ(FGame.Difficulty(), TDifficulty::None);
  EXPECT_FALSE(FGame.VexilCube().UndoExist());
  EXPECT_EQ(FGame.CongratulationText(), "Поздравляем! Ваше время: 01:01:01");
  // The days show from the second day on.
  FGame.Clock().SetTime(2, 5);
  EXPECT_EQ(FGame.CongratulationText(), "Поздравляем! Ваше время: 00:00:05; Дни: 2");
  // Turned away and back with no game in progress: nothing more.
  FGame.VexilCube().RotateSide(turns[0].Plane, turns[0].Direction);
  RunFrames(FGame, 20);
  FGame.VexilCube().RotateSide(turns[0].Plane, TVexilCube::OppositeDirection(turns[0].Direction));
  EXPECT_EQ(RunFrames(FGame, 20), 0);
  EXPECT_TRUE(FGame.VexilCube().Solved());
}

TEST_F(GameTest, ResetDuringAScrambleLeavesASolvedCubeAndNoGame) {
  FGame.NewGame(TDifficulty::Hard, 7);
  RunFrames(FGame, 25); // a few turns in, one of them half done
  ASSERT_TRUE(FGame.Scrambling());
  FGame.Reset();
  EXPECT_FALSE(FGame.Scrambling());
  EXPECT_EQ(FGame.RandomCount(), 0);
  EXPECT_FALSE(FGame.VexilCube().SideIsRotating());
  EXPECT_EQ(RunFrames(FGame, 200), 0);
  EXPECT_FALSE(FGame.VexilCube().SideIsRotating());
  EXPECT_FALSE(FGame.NewGameIsStarted());
  EXPECT_FALSE(FGame.Clock().Running()); // the clock never started
  EXPECT_TRUE(FGame.VexilCube().IsCubeSolved());
  EXPECT_EQ(FGame.Difficulty(), TDifficulty::Hard); // the mark stays
}

TEST_F(GameTest, ResetDuringAPlayersTurnLeavesTheCubeSolved) {
  StartGame();
  FGame.Reset();
  const auto solved = Stickers(FGame.VexilCube());
  ReleaseMouseTurn(FGame.VexilCube(), 0, -80);
  ASSERT_TRUE(FGame.VexilCube().SideIsRotating());
  RunFrames(FGame, 3);
  FGame.Reset();
  RunFrames(FGame, 60);
  EXPECT_EQ(Stickers(FGame.VexilCube()), solved);
  EXPECT_FALSE(FGame.VexilCube().UndoExist());
  // A drag in progress is dropped too.
  FGame.VexilCube().ProcessMouseDown(TMouseButton::mbLeft, 400, 300, 300);
  FGame.VexilCube().ProcessMouseMove(400, 220, 0);
  RunFrame(FGame.VexilCube());
  ASSERT_TRUE(FGame.VexilCube().ManualRotation());
  FGame.Reset();
  EXPECT_FALSE(FGame.VexilCube().ManualRotation());
  FGame.VexilCube().ProcessMouseUp(TMouseButton::mbLeft);
  RunFrames(FGame, 60);
  EXPECT_EQ(Stickers(FGame.VexilCube()), solved);
}

TEST_F(GameTest, AChangeOfSizeMakesANewCubeStopsTheClockAndClearsTheMark) {
  StartGame(TDifficulty::Normal);
  FGame.NewGame(TDifficulty::Hard, 3);
  RunFrames(FGame, 5);
  FGame.ChangeDegree(5);
  EXPECT_EQ(FCubesCreated, 1);
  EXPECT_EQ(FGame.VexilCube().Degree(), 5);
  EXPECT_FALSE(FGame.Scrambling());
  EXPECT_FALSE(FGame.NewGameIsStarted());
  EXPECT_FALSE(FGame.Clock().Running());
  EXPECT_EQ(FGame.Difficulty(), TDifficulty::None);
  EXPECT_EQ(RunFrames(FGame, 100), 0);
  EXPECT_FALSE(FGame.VexilCube().SideIsRotating()); // the abandoned scramble turns nothing
}

TEST_F(GameTest, UndoAndRedoWorkOnlyDuringAGame) {
  ReleaseMouseTurn(FGame.VexilCube(), 0, -80);
  RunFrames(FGame, 60);
  ASSERT_TRUE(FGame.VexilCube().UndoExist());
  EXPECT_FALSE(FGame.UndoEnabled());
  FGame.Undo();
  EXPECT_FALSE(FGame.VexilCube().SideIsRotating());
  StartGame();
  EXPECT_FALSE(FGame.UndoEnabled()); // the new game's cube has no history
  ReleaseMouseTurn(FGame.VexilCube(), 0, -80);
  RunFrames(FGame, 60);
  EXPECT_TRUE(FGame.UndoEnabled());
  EXPECT_FALSE(FGame.RedoEnabled());
  FGame.Undo();
  RunFrames(FGame, 20);
  EXPECT_FALSE(FGame.UndoEnabled());
  EXPECT_TRUE(FGame.RedoEnabled());
}

TEST_F(GameTest, APausedGameStandsStillUntilItGoesOnAndEndsWithItsGame) {
  FGame.SetPaused(true); // no game: nothing to pause
  EXPECT_FALSE(FGame.Paused());
  StartGame();
  ReleaseMouseTurn(FGame.VexilCube(), 0, -80);
  FGame.ClockTick();
  FGame.SetPaused(true); // while the turn still animates: it lands first
  EXPECT_TRUE(FGame.Paused());
  EXPECT_FALSE(FGame.VexilCube().SideIsRotating());
  const int32_t seconds = FGame.Clock().SecondCount();
  FGame.ClockTick();
  FGame.ClockTick();
  EXPECT_EQ(FGame.Clock().SecondCount(), seconds);
  EXPECT_FALSE(FGame.UndoEnabled());
  FGame.Undo();
  EXPECT_FALSE(FGame.VexilCube().SideIsRotating());
  EXPECT_FALSE(FGame.CanPlayMoves());
  EXPECT_FALSE(FGame.PlayMoves("R").Error);
  EXPECT_FALSE(FGame.VexilCube().SideIsRotating());

  FGame.SetPaused(false);
  EXPECT_TRUE(FGame.UndoEnabled());
  FGame.ClockTick();
  EXPECT_EQ(FGame.Clock().SecondCount(), seconds + 1);

  // Whatever ends the game ends the pause, and the next game is not paused.
  for (const auto& end : std::vector<std::function<void()>>{
           [this] { FGame.Reset(); }, [this] { StartGame(); }, [this] { FGame.ChangeDegree(2); }}) {
    StartGame();
    FGame.SetPaused(true);
    ASSERT_TRUE(FGame.Paused());
    end();
    EXPECT_FALSE(FGame.Paused());
  }
}

TEST_F(GameTest, QuickUndoesAndRedoesCompleteTheTurnInProgressAndAreNeverLost) {
  StartGame();
  const auto start = Stickers(FGame.VexilCube());
  ReleaseMouseTurn(FGame.VexilCube(), 0, -80);
  RunFrames(FGame, 60);
  ReleaseMouseTurn(FGame.VexilCube(), 80, 0);
  RunFrames(FGame, 60);
  ReleaseMouseTurn(FGame.VexilCube(), 0, 80);
  RunFrames(FGame, 1); // the third turn still animates
  // Three presses, each while the turn before it animates.
  FGame.Undo();
  RunFrames(FGame, 1);
  FGame.Undo();
  RunFrames(FGame, 1);
  FGame.Undo();
  RunFrames(FGame, 60);
  EXPECT_FALSE(FGame.VexilCube().SideIsRotating());
  EXPECT_EQ(FGame.VexilCube().History().Position(), -1);
  EXPECT_EQ(Stickers(FGame.VexilCube()), start);
  // And all three come back the same way.
  FGame.Redo();
  FGame.Redo();
  FGame.Redo();
  RunFrames(FGame, 60);
  EXPECT_EQ(FGame.VexilCube().History().Position(), 2);
  FGame.Undo();
  FGame.Undo();
  FGame.Undo();
  RunFrames(FGame, 60);
  EXPECT_EQ(Stickers(FGame.VexilCube()), start);
}

TEST_F(GameTest, UndoIgnoresADragInProgress) {
  StartGame();
  ReleaseMouseTurn(FGame.VexilCube(), 0, -80);
  RunFrames(FGame, 60);
  FGame.VexilCube().ProcessMouseDown(TMouseButton::mbLeft, 400, 300, 300);
  FGame.VexilCube().ProcessMouseMove(400, 220, 0);
  RunFrame(FGame.VexilCube());
  FGame.Undo();
  EXPECT_EQ(FGame.VexilCube().History().Position(), 0);
  EXPECT_TRUE(FGame.VexilCube().ManualRotation());
}

TEST_F(GameTest, AWinningTurnCompletedByAnUndoIsWonNotUndone) {
  const auto turns = StartGame();
  // All but the last reversing turn, then the last one as a turn in progress.
  const std::vector<TTurn> allButFirst(turns.begin() + 1, turns.end());
  SolveByReversing(FGame, allButFirst);
  FGame.VexilCube().RotateSide(turns[0].Plane, TVexilCube::OppositeDirection(turns[0].Direction));
  FGame.Undo();
  EXPECT_TRUE(FGame.VexilCube().IsCubeSolved());
  EXPECT_EQ(RunFrames(FGame, 1), 1);
}

namespace {

// A saved game of AGame as the reader hands it back.
TSavedGame SavedCopy(const TGame& AGame) {
  TMemoryStream stream;
  AGame.SaveGame(stream);
  stream.SetPosition(0);
  TSavedGameReadResult result = ReadSavedGame(stream);
  EXPECT_EQ(result.Outcome, TSavedGameOutcome::Loaded) << result.Reason;
  return *result.Game;
}

} // namespace

TEST_F(GameTest, ALoadedGameReplacesTheCubeAndPlaysOnFromItsTime) {
  TGame saved(5, CommittedCubeMesh());
  saved.NewGame(TDifficulty::Hard, 77);
  PlayScramble(saved);
  saved.Clock().SetTime(1, 3600);
  const auto stickers = Stickers(saved.VexilCube());
  const TSavedGame file = SavedCopy(saved);

  StartGame(TDifficulty::Easy); // a 3 x 3 x 3 game in progress, with a turn of the player's
  ReleaseMouseTurn(FGame.VexilCube(), 0, -80);
  RunFrames(FGame, 60);
  FGame.LoadGame(file);
  EXPECT_EQ(FCubesCreated, 1);
  EXPECT_EQ(FGame.VexilCube().Degree(), 5);
  EXPECT_EQ(Stickers(FGame.VexilCube()), stickers);
  EXPECT_EQ(FGame.Difficulty(), TDifficulty::Hard);
  EXPECT_TRUE(FGame.NewGameIsStarted());
  EXPECT_TRUE(FGame.Clock().Running());
  EXPECT_EQ(FGame.Clock().SecondsToTimeStr(), "01:00:00");
  EXPECT_EQ(FGame.Clock().DaysCount(), 1);
  EXPECT_FALSE(FGame.VexilCube().UndoExist());
  FGame.ClockTick();
  EXPECT_EQ(FGame.Clock().SecondsToTimeStr(), "01:00:01");
}

TEST_F(GameTest, LoadingDuringAScrambleAbandonsItAndAnUnknownDifficultyKeepsTheMark) {
  TGame saved(2, CommittedCubeMesh());
  saved.NewGame(TDifficulty::Easy, 3);
  PlayScramble(saved);
  TSavedGame file = SavedCopy(saved);
  file.Difficulty = "impossible";
  FGame.NewGame(TDifficulty::Normal, 11);
  RunFrames(FGame, 4);
  FGame.LoadGame(file);
  EXPECT_FALSE(FGame.Scrambling());
  EXPECT_EQ(FGame.Difficulty(), TDifficulty::Normal);
  const auto stickers = Stickers(FGame.VexilCube());
  EXPECT_EQ(RunFrames(FGame, 100), 0);
  EXPECT_FALSE(FGame.VexilCube().SideIsRotating());
  EXPECT_EQ(Stickers(FGame.VexilCube()), stickers);
}

TEST(GameSave, NoMarkIsWrittenAsAnEmptyDifficulty) {
  TGame game(3, CommittedCubeMesh());
  EXPECT_EQ(DifficultyText(TDifficulty::None), "");
  game.NewGame(TDifficulty::Easy, 1);
  PlayScramble(game);
  game.ChangeDegree(4); // clears the mark
  EXPECT_EQ(SavedCopy(game).Difficulty, "");
  EXPECT_EQ(SavedCopy(game).Degree, 4);
}

TEST_F(GameTest, CountsThePlayersTurnsUndoesAndRedoesButNotTheScrambleOrATurnBack) {
  StartGame(TDifficulty::Normal);
  EXPECT_EQ(FGame.MoveCount(), 0); // eight scramble turns made, none counted
  ReleaseMouseTurn(FGame.VexilCube(), 0, -80);
  RunFrames(FGame, 60);
  EXPECT_EQ(FGame.MoveCount(), 1);
  ReleaseMouseTurn(FGame.VexilCube(), 0, -30); // let go short of 45 degrees: turns back
  RunFrames(FGame, 60);
  EXPECT_EQ(FGame.MoveCount(), 1);
  FGame.Undo();
  RunFrames(FGame, 60);
  FGame.Redo();
  RunFrames(FGame, 60);
  EXPECT_EQ(FGame.MoveCount(), 3);
  // A turn completed early by an undo counts as well as the undo.
  ReleaseMouseTurn(FGame.VexilCube(), 80, 0);
  FGame.Undo();
  RunFrames(FGame, 60);
  EXPECT_EQ(FGame.MoveCount(), 5);
  // A turn dropped by Reset never ends; the game is over and the next one starts from 0.
  ReleaseMouseTurn(FGame.VexilCube(), 80, 0);
  FGame.Reset();
  RunFrames(FGame, 60);
  EXPECT_EQ(FGame.MoveCount(), 5);
  StartGame();
  EXPECT_EQ(FGame.MoveCount(), 0);
}

TEST_F(GameTest, TheMoveCountAndTheScrambleTravelWithASavedGame) {
  StartGame();
  ReleaseMouseTurn(FGame.VexilCube(), 0, -80);
  RunFrames(FGame, 60);
  ReleaseMouseTurn(FGame.VexilCube(), 80, 0);
  RunFrames(FGame, 60);
  const TSavedGame file = SavedCopy(FGame);
  EXPECT_EQ(file.Moves, 2);
  EXPECT_EQ(file.Scramble, FGame.ScrambleText());
  TGame other(4, CommittedCubeMesh());
  other.LoadGame(file);
  EXPECT_EQ(other.MoveCount(), 2);
  EXPECT_EQ(other.ScrambleText(), FGame.ScrambleText());
  EXPECT_FALSE(other.ScrambleText().empty());
}

TEST(GameSave, TheMoveCountSitsInTheClosingBlockThatOlderReadersSkip) {
  TGame game(2, CommittedCubeMesh());
  game.NewGame(TDifficulty::Easy, 8);
  PlayScramble(game);
  TMemoryStream without;
  // No moves and no scramble: the closing block stays empty, as in older files.
  WriteSavedGame(without, game.VexilCube(), 0, 5, "easy");
  EXPECT_EQ(std::vector<uint8_t>(without.Data().end() - 4, without.Data().end()),
            (std::vector<uint8_t>{0, 0, 0, 0}));
  without.SetPosition(0);
  EXPECT_EQ(ReadSavedGame(without).Game->Moves, 0);

  TVexilCube cube(2, CommittedCubeMesh());
  TMemoryStream with;
  WriteSavedGame(with, cube, 0, 5, "easy", 12);
  // An older reader: everything up to the cube block, then a reserved block it skips whole.
  with.SetPosition(0);
  EXPECT_EQ(StreamReadString(with), "VCS");
  StreamReadDouble(with);
  StreamSkipBlock(with);
  StreamReadInteger(with);
  StreamReadInteger(with);
  StreamReadInteger(with);
  StreamReadString(with);
  TVexilCube reader(2, CommittedCubeMesh());
  reader.LoadState(with);
  StreamSkipBlock(with);
  EXPECT_EQ(with.Remaining(), 0);
  with.SetPosition(0);
  EXPECT_EQ(ReadSavedGame(with).Game->Moves, 12);
}

TEST(GameScramble, NeverStartsAGameOnASolvedCube) {
  // On a 2 x 2 x 2 cube four random turns often cancel out or turn the whole cube.
  int extraTurnsSeen = 0;
  for (uint32_t seed = 0; seed < 300; ++seed) {
    TGame game(2, CommittedCubeMesh());
    game.NewGame(TDifficulty::Easy, seed);
    const size_t turns = PlayScramble(game).size();
    ASSERT_TRUE(game.NewGameIsStarted());
    EXPECT_FALSE(game.VexilCube().IsCubeSolved()) << "seed " << seed;
    EXPECT_GE(turns, 4u);
    extraTurnsSeen += turns > 4u ? 1 : 0;
  }
  EXPECT_GT(extraTurnsSeen, 0); // the case the rule is for did come up
}
