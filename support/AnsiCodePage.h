// The program's ANSI code page is Windows-1251 everywhere: saved games, mesh names and the
// Russian language file store their texts in it. Inside the program texts are UTF-8.
#pragma once

#include <string>

namespace vexil {

// Appends ACodePoint (up to U+10FFFF) to AOut as UTF-8.
void AppendUtf8(std::string& AOut, char32_t ACodePoint);

// Decodes Windows-1251 bytes to UTF-8.
std::string AnsiToUtf8(const std::string& AAnsi);

// Encodes UTF-8 text as Windows-1251; characters the code page lacks, and malformed UTF-8,
// become '?'.
std::string Utf8ToAnsi(const std::string& AUtf8);

} // namespace vexil
