#include "localization/LanguageIniFile.h"

#include "support/IniFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace vexil {

namespace {

constexpr const char* kLanguageSection = "language";
constexpr const char* kLanguageIndexKey = "CurrentLanguageIndex";

// Decimal only: the hexadecimal forms the settings file takes are refused here.
std::optional<int> ParseDecimal(const std::string& AText) {
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
  if (AFileName.empty()) {
    return std::nullopt;
  }
  const std::optional<std::string> value =
      TIniFile(AFileName).ReadString(kLanguageSection, kLanguageIndexKey);
  return value ? ParseDecimal(*value) : std::nullopt;
}

} // namespace vexil
