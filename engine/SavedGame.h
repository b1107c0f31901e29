// The saved-game file (".vcs"): a mark, the version of the program that wrote it, the cube's
// size, the game clock, the difficulty and the cube block. The reader checks a whole file before
// anything is applied, so a loader can keep the game on screen untouched when a file is refused.
#pragma once

#include "engine/CubeState.h"
#include "engine/ProgramInfo.h"
#include "engine/Streams.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vexil {

class TVexilCube;

// The file's extension, without the dot.
inline constexpr const char* kSavedGameExtension = "vcs";
// The version written into every file. Files of versions above it are refused: they may hold
// what this program cannot read.
inline constexpr double kSavedGameNewestVersion = ProgramVersion;
// Files of this version or older carry the cube block that stored colours.
inline constexpr double kSavedGameLastOldBlockVersion = 1.3;

// A saved game read and checked whole: nothing in it can make applying it fail.
struct TSavedGame {
  double Version;         // as stored: finite, at most kSavedGameNewestVersion
  int32_t Degree;         // TVexilCube::kMinDegree .. kMaxDegree
  int32_t Days;           // 0 or more
  int32_t Seconds;        // seconds into the current day, 0 .. 86399
  std::string Difficulty; // UTF-8; "easy", "normal", "hard", or another text that marks none
  TCubeState CubeState;   // fits a cube of size Degree
  int32_t Moves = 0;      // the player's turns so far, 0 or more (0 in files without the count)
  std::string Scramble;   // the game's scramble in notation, playable on the cube; "" if none
};

enum class TSavedGameOutcome {
  Loaded,        // Game holds the file's game
  NotASavedGame, // the file does not start with the saved-game mark: ignore it silently
  NewerVersion,  // written by a newer program: ask the player to update
  Damaged        // the file is cut short or holds what no saved game can
};

struct TSavedGameReadResult {
  TSavedGameOutcome Outcome = TSavedGameOutcome::Damaged;
  // Why the file was not loaded, in English for logs and tests; empty when it was.
  std::string Reason;
  // Set exactly when Outcome is Loaded.
  std::optional<TSavedGame> Game;
};

// Reads a saved game from the stream's position to its end. Never raises for what the file
// holds; every problem becomes an outcome with a reason. Bytes after the game count as damage.
TSavedGameReadResult ReadSavedGame(TStream& AStream);

// Reads only the mark and the version at the stream's position: the refusal that a file with
// this head gets whatever follows (not a saved game, a newer version, a head cut short), or
// nothing when the file is a saved game this program reads. A loader that limits the size of
// what it reads asks this first, so that a huge file of another kind is still ignored and a huge
// file of a newer version still asks for the update.
std::optional<TSavedGameReadResult> RefusalByHead(TStream& AStream);

// The most of a file a loader reads: far beyond the largest saved game (an old-format
// 10 x 10 x 10 cube is some 70 KB), so a bigger file is no saved game and reading it would only
// waste memory.
inline constexpr size_t kMaxSavedGameBytes = 16 * 1024 * 1024;

// Reads a saved game from a file's first bytes, ATruncated when the file holds more than these
// (at most kMaxSavedGameBytes). A cut file is damaged only when its head is a saved game's of a
// readable version: otherwise it is refused as its head says.
TSavedGameReadResult ReadSavedGameBytes(const std::vector<uint8_t>& ABytes, bool ATruncated);

// Writes ACube's game at the stream's position: ADays whole days and ASeconds seconds on the
// clock (seconds of whole days are carried into the days), ADifficulty the marked difficulty's
// text or "" when none is marked, AMoves the player's turns so far. Raises
// std::invalid_argument, before writing anything, for a cube size the game does not offer or a
// negative or overflowing clock; stream errors pass on.
//
// The move count and the scramble travel in the closing reserved block, which readers that know
// nothing of them skip. The project's own data there stand behind the four letters "VCEX": the
// count (little-endian), then, when the game has one, the scramble in notation (its byte count
// and its bytes, ASCII), then room for later fields, which this version skips. A scramble the
// cube cannot play reads as none. Any other bytes in the
// block are someone else's and are skipped too, except a block of exactly four bytes holding a
// count from 0 to 10,000,000, which the first version to keep the count wrote without the mark.
// With no moves and no scramble the block stays empty, as in every older file.
void WriteSavedGame(TStream& AStream, const TVexilCube& ACube, int32_t ADays, int32_t ASeconds,
                    const std::string& ADifficulty, int32_t AMoves = 0,
                    const std::string& AScramble = std::string());

// Puts AGame's stickers on ACube, a new model of size AGame.Degree prepared as the shell prepares
// one (texture list, InitPlanes, the settings' colours). Raises std::invalid_argument, before
// touching anything, when ACube has another size; otherwise it cannot fail.
void ApplySavedGame(const TSavedGame& AGame, TVexilCube& ACube);

} // namespace vexil
