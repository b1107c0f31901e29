#include "localization/LocalizationStoreCore.h"

#include "localization/LanguageIniFile.h"
#include "localization/LanguageParser.h"
#include "localization/LanguageText.h"

#include <algorithm>

namespace vexil {

namespace {

constexpr const char* kLanguageTitleKey = "LANGUAGE_TITLE";
constexpr const char* kLineBreakToken = "CRLF";

std::string ReplaceAll(std::string AText, const std::string& AFrom, const std::string& ATo) {
  size_t at = 0;
  while ((at = AText.find(AFrom, at)) != std::string::npos) {
    AText.replace(at, AFrom.size(), ATo);
    at += ATo.size();
  }
  return AText;
}

std::vector<std::string> SplitGroup(const std::string& AGroup) {
  std::vector<std::string> names;
  size_t start = 0;
  while (start <= AGroup.size()) {
    const size_t end = std::min(AGroup.find(';', start), AGroup.size());
    if (end > start) {
      names.push_back(AGroup.substr(start, end - start));
    }
    start = end + 1;
  }
  return names;
}

} // namespace

void TLocalizationStoreCore::LoadLanguages() {
  FCurrentLanguageIndex = -1;
  FStringHashTables.clear();
  std::vector<std::string> groups;
  GetLanguageResourceList(groups);
  for (const std::string& group : groups) {
    TLocalizationStringTable table;
    ParseLanguageLines(ReadGroupLines(group), table);
    FStringHashTables.push_back(std::move(table));
  }
  ApplyIniLanguageIndex();
  if (!FStringHashTables.empty() && FCurrentLanguageIndex < 0) {
    FCurrentLanguageIndex = 0;
  }
}

std::vector<std::string> TLocalizationStoreCore::ReadGroupLines(const std::string& AGroup) const {
  std::vector<std::string> lines;
  for (const std::string& name : SplitGroup(AGroup)) {
    const std::vector<std::string> resourceLines =
        SplitLanguageLines(DecodeLanguageText(ReadLanguageResource(name)));
    lines.insert(lines.end(), resourceLines.begin(), resourceLines.end());
  }
  return lines;
}

void TLocalizationStoreCore::ApplyIniLanguageIndex() {
  const std::optional<int> stored = ReadLanguageIndexFromIni(LanguageIniFileName());
  if (stored && *stored < SupportedLanguageCount()) {
    FCurrentLanguageIndex = *stored;
  }
}

std::string TLocalizationStoreCore::LanguageIniFileName() const {
  return ProgramIniFileName();
}

void TLocalizationStoreCore::GetLanguageResourceList(std::vector<std::string>& AStringList) const {
  AStringList.push_back("RUSSIAN");
  AStringList.push_back("ENGLISH");
}

bool TLocalizationStoreCore::KeyIsPresent(const std::string& AKey) const {
  return FCurrentLanguageIndex >= 0 && FCurrentLanguageIndex < SupportedLanguageCount() &&
         !AKey.empty() && FStringHashTables[FCurrentLanguageIndex].Contains(AKey);
}

std::string TLocalizationStoreCore::GetString(const std::string& AStringID) const {
  if (!KeyIsPresent(AStringID)) {
    return AStringID;
  }
  const std::string& value = FStringHashTables[FCurrentLanguageIndex].GetValue(AStringID);
  return ReplaceAll(value, kLineBreakToken, "\r\n");
}

void TLocalizationStoreCore::GetLanguageList(std::vector<std::string>& AStringList) const {
  for (const TLocalizationStringTable& table : FStringHashTables) {
    AStringList.push_back(table.GetValue(kLanguageTitleKey));
  }
}

void TLocalizationStoreCore::SetCurrentLanguageIndex(int AValue) {
  if (AValue != FCurrentLanguageIndex && AValue < SupportedLanguageCount()) {
    FCurrentLanguageIndex = AValue;
  }
}

std::string MakeHintText(const std::string& AText) {
  std::string hint = TrimLeftWhiteSpace(TrimRightWhiteSpace(AText));
  hint.erase(std::remove_if(hint.begin(), hint.end(),
                            [](char AChar) { return AChar == '&' || AChar == '.'; }),
             hint.end());
  return hint;
}

} // namespace vexil
