// Replays files through the saved-game fuzz target in an ordinary build, so the committed corpus
// is checked by ctest without libFuzzer. A file whose name starts with an outcome
// ("loaded-", "not-a-saved-game-", "newer-", "damaged-") must also be read with that outcome.
//   saved_game_replay FILE_OR_FOLDER...
#include "engine/SavedGame.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* AData, size_t ASize);

namespace fs = std::filesystem;
using namespace vexil;

namespace {

// The outcome a file's name promises, if it promises one.
bool ExpectedOutcome(const std::string& AName, TSavedGameOutcome& AOutcome) {
  const std::pair<const char*, TSavedGameOutcome> prefixes[] = {
      {"loaded-", TSavedGameOutcome::Loaded},
      {"not-a-saved-game-", TSavedGameOutcome::NotASavedGame},
      {"newer-", TSavedGameOutcome::NewerVersion},
      {"damaged-", TSavedGameOutcome::Damaged}};
  for (const auto& [prefix, outcome] : prefixes) {
    if (AName.rfind(prefix, 0) == 0) {
      AOutcome = outcome;
      return true;
    }
  }
  return false;
}

const char* OutcomeName(TSavedGameOutcome AOutcome) {
  switch (AOutcome) {
  case TSavedGameOutcome::Loaded:
    return "loaded";
  case TSavedGameOutcome::NotASavedGame:
    return "not a saved game";
  case TSavedGameOutcome::NewerVersion:
    return "newer";
  case TSavedGameOutcome::Damaged:
    return "damaged";
  }
  return "?";
}

// Runs one file; false when its name promises another outcome than the reader's.
bool Replay(const fs::path& APath) {
  std::ifstream file(APath, std::ios::binary);
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                   std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  TSavedGameOutcome expected{};
  if (!ExpectedOutcome(APath.filename().string(), expected)) {
    return true;
  }
  TMemoryStream stream(bytes);
  const TSavedGameReadResult result = ReadSavedGame(stream);
  if (result.Outcome != expected) {
    std::fprintf(stderr, "%s: read as %s (%s)\n", APath.string().c_str(),
                 OutcomeName(result.Outcome), result.Reason.c_str());
    return false;
  }
  return true;
}

} // namespace

int main(int argc, char** argv) {
  std::vector<fs::path> files;
  for (int i = 1; i < argc; ++i) {
    if (fs::is_directory(argv[i])) {
      for (const auto& entry : fs::directory_iterator(argv[i])) {
        if (entry.is_regular_file()) {
          files.push_back(entry.path());
        }
      }
    } else {
      files.emplace_back(argv[i]);
    }
  }
  if (files.empty()) {
    std::fprintf(stderr, "saved_game_replay: no files to replay\n");
    return 1;
  }
  int failed = 0;
  for (const fs::path& path : files) {
    failed += Replay(path) ? 0 : 1;
  }
  std::printf("replayed %zu files, %d with an unexpected outcome\n", files.size(), failed);
  return failed == 0 ? 0 : 1;
}
