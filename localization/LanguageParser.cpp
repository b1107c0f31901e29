#include "localization/LanguageParser.h"

#include "localization/LanguageText.h"

namespace vexil {

namespace {

bool IsCommentLine(const std::string& ALine) {
  const std::string trimmed = TrimLeftWhiteSpace(ALine);
  return !trimmed.empty() && trimmed.front() == '#';
}

// Drops trailing blanks and, when present, the continuation mark; tells whether it was there.
bool CutContinuationMark(std::string& AText) {
  AText = TrimRightWhiteSpace(AText);
  if (AText.empty() || AText.back() != '\\') {
    return false;
  }
  AText.pop_back();
  return true;
}

// The value starting at ALines[AIndex] after its "=", with its continuation lines; AIndex is
// left on the last line taken.
std::string CollectValue(const std::vector<std::string>& ALines, size_t& AIndex,
                         const std::string& AFirstPart) {
  std::string value = AFirstPart;
  std::string probe = AFirstPart;
  if (!CutContinuationMark(probe)) {
    return value;
  }
  value = probe;
  bool goesOn = true;
  while (goesOn && AIndex + 1 < ALines.size()) {
    std::string next = ALines[++AIndex];
    goesOn = CutContinuationMark(next);
    value += "\r\n" + next;
  }
  return value;
}

} // namespace

void ParseLanguageLines(const std::vector<std::string>& ALines, TLocalizationStringTable& ATable) {
  for (size_t i = 0; i < ALines.size(); ++i) {
    const std::string& line = ALines[i];
    const size_t separator = line.find('=');
    if (IsCommentLine(line) || separator == std::string::npos) {
      continue;
    }
    const std::string key = line.substr(0, separator);
    const std::string value = CollectValue(ALines, i, line.substr(separator + 1));
    ATable.SetValue(key, value);
  }
}

} // namespace vexil
