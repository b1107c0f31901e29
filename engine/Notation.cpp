#include "engine/Notation.h"

#include "engine/CubeSizes.h"
#include "engine/StickerTable.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace vexil {

namespace {

// Where a face's layers lie: the cube axis across them (0 x, 1 y, 2 z) and whether the face
// looks along that axis (+1) or against it (-1).
struct TFacePlace {
  TNotationFace Face;
  char Letter;
  int32_t Axis;
  int32_t Normal;
};

// The standard scrambling orientation of our default colours: white +Z up, green +Y in front,
// red -X on the right.
constexpr std::array<TFacePlace, 6> kFaces = {{
    {TNotationFace::U, 'U', 2, +1},
    {TNotationFace::D, 'D', 2, -1},
    {TNotationFace::L, 'L', 0, +1},
    {TNotationFace::R, 'R', 0, -1},
    {TNotationFace::F, 'F', 1, +1},
    {TNotationFace::B, 'B', 1, -1},
}};

// A rotation turns the whole cube as one of the faces turns.
struct TRotation {
  TNotationFace Rotation;
  char Letter;
  TNotationFace Follows;
};

constexpr std::array<TRotation, 3> kRotations = {{
    {TNotationFace::X, 'x', TNotationFace::R},
    {TNotationFace::Y, 'y', TNotationFace::U},
    {TNotationFace::Z, 'z', TNotationFace::F},
}};

const TFacePlace& PlaceOf(TNotationFace AFace) {
  for (const TRotation& rotation : kRotations) {
    if (rotation.Rotation == AFace) {
      return PlaceOf(rotation.Follows);
    }
  }
  for (const TFacePlace& place : kFaces) {
    if (place.Face == AFace) {
      return place;
    }
  }
  throw std::invalid_argument("Not a face of the notation");
}

bool IsRotation(TNotationFace AFace) {
  return AFace == TNotationFace::X || AFace == TNotationFace::Y || AFace == TNotationFace::Z;
}

char LetterOf(TNotationFace AFace) {
  for (const TRotation& rotation : kRotations) {
    if (rotation.Rotation == AFace) {
      return rotation.Letter;
    }
  }
  return PlaceOf(AFace).Letter;
}

// The typographic apostrophe and the prime sign, as texts copied from web pages carry them.
constexpr const char* kPrimes[] = {"'", "\xE2\x80\x99", "\xE2\x80\xB2"};

// Length of the prime at AText[APos], 0 when there is none.
size_t PrimeAt(const std::string& AText, size_t APos) {
  for (const char* prime : kPrimes) {
    const std::string p(prime);
    if (AText.compare(APos, p.size(), p) == 0) {
      return p.size();
    }
  }
  return 0;
}

// Length of the white space at AText[APos], 0 when there is none; the no-break space of web
// pages counts too.
size_t SpaceAt(const std::string& AText, size_t APos) {
  const auto c = static_cast<unsigned char>(AText[APos]);
  if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f') {
    return 1;
  }
  return AText.compare(APos, 2, "\xC2\xA0") == 0 ? 2 : 0;
}

struct TTokenReading {
  std::optional<TNotationMove> Move;
  TNotationErrorKind Kind = TNotationErrorKind::NotAMove;
};

// Reads one whole token of a cube of size ADegree.
TTokenReading ReadToken(const std::string& AToken, int32_t ADegree) {
  TTokenReading reading;
  size_t pos = 0;
  int64_t prefix = 0;
  while (pos < AToken.size() && std::isdigit(static_cast<unsigned char>(AToken[pos]))) {
    if (pos == 0 && AToken[pos] == '0') {
      return reading;
    }
    prefix = std::min<int64_t>(prefix * 10 + (AToken[pos] - '0'), 1000);
    ++pos;
  }
  if (pos == AToken.size()) {
    return reading;
  }
  TNotationMove move;
  const char letter = AToken[pos++];
  bool found = false;
  for (const TFacePlace& place : kFaces) {
    found = found || place.Letter == letter;
    move.Face = place.Letter == letter ? place.Face : move.Face;
  }
  const bool rotation = !found;
  for (const TRotation& r : kRotations) {
    found = found || r.Letter == letter;
    move.Face = r.Letter == letter ? r.Rotation : move.Face;
  }
  if (!found) {
    return reading;
  }
  if (!rotation && pos < AToken.size() && AToken[pos] == 'w') {
    move.Wide = true;
    ++pos;
  }
  if (rotation && prefix > 0) {
    return reading;
  }
  if (pos < AToken.size() && AToken[pos] == '2') {
    move.Amount = 2;
    ++pos;
  }
  if (const size_t prime = pos < AToken.size() ? PrimeAt(AToken, pos) : 0) {
    move.Amount = move.Amount == 2 ? 2 : -1; // R2' is a half turn all the same
    pos += prime;
  }
  if (pos != AToken.size()) {
    return reading;
  }
  if (!rotation) {
    move.Depth = prefix > 0 ? static_cast<int32_t>(prefix) : (move.Wide ? 2 : 1);
    if (move.Depth > ADegree) {
      reading.Kind = TNotationErrorKind::BeyondTheCube;
      return reading;
    }
    move.Wide = move.Wide && move.Depth > 1; // 1Rw is R
  }
  reading.Move = move;
  return reading;
}

} // namespace

std::string PrintMove(const TNotationMove& AMove) {
  std::string text;
  if (!IsRotation(AMove.Face) && (AMove.Wide ? AMove.Depth > 2 : AMove.Depth > 1)) {
    text = std::to_string(AMove.Depth);
  }
  text += LetterOf(AMove.Face);
  if (!IsRotation(AMove.Face) && AMove.Wide) {
    text += 'w';
  }
  if (AMove.Amount == 2) {
    text += '2';
  } else if (AMove.Amount < 0) {
    text += '\'';
  }
  return text;
}

std::string PrintMoves(const std::vector<TNotationMove>& AMoves) {
  std::string text;
  for (const TNotationMove& move : AMoves) {
    text += (text.empty() ? "" : " ") + PrintMove(move);
  }
  return text;
}

std::string DescribeError(const TNotationError& AError) {
  const std::string what = AError.Kind == TNotationErrorKind::BeyondTheCube
                               ? "turns a layer the cube does not have"
                               : "is not a turn";
  return "Move " + std::to_string(AError.TokenNumber) + " \"" + AError.Token + "\" " + what;
}

TNotation::TNotation(int32_t ADegree) : FDegree(ADegree) {
  if (ADegree < 1 || ADegree > kMaxVexilCubeDegree) {
    throw std::invalid_argument("No notation for a cube of size " + std::to_string(ADegree));
  }
  // The sticker order of the model: cubies x, then y, then z, each cubie's outer faces in the
  // order of the sticker table.
  FTurns.assign(static_cast<size_t>(3 * ADegree * 2), TGameTurn{});
  for (int32_t x = 1; x <= ADegree; ++x) {
    for (int32_t y = 1; y <= ADegree; ++y) {
      for (int32_t z = 1; z <= ADegree; ++z) {
        const std::array<int32_t, 3> grid{x, y, z};
        for (const TStickerSide& side : kStickerSides) {
          const auto axisOf = [](TSelectorAxis A) { return static_cast<int32_t>(A); };
          if (grid[static_cast<size_t>(axisOf(side.OnAxis))] != (side.AtFirst ? 1 : ADegree)) {
            continue;
          }
          std::array<size_t, 4> slots{};
          for (int32_t d = 0; d < 4; ++d) {
            const bool vertical = d == 0 || d == 2;
            const int32_t axis = axisOf(vertical ? side.VSelector : side.HSelector);
            const TVertex3f& v = vertical ? side.VRotateVector : side.HRotateVector;
            const float along = axis == 0 ? v.X : (axis == 1 ? v.Y : v.Z);
            const int32_t sign = (d == 0 || d == 3) ? -1 : 1;
            const TSlice slice{axis, grid[static_cast<size_t>(axis)], sign * along > 0.0f};
            slots[static_cast<size_t>(d)] = SlotOf(slice);
            TGameTurn& first = FTurns[SlotOf(slice)];
            if (first.PlaneIndex < 0) {
              first = TGameTurn{static_cast<int32_t>(FSlots.size()), d};
            }
          }
          FSlots.push_back(slots);
        }
      }
    }
  }
}

size_t TNotation::SlotOf(const TSlice& ASlice) const {
  return static_cast<size_t>(((ASlice.Axis * FDegree) + ASlice.Layer - 1) * 2 +
                             (ASlice.Positive ? 1 : 0));
}

TGameTurn TNotation::TurnOf(const TSlice& ASlice) const {
  return FTurns[SlotOf(ASlice)];
}

std::optional<TNotation::TSlice> TNotation::SliceOf(const TGameTurn& ATurn) const {
  if (ATurn.PlaneIndex < 0 || static_cast<size_t>(ATurn.PlaneIndex) >= FSlots.size() ||
      ATurn.Direction < 0 || ATurn.Direction > 3) {
    return std::nullopt;
  }
  const size_t slot =
      FSlots[static_cast<size_t>(ATurn.PlaneIndex)][static_cast<size_t>(ATurn.Direction)];
  const auto index = static_cast<int32_t>(slot / 2);
  return TSlice{index / FDegree, index % FDegree + 1, slot % 2 == 1};
}

TParsedMoves TNotation::Parse(const std::string& AText) const {
  TParsedMoves parsed;
  size_t pos = 0;
  int32_t number = 0;
  while (pos < AText.size()) {
    if (const size_t space = SpaceAt(AText, pos)) {
      pos += space;
      continue;
    }
    const size_t start = pos;
    while (pos < AText.size() && SpaceAt(AText, pos) == 0) {
      ++pos;
    }
    ++number;
    const std::string token = AText.substr(start, pos - start);
    const TTokenReading reading = ReadToken(token, FDegree);
    if (!reading.Move) {
      parsed.Moves.clear();
      parsed.Error = TNotationError{reading.Kind, token, number, start};
      return parsed;
    }
    parsed.Moves.push_back(*reading.Move);
  }
  return parsed;
}

std::vector<TGameTurn> TNotation::Turns(const TNotationMove& AMove) const {
  const TFacePlace& place = PlaceOf(AMove.Face);
  const bool rotation = IsRotation(AMove.Face);
  const int32_t deepest = rotation ? FDegree : AMove.Depth;
  const int32_t shallowest = rotation || AMove.Wide ? 1 : AMove.Depth;
  if (shallowest < 1 || deepest > FDegree || AMove.Amount == 0 || AMove.Amount > 2 ||
      AMove.Amount < -1) {
    throw std::invalid_argument(PrintMove(AMove) + " is not a turn of a cube of size " +
                                std::to_string(FDegree));
  }
  // Clockwise seen from the face is a negative angle about the face's own normal.
  const bool clockwisePositive = place.Normal < 0;
  const bool positive = AMove.Amount < 0 ? !clockwisePositive : clockwisePositive;
  std::vector<TGameTurn> turns;
  for (int32_t quarter = 0; quarter < (AMove.Amount == 2 ? 2 : 1); ++quarter) {
    for (int32_t depth = shallowest; depth <= deepest; ++depth) {
      const int32_t layer = place.Normal > 0 ? FDegree - depth + 1 : depth;
      turns.push_back(TurnOf(TSlice{place.Axis, layer, positive}));
    }
  }
  return turns;
}

std::vector<TGameTurn> TNotation::Turns(const std::vector<TNotationMove>& AMoves) const {
  std::vector<TGameTurn> turns;
  for (const TNotationMove& move : AMoves) {
    const std::vector<TGameTurn> more = Turns(move);
    turns.insert(turns.end(), more.begin(), more.end());
  }
  return turns;
}

std::optional<TNotationMove> TNotation::Move(const TGameTurn& ATurn) const {
  const std::optional<TSlice> slice = SliceOf(ATurn);
  if (!slice) {
    return std::nullopt;
  }
  // The nearer face names the slice; the middle slice of an odd cube is named from U, R or F,
  // the faces scrambles are written with.
  const int32_t fromPositive = FDegree - slice->Layer + 1;
  const int32_t fromNegative = slice->Layer;
  bool usePositive = fromPositive < fromNegative;
  if (fromPositive == fromNegative) {
    usePositive = slice->Axis != 0; // x: R looks along -x; y: F along +y; z: U along +z
  }
  const int32_t normal = usePositive ? +1 : -1;
  TNotationMove move;
  for (const TFacePlace& place : kFaces) {
    if (place.Axis == slice->Axis && place.Normal == normal) {
      move.Face = place.Face;
    }
  }
  move.Depth = usePositive ? fromPositive : fromNegative;
  const bool clockwisePositive = normal < 0;
  move.Amount = slice->Positive == clockwisePositive ? 1 : -1;
  return move;
}

std::string TNotation::Print(const std::vector<TGameTurn>& ATurns) const {
  std::string text;
  for (const TGameTurn& turn : ATurns) {
    const std::optional<TNotationMove> move = Move(turn);
    text += (text.empty() ? "" : " ") + (move ? PrintMove(*move) : std::string("?"));
  }
  return text;
}

} // namespace vexil
