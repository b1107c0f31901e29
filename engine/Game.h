// TGame: the rules of one game of the cube. It owns the cube model and the clock's counting and
// decides the life of a game: the scramble of animated random turns, the start of the clock when
// the last one has ended, the solved check and its congratulation, the difficulty mark, when undo
// and redo may act, Reset and the change of size. The window only connects it to menus, message
// boxes, a one-second tick and the drawing, through the events below.
#pragma once

#include "engine/GameClock.h"
#include "engine/Notation.h"
#include "engine/Records.h"
#include "engine/SavedGame.h"
#include "engine/Streams.h"
#include "engine/VectorTypes.h"
#include "engine/VexilCube.h"

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vexil {

// The difficulty mark: none at start, after a change of size and after a solved game.
enum class TDifficulty { None, Easy, Normal, Hard };

// Random turns a new game of that difficulty adds to the cube's size (0 for None).
int32_t ExtraScrambleTurns(TDifficulty ADifficulty);
// The difficulty's text in a saved game: "easy", "normal", "hard", and "" for None.
std::string DifficultyText(TDifficulty ADifficulty);

struct TGameEvents {
  // A new cube model replaced the old one (a change of size, a loaded game): give it the
  // window's appearance (textures, lighting, view size) before it is drawn.
  std::function<void(TVexilCube& ACube)> OnCubeCreated;
  // The state a window shows changed: game in progress, difficulty, undo and redo, clock.
  std::function<void()> OnChanged;
  // The clock started counting from zero: a tick of the window should count its first second
  // from now.
  std::function<void()> OnClockRestarted;
};

class TGame {
public:
  // ABodyMesh: the bytes of the cubie body mesh file, as TVexilCube takes them; the game keeps
  // a copy because every change of size and every loaded game builds a new cube from them.
  // Raises what TVexilCube's constructor raises for a size or mesh it cannot build.
  TGame(int32_t ADegree, const std::vector<uint8_t>& ABodyMesh);
  ~TGame();
  TGame(const TGame&) = delete;
  TGame& operator=(const TGame&) = delete;

  void SetEvents(TGameEvents AEvents);
  // The six side colours a reset cube is painted with (side k + 1 at index k).
  void SetPlaneColors(const std::array<TVertex3f, 6>& AColors);

  // --- commands
  // Resets the cube and scrambles it with its size plus the difficulty's random turns, each
  // animated; the game starts with the clock at zero when the last turn has ended.
  void NewGame(TDifficulty ADifficulty, uint32_t ASeed);
  // A new game as NewGame starts one, scrambled with the turns AText writes in notation (a
  // scramble a player shared) and no difficulty mark. Returns the reading: when it has an error
  // or no turn at all, nothing changes.
  TParsedMoves NewGameFromScramble(const std::string& AText);
  // Plays the turns AText writes as the player's own, one after another, each recorded in the
  // history, animated and counted as a drag's turn is; solving the cube during a game drops the
  // turns still to come. Returns the reading: when it has an error nothing is played. Nothing is
  // played either while a scramble runs or a drag is held (CanPlayMoves).
  TParsedMoves PlayMoves(const std::string& AText);
  // Puts the cube back in order: any scramble is abandoned, a turn or drag in progress dropped,
  // and the game in progress ends. The difficulty mark stays; the clock counts on unseen.
  void Reset();
  // A new cube of size ADegree: the game ends, the clock stops, the mark is cleared.
  void ChangeDegree(int32_t ADegree);
  // Undo and redo a turn of the player's. A turn that still animates is completed first, so a
  // quick second press is never lost; a drag in progress makes both do nothing.
  void Undo();
  void Redo();
  // Pauses the game in progress or lets it go on. A paused game's clock stands still and its
  // cube is neither shown nor turned, so that nobody studies it meanwhile; undo, redo and typed
  // turns wait too. Pausing without a game in progress does nothing; the end of the game (or a
  // new one) ends the pause.
  void SetPaused(bool AValue);
  // Completes the turn that animates, if any (the player pressed on the cube during it).
  void FinishTurn();
  // Plays on a game that ReadSavedGame accepted: a new cube of its size with its stickers and
  // no history, the clock going on from its time, its difficulty marked (a text of none of the
  // three keeps the mark). Any scramble is abandoned; the game is in progress afterwards.
  void LoadGame(const TSavedGame& AGame);
  // Writes the game in progress as a saved game; raises what WriteSavedGame raises.
  void SaveGame(TStream& AStream) const;
  // One second of the window's tick.
  void ClockTick();
  // Runs after every frame: true when the game in progress has been solved in it. The game has
  // then ended (clock stopped, mark cleared, no history) and CongratulationText tells the time.
  bool CheckSolved();

  // --- state
  TVexilCube& VexilCube() { return *FVexilCube; }
  const TVexilCube& VexilCube() const { return *FVexilCube; }
  TGameClock& Clock() { return FClock; }
  const TGameClock& Clock() const { return FClock; }
  TDifficulty Difficulty() const { return FDifficulty; }
  // A timed game is in progress (the scramble has ended, the cube is not solved yet).
  bool NewGameIsStarted() const { return FNewGameIsStarted; }
  bool Scrambling() const { return FScrambling; }
  bool Paused() const { return FPaused; }
  // Random turns the running scramble still has to make.
  int32_t RandomCount() const { return FRandomCount; }
  // The turns the player has made in the game in progress: each turn of a layer by the mouse,
  // each undo and each redo counts one when it ends; the scramble's turns and a drag that turns
  // back do not.
  int32_t MoveCount() const { return FMoveCount; }
  // Typed turns still to be played after the one that animates.
  int32_t QueuedTurns() const { return static_cast<int32_t>(FQueuedTurns.size()); }
  bool CanPlayMoves() const { return !FScrambling && !FPaused && !DragInProgress(); }
  // The scramble of the last game started (random or pasted), in notation; it stays after the
  // game ends so it can be shared and raced again, and is empty after a change of size.
  const std::string& ScrambleText() const { return FScrambleText; }
  // The player's turns now in effect, in notation, oldest first: undone turns are left out.
  std::string MovesText() const;
  const TNotation& Notation() const { return FNotation; }
  bool UndoEnabled() const;
  bool RedoEnabled() const;
  // The game won last, as the records keep it (its date left for the window to fill in).
  const TSolveRecord& LastSolve() const { return FLastSolve; }
  // The message of a won game, in UTF-8: the clock's time and, from the second day on, the days.
  std::string CongratulationText() const;

private:
  void ReplaceCube(int32_t ADegree);
  void SetGameStarted(bool AValue);
  void StopScramble();
  void ScrambleStep();
  // A random scramble turn, written down in the scramble's text.
  void RandomScrambleTurn();
  void EndOfTurn();
  void PlayQueuedTurn();
  // The player holds a drag that turns a layer.
  bool DragInProgress() const;
  void Changed() const;

  const std::vector<uint8_t> FBodyMesh;
  std::unique_ptr<TVexilCube> FVexilCube;
  TGameClock FClock;
  TGameEvents FEvents;
  std::array<TVertex3f, 6> FPlaneColors{};
  TDifficulty FDifficulty = TDifficulty::None;
  bool FNewGameIsStarted = false;
  bool FScrambling = false;
  bool FPaused = false;
  int32_t FRandomCount = 0;
  int32_t FMoveCount = 0;
  TSolveRecord FLastSolve;
  TNotation FNotation;
  std::string FScrambleText;
  // Turns still to play: a pasted scramble's while scrambling, else the player's typed ones.
  std::deque<TGameTurn> FQueuedTurns;
};

} // namespace vexil
