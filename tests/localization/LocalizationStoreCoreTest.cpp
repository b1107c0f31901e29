#include "localization/LocalizationStoreCore.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <unistd.h>

using namespace vexil;

namespace {

using TStrings = std::vector<std::string>;

// A store over in-memory resources and an ini file of the test's choosing.
class TTestStore : public TLocalizationStoreCore {
public:
  TTestStore(std::map<std::string, std::string> AResources, TStrings AGroups,
             std::string AIniFile = {})
      : TLocalizationStoreCore(TDeferLoading{}), FResources(std::move(AResources)),
        FGroups(std::move(AGroups)), FIniFile(std::move(AIniFile)) {
    LoadLanguages();
  }

  void GetLanguageResourceList(TStrings& AStringList) const override {
    AStringList.insert(AStringList.end(), FGroups.begin(), FGroups.end());
  }

protected:
  std::string ReadLanguageResource(const std::string& AName) const override {
    const auto found = FResources.find(AName);
    if (found == FResources.end()) {
      throw ELanguageNotFound("Resource " + AName + " not found");
    }
    return found->second;
  }
  std::string LanguageIniFileName() const override { return FIniFile; }

private:
  std::map<std::string, std::string> FResources;
  TStrings FGroups;
  std::string FIniFile;
};

const std::map<std::string, std::string> kTwoLanguages = {
    {"FIRST", "LANGUAGE_TITLE=First\r\nVersion=Version one\r\nOnlyFirst=1\r\n"
              "Lines=up CRLF down crlf CRLFCRLF"},
    {"SECOND", "LANGUAGE_TITLE=Second\r\nVersion=Version two"},
};

TTestStore TwoLanguages(const std::string& AIniFile = {}) {
  return TTestStore(kTwoLanguages, {"FIRST", "SECOND"}, AIniFile);
}

// A temporary ini file removed with the fixture.
class TTempIni {
public:
  explicit TTempIni(const std::string& AText) {
    char pattern[] = "/tmp/vexil_language_XXXXXX";
    const int descriptor = mkstemp(pattern);
    FName = pattern;
    close(descriptor);
    std::ofstream(FName, std::ios::binary) << AText;
  }
  ~TTempIni() { std::remove(FName.c_str()); }
  const std::string& Name() const { return FName; }

private:
  std::string FName;
};

int IndexFromIni(const std::string& AIniText) {
  const TTempIni ini(AIniText);
  return TwoLanguages(ini.Name()).CurrentLanguageIndex();
}

} // namespace

TEST(LocalizationStore, StartsOnTheFirstLanguageAndReadsTheCurrentOne) {
  TTestStore store = TwoLanguages();
  EXPECT_EQ(store.SupportedLanguageCount(), 2);
  EXPECT_EQ(store.CurrentLanguageIndex(), 0);
  EXPECT_EQ(store.GetString("Version"), "Version one");
  store.SetCurrentLanguageIndex(1);
  EXPECT_EQ(store.GetString("Version"), "Version two");
  EXPECT_EQ(store.GetString("OnlyFirst"), "OnlyFirst");
  EXPECT_EQ(store.GetString(""), "");
}

TEST(LocalizationStore, CrLfTokenIsReplacedOnlyInCapitals) {
  const TTestStore store = TwoLanguages();
  EXPECT_EQ(store.GetString("Lines"), "up \r\n down crlf \r\n\r\n");
}

TEST(LocalizationStore, LanguageIndexFollowsTheSignedRule) {
  TTestStore store = TwoLanguages();
  store.SetCurrentLanguageIndex(2);
  EXPECT_EQ(store.CurrentLanguageIndex(), 0);
  store.SetCurrentLanguageIndex(1);
  EXPECT_EQ(store.CurrentLanguageIndex(), 1);
  store.SetCurrentLanguageIndex(-1);
  EXPECT_EQ(store.CurrentLanguageIndex(), -1);
  EXPECT_EQ(store.GetString("Version"), "Version");
  EXPECT_FALSE(store.KeyIsPresent("Version"));
  store.SetCurrentLanguageIndex(-7);
  EXPECT_EQ(store.GetString("Version"), "Version");
}

TEST(LocalizationStore, LanguageListAppendsTitlesRawAndInOrder) {
  const TTestStore store({{"A", "LANGUAGE_TITLE=Title CRLF A"}, {"B", "LANGUAGE_TITLE=B"}},
                         {"A", "B"});
  TStrings titles{"kept"};
  store.GetLanguageList(titles);
  EXPECT_EQ(titles, (TStrings{"kept", "Title CRLF A", "B"}));
}

TEST(LocalizationStore, LanguageWithoutTitleFailsTheList) {
  const TTestStore store({{"A", "LANGUAGE_TITLE=A"}, {"B", "Version=b"}}, {"A", "B"});
  TStrings titles;
  try {
    store.GetLanguageList(titles);
    FAIL() << "a language without a title was listed";
  } catch (const ELocalizationError& error) {
    EXPECT_STREQ(error.what(), "Key \"LANGUAGE_TITLE\" not found");
  }
}

TEST(LocalizationStore, GroupsReadTheirResourcesInOrderAsOneLanguage) {
  // The second resource has its own byte-order mark and overrides a key of the first.
  const TTestStore store({{"BASE", "LANGUAGE_TITLE=Base\nVersion=old"},
                          {"PATCH", "\xEF\xBB\xBFVersion=\xD0\xBD\xD0\xBE\xD0\xB2"}},
                         {"BASE;PATCH"});
  EXPECT_EQ(store.SupportedLanguageCount(), 1);
  EXPECT_EQ(store.GetString("Version"), "нов");
  EXPECT_EQ(store.GetString("LANGUAGE_TITLE"), "Base");
}

TEST(LocalizationStore, ConstructionFailsOnAMissingResourceOrAnEmptyKey) {
  EXPECT_THROW(TTestStore(kTwoLanguages, {"FIRST", "THIRD"}), ELanguageNotFound);
  EXPECT_THROW(TTestStore({{"A", "LANGUAGE_TITLE=A\r\n=no key"}}, {"A"}), ELocalizationError);
}

TEST(LocalizationStore, NoLanguagesMeansNoCurrentLanguage) {
  const TTestStore store({}, {});
  EXPECT_EQ(store.SupportedLanguageCount(), 0);
  EXPECT_EQ(store.CurrentLanguageIndex(), -1);
  EXPECT_EQ(store.GetString("Version"), "Version");
}

TEST(LocalizationStore, IniFileSelectsTheInitialLanguage) {
  EXPECT_EQ(IndexFromIni("[language]\r\nCurrentLanguageIndex=1\r\n"), 1);
  EXPECT_EQ(IndexFromIni("\xEF\xBB\xBF[other]\nCurrentLanguageIndex=0\n[ Language ]\n"
                         "  currentlanguageindex = 1  \n"),
            1);
}

TEST(LocalizationStore, IniFileThatDoesNotFitChangesNothing) {
  EXPECT_EQ(IndexFromIni("[language]\nCurrentLanguageIndex=2\n"), 0);
  EXPECT_EQ(IndexFromIni("[language]\nCurrentLanguageIndex=-1\n"), 0);
  EXPECT_EQ(IndexFromIni("[language]\nCurrentLanguageIndex=one\n"), 0);
  EXPECT_EQ(IndexFromIni("[language]\nCurrentLanguageIndex=0x1\n"), 0);
  EXPECT_EQ(IndexFromIni("[language]\nCurrentLanguageIndex=99999999999999999999\n"), 0);
  EXPECT_EQ(IndexFromIni("[other]\nCurrentLanguageIndex=1\n"), 0);
  EXPECT_EQ(IndexFromIni(std::string("\0\xFF[language\n=\n", 14)), 0);
  EXPECT_EQ(TwoLanguages("/nonexistent/vexil.ini").CurrentLanguageIndex(), 0);
}

TEST(LocalizationStore, HintFormDropsBlanksAccessKeysAndDots) {
  EXPECT_EQ(MakeHintText("&Game"), "Game");
  EXPECT_EQ(MakeHintText("  Load game...\t"), "Load game");
  EXPECT_EQ(MakeHintText("v. 1.4 && more"), "v 14  more");
}
