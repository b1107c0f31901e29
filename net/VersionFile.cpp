#include "net/VersionFile.h"

#include "localization/LanguageText.h"

#include <charconv>
#include <cmath>

namespace vexil {

namespace {

bool IsBlank(char AChar) {
  return AChar == ' ' || AChar == '\t';
}

bool IsDigit(char AChar) {
  return AChar >= '0' && AChar <= '9';
}

// Copies the digits from APos on into AOut; returns how many there were.
size_t TakeDigits(const std::string& AText, size_t& APos, std::string& AOut) {
  const size_t first = APos;
  while (APos < AText.size() && IsDigit(AText[APos])) {
    AOut += AText[APos++];
  }
  return APos - first;
}

// AText without its leading and trailing blanks, checked against the number's grammar and
// rewritten for from_chars: no "+", "." as the separator, "e" for the exponent. Empty when the
// text does not follow the grammar.
std::optional<std::string> NormalisedNumber(const std::string& AText) {
  size_t pos = 0;
  size_t end = AText.size();
  while (pos < end && IsBlank(AText[pos])) {
    ++pos;
  }
  while (end > pos && IsBlank(AText[end - 1])) {
    --end;
  }
  const std::string text = AText.substr(pos, end - pos);
  pos = 0;
  std::string number;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    if (text[pos] == '-') {
      number += '-';
    }
    ++pos;
  }
  size_t digits = TakeDigits(text, pos, number);
  if (pos < text.size() && (text[pos] == '.' || text[pos] == ',')) {
    number += '.';
    ++pos;
    digits += TakeDigits(text, pos, number);
  }
  if (digits == 0) {
    return std::nullopt;
  }
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    number += 'e';
    ++pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
      number += text[pos++];
    }
    if (TakeDigits(text, pos, number) == 0) {
      return std::nullopt;
    }
  }
  if (pos != text.size()) {
    return std::nullopt;
  }
  return number;
}

} // namespace

std::optional<double> VersionStrToFloat(const std::string& AVersionStr) {
  const std::optional<std::string> number = NormalisedNumber(AVersionStr);
  if (!number) {
    return std::nullopt;
  }
  double value = 0.0;
  const char* const end = number->data() + number->size();
  const auto [stop, error] = std::from_chars(number->data(), end, value);
  // Out of range covers both too large and too small to tell from zero.
  if (error != std::errc() || stop != end || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

TVersionFile ParseVersionFile(const std::vector<std::string>& ALines) {
  TVersionFile file;
  if (!ALines.empty()) {
    file.ServerVersionStr = ALines[0];
    const std::optional<double> version = VersionStrToFloat(ALines[0]);
    file.ServerVersionRead = version.has_value();
    file.ServerVersion = version.value_or(0.0);
  }
  if (ALines.size() > 1) {
    file.ReleaseNote1 = ALines[1];
  }
  if (ALines.size() > 2) {
    file.ReleaseNote2 = ALines[2];
  }
  return file;
}

TVersionFile ReadVersionFile(const std::string& ABytes) {
  return ParseVersionFile(SplitLanguageLines(DecodeLanguageText(ABytes)));
}

bool NamesNewerVersion(const TVersionFile& AFile, double AClientVersion) {
  return AFile.ServerVersionRead && AFile.ServerVersion > AClientVersion;
}

} // namespace vexil
