// A small reader and writer of ini files: "[section]" lines, then "key=value" lines. Keys and
// section names are found without regard to case and surrounding blanks, like the platform's
// own profile routines. Lines the file holds but the program never asks for (other keys,
// comments) are kept when the file is written back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vexil {

// AText without the characters of codes 0 to 32 at either end.
std::string Trim(const std::string& AText);

// Which ways of writing a number a key accepts: the settings take hexadecimal colours, the
// language index of the program's own ini file is decimal only.
enum class TIniIntegerForms { DecimalOrHex, DecimalOnly };

// Decimal, or (where AForms allows) hexadecimal after "0x", "0X" or "$", optionally signed; the
// whole text (blanks around it aside) must be the number, and it must fit in 32 bits
// (hexadecimal up to 8 digits, which may wrap to a negative value). Anything else gives nothing.
std::optional<int32_t> ParseIniInteger(const std::string& AText,
                                       TIniIntegerForms AForms = TIniIntegerForms::DecimalOrHex);

// The file exists and this program may not change it: it carries no write permission at all
// (which even the superuser's programs respect here), this user may not write it, or its file
// system is mounted read-only. A missing file is not read-only.
bool IsReadOnlyFile(const std::string& AFileName);

// What reading an ini file found at its name.
enum class TIniFileState {
  Missing,   // nothing there: an empty ini
  Read,      // read to its end
  Unreadable // something is there that could not be read (no permission, a folder, an I/O
             // error): an empty ini, and the file must not be replaced by it
};

class TIniFile {
public:
  TIniFile() = default;
  // Reads AFileName; a missing or unreadable file gives an empty ini, FileState() tells which.
  // A UTF-8 byte-order mark at the start is dropped, and Text() does not write it back.
  explicit TIniFile(const std::string& AFileName);

  TIniFileState FileState() const { return FFileState; }

  std::optional<std::string> ReadString(const std::string& ASection, const std::string& AKey) const;
  int32_t ReadInteger(const std::string& ASection, const std::string& AKey, int32_t ADefault) const;
  // Replaces the value of the key, or adds the key at the end of its section (the section is
  // added at the end of the file when it is missing).
  void WriteString(const std::string& ASection, const std::string& AKey, const std::string& AValue);
  void WriteInteger(const std::string& ASection, const std::string& AKey, int32_t AValue);

  std::string Text() const;
  // Writes the text to a temporary file beside AFileName and renames it over AFileName, so the
  // old file stays whole when the disk is full or the program dies halfway; the new file keeps
  // the old one's permissions. Raises std::runtime_error naming AFileName when that fails.
  void SaveAtomically(const std::string& AFileName) const;

private:
  struct TSection {
    std::string Name;               // as written, without the brackets; empty before any header
    std::vector<std::string> Lines; // the lines after the header, as written
    bool Added = false;             // made by the program, not read from the file
  };

  const TSection* FindSection(const std::string& AName) const;
  TSection* FindSection(const std::string& AName);

  std::vector<TSection> FSections;
  TIniFileState FFileState = TIniFileState::Missing;
};

} // namespace vexil
