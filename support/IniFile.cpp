#include "support/IniFile.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace vexil {

namespace {

constexpr const char* kUtf8Mark = "\xEF\xBB\xBF";

bool IsBlank(char C) {
  return static_cast<unsigned char>(C) <= ' ';
}

bool SameText(const std::string& A, const std::string& B) {
  if (A.size() != B.size()) {
    return false;
  }
  for (size_t i = 0; i < A.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(A[i])) !=
        std::tolower(static_cast<unsigned char>(B[i]))) {
      return false;
    }
  }
  return true;
}

// "name" of a "[name]" line, or nothing for any other line.
std::optional<std::string> SectionHeader(const std::string& ALine) {
  const std::string text = Trim(ALine);
  if (text.size() < 2 || text.front() != '[' || text.back() != ']') {
    return std::nullopt;
  }
  return Trim(text.substr(1, text.size() - 2));
}

bool IsComment(const std::string& ALine) {
  const std::string text = Trim(ALine);
  return !text.empty() && (text[0] == ';' || text[0] == '#');
}

// Key of a "key=value" line, or nothing.
std::optional<std::string> LineKey(const std::string& ALine) {
  const size_t equals = ALine.find('=');
  if (equals == std::string::npos || IsComment(ALine)) {
    return std::nullopt;
  }
  return Trim(ALine.substr(0, equals));
}

int DigitValue(char C) {
  if (C >= '0' && C <= '9') {
    return C - '0';
  }
  const int lower = std::tolower(static_cast<unsigned char>(C));
  if (lower >= 'a' && lower <= 'f') {
    return lower - 'a' + 10;
  }
  return -1;
}

} // namespace

std::string Trim(const std::string& AText) {
  size_t first = 0;
  size_t last = AText.size();
  while (first < last && IsBlank(AText[first])) {
    ++first;
  }
  while (last > first && IsBlank(AText[last - 1])) {
    --last;
  }
  return AText.substr(first, last - first);
}

std::optional<int32_t> ParseIniInteger(const std::string& AText, TIniIntegerForms AForms) {
  std::string text = Trim(AText);
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.erase(0, 1);
  }
  int base = 10;
  const bool hexAllowed = AForms == TIniIntegerForms::DecimalOrHex;
  if (hexAllowed && text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.erase(0, 2);
  } else if (hexAllowed && !text.empty() && text[0] == '$') {
    base = 16;
    text.erase(0, 1);
  }
  if (text.empty()) {
    return std::nullopt;
  }
  const uint64_t limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
  uint64_t value = 0;
  for (const char c : text) {
    const int digit = DigitValue(c);
    if (digit < 0 || digit >= base) {
      return std::nullopt;
    }
    value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
    if (value > limit) {
      return std::nullopt;
    }
  }
  const auto bits = static_cast<uint32_t>(value);
  const auto result = static_cast<int32_t>(negative ? 0u - bits : bits);
  return result;
}

bool IsReadOnlyFile(const std::string& AFileName) {
  struct stat info {};
  if (stat(AFileName.c_str(), &info) != 0) {
    return false;
  }
  if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
    return true;
  }
  return access(AFileName.c_str(), W_OK) != 0 && (errno == EACCES || errno == EROFS);
}

TIniFile::TIniFile(const std::string& AFileName) {
  std::error_code error;
  const auto status = std::filesystem::status(AFileName, error);
  if (status.type() == std::filesystem::file_type::not_found) {
    return;
  }
  // Only a regular file is read: a folder or a pipe in its place is something the program
  // cannot read and must not replace.
  std::ifstream file;
  if (status.type() == std::filesystem::file_type::regular) {
    file.open(AFileName, std::ios::binary);
  }
  if (!file.is_open()) {
    FFileState = TIniFileState::Unreadable;
    return;
  }
  FSections.push_back(TSection{});
  std::string line;
  bool firstLine = true;
  while (std::getline(file, line)) {
    // Editors that save UTF-8 with a byte-order mark would otherwise hide the first header.
    if (firstLine && line.rfind(kUtf8Mark, 0) == 0) {
      line.erase(0, std::char_traits<char>::length(kUtf8Mark));
    }
    firstLine = false;
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    if (const auto header = SectionHeader(line)) {
      FSections.push_back(TSection{*header, {}, false});
    } else {
      FSections.back().Lines.push_back(line);
    }
  }
  // Half a file read is no basis for writing it back.
  if (file.bad()) {
    FSections.clear();
    FFileState = TIniFileState::Unreadable;
    return;
  }
  FFileState = TIniFileState::Read;
}

const TIniFile::TSection* TIniFile::FindSection(const std::string& AName) const {
  for (const TSection& section : FSections) {
    if (SameText(section.Name, AName)) {
      return &section;
    }
  }
  return nullptr;
}

TIniFile::TSection* TIniFile::FindSection(const std::string& AName) {
  const TIniFile& self = *this;
  return const_cast<TSection*>(self.FindSection(AName));
}

std::optional<std::string> TIniFile::ReadString(const std::string& ASection,
                                                const std::string& AKey) const {
  const TSection* section = FindSection(ASection);
  if (section == nullptr || AKey.empty()) {
    return std::nullopt;
  }
  for (const std::string& line : section->Lines) {
    const auto key = LineKey(line);
    if (key && SameText(*key, AKey)) {
      return Trim(line.substr(line.find('=') + 1));
    }
  }
  return std::nullopt;
}

int32_t TIniFile::ReadInteger(const std::string& ASection, const std::string& AKey,
                              int32_t ADefault) const {
  const auto text = ReadString(ASection, AKey);
  if (!text) {
    return ADefault;
  }
  return ParseIniInteger(*text).value_or(ADefault);
}

void TIniFile::WriteString(const std::string& ASection, const std::string& AKey,
                           const std::string& AValue) {
  TSection* section = FindSection(ASection);
  if (section == nullptr) {
    FSections.push_back(TSection{ASection, {}, true});
    section = &FSections.back();
  }
  const std::string newLine = AKey + "=" + AValue;
  for (std::string& line : section->Lines) {
    const auto key = LineKey(line);
    if (key && SameText(*key, AKey)) {
      line = newLine;
      return;
    }
  }
  // Keep a blank line that separates this section from the next one after the new key.
  auto insertAt = section->Lines.end();
  while (insertAt != section->Lines.begin() && Trim(*(insertAt - 1)).empty()) {
    --insertAt;
  }
  section->Lines.insert(insertAt, newLine);
}

void TIniFile::WriteInteger(const std::string& ASection, const std::string& AKey, int32_t AValue) {
  WriteString(ASection, AKey, std::to_string(AValue));
}

std::string TIniFile::Text() const {
  std::ostringstream out;
  bool wroteLine = false;
  bool lastLineBlank = true;
  for (const TSection& section : FSections) {
    const bool headerless = &section == &FSections.front() && section.Name.empty();
    if (!headerless) {
      // A section the program adds stands apart from the one before by a blank line; the
      // file's own sections are written back as they were read.
      if (section.Added && wroteLine && !lastLineBlank) {
        out << "\r\n";
      }
      out << '[' << section.Name << "]\r\n";
      wroteLine = true;
      lastLineBlank = false;
    }
    for (const std::string& line : section.Lines) {
      out << line << "\r\n";
      wroteLine = true;
      lastLineBlank = Trim(line).empty();
    }
  }
  return out.str();
}

void TIniFile::SaveAtomically(const std::string& AFileName) const {
  const std::string temporary = AFileName + ".tmp";
  const std::string text = Text();
  const auto fail = [&](int AError) {
    std::remove(temporary.c_str());
    throw std::runtime_error("Cannot write the settings file \"" + AFileName +
                             "\": " + std::strerror(AError));
  };
  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (file == nullptr) {
    fail(errno);
  }
  // The player may have narrowed (or widened) who reads the file: the new one keeps that.
  struct stat old {};
  if (stat(AFileName.c_str(), &old) == 0 && fchmod(fileno(file), old.st_mode & 07777) != 0) {
    const int chmodError = errno;
    std::fclose(file);
    fail(chmodError);
  }
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size() &&
                       std::fflush(file) == 0 && fsync(fileno(file)) == 0;
  const int writeError = errno;
  if (std::fclose(file) != 0 || !written) {
    fail(written ? errno : writeError);
  }
  if (std::rename(temporary.c_str(), AFileName.c_str()) != 0) {
    fail(errno);
  }
}

} // namespace vexil
