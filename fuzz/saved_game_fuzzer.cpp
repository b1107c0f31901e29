// Feeds any bytes to the saved-game reader. Besides not crashing, a file the reader accepts must
// be what it promises: in range, applicable to a prepared cube of its size without failure, and
// written back into a file that reads as the same game. A broken promise aborts, so libFuzzer
// reports it like a crash. The corpus replay (saved_game_replay.cpp) runs the same function.
#include "engine/SavedGame.h"
#include "engine/VexilCube.h"
#include "tests/engine/CommittedMesh.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace vexil;
using vexil::test::CommittedCubeMesh;

namespace {

void Require(bool ACondition, const char* AWhat) {
  if (!ACondition) {
    std::fprintf(stderr, "saved-game reader broke a promise: %s\n", AWhat);
    std::abort();
  }
}

class TTextureNames : public TTextureListLink {
public:
  int Count() const override { return 7; }
  uint32_t TextureID(int AIndex) const override { return 51 + static_cast<uint32_t>(AIndex); }
  void SetTextureColor(int AIndex, const TVertex3f&) override {
    Require(AIndex >= 0 && AIndex < 6, "a sticker texture outside the six was re-tinted");
  }
};

const std::array<TVertex3f, 6> kSideColors = {
    {{1, 1, 1}, {0, 1, 0}, {1, 0, 0}, {0, 0, 1}, {1, 0.5f, 0}, {1, 1, 0}}};

// Building a 10 x 10 x 10 model for every input would dominate the run; one model per size is
// prepared again before each use instead.
TVexilCube& PreparedCube(int32_t ADegree) {
  static TTextureNames textures;
  static std::array<std::unique_ptr<TVexilCube>, TVexilCube::kMaxDegree + 1> cubes;
  auto& cube = cubes[static_cast<size_t>(ADegree)];
  if (!cube) {
    cube = std::make_unique<TVexilCube>(ADegree, CommittedCubeMesh());
    cube->SetTextureListLink(&textures);
  }
  cube->InitPlanes();
  cube->UpdatePlanesColor(kSideColors);
  return *cube;
}

void CheckGame(const TSavedGame& AGame) {
  Require(AGame.Degree >= TVexilCube::kMinDegree && AGame.Degree <= TVexilCube::kMaxDegree,
          "size out of range");
  Require(AGame.Days >= 0 && AGame.Seconds >= 0 && AGame.Seconds < 86400, "clock out of range");
  Require(AGame.Version <= kSavedGameNewestVersion, "newer version accepted");
  const TCubeState& state = AGame.CubeState;
  Require(state.StickerCount() == 6 * AGame.Degree * AGame.Degree, "block of another size");
  if (state.Format() == TCubeState::TFormat::Old) {
    Require(state.Colors().size() == static_cast<size_t>(state.StickerCount()), "colour count");
    Require(state.DistinctColors().size() <= 6, "more than six colours");
    for (const TVertex3f& c : state.Colors()) {
      Require(c.X >= 0 && c.X <= 1 && c.Y >= 0 && c.Y <= 1 && c.Z >= 0 && c.Z <= 1,
              "colour outside 0..1");
    }
  } else {
    Require(state.Identities().size() == static_cast<size_t>(state.StickerCount()),
            "identity count");
  }
}

void CheckRoundTrip(const TSavedGame& AGame, const TVexilCube& ACube) {
  TMemoryStream written;
  WriteSavedGame(written, ACube, AGame.Days, AGame.Seconds, AGame.Difficulty);
  written.SetPosition(0);
  const TSavedGameReadResult again = ReadSavedGame(written);
  Require(again.Outcome == TSavedGameOutcome::Loaded && again.Game, "written game not readable");
  const TSavedGame& game = *again.Game;
  Require(game.Degree == AGame.Degree && game.Days == AGame.Days && game.Seconds == AGame.Seconds &&
              game.Difficulty == AGame.Difficulty,
          "written game reads back differently");
  for (int32_t i = 0; i < ACube.WorkPlanesCount(); ++i) {
    Require(game.CubeState.Identities()[static_cast<size_t>(i)] == ACube.WorkPlane(i).PlaneID(),
            "written stickers read back differently");
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* AData, size_t ASize) {
  TBytesStream stream(AData, ASize);
  const TSavedGameReadResult result = ReadSavedGame(stream);
  Require(result.Game.has_value() == (result.Outcome == TSavedGameOutcome::Loaded),
          "a game comes exactly with the Loaded outcome");
  Require(result.Reason.empty() == (result.Outcome == TSavedGameOutcome::Loaded),
          "a refusal comes with a reason");
  if (result.Game) {
    CheckGame(*result.Game);
    TVexilCube& cube = PreparedCube(result.Game->Degree);
    ApplySavedGame(*result.Game, cube);
    for (int32_t i = 0; i < cube.WorkPlanesCount(); ++i) {
      const int32_t id = cube.WorkPlane(i).PlaneID();
      Require(id >= 1 && id <= 6, "a sticker left without a side");
    }
    CheckRoundTrip(*result.Game, cube);
  }
  return 0;
}
