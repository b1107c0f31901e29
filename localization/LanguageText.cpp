#include "localization/LanguageText.h"

#include "support/AnsiCodePage.h"

#include <cstdint>

namespace vexil {

namespace {

constexpr char32_t kReplacementChar = 0xFFFD;

bool StartsWith(const std::string& AText, const std::string& APrefix) {
  return AText.compare(0, APrefix.size(), APrefix) == 0;
}

bool IsHighSurrogate(char32_t AUnit) {
  return AUnit >= 0xD800 && AUnit <= 0xDBFF;
}
bool IsLowSurrogate(char32_t AUnit) {
  return AUnit >= 0xDC00 && AUnit <= 0xDFFF;
}

// UTF-16 from APos on; a dangling odd byte at the end is dropped, unpaired surrogates become
// U+FFFD.
std::string DecodeUtf16(const std::string& ABytes, size_t APos, bool ABigEndian) {
  const auto unitAt = [&](size_t AAt) -> char32_t {
    const auto first = static_cast<unsigned char>(ABytes[AAt]);
    const auto second = static_cast<unsigned char>(ABytes[AAt + 1]);
    return ABigEndian ? (first << 8) | second : (second << 8) | first;
  };
  std::string out;
  out.reserve(ABytes.size());
  while (APos + 1 < ABytes.size()) {
    const char32_t unit = unitAt(APos);
    APos += 2;
    if (IsHighSurrogate(unit) && APos + 1 < ABytes.size() && IsLowSurrogate(unitAt(APos))) {
      const char32_t low = unitAt(APos);
      APos += 2;
      AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      AppendUtf8(out, kReplacementChar);
    } else {
      AppendUtf8(out, unit);
    }
  }
  return out;
}

std::string SanitizeUtf8(const std::string& ABytes, size_t APos) {
  std::string out;
  out.reserve(ABytes.size() - APos);
  while (APos < ABytes.size()) {
    size_t next = APos;
    char32_t codePoint = 0;
    if (DecodeUtf8(ABytes, next, codePoint)) {
      out.append(ABytes, APos, next - APos);
      APos = next;
    } else {
      // One replacement per bad byte: what follows it may start a good sequence.
      AppendUtf8(out, kReplacementChar);
      ++APos;
    }
  }
  return out;
}

std::string DecodeByMark(const std::string& ABytes) {
  if (StartsWith(ABytes, "\xFF\xFE")) {
    return DecodeUtf16(ABytes, 2, false);
  }
  if (StartsWith(ABytes, "\xFE\xFF")) {
    return DecodeUtf16(ABytes, 2, true);
  }
  if (StartsWith(ABytes, "\xEF\xBB\xBF")) {
    return SanitizeUtf8(ABytes, 3);
  }
  return AnsiToUtf8(ABytes);
}

} // namespace

std::string DecodeLanguageText(const std::string& ABytes) {
  std::string text = DecodeByMark(ABytes);
  const size_t nul = text.find('\0');
  if (nul != std::string::npos) {
    text.resize(nul);
  }
  return text;
}

std::vector<std::string> SplitLanguageLines(const std::string& AText) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < AText.size()) {
    const size_t end = AText.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(AText.substr(start));
      break;
    }
    lines.push_back(AText.substr(start, end - start));
    start = end + 1;
    if (AText[end] == '\r' && start < AText.size() && AText[start] == '\n') {
      ++start;
    }
  }
  return lines;
}

bool IsLanguageWhiteSpace(char AChar) {
  return static_cast<unsigned char>(AChar) <= 32;
}

std::string TrimLeftWhiteSpace(const std::string& AText) {
  size_t first = 0;
  while (first < AText.size() && IsLanguageWhiteSpace(AText[first])) {
    ++first;
  }
  return AText.substr(first);
}

std::string TrimRightWhiteSpace(const std::string& AText) {
  size_t end = AText.size();
  while (end > 0 && IsLanguageWhiteSpace(AText[end - 1])) {
    --end;
  }
  return AText.substr(0, end);
}

} // namespace vexil
