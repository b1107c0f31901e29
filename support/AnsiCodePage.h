// The program's ANSI code page is Windows-1251 everywhere: saved games, mesh names and the
// Russian language file store their texts in it. Inside the program texts are UTF-8.
#pragma once

#include <string>

namespace vexil {

// Appends ACodePoint (up to U+10FFFF) to AOut as UTF-8.
void AppendUtf8(std::string& AOut, char32_t ACodePoint);

// Reads the UTF-8 sequence at APos (which must be inside AText) into ACodePoint and moves APos
// past what it read. False, with U+FFFD, for a malformed sequence: a stray or missing
// continuation byte, or a sequence UTF-8 may not encode: an overlong form (so "\xC0\x80" cannot
// smuggle in a NUL), a surrogate, or a code point above U+10FFFF.
bool DecodeUtf8(const std::string& AText, size_t& APos, char32_t& ACodePoint);

// Decodes Windows-1251 bytes to UTF-8.
std::string AnsiToUtf8(const std::string& AAnsi);

// Encodes UTF-8 text as Windows-1251; characters the code page lacks, and malformed UTF-8,
// become '?'.
std::string Utf8ToAnsi(const std::string& AUtf8);

} // namespace vexil
