// Turning the bytes of a language resource into lines of UTF-8 text. Kept apart from the store
// so the decoding and line rules can be exercised on their own.
#pragma once

#include <string>
#include <vector>

namespace vexil {

// Decodes a whole language resource to UTF-8. A leading byte-order mark selects UTF-16 LE
// (FF FE), UTF-16 BE (FE FF) or UTF-8 (EF BB BF), tested in that order, and is dropped; bytes
// without a mark are Windows-1251 text. Malformed sequences become U+FFFD, so the result is
// always valid UTF-8. The text ends at the first NUL character.
std::string DecodeLanguageText(const std::string& ABytes);

// Cuts text into lines at CR LF, a lone CR or a lone LF. A break at the very end adds no empty
// line, so "" gives no lines and "a\r\n" gives one.
std::vector<std::string> SplitLanguageLines(const std::string& AText);

// White space of the language format: every character with a code from 0 to 32.
bool IsLanguageWhiteSpace(char AChar);
std::string TrimLeftWhiteSpace(const std::string& AText);
std::string TrimRightWhiteSpace(const std::string& AText);

} // namespace vexil
