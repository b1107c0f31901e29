#include "engine/ProgramInfo.h"
#include "localization/LanguageText.h"
#include "localization/LocalizationStore.h"

#include <QFile>
#include <gtest/gtest.h>

#include <algorithm>

using namespace vexil;

namespace {

using TStrings = std::vector<std::string>;

constexpr int kRussian = 0;
constexpr int kEnglish = 1;

// The bytes of a language file as the program carries it.
std::string ResourceBytes(const std::string& AName) {
  QFile file(QStringLiteral(":/languages/%1.txt").arg(QString::fromStdString(AName).toLower()));
  if (!file.open(QIODevice::ReadOnly)) {
    ADD_FAILURE() << AName << " is not compiled in";
    return {};
  }
  return file.readAll().toStdString();
}

// The keys of a language file in file order.
TStrings KeysInOrder(const std::string& AName) {
  TStrings keys;
  for (const std::string& line : SplitLanguageLines(DecodeLanguageText(ResourceBytes(AName)))) {
    const size_t separator = line.find('=');
    if (separator != std::string::npos && line.front() != '#') {
      keys.push_back(line.substr(0, separator));
    }
  }
  return keys;
}

// The product page the about box links to and the saved-game message names.
std::string ProductPage() {
  return std::string(kProductSite) + "/programs/3/";
}

} // namespace

TEST(ShippedLanguages, FilesAreCrLfTextWithoutMarkOrFinalBreak) {
  for (const char* name : {"RUSSIAN", "ENGLISH"}) {
    SCOPED_TRACE(name);
    const std::string bytes = ResourceBytes(name);
    ASSERT_GT(bytes.size(), 3u);
    EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_NE(bytes.back(), '\n');
    for (size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] == '\n') {
        EXPECT_EQ(bytes[i - 1], '\r') << "lone LF at " << i;
      } else if (bytes[i] == '\r') {
        EXPECT_EQ(bytes[i + 1], '\n') << "lone CR at " << i;
      }
    }
  }
  for (const char c : ResourceBytes("ENGLISH")) {
    EXPECT_LT(static_cast<unsigned char>(c), 0x80u) << "the English file must be ASCII";
  }
}

TEST(ShippedLanguages, BothFilesHoldTheSameKeysInTheSameOrder) {
  const TStrings russian = KeysInOrder("RUSSIAN");
  EXPECT_EQ(russian, KeysInOrder("ENGLISH"));
  ASSERT_FALSE(russian.empty());
  EXPECT_EQ(russian.front(), "LANGUAGE_TITLE");
  // Every key the program asks for by name, once each.
  for (const char* key : {"APPLY_LANGUAGE_MESSAGE",
                          "UPDATE_GAME_MESSAGE",
                          "UPDATE_DIALOG_TITLE",
                          "DAMAGED_GAME_MESSAGE",
                          "OPEN_GAME_ERROR",
                          "SAVE_GAME_ERROR",
                          "SAVE_DIALOG_TITLE",
                          "CopyrightLabel",
                          "HELP_PAGE",
                          "RecordsMenuItem",
                          "RECORDS_DATE_COLUMN",
                          "RECORDS_TIME_COLUMN",
                          "RECORDS_MOVES_COLUMN",
                          "RECORDS_DAYS",
                          "RECORDS_NO_DIFFICULTY",
                          "RECORDS_NO_SOLVES",
                          "RECORDS_BEST_SOLVE",
                          "RECORDS_DAMAGED_LINES",
                          "SETTINGS_UNREADABLE_MESSAGE",
                          "SETTINGS_READ_ONLY_MESSAGE",
                          "MoveCounterMenuItem",
                          "ShowMovesMenuItem",
                          "EnterMovesMenuItem",
                          "CopyScrambleMenuItem",
                          "PasteScrambleMenuItem",
                          "MovesScrambleLabel",
                          "MovesTurnsLabel",
                          "MovesEntryForm",
                          "MovesEntryLabel",
                          "MOVES_NOT_A_TURN",
                          "MOVES_BEYOND_CUBE",
                          "MOVES_LOG_TITLE",
                          "SCRAMBLE_NOT_VALID_MESSAGE",
                          "RecordsCopyScrambleButton"}) {
    EXPECT_EQ(std::count(russian.begin(), russian.end(), key), 1) << key;
  }
}

TEST(ShippedLanguages, StoreListsRussianThenEnglish) {
  const TLocalizationStore store;
  EXPECT_EQ(store.SupportedLanguageCount(), 2);
  TStrings titles;
  store.GetLanguageList(titles);
  EXPECT_EQ(titles, (TStrings{"Русский", "English"}));
}

TEST(ShippedLanguages, WindowsCodePageTextReadsBack) {
  TLocalizationStore shipped;
  TLocalizationStoreCore& store = shipped; // the texts as std::string
  store.SetCurrentLanguageIndex(kRussian);
  EXPECT_EQ(store.GetString("APPLY_LANGUAGE_MESSAGE"),
            "Вам нужно перезапустить ваше приложение для применения языковых настроек.");
  EXPECT_EQ(store.GetString("GameMenuItem"), "&Игра");
  EXPECT_EQ(store.GetString("DEFAULT_COLORS_MESSAGE"),
            "Сбросить все цвета на значения по умолчанию?");
  store.SetCurrentLanguageIndex(kEnglish);
  EXPECT_EQ(store.GetString("APPLY_LANGUAGE_MESSAGE"),
            "You need to restart the application to apply language settings.");
  EXPECT_EQ(store.GetString("UPDATE_DIALOG_TITLE"), "Load game...");
  EXPECT_EQ(store.GetString("OKButton"), "OK");
}

TEST(ShippedLanguages, AddressesFollowTheProductSite) {
  TLocalizationStore shipped;
  TLocalizationStoreCore& store = shipped; // the texts as std::string
  const std::string site(kProductSite);
  const std::string host = site.substr(site.find("://") + 3);
  for (const int language : {kRussian, kEnglish}) {
    SCOPED_TRACE(language);
    store.SetCurrentLanguageIndex(language);
    EXPECT_EQ(store.GetString("WebUrlLabel"), ProductPage());
    EXPECT_EQ(store.GetString("EMailUrlLabel"), "support@" + host);
    const std::string message = store.GetString("UPDATE_GAME_MESSAGE");
    const std::string ending = ProductPage() + ".";
    ASSERT_GT(message.size(), ending.size());
    EXPECT_EQ(message.substr(message.size() - ending.size()), ending);
  }
}

namespace {

// The program's store asked for a language it does not carry.
class TStoreWithAMissingLanguage : public TLocalizationStore {
public:
  TStoreWithAMissingLanguage() : TLocalizationStore(TDeferLoading{}) { LoadLanguages(); }
  void GetLanguageResourceList(TStrings& AStringList) const override {
    AStringList.insert(AStringList.end(), {"ENGLISH", "GERMAN"});
  }
};

} // namespace

TEST(ShippedLanguages, ALanguageTheProgramDoesNotCarryIsNamedInTheError) {
  try {
    TStoreWithAMissingLanguage store;
    ADD_FAILURE() << "no error";
  } catch (const ELanguageNotFound& error) {
    EXPECT_EQ(std::string(error.what()), "Resource GERMAN not found");
  }
}
