#include "localization/LanguageIniFile.h"

#include "support/IniFile.h"

#include <filesystem>
#include <system_error>

namespace vexil {

namespace {

constexpr const char* kLanguageSection = "language";
constexpr const char* kLanguageIndexKey = "CurrentLanguageIndex";

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
  return value ? ParseIniInteger(*value, TIniIntegerForms::DecimalOnly) : std::nullopt;
}

} // namespace vexil
