#include "LanguageIniFile.h"

#include "LanguageText.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace vexil {

namespace {

constexpr const char* kLanguageSection = "language";
constexpr const char* kLanguageIndexKey = "CurrentLanguageIndex";
constexpr const char* kUtf8Mark = "\xEF\xBB\xBF";

std::string Trim(const std::string& AText) {
  return TrimLeftWhiteSpace(TrimRightWhiteSpace(AText));
}

bool SameName(const std::string& ALeft, const std::string& ARight) {
  return ALeft.size() == ARight.size() &&
         std::equal(ALeft.begin(), ALeft.end(), ARight.begin(),
                    [](char ALeftChar, char ARightChar) {
                      return std::tolower(static_cast<unsigned char>(ALeftChar)) ==
                             std::tolower(static_cast<unsigned char>(ARightChar));
                    });
}

std::optional<int> ParseInteger(const std::string& AText) {
  if (AText.empty()) {
    return std::nullopt;
  }
  errno = 0;
  char* end = nullptr;
  const long value = std::strtol(AText.c_str(), &end, 10);
  const bool whole = end == AText.c_str() + AText.size();
  if (!whole || errno == ERANGE || value < INT_MIN || value > INT_MAX) {
    return std::nullopt;
  }
  return static_cast<int>(value);
}

// "[name]" gives name; any other line gives nothing.
std::optional<std::string> SectionName(const std::string& ALine) {
  if (ALine.size() < 2 || ALine.front() != '[' || ALine.back() != ']') {
    return std::nullopt;
  }
  return Trim(ALine.substr(1, ALine.size() - 2));
}

} // namespace

std::string ProgramIniFileName() {
  std::error_code error;
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error || program.empty()) {
    return {};
  }
  return program.replace_extension(".ini").string();
}

std::optional<int> ReadLanguageIndexFromIni(const std::string& AFileName) {
  std::ifstream in(AFileName, std::ios::binary);
  if (AFileName.empty() || !in) {
    return std::nullopt;
  }
  bool inLanguageSection = false;
  std::string line;
  bool firstLine = true;
  while (std::getline(in, line)) {
    if (firstLine && line.rfind(kUtf8Mark, 0) == 0) {
      line.erase(0, std::char_traits<char>::length(kUtf8Mark));
    }
    firstLine = false;
    line = Trim(line);
    if (const auto section = SectionName(line)) {
      inLanguageSection = SameName(*section, kLanguageSection);
      continue;
    }
    const size_t separator = line.find('=');
    if (inLanguageSection && separator != std::string::npos &&
        SameName(Trim(line.substr(0, separator)), kLanguageIndexKey)) {
      return ParseInteger(Trim(line.substr(separator + 1)));
    }
  }
  return std::nullopt;
}

} // namespace vexil
