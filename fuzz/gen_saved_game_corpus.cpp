// Writes the seed corpus of the saved-game fuzzer: small valid games of every kind the reader
// accepts and damaged ones of every kind it refuses, each named for the outcome it must have
// (see saved_game_replay.cpp).
//   gen_saved_game_corpus fuzz/corpus/saved_game
#include "engine/SavedGame.h"
#include "engine/VexilCube.h"
#include "tests/engine/CommittedMesh.h"
#include "tests/engine/SavedGameBytes.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace vexil;
using namespace vexil::test;

namespace {

// Every sticker of a 2 x 2 x 2 cube in its side's colour, the first two stickers exchanged.
std::vector<double> OldColors() {
  const double sides[6][3] = {{1, 1, 1}, {0, 1, 0}, {1, 0, 0}, {0, 0, 1}, {1, .5, 0}, {1, 1, 0}};
  const TVexilCube cube(2, CommittedCubeMesh());
  std::vector<double> values;
  for (int32_t i = 0; i < cube.WorkPlanesCount(); ++i) {
    const int32_t side = cube.WorkPlane(i < 2 ? 1 - i : i).PlaneID() - 1;
    values.insert(values.end(), sides[side], sides[side] + 3);
  }
  return values;
}

// A 3 x 3 x 3 game a few turns into its scramble.
TBytes ScrambledThree() {
  TVexilCube cube(3, CommittedCubeMesh());
  for (const auto& [sticker, direction] : {std::pair{8, 1}, std::pair{30, 2}, std::pair{45, 0}}) {
    cube.RotateSide(sticker, direction);
    cube.SetRotateSpeed(90.0f);
    cube.EndFrame(cube.BeginFrame(IdentityMatrix()));
  }
  TMemoryStream stream;
  WriteSavedGame(stream, cube, 1, 3600, "hard");
  return stream.Data();
}

void Write(const fs::path& AFolder, const std::string& AName, const TBytes& ABytes) {
  std::ofstream file(AFolder / AName, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(ABytes.data()),
             static_cast<std::streamsize>(ABytes.size()));
}

TBytes Cut(TBytes ABytes, size_t ASize) {
  ABytes.resize(ASize);
  return ABytes;
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: gen_saved_game_corpus FOLDER\n");
    return 2;
  }
  const fs::path folder = argv[1];
  fs::create_directories(folder);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const int32_t maxInt = std::numeric_limits<int32_t>::max();
  auto with = [](auto AChange) {
    TFileParts parts;
    parts.Seconds = 42;
    AChange(parts);
    return Build(parts);
  };
  auto oldWith = [&](int AIndex, double AValue) {
    return with([&](TFileParts& p) {
      std::vector<double> colors = OldColors();
      colors[static_cast<size_t>(AIndex)] = AValue;
      p.Version = 1.3;
      p.Block = OldBlock(colors);
    });
  };
  const TBytes three = ScrambledThree();

  Write(folder, "loaded-easy-2.vcs", with([](TFileParts&) {}));
  Write(folder, "loaded-hard-3-scrambled.vcs", three);
  Write(folder, "loaded-no-difficulty.vcs", with([](TFileParts& p) { p.Difficulty = ""; }));
  Write(folder, "loaded-other-difficulty.vcs",
        with([](TFileParts& p) { p.Difficulty = "трудно"; }));
  Write(folder, "loaded-version-1.35.vcs", with([](TFileParts& p) { p.Version = 1.35; }));
  Write(folder, "loaded-old-1.3.vcs", oldWith(0, 1.0));
  Write(folder, "loaded-reserved-bytes.vcs", with([](TFileParts& p) {
          p.Leading = {1, 2, 3};
          p.Closing = {4, 5};
          p.Block.insert(p.Block.begin() + 4, {'x', 'y'});
          p.Block[0] = 2;
        }));
  Write(folder, "loaded-own-move-count.vcs",
        with([](TFileParts& p) { p.Closing = {'V', 'C', 'E', 'X', 116, 0, 0, 0}; }));
  Write(folder, "loaded-foreign-closing-bytes.vcs", with([](TFileParts& p) {
          p.Closing = {'d', 'e', 'f', 'g', 'h'};
        }));
  Write(folder, "loaded-seconds-carried.vcs", with([](TFileParts& p) {
          p.Days = 2;
          p.Seconds = 200000;
        }));
  Write(folder, "loaded-unknown-identities.vcs", with([](TFileParts& p) {
          p.Block[4] = 0;
          p.Block[8] = 7;
        }));
  Write(folder, "newer-1.41.vcs", with([](TFileParts& p) { p.Version = 1.41; }));
  Write(folder, "not-a-saved-game-magic.vcs", with([](TFileParts& p) { p.Magic = "VCX"; }));
  Write(folder, "not-a-saved-game-picture.vcs", {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A});
  Write(folder, "damaged-empty.vcs", {});
  Write(folder, "damaged-cut-in-mark.vcs", Cut(with([](TFileParts&) {}), 5));
  Write(folder, "damaged-cut-in-clock.vcs", Cut(with([](TFileParts&) {}), 25));
  Write(folder, "damaged-cut-in-block.vcs", Cut(three, three.size() - 9));
  Write(folder, "damaged-version-nan.vcs", with([&](TFileParts& p) { p.Version = nan; }));
  Write(folder, "damaged-size-1.vcs", with([](TFileParts& p) { p.Degree = 1; }));
  Write(folder, "damaged-size-11.vcs", with([](TFileParts& p) { p.Degree = 11; }));
  Write(folder, "damaged-negative-days.vcs", with([](TFileParts& p) { p.Days = -1; }));
  Write(folder, "damaged-negative-seconds.vcs", with([](TFileParts& p) { p.Seconds = -5; }));
  Write(folder, "damaged-clock-overflow.vcs", with([&](TFileParts& p) {
          p.Days = maxInt;
          p.Seconds = maxInt;
        }));
  TBytes longText = with([](TFileParts&) {});
  longText[31] = 0xF0; // the difficulty's count claims more than the file holds
  Write(folder, "damaged-difficulty-too-long.vcs", longText);
  Write(folder, "damaged-reserved-too-long.vcs", with([](TFileParts& p) { p.Block[3] = 0x7F; }));
  Write(folder, "damaged-block-of-size-3.vcs",
        with([](TFileParts& p) { p.Block = HomeCubeBlock(3); }));
  Write(folder, "damaged-trailing-bytes.vcs", with([](TFileParts& p) { p.Trailing = {0}; }));
  Write(folder, "damaged-old-seven-colours.vcs", oldWith(30, 0.25));
  Write(folder, "damaged-old-nan.vcs", oldWith(13, nan));
  Write(folder, "damaged-old-infinity.vcs", oldWith(14, -inf));
  Write(folder, "damaged-old-huge.vcs", oldWith(15, 1e300));
  return 0;
}
