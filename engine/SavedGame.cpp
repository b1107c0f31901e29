#include "engine/SavedGame.h"

#include "engine/Notation.h"

#include "engine/GameClock.h"
#include "engine/ProgramInfo.h"
#include "engine/VexilCube.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace vexil {

namespace {

const char* const kMagic = "VCS";
// The mark as the string primitive writes it: its byte count, then its bytes.
constexpr uint8_t kMagicBytes[] = {3, 0, 0, 0, 'V', 'C', 'S'};

// A refusal of the file's content; ReadSavedGame turns it into its outcome.
class ERefused : public std::runtime_error {
public:
  ERefused(TSavedGameOutcome AOutcome, const std::string& AReason)
      : std::runtime_error(AReason), FOutcome(AOutcome) {}
  TSavedGameOutcome Outcome() const { return FOutcome; }

private:
  TSavedGameOutcome FOutcome;
};

void RequireBytes(const TStream& AStream, int64_t ACount, const char* AWhat) {
  if (AStream.Remaining() < ACount) {
    throw EStreamError(std::string("The file ends early: ") + AWhat + " is missing");
  }
}

int32_t ReadInteger(TStream& AStream, const char* AWhat) {
  RequireBytes(AStream, 4, AWhat);
  return StreamReadInteger(AStream);
}

void SkipReservedBlock(TStream& AStream, const char* AWhich) {
  const std::string name = std::string("the ") + AWhich + " reserved block";
  RequireBytes(AStream, 4, ("the length of " + name).c_str());
  StreamSkipBlock(AStream, "The file is damaged: " + name);
}

// The project's own data in the closing reserved block: the mark, then the move count, then the
// game's scramble in notation (a 4-byte length and its bytes). Further fields may follow behind
// these; this version skips them.
constexpr uint8_t kOwnDataMark[] = {'V', 'C', 'E', 'X'};
constexpr int32_t kOwnDataBytes = sizeof kOwnDataMark + 4;
// A bare count without the mark was written by the version that first kept the move counter.
// Such a block is read as a count only when it is exactly 4 bytes and holds a count a player can
// reach; anything else in the block is someone else's and is skipped.
constexpr int32_t kMaxBareMoveCount = 10'000'000;

struct TOwnData {
  int32_t Moves = 0;
  std::string Scramble;
};

// The scramble behind the count, when the block holds one that the cube of size ADegree can
// play; a field of another kind, or turns of another cube, read as no scramble: the game itself
// is sound without it.
std::string ReadOwnScramble(TStream& AStream, int64_t AEnd, int32_t ADegree) {
  if (AEnd - AStream.Position() < 4) {
    return std::string();
  }
  const int32_t length = StreamReadInteger(AStream);
  if (length <= 0 || length > AEnd - AStream.Position()) {
    return std::string();
  }
  std::string text(static_cast<size_t>(length), '\0');
  AStream.ReadBuffer(text.data(), text.size());
  const TParsedMoves parsed = TNotation(ADegree).Parse(text);
  return parsed.Error || parsed.Moves.empty() ? std::string() : PrintMoves(parsed.Moves);
}

TOwnData ReadOwnData(TStream& AStream, int32_t ALength, int32_t ADegree) {
  const int64_t end = AStream.Position() + ALength;
  TOwnData data;
  if (ALength == 4) {
    const int32_t bare = StreamReadInteger(AStream);
    data.Moves = bare >= 0 && bare <= kMaxBareMoveCount ? bare : 0;
  } else if (ALength >= kOwnDataBytes) {
    uint8_t mark[sizeof kOwnDataMark] = {};
    AStream.ReadBuffer(mark, sizeof mark);
    if (std::memcmp(mark, kOwnDataMark, sizeof mark) == 0) {
      data.Moves = std::max(StreamReadInteger(AStream), 0);
      data.Scramble = ReadOwnScramble(AStream, end, ADegree);
    }
  }
  AStream.SetPosition(end);
  return data;
}

// The closing reserved block: the move count and the scramble when the block holds the
// project's own data.
TOwnData ReadClosingBlock(TStream& AStream, int32_t ADegree) {
  RequireBytes(AStream, 4, "the length of the closing reserved block");
  const int32_t length =
      StreamReadCount(AStream, "The file is damaged: the closing reserved block");
  // A length of 0 or less holds nothing, as for any reserved block.
  return length > 0 ? ReadOwnData(AStream, length, ADegree) : TOwnData{};
}

std::string VersionText(double AVersion) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", AVersion);
  return text;
}

// The mark is compared byte by byte first, so that a file of another kind (whose first four
// bytes make any count at all) is told apart from a saved game cut inside its mark.
void ReadMagic(TStream& AStream) {
  const int64_t start = AStream.Position();
  uint8_t head[sizeof kMagicBytes] = {};
  const size_t count = AStream.Read(head, sizeof head);
  if (std::memcmp(head, kMagicBytes, count) != 0) {
    throw ERefused(TSavedGameOutcome::NotASavedGame, "The file is not a saved game");
  }
  if (count < sizeof head) {
    throw EStreamError("The file ends early: the saved-game mark is cut short");
  }
  AStream.SetPosition(start);
  if (StreamReadString(AStream) != kMagic) {
    throw ERefused(TSavedGameOutcome::NotASavedGame, "The file is not a saved game");
  }
}

double ReadVersion(TStream& AStream) {
  RequireBytes(AStream, 8, "the version");
  const double version = StreamReadDouble(AStream);
  if (std::isnan(version)) {
    throw EStreamError("The file is damaged: its version is not a number");
  }
  if (version > kSavedGameNewestVersion) {
    throw ERefused(TSavedGameOutcome::NewerVersion,
                   "The game was saved by version " + VersionText(version) +
                       ", newer than this program's " + VersionText(kSavedGameNewestVersion));
  }
  return version;
}

int32_t ReadDegree(TStream& AStream) {
  const int32_t degree = ReadInteger(AStream, "the cube size");
  if (degree < TVexilCube::kMinDegree || degree > TVexilCube::kMaxDegree) {
    throw EStreamError("The file is damaged: a cube of size " + std::to_string(degree) +
                       " is not one the game offers");
  }
  return degree;
}

// Whole days held in the seconds move to the days; false when the days would overflow.
bool CarrySeconds(int32_t& ADays, int32_t& ASeconds) {
  const int64_t days = static_cast<int64_t>(ADays) + ASeconds / kSecondsPerDay;
  if (days > std::numeric_limits<int32_t>::max()) {
    return false;
  }
  ADays = static_cast<int32_t>(days);
  ASeconds = static_cast<int32_t>(ASeconds % kSecondsPerDay);
  return true;
}

void ReadClock(TStream& AStream, int32_t& ADays, int32_t& ASeconds) {
  ADays = ReadInteger(AStream, "the day count");
  ASeconds = ReadInteger(AStream, "the second count");
  if (ADays < 0 || ASeconds < 0) {
    throw EStreamError("The file is damaged: the clock shows " + std::to_string(ADays) +
                       " days and " + std::to_string(ASeconds) + " seconds");
  }
  if (!CarrySeconds(ADays, ASeconds)) {
    throw EStreamError("The file is damaged: its clock runs beyond the largest day count");
  }
}

// The text's count is checked first so that a damaged one is named as the difficulty's.
std::string ReadDifficulty(TStream& AStream) {
  RequireBytes(AStream, 4, "the difficulty");
  const int64_t start = AStream.Position();
  StreamReadCount(AStream, "The file is damaged: the difficulty text");
  AStream.SetPosition(start);
  return StreamReadString(AStream);
}

std::string ByteCount(int64_t ACount) {
  return std::to_string(ACount) + (ACount == 1 ? " byte" : " bytes");
}

TSavedGame ReadGame(TStream& AStream) {
  ReadMagic(AStream);
  const double version = ReadVersion(AStream);
  SkipReservedBlock(AStream, "leading");
  const int32_t degree = ReadDegree(AStream);
  int32_t days = 0;
  int32_t seconds = 0;
  ReadClock(AStream, days, seconds);
  std::string difficulty = ReadDifficulty(AStream);
  const auto format = version > kSavedGameLastOldBlockVersion ? TCubeState::TFormat::Current
                                                              : TCubeState::TFormat::Old;
  TCubeState state = TCubeState::Read(AStream, format, 6 * degree * degree);
  TOwnData own = ReadClosingBlock(AStream, degree);
  if (AStream.Remaining() > 0) {
    // A block of another size than the file's own leaves bytes over (or runs short).
    throw EStreamError("The file is damaged: the game is followed by " +
                       ByteCount(AStream.Remaining()));
  }
  return TSavedGame{version,
                    degree,
                    days,
                    seconds,
                    std::move(difficulty),
                    std::move(state),
                    own.Moves,
                    std::move(own.Scramble)};
}

// Runs AReader, turning its refusals into outcomes with their reasons.
template <typename TReader> TSavedGameReadResult ReadCatching(TReader AReader) {
  TSavedGameReadResult result;
  try {
    AReader(result);
  } catch (const ERefused& e) {
    result.Outcome = e.Outcome();
    result.Reason = e.what();
  } catch (const EStreamError& e) {
    result.Outcome = TSavedGameOutcome::Damaged;
    result.Reason = e.what();
  }
  return result;
}

} // namespace

TSavedGameReadResult ReadSavedGame(TStream& AStream) {
  return ReadCatching([&AStream](TSavedGameReadResult& AResult) {
    AResult.Game.emplace(ReadGame(AStream));
    AResult.Outcome = TSavedGameOutcome::Loaded;
  });
}

std::optional<TSavedGameReadResult> RefusalByHead(TStream& AStream) {
  bool readable = false;
  TSavedGameReadResult result = ReadCatching([&AStream, &readable](TSavedGameReadResult&) {
    ReadMagic(AStream);
    ReadVersion(AStream);
    readable = true;
  });
  if (readable) {
    return std::nullopt;
  }
  return result;
}

TSavedGameReadResult ReadSavedGameBytes(const std::vector<uint8_t>& ABytes, bool ATruncated) {
  TBytesStream stream(ABytes.data(), ABytes.size());
  if (!ATruncated) {
    return ReadSavedGame(stream);
  }
  if (auto refusal = RefusalByHead(stream)) {
    return *refusal;
  }
  TSavedGameReadResult result;
  result.Outcome = TSavedGameOutcome::Damaged;
  result.Reason = "The file is far larger than any saved game";
  return result;
}

void WriteSavedGame(TStream& AStream, const TVexilCube& ACube, int32_t ADays, int32_t ASeconds,
                    const std::string& ADifficulty, int32_t AMoves, const std::string& AScramble) {
  if (ACube.Degree() < TVexilCube::kMinDegree || ACube.Degree() > TVexilCube::kMaxDegree) {
    throw std::invalid_argument("A cube of size " + std::to_string(ACube.Degree()) +
                                " cannot be saved");
  }
  if (ADays < 0 || ASeconds < 0 || !CarrySeconds(ADays, ASeconds)) {
    throw std::invalid_argument("A clock of " + std::to_string(ADays) + " days and " +
                                std::to_string(ASeconds) + " seconds cannot be saved");
  }
  StreamWriteString(AStream, kMagic);
  StreamWriteDouble(AStream, ProgramVersion);
  StreamWriteEmptyBlock(AStream);
  StreamWriteInteger(AStream, ACube.Degree());
  StreamWriteInteger(AStream, ADays);
  StreamWriteInteger(AStream, ASeconds);
  StreamWriteString(AStream, ADifficulty);
  ACube.SaveState(AStream);
  if (AMoves > 0 || !AScramble.empty()) {
    const auto scrambleBytes = static_cast<int32_t>(AScramble.size());
    StreamWriteInteger(AStream, kOwnDataBytes + (AScramble.empty() ? 0 : 4 + scrambleBytes));
    AStream.Write(kOwnDataMark, sizeof kOwnDataMark);
    StreamWriteInteger(AStream, std::max(AMoves, 0));
    if (!AScramble.empty()) {
      StreamWriteInteger(AStream, scrambleBytes);
      AStream.Write(AScramble.data(), AScramble.size());
    }
  } else {
    StreamWriteEmptyBlock(AStream);
  }
}

void ApplySavedGame(const TSavedGame& AGame, TVexilCube& ACube) {
  if (ACube.Degree() != AGame.Degree) {
    throw std::invalid_argument("A saved game of size " + std::to_string(AGame.Degree) +
                                " does not fit a cube of size " + std::to_string(ACube.Degree()));
  }
  ApplyCubeState(AGame.CubeState, ACube);
}

} // namespace vexil
