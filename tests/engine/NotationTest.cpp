#include "engine/Notation.h"
#include "tests/engine/CommittedMesh.h"
#include "tests/engine/CubeTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

using namespace vexil;
using namespace vexil::test;

namespace {

// Plays game turns, each completed in one frame.
void Play(TVexilCube& ACube, const std::vector<TGameTurn>& ATurns) {
  for (const TGameTurn& turn : ATurns) {
    QuickTurn(ACube, turn.PlaneIndex, turn.Direction);
  }
}

void Play(TVexilCube& ACube, const std::string& AText) {
  const TNotation notation(ACube.Degree());
  const TParsedMoves parsed = notation.Parse(AText);
  ASSERT_FALSE(parsed.Error) << DescribeError(*parsed.Error);
  Play(ACube, notation.Turns(parsed.Moves));
}

// The colour letter of a side's home colour, by sticker identity.
char Letter(int32_t APlaneID) {
  static const char kLetters[] = "?WGRBOY"; // sides 1..6: white, green, red, blue, orange, yellow
  return APlaneID >= 1 && APlaneID <= 6 ? kLetters[APlaneID] : '?';
}

// A face as a cuber reads it in the usual net, row by row from the top, each row from the left,
// rows separated by '/': U seen from above with B at the top; D from below with F at the top;
// F, R, B and L from outside with U at the top. The letters name places fixed in the cube's
// axes: U at +z, F at +y, R at -x.
std::string Face(const TVexilCube& ACube, char AFace) {
  const int32_t n = ACube.Degree();
  std::string text;
  for (int32_t r = 0; r < n; ++r) {
    if (r > 0) {
      text += '/';
    }
    for (int32_t c = 0; c < n; ++c) {
      TIntVector at;
      TVertex3f normal{};
      switch (AFace) {
      case 'U':
        at = {n - c, r + 1, n};
        normal = {0, 0, 1};
        break;
      case 'D':
        at = {n - c, n - r, 1};
        normal = {0, 0, -1};
        break;
      case 'F':
        at = {n - c, n, n - r};
        normal = {0, 1, 0};
        break;
      case 'B':
        at = {c + 1, 1, n - r};
        normal = {0, -1, 0};
        break;
      case 'R':
        at = {1, n - c, n - r};
        normal = {-1, 0, 0};
        break;
      default: // 'L'
        at = {n, c + 1, n - r};
        normal = {1, 0, 0};
        break;
      }
      char letter = '?';
      for (int32_t s = 0; s < ACube.WorkPlanesCount(); ++s) {
        const TIntVector g = ACube.Geometry().GridPosition(ACube.WorkPlaneCube(s));
        if (g.I == at.I && g.J == at.J && g.L == at.L &&
            SameVertex(ACube.WorkPlane(s).Normal(), normal)) {
          letter = Letter(ACube.WorkPlane(s).PlaneID());
        }
      }
      text += letter;
    }
  }
  return text;
}

// Every move a cube of size N can be given, each token form once.
std::vector<TNotationMove> AllMoves(int32_t N) {
  std::vector<TNotationMove> moves;
  for (const TNotationFace face :
       {TNotationFace::U, TNotationFace::D, TNotationFace::L, TNotationFace::R, TNotationFace::F,
        TNotationFace::B, TNotationFace::X, TNotationFace::Y, TNotationFace::Z}) {
    const bool rotation =
        face == TNotationFace::X || face == TNotationFace::Y || face == TNotationFace::Z;
    for (const int32_t amount : {1, 2, -1}) {
      if (rotation) {
        moves.push_back(TNotationMove{face, 1, false, amount});
        continue;
      }
      for (int32_t depth = 1; depth <= N; ++depth) {
        moves.push_back(TNotationMove{face, depth, false, amount});
        if (depth > 1) {
          moves.push_back(TNotationMove{face, depth, true, amount});
        }
      }
    }
  }
  return moves;
}

} // namespace

TEST(Notation, TokensPrintAsCubersWriteThem) {
  const struct {
    TNotationMove Move;
    const char* Text;
  } kCases[] = {
      {{TNotationFace::R, 1, false, 1}, "R"},    {{TNotationFace::U, 1, false, -1}, "U'"},
      {{TNotationFace::F, 1, false, 2}, "F2"},   {{TNotationFace::R, 2, true, 1}, "Rw"},
      {{TNotationFace::L, 3, true, -1}, "3Lw'"}, {{TNotationFace::B, 2, false, 2}, "2B2"},
      {{TNotationFace::D, 4, false, 1}, "4D"},   {{TNotationFace::X, 1, false, -1}, "x'"},
      {{TNotationFace::Y, 1, false, 2}, "y2"},   {{TNotationFace::Z, 1, false, 1}, "z"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(PrintMove(c.Move), c.Text);
  }
  const TNotation notation(5);
  // Other ways of writing the same turns read as the usual form.
  const TParsedMoves parsed = notation.Parse(" R2'\tU\xE2\x80\x99 \n 1Rw 2Rw\xC2\xA0"
                                             "1F ");
  ASSERT_FALSE(parsed.Error);
  EXPECT_EQ(PrintMoves(parsed.Moves), "R2 U' R Rw F");
}

TEST(Notation, EveryTokenReadsBackForEverySize) {
  for (int32_t n = kMinVexilCubeDegree; n <= kMaxVexilCubeDegree; ++n) {
    SCOPED_TRACE(n);
    const TNotation notation(n);
    const std::vector<TNotationMove> moves = AllMoves(n);
    const TParsedMoves parsed = notation.Parse(PrintMoves(moves));
    ASSERT_FALSE(parsed.Error) << DescribeError(*parsed.Error);
    EXPECT_EQ(parsed.Moves, moves);
  }
}

// Every game turn of every size prints as one token, and that token read back turns the same
// slice the same way: the turn followed by the reverse of the token's turn leaves every sticker
// where it was, and the token names a layer at most half the cube deep.
TEST(Notation, EveryGameTurnPrintsAndReadsBackToTheSameStickers) {
  for (int32_t n = kMinVexilCubeDegree; n <= kMaxVexilCubeDegree; ++n) {
    SCOPED_TRACE(n);
    TVexilCube cube(n, CommittedCubeMesh());
    const auto solved = Stickers(cube);
    const TNotation notation(n);
    for (int32_t s = 0; s < cube.WorkPlanesCount(); ++s) {
      for (int32_t d = 0; d < 4; ++d) {
        const TGameTurn turn{s, d};
        const std::string text = notation.Print({turn});
        const TParsedMoves parsed = notation.Parse(text);
        ASSERT_FALSE(parsed.Error) << text;
        ASSERT_EQ(parsed.Moves.size(), 1u) << text;
        EXPECT_LE(parsed.Moves[0].Depth, (n + 1) / 2) << text;
        const std::vector<TGameTurn> back = notation.Turns(parsed.Moves);
        ASSERT_EQ(back.size(), 1u) << text;
        QuickTurn(cube, s, d);
        ASSERT_NE(Stickers(cube), solved) << text;
        QuickTurn(cube, back[0].PlaneIndex, TVexilCube::OppositeDirection(back[0].Direction));
        ASSERT_EQ(Stickers(cube), solved) << "turn " << s << "," << d << " printed " << text;
      }
    }
  }
}

TEST(Notation, SexyMoveSixTimesIsTheIdentity) {
  TVexilCube cube(3, CommittedCubeMesh());
  const auto solved = Stickers(cube);
  for (int k = 1; k <= 6; ++k) {
    Play(cube, "R U R' U'");
    if (k < 6) {
      EXPECT_NE(Stickers(cube), solved) << k;
    }
  }
  EXPECT_EQ(Stickers(cube), solved);
}

// Single turns from a solved cube, worked out from the definitions: a face turns clockwise as
// seen from outside it.
TEST(Notation, FaceTurnsFollowTheDefinitions) {
  TVexilCube cube(3, CommittedCubeMesh());
  EXPECT_EQ(Face(cube, 'U'), "WWW/WWW/WWW");
  EXPECT_EQ(Face(cube, 'F'), "GGG/GGG/GGG");
  EXPECT_EQ(Face(cube, 'R'), "RRR/RRR/RRR");
  Play(cube, "R"); // the front's right column goes up
  EXPECT_EQ(Face(cube, 'U'), "WWG/WWG/WWG");
  EXPECT_EQ(Face(cube, 'F'), "GGY/GGY/GGY");
  EXPECT_EQ(Face(cube, 'B'), "WBB/WBB/WBB");
  EXPECT_EQ(Face(cube, 'D'), "YYB/YYB/YYB");
  EXPECT_EQ(Face(cube, 'L'), "OOO/OOO/OOO");

  TVexilCube u(3, CommittedCubeMesh());
  Play(u, "U"); // the front's top row goes left
  EXPECT_EQ(Face(u, 'F'), "RRR/GGG/GGG");
  EXPECT_EQ(Face(u, 'L'), "GGG/OOO/OOO");
  EXPECT_EQ(Face(u, 'R'), "BBB/RRR/RRR");

  TVexilCube f(3, CommittedCubeMesh());
  Play(f, "F"); // the top's front row goes right
  EXPECT_EQ(Face(f, 'R'), "WRR/WRR/WRR");
  EXPECT_EQ(Face(f, 'U'), "WWW/WWW/OOO");
  EXPECT_EQ(Face(f, 'D'), "RRR/YYY/YYY");
}

// Wide turns move the face and the layers behind it, inner turns only their layer, rotations
// every layer; a rotation leaves the cube solved and brings a new side to each place.
TEST(Notation, WideInnerTurnsAndRotations) {
  for (int32_t n = kMinVexilCubeDegree; n <= kMaxVexilCubeDegree; ++n) {
    SCOPED_TRACE(n);
    const TNotation notation(n);
    const auto turns = [&](const std::string& AText) {
      return notation.Turns(notation.Parse(AText).Moves);
    };
    EXPECT_EQ(turns("x").size(), static_cast<size_t>(n));
    EXPECT_EQ(turns("Rw2").size(), 4u);
    const auto same = [&](const std::string& A, const std::string& B) {
      TVexilCube a(n, CommittedCubeMesh());
      TVexilCube b(n, CommittedCubeMesh());
      Play(a, A);
      Play(b, B);
      EXPECT_EQ(Stickers(a), Stickers(b)) << A << " against " << B;
    };
    same("Rw", "R 2R");
    same("Uw'", "2U' U'");
    same("L'", notation.Print(turns("L'"))); // the printed game turn is the same turn
    same("x", std::to_string(n) + "Rw");
    same("x", std::to_string(n - 1) + "Rw L'");
    same("y2", std::to_string(n - 1) + "Uw2 D2");
    same("z' x'", "x' y");
    if (n >= 3) {
      same("3Fw", "F 2F 3F");
      same("2R", std::to_string(n - 1) + "L'");
    }
    TVexilCube cube(n, CommittedCubeMesh());
    Play(cube, "x");
    EXPECT_TRUE(cube.Solved());
    const std::string green(static_cast<size_t>(n), 'G');
    EXPECT_EQ(Face(cube, 'U').substr(0, static_cast<size_t>(n)), green); // the front came up
    Play(cube, "x' y");
    EXPECT_EQ(Face(cube, 'F').substr(0, static_cast<size_t>(n)),
              std::string(static_cast<size_t>(n), 'R')); // the right came to the front
    Play(cube, "y' z");
    EXPECT_EQ(Face(cube, 'R').substr(0, static_cast<size_t>(n)),
              std::string(static_cast<size_t>(n), 'W')); // the top went right
  }
}

TEST(Notation, ErrorsNameTheTokenAndItsPlace) {
  const struct {
    int32_t Degree;
    const char* Text;
    const char* Token;
    int32_t Number;
    size_t Offset;
    TNotationErrorKind Kind;
  } kCases[] = {
      {3, "R U 4R", "4R", 3, 4, TNotationErrorKind::BeyondTheCube},
      {3, "R  3Rw 4Rw", "4Rw", 3, 7, TNotationErrorKind::BeyondTheCube},
      {2, "3R", "3R", 1, 0, TNotationErrorKind::BeyondTheCube},
      {10, "11U", "11U", 1, 0, TNotationErrorKind::BeyondTheCube},
      {3, "R Q", "Q", 2, 2, TNotationErrorKind::NotAMove},
      {3, "R3", "R3", 1, 0, TNotationErrorKind::NotAMove},
      {3, "r", "r", 1, 0, TNotationErrorKind::NotAMove},
      {3, "2x", "2x", 1, 0, TNotationErrorKind::NotAMove},
      {3, "xw", "xw", 1, 0, TNotationErrorKind::NotAMove},
      {3, "0R", "0R", 1, 0, TNotationErrorKind::NotAMove},
      {3, "R'2", "R'2", 1, 0, TNotationErrorKind::NotAMove},
      {3, "U 2", "2", 2, 2, TNotationErrorKind::NotAMove},
      {3, "R,U", "R,U", 1, 0, TNotationErrorKind::NotAMove},
      {4, "Rw'' F", "Rw''", 1, 0, TNotationErrorKind::NotAMove},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.Text);
    const TParsedMoves parsed = TNotation(c.Degree).Parse(c.Text);
    ASSERT_TRUE(parsed.Error);
    EXPECT_TRUE(parsed.Moves.empty());
    EXPECT_EQ(parsed.Error->Token, c.Token);
    EXPECT_EQ(parsed.Error->TokenNumber, c.Number);
    EXPECT_EQ(parsed.Error->Offset, c.Offset);
    EXPECT_EQ(parsed.Error->Kind, c.Kind);
    EXPECT_NE(DescribeError(*parsed.Error).find(c.Token), std::string::npos);
  }
  EXPECT_TRUE(TNotation(3).Parse("  \n").Moves.empty());
  EXPECT_FALSE(TNotation(3).Parse("  \n").Error);
  EXPECT_THROW(TNotation(11), std::invalid_argument);
  EXPECT_THROW(TNotation(3).Turns(TNotationMove{TNotationFace::R, 4, false, 1}),
               std::invalid_argument);
}

// A scramble of a world record solve, as the official scramble program printed it. The colours
// below were worked out on paper, piece by piece, from the regulations' definitions of the turns
// in the standard orientation (white up, green front); nothing of this program took part.
TEST(Notation, OfficialScrambleGivesItsPublishedColours) {
  TVexilCube cube(3, CommittedCubeMesh());
  Play(cube, "F U2 L2 B2 F' U L2 U R2 D2 L' B L2 B' R2 U2");
  EXPECT_EQ(Face(cube, 'U'), "OYR/WWB/WOR");
  EXPECT_EQ(Face(cube, 'F'), "RYY/RGG/GGO");
  EXPECT_EQ(Face(cube, 'R'), "BWB/RRY/YRY");
  EXPECT_EQ(Face(cube, 'B'), "WBW/GBW/GBO");
  EXPECT_EQ(Face(cube, 'L'), "BGG/OOW/GRW");
  EXPECT_EQ(Face(cube, 'D'), "OOB/BYY/YOR");
}
