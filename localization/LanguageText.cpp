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

// Length of the well-formed UTF-8 sequence at APos, or 0 when it is malformed (truncated,
// overlong, a surrogate or beyond U+10FFFF).
size_t ValidUtf8SequenceLength(const std::string& ABytes, size_t APos) {
  const auto lead = static_cast<unsigned char>(ABytes[APos]);
  size_t length = 0;
  char32_t cp = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    return 1;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2;
    cp = lead & 0x1F;
    minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    cp = lead & 0x0F;
    minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    cp = lead & 0x07;
    minimum = 0x10000;
  } else {
    return 0;
  }
  if (APos + length > ABytes.size()) {
    return 0;
  }
  for (size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(ABytes[APos + i]);
    if ((next & 0xC0) != 0x80) {
      return 0;
    }
    cp = (cp << 6) | (next & 0x3F);
  }
  const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
  return cp < minimum || cp > 0x10FFFF || surrogate ? 0 : length;
}

std::string SanitizeUtf8(const std::string& ABytes, size_t APos) {
  std::string out;
  out.reserve(ABytes.size() - APos);
  while (APos < ABytes.size()) {
    const size_t length = ValidUtf8SequenceLength(ABytes, APos);
    if (length == 0) {
      AppendUtf8(out, kReplacementChar);
      ++APos;
    } else {
      out.append(ABytes, APos, length);
      APos += length;
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
