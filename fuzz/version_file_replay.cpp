// Replays files through the version-file fuzz target in an ordinary build, so the committed
// corpus is checked by ctest without libFuzzer.
//   version_file_replay FILE_OR_FOLDER...
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* AData, size_t ASize);

int main(int argc, char** argv) {
  int inputs = 0;
  for (int i = 1; i < argc; ++i) {
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_directory(argv[i])) {
      for (const auto& entry : std::filesystem::recursive_directory_iterator(argv[i])) {
        if (entry.is_regular_file()) {
          files.push_back(entry.path());
        }
      }
    } else {
      files.emplace_back(argv[i]);
    }
    for (const std::filesystem::path& path : files) {
      std::ifstream file(path, std::ios::binary);
      const std::vector<char> bytes((std::istreambuf_iterator<char>(file)),
                                    std::istreambuf_iterator<char>());
      LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
      ++inputs;
    }
  }
  std::cout << inputs << " inputs replayed\n";
  // A corpus that is not where it should be must not pass as an empty one.
  return inputs > 0 ? 0 : 1;
}
