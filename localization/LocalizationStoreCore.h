// The language texts of the program, without any window toolkit: every language the program
// carries, the current language and the lookup of texts by key. TLocalizationStore
// (LocalizationStore.h) adds the localisation of Qt windows on top of it.
//
// Where the language texts come from is the descendant's business (ReadLanguageResource): the
// program's store reads the files compiled into it, the tests their own texts. Each language is
// a resource-name group: one or more resource names separated by ";", whose lines are read in
// that order and parsed as one language (format in LanguageText.h and LanguageParser.h). The
// shipped groups are "RUSSIAN" (language 0) and "ENGLISH" (language 1).
//
// Texts are UTF-8. Keys compare exactly.
#pragma once

#include "localization/LocalizationStringTable.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace vexil {

// A language resource that the program does not carry.
class ELanguageNotFound : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

class TLocalizationStoreCore {
public:
  virtual ~TLocalizationStoreCore() = default;
  TLocalizationStoreCore(const TLocalizationStoreCore&) = delete;
  TLocalizationStoreCore& operator=(const TLocalizationStoreCore&) = delete;

  // The text of AStringID in the current language, every "CRLF" replaced by CR LF. AStringID
  // itself when there is no current language, AStringID is empty or the language lacks it.
  std::string GetString(const std::string& AStringID) const;
  // Appends the LANGUAGE_TITLE of every language in language order (index i is language i);
  // the list is not cleared. Raises ELocalizationError "Key "LANGUAGE_TITLE" not found" for a
  // language without a title.
  void GetLanguageList(std::vector<std::string>& AStringList) const;
  int SupportedLanguageCount() const { return static_cast<int>(FStringHashTables.size()); }

  // -1 (or any negative value) means no current language.
  int CurrentLanguageIndex() const { return FCurrentLanguageIndex; }
  // Stores AValue when it differs and is below SupportedLanguageCount (a signed comparison, so
  // a negative value is stored and means no current language); other values are ignored.
  void SetCurrentLanguageIndex(int AValue);

  // True when there is a current language, AKey is not empty and the language holds it.
  bool KeyIsPresent(const std::string& AKey) const;

  // Appends one resource-name group per language; the base appends "RUSSIAN", "ENGLISH".
  virtual void GetLanguageResourceList(std::vector<std::string>& AStringList) const;

protected:
  // Descendants construct the store empty and call LoadLanguages() from their own constructor,
  // where their overrides are in force.
  struct TDeferLoading {};
  explicit TLocalizationStoreCore(TDeferLoading) {}
  // Loads every language and selects the initial one: the index stored in the program's ini
  // file (LanguageIniFile.h) when it is below the number of languages, otherwise language 0.
  // Raises ELanguageNotFound for a missing resource and ELocalizationError for a line with an
  // empty key.
  void LoadLanguages();

  // The raw bytes of the language resource AName; raises ELanguageNotFound when it is missing.
  virtual std::string ReadLanguageResource(const std::string& AName) const = 0;
  // The ini file that may hold the initial language index.
  virtual std::string LanguageIniFileName() const;

private:
  std::vector<std::string> ReadGroupLines(const std::string& AGroup) const;
  void ApplyIniLanguageIndex();

  std::vector<TLocalizationStringTable> FStringHashTables;
  int FCurrentLanguageIndex = -1;
};

// A text as a hint: blanks at both ends removed, then every "&" and every "." removed
// ("Load game..." gives "Load game", "&Game" gives "Game").
std::string MakeHintText(const std::string& AText);

} // namespace vexil
