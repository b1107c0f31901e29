#include "support/AnsiCodePage.h"

#include <array>
#include <cstdint>

namespace vexil {

namespace {

// Code points of bytes 0x80..0xBF; 0xC0..0xFF map to U+0410..U+044F.
constexpr std::array<char32_t, 64> kUpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

char32_t AnsiCharToCodePoint(unsigned char AByte) {
  if (AByte < 0x80) {
    return AByte;
  }
  if (AByte >= 0xC0) {
    return 0x0410 + (AByte - 0xC0);
  }
  return kUpperHalf[AByte - 0x80];
}

int CodePointToAnsiChar(char32_t ACodePoint) {
  if (ACodePoint < 0x80) {
    return static_cast<int>(ACodePoint);
  }
  if (ACodePoint >= 0x0410 && ACodePoint <= 0x044F) {
    return static_cast<int>(0xC0 + (ACodePoint - 0x0410));
  }
  for (size_t i = 0; i < kUpperHalf.size(); ++i) {
    if (kUpperHalf[i] == ACodePoint) {
      return static_cast<int>(0x80 + i);
    }
  }
  return -1;
}

} // namespace

bool DecodeUtf8(const std::string& AText, size_t& APos, char32_t& ACodePoint) {
  ACodePoint = 0xFFFD;
  const auto lead = static_cast<unsigned char>(AText[APos++]);
  int extra = 0;
  char32_t cp = 0;
  char32_t smallest = 0; // the least code point that needs this many bytes
  if (lead < 0x80) {
    ACodePoint = lead;
    return true;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    cp = lead & 0x1F;
    smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    cp = lead & 0x0F;
    smallest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    cp = lead & 0x07;
    smallest = 0x10000;
  } else {
    return false;
  }
  for (int i = 0; i < extra; ++i) {
    if (APos >= AText.size() || (static_cast<unsigned char>(AText[APos]) & 0xC0) != 0x80) {
      return false;
    }
    cp = (cp << 6) | (static_cast<unsigned char>(AText[APos++]) & 0x3F);
  }
  const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
  if (cp < smallest || surrogate || cp > 0x10FFFF) {
    return false;
  }
  ACodePoint = cp;
  return true;
}

void AppendUtf8(std::string& AOut, char32_t ACodePoint) {
  if (ACodePoint < 0x80) {
    AOut += static_cast<char>(ACodePoint);
  } else if (ACodePoint < 0x800) {
    AOut += static_cast<char>(0xC0 | (ACodePoint >> 6));
    AOut += static_cast<char>(0x80 | (ACodePoint & 0x3F));
  } else if (ACodePoint < 0x10000) {
    AOut += static_cast<char>(0xE0 | (ACodePoint >> 12));
    AOut += static_cast<char>(0x80 | ((ACodePoint >> 6) & 0x3F));
    AOut += static_cast<char>(0x80 | (ACodePoint & 0x3F));
  } else {
    AOut += static_cast<char>(0xF0 | (ACodePoint >> 18));
    AOut += static_cast<char>(0x80 | ((ACodePoint >> 12) & 0x3F));
    AOut += static_cast<char>(0x80 | ((ACodePoint >> 6) & 0x3F));
    AOut += static_cast<char>(0x80 | (ACodePoint & 0x3F));
  }
}

std::string AnsiToUtf8(const std::string& AAnsi) {
  std::string out;
  out.reserve(AAnsi.size() * 2);
  for (const char c : AAnsi) {
    AppendUtf8(out, AnsiCharToCodePoint(static_cast<unsigned char>(c)));
  }
  return out;
}

std::string Utf8ToAnsi(const std::string& AUtf8) {
  std::string out;
  out.reserve(AUtf8.size());
  size_t pos = 0;
  while (pos < AUtf8.size()) {
    char32_t codePoint = 0;
    DecodeUtf8(AUtf8, pos, codePoint);
    const int ansi = CodePointToAnsiChar(codePoint);
    out += ansi < 0 ? '?' : static_cast<char>(ansi);
  }
  return out;
}

} // namespace vexil
