// The KEY=Value line format of the language resources.
//
// Each line, in order: a line whose first non-blank character is "#" is a comment; a line
// without "=" is skipped; otherwise the key is everything before the first "=" and the value
// everything after it, both exactly as written. A value that ends in "\" (trailing blanks
// ignored) goes on over the following lines, which are joined with CR LF, lose their trailing
// blanks and their own final "\", and are taken as plain text; the first line taken that does
// not end in "\", or the end of the lines, ends the value.
#pragma once

#include "localization/LocalizationStringTable.h"

#include <string>
#include <vector>

namespace vexil {

// Stores every key line into ATable; a later line with the same key wins. Raises
// ELocalizationError for a line with an empty key.
void ParseLanguageLines(const std::vector<std::string>& ALines, TLocalizationStringTable& ATable);

} // namespace vexil
