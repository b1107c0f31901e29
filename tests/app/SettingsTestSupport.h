// A private folder per test for settings files, removed afterwards.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace vexil::testing {

class TTempFolder {
public:
  TTempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vexil-test-XXXXXX").string();
    FPath = mkdtemp(pattern.data());
  }
  ~TTempFolder() {
    std::error_code error;
    std::filesystem::permissions(FPath, std::filesystem::perms::owner_all, error);
    std::filesystem::remove_all(FPath, error);
  }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  const std::filesystem::path& Path() const { return FPath; }
  std::string File(const std::string& AName) const { return (FPath / AName).string(); }

private:
  std::filesystem::path FPath;
};

inline void WriteTextFile(const std::string& AFileName, const std::string& AText) {
  std::ofstream(AFileName, std::ios::binary) << AText;
}

inline std::string ReadTextFile(const std::string& AFileName) {
  std::ifstream file(AFileName, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

} // namespace vexil::testing
