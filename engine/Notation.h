// Turns written as speedcubers write them: outer turns U D L R F B, ' for anticlockwise and 2 for
// a half turn, wide turns Rw and 3Rw, single inner layers 2R and 3U, whole-cube rotations x y z.
//
// The letters name places on our cube, fixed in the cube's own axes and chosen so that the
// default colours sit in the standard scrambling orientation: U is +Z (white), F is +Y (green),
// R is -X (red), and D, B, L the opposite places (yellow, blue, orange). Our cubies never move,
// so a turn of the notation becomes the game's quarter turns (sticker index, direction) of the
// single slices it moves: R2 is two of them, 3Rw three, and a rotation such as x is all N slices
// turned the same way. That keeps the notation's meaning exactly: after x the letter U names the
// place on top, which is where the rotation brought the old front.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vexil {

// The six faces, and the three whole-cube rotations (x follows R, y follows U, z follows F).
enum class TNotationFace { U, D, L, R, F, B, X, Y, Z };

struct TNotationMove {
  TNotationFace Face = TNotationFace::U;
  // Layers counted from the face inwards, 1 being the face's own. Wide: layers 1..Depth turn
  // together; otherwise layer Depth alone. Rotations turn every layer and leave these at 1 and
  // false.
  int32_t Depth = 1;
  bool Wide = false;
  // 1 clockwise (seen from the face), 2 a half turn, -1 anticlockwise.
  int32_t Amount = 1;

  bool operator==(const TNotationMove& AOther) const {
    return Face == AOther.Face && Depth == AOther.Depth && Wide == AOther.Wide &&
           Amount == AOther.Amount;
  }
};

// One quarter turn of one slice as the game makes it (the history keeps these).
struct TGameTurn {
  int32_t PlaneIndex = -1;
  int32_t Direction = -1;

  bool operator==(const TGameTurn& AOther) const {
    return PlaneIndex == AOther.PlaneIndex && Direction == AOther.Direction;
  }
};

enum class TNotationErrorKind {
  NotAMove,      // not written as a turn at all ("Q", "R3", "2")
  BeyondTheCube, // a turn of layers the cube does not have ("4R" on a 3 x 3 x 3)
};

struct TNotationError {
  TNotationErrorKind Kind = TNotationErrorKind::NotAMove;
  std::string Token;       // the token as written
  int32_t TokenNumber = 0; // 1 for the first token of the text
  size_t Offset = 0;       // byte offset of the token in the text (UTF-8)
};

struct TParsedMoves {
  std::vector<TNotationMove> Moves; // empty when Error is set
  std::optional<TNotationError> Error;
};

// One token as it is written: "R", "U'", "F2", "Rw'", "3Rw2", "2R", "x'".
std::string PrintMove(const TNotationMove& AMove);
// The moves separated by single spaces.
std::string PrintMoves(const std::vector<TNotationMove>& AMoves);
// The error in English, naming the token and its place: for logs and tests; the window shows its
// own words.
std::string DescribeError(const TNotationError& AError);

// The notation of a cube of one size. Building it walks the sticker order once.
class TNotation {
public:
  // ADegree 1 .. the largest cube; raises std::invalid_argument otherwise.
  explicit TNotation(int32_t ADegree);

  int32_t Degree() const { return FDegree; }

  // Tokens are separated by white space. A prime may also be written as the typographic
  // apostrophe, and "R2'" reads as "R2". The first token that is not a turn of this cube stops
  // the reading; nothing before it is kept.
  TParsedMoves Parse(const std::string& AText) const;

  // The game's quarter turns of a move, face layer first, in the order they are played.
  std::vector<TGameTurn> Turns(const TNotationMove& AMove) const;
  std::vector<TGameTurn> Turns(const std::vector<TNotationMove>& AMoves) const;

  // The move a game turn makes, named from the nearer face (from U, R or F when the slice is
  // the middle one); none for a turn that names no slice of this cube.
  std::optional<TNotationMove> Move(const TGameTurn& ATurn) const;
  // One token per game turn, separated by single spaces; a turn naming no slice prints "?".
  std::string Print(const std::vector<TGameTurn>& ATurns) const;

private:
  // A quarter turn of the slice at grid coordinate Layer (1..N) on cube axis Axis (0 x, 1 y,
  // 2 z), by +90 degrees about that axis when Positive, else -90.
  struct TSlice {
    int32_t Axis = 0;
    int32_t Layer = 1;
    bool Positive = true;
  };
  std::optional<TSlice> SliceOf(const TGameTurn& ATurn) const;
  TGameTurn TurnOf(const TSlice& ASlice) const;
  size_t SlotOf(const TSlice& ASlice) const;

  int32_t FDegree;
  // For every slice and sense, the first game turn in sticker order that makes it.
  std::vector<TGameTurn> FTurns;
  // Per sticker: the slice and sense of each of its four directions, as an index into FTurns.
  std::vector<std::array<size_t, 4>> FSlots;
};

} // namespace vexil
