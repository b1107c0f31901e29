// Games and notation: scrambles kept as text and played from text, turns typed to play.
#include "engine/Game.h"
#include "tests/engine/CommittedMesh.h"
#include "tests/engine/CubeTestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace vexil;
using namespace vexil::test;

namespace {

// Frames of the window (the cube's frame, then the solved check) until nothing animates and
// no typed turn waits; returns how many checks reported a won game.
int Settle(TGame& AGame) {
  int won = 0;
  for (int frame = 0; frame < 20000; ++frame) {
    const bool busy = AGame.VexilCube().SideIsRotating() || AGame.Scrambling();
    if (!busy && AGame.QueuedTurns() == 0) {
      break;
    }
    RunFrame(AGame.VexilCube());
    won += AGame.CheckSolved() ? 1 : 0;
  }
  return won;
}

size_t Tokens(const std::string& AText) {
  std::istringstream in(AText);
  size_t count = 0;
  for (std::string token; in >> token;) {
    ++count;
  }
  return count;
}

struct TGameFixture : ::testing::Test {
  explicit TGameFixture(int32_t ADegree = 3) : Game(ADegree, CommittedCubeMesh()) {
    TGameEvents events;
    events.OnChanged = [this] { ++Changes; };
    Game.SetEvents(std::move(events));
  }
  TGame Game;
  int Changes = 0;
};

using GameNotation = TGameFixture;

} // namespace

// A random scramble is written down turn by turn: N + 13 tokens for a Hard game, and that text
// played as a pasted scramble on a fresh game gives the same cube.
TEST_F(GameNotation, ARandomScrambleIsKeptAsTextThatReplaysToTheSameCube) {
  for (const int32_t n : {2, 3, 5, 10}) {
    SCOPED_TRACE(n);
    Game.ChangeDegree(n);
    EXPECT_EQ(Game.ScrambleText(), "");
    Game.NewGame(TDifficulty::Hard, 77 + static_cast<uint32_t>(n));
    Settle(Game);
    ASSERT_TRUE(Game.NewGameIsStarted());
    const std::string scramble = Game.ScrambleText();
    EXPECT_GE(Tokens(scramble), static_cast<size_t>(n + 13)); // more only to avoid a solved cube
    const auto scrambled = Stickers(Game.VexilCube());

    TGame fresh(n, CommittedCubeMesh());
    const TParsedMoves parsed = fresh.NewGameFromScramble(scramble);
    ASSERT_FALSE(parsed.Error) << DescribeError(*parsed.Error);
    Settle(fresh);
    EXPECT_EQ(Stickers(fresh.VexilCube()), scrambled);
    EXPECT_EQ(fresh.ScrambleText(), scramble);
  }
}

TEST_F(GameNotation, APastedScrambleStartsAnUnmarkedGameAnimatedThenTheClock) {
  Game.NewGame(TDifficulty::Normal, 5);
  Settle(Game);
  Game.Clock().SetTime(0, 100);
  const TParsedMoves parsed = Game.NewGameFromScramble("R U R' U'");
  ASSERT_FALSE(parsed.Error);
  EXPECT_EQ(parsed.Moves.size(), 4u);
  EXPECT_TRUE(Game.Scrambling());
  EXPECT_FALSE(Game.NewGameIsStarted());
  EXPECT_EQ(Game.Difficulty(), TDifficulty::None);
  EXPECT_TRUE(Game.VexilCube().SideIsRotating()); // the first turn animates, not jumps
  EXPECT_EQ(Game.VexilCube().RotateSpeed(), 10.0f);
  Settle(Game);
  EXPECT_TRUE(Game.NewGameIsStarted());
  EXPECT_EQ(Game.Clock().SecondCount(), 0);
  EXPECT_EQ(Game.MoveCount(), 0);
  EXPECT_FALSE(Game.VexilCube().UndoExist()); // a scramble is not the player's
  EXPECT_EQ(Game.ScrambleText(), "R U R' U'");

  TVexilCube expected(3, CommittedCubeMesh());
  const TNotation notation(3);
  for (const TGameTurn& turn : notation.Turns(notation.Parse("R U R' U'").Moves)) {
    QuickTurn(expected, turn.PlaneIndex, turn.Direction);
  }
  EXPECT_EQ(Identities(Game.VexilCube()), Identities(expected));

  // Then the same turns the other way round, typed, solve it and win the game.
  const TParsedMoves typed = Game.PlayMoves("U R U' R'");
  ASSERT_FALSE(typed.Error);
  EXPECT_EQ(Settle(Game), 1);
  EXPECT_FALSE(Game.NewGameIsStarted());
  EXPECT_EQ(Game.LastSolve().Moves, 4);
  EXPECT_EQ(Game.LastSolve().Scramble, "R U R' U'");
  EXPECT_EQ(Game.LastSolve().Difficulty, "");
  EXPECT_EQ(Game.ScrambleText(), "R U R' U'"); // still there to share after the game
}

TEST_F(GameNotation, TextWithoutAPlayableSequenceChangesNothing) {
  Game.NewGame(TDifficulty::Easy, 8);
  Settle(Game);
  const std::string scramble = Game.ScrambleText();
  const auto before = Stickers(Game.VexilCube());
  for (const char* text : {"", "  \n", "R U 4R", "hello", "R U\tQ"}) {
    SCOPED_TRACE(text);
    const TParsedMoves parsed = Game.NewGameFromScramble(text);
    EXPECT_TRUE(parsed.Error || parsed.Moves.empty());
    EXPECT_TRUE(Game.NewGameIsStarted());
    EXPECT_EQ(Game.Difficulty(), TDifficulty::Easy);
    EXPECT_EQ(Game.ScrambleText(), scramble);
    EXPECT_FALSE(Game.PlayMoves(text).Moves.size() > 0);
    Settle(Game);
    EXPECT_EQ(Stickers(Game.VexilCube()), before);
    EXPECT_EQ(Game.MoveCount(), 0);
  }
}

// Typed turns go the way of a drag's: recorded, counted, undone and redone one by one, and they
// show in the player's turns, undone ones left out.
TEST_F(GameNotation, TypedTurnsAreThePlayersOwn) {
  Game.NewGameFromScramble("F2 D");
  Settle(Game);
  const int changes = Changes;
  ASSERT_FALSE(Game.PlayMoves("R2 Uw' x").Error);
  EXPECT_EQ(Game.QueuedTurns(), 2 + 2 + 3 - 1); // the first animates already
  Settle(Game);
  EXPECT_EQ(Game.MoveCount(), 7);
  EXPECT_GT(Changes, changes);
  EXPECT_EQ(Game.VexilCube().History().Count(), 7);
  EXPECT_EQ(Game.MovesText(), "R R U' 2U' R 2R L'");
  Game.Undo();
  Settle(Game);
  Game.Undo();
  Settle(Game);
  EXPECT_EQ(Game.MovesText(), "R R U' 2U' R");
  EXPECT_EQ(Game.MoveCount(), 9);
  Game.Redo();
  Settle(Game);
  EXPECT_EQ(Game.MovesText(), "R R U' 2U' R 2R");
  // Undone turns that a new typed turn replaces are gone from the history.
  Game.PlayMoves("F");
  Settle(Game);
  EXPECT_EQ(Game.MovesText(), "R R U' 2U' R 2R F");
  EXPECT_FALSE(Game.RedoEnabled());
}

TEST_F(GameNotation, ASequenceThatSolvesMidWayWinsAndStops) {
  Game.NewGameFromScramble("R");
  Settle(Game);
  Game.PlayMoves("R' U U U U");
  EXPECT_EQ(Settle(Game), 1);
  EXPECT_TRUE(Game.VexilCube().IsCubeSolved());
  EXPECT_EQ(Game.LastSolve().Moves, 1);
  EXPECT_EQ(Game.QueuedTurns(), 0);
}

TEST_F(GameNotation, APressOrAnUndoStopsTheTypedTurnsStillToCome) {
  Game.NewGameFromScramble("F2");
  Settle(Game);
  Game.PlayMoves("R U L D");
  RunFrame(Game.VexilCube());
  Game.FinishTurn(); // a press on the cube: the turn completes, the rest is dropped
  EXPECT_EQ(Game.QueuedTurns(), 0);
  EXPECT_FALSE(Game.VexilCube().SideIsRotating());
  EXPECT_EQ(Game.MovesText(), "R");
  Game.PlayMoves("U L D");
  RunFrame(Game.VexilCube());
  Game.Undo(); // completes U and undoes it; L and D are not played
  Settle(Game);
  EXPECT_EQ(Game.MovesText(), "R");
}

TEST_F(GameNotation, NothingIsTypedIntoAScrambleAndASizeChangeForgetsTheScramble) {
  Game.NewGame(TDifficulty::Easy, 3);
  EXPECT_FALSE(Game.CanPlayMoves());
  const TParsedMoves parsed = Game.PlayMoves("R");
  EXPECT_FALSE(parsed.Error);
  Settle(Game);
  EXPECT_EQ(Game.VexilCube().History().Count(), 0);
  EXPECT_EQ(Game.MoveCount(), 0);
  EXPECT_FALSE(Game.ScrambleText().empty());
  Game.ChangeDegree(4);
  EXPECT_EQ(Game.ScrambleText(), "");
  EXPECT_EQ(Game.Notation().Degree(), 4);
  EXPECT_FALSE(Game.PlayMoves("3Rw").Error); // turns of the new size
}
