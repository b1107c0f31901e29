#include "app/GameSettings.h"
#include "support/IniFile.h"
#include "tests/app/SettingsTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

using namespace vexil;
using vexil::testing::ReadTextFile;
using vexil::testing::TTempFolder;
using vexil::testing::WriteTextFile;

namespace {

void ExpectColor(const TVertex3f& AColor, float AR, float AG, float AB) {
  EXPECT_FLOAT_EQ(AColor.X, AR);
  EXPECT_FLOAT_EQ(AColor.Y, AG);
  EXPECT_FLOAT_EQ(AColor.Z, AB);
}

// Key names of the file in the order they appear in it.
std::vector<std::string> KeysInOrder(const std::string& AText) {
  std::vector<std::string> keys;
  size_t start = 0;
  while (start < AText.size()) {
    size_t end = AText.find('\n', start);
    if (end == std::string::npos) {
      end = AText.size();
    }
    const std::string line = AText.substr(start, end - start);
    const size_t equals = line.find('=');
    if (equals != std::string::npos) {
      keys.push_back(line.substr(0, equals));
    }
    start = end + 1;
  }
  return keys;
}

} // namespace

TEST(IniInteger, ReadsDecimalAndThreeHexadecimalForms) {
  EXPECT_EQ(ParseIniInteger("255"), 255);
  EXPECT_EQ(ParseIniInteger(" -3 "), -3);
  EXPECT_EQ(ParseIniInteger("0xFF"), 255);
  EXPECT_EQ(ParseIniInteger("0X7f"), 127);
  EXPECT_EQ(ParseIniInteger("$0000FF"), 255);
  EXPECT_EQ(ParseIniInteger("$FFFFFFFF"), -1);
  EXPECT_EQ(ParseIniInteger("2147483647"), 2147483647);
  EXPECT_EQ(ParseIniInteger("-2147483648"), -2147483647 - 1);
}

TEST(IniInteger, DecimalOnlyRefusesTheHexadecimalFormsAndKeepsTheDecimalRange) {
  EXPECT_EQ(ParseIniInteger(" +7 ", TIniIntegerForms::DecimalOnly), 7);
  EXPECT_EQ(ParseIniInteger("-2147483648", TIniIntegerForms::DecimalOnly), -2147483647 - 1);
  for (const char* text : {"0x1", "$1", "0X0", "1F", "2147483648"}) {
    EXPECT_FALSE(ParseIniInteger(text, TIniIntegerForms::DecimalOnly).has_value()) << text;
  }
}

TEST(IniInteger, RefusesWhatIsNotOneNumber) {
  for (const char* text : {"", "abc", "3a", "0x", "$", "1 2", "2147483648", "0x100000000", "--1"}) {
    EXPECT_FALSE(ParseIniInteger(text).has_value()) << text;
  }
}

TEST(IniFile, FindsKeysWithoutRegardToCaseAndKeepsForeignLines) {
  TTempFolder folder;
  const std::string path = folder.File("a.ini");
  WriteTextFile(path,
                "; note\r\n[Settings]\r\n ShowTimer = 7 \r\nOther=x\r\n\r\n[extra]\r\nk=v\r\n");
  TIniFile ini(path);
  EXPECT_EQ(ini.ReadInteger("settings", "showtimer", 0), 7);
  EXPECT_EQ(ini.ReadInteger("settings", "missing", 5), 5);
  EXPECT_EQ(ini.ReadInteger("nosection", "ShowTimer", 5), 5);
  ini.WriteInteger("settings", "ShowTimer", 1);
  ini.WriteInteger("settings", "NewKey", 2);
  ini.WriteInteger("colors", "TimerColor", 3);
  EXPECT_EQ(ini.Text(), "; note\r\n[Settings]\r\nShowTimer=1\r\nOther=x\r\nNewKey=2\r\n\r\n"
                        "[extra]\r\nk=v\r\n\r\n[colors]\r\nTimerColor=3\r\n");
}

TEST(GameSettings, FirstStartReadsEveryDefault) {
  TTempFolder folder;
  TGameSettings settings(folder.File("vexil_cube.ini"));
  EXPECT_TRUE(settings.ShowTimer());
  EXPECT_FALSE(settings.EnablePlaneLight());
  EXPECT_FALSE(settings.FullScreenMode());
  EXPECT_TRUE(settings.GlobalLighting());
  EXPECT_TRUE(settings.ShowSelectedPlane());
  ExpectColor(settings.Plane1Color(), 1, 1, 1);
  ExpectColor(settings.Plane2Color(), 0, 1, 0);
  ExpectColor(settings.Plane3Color(), 1, 0, 0);
  ExpectColor(settings.Plane4Color(), 0, 0, 1);
  ExpectColor(settings.Plane5Color(), 1, 127.0f / 255.0f, 0);
  ExpectColor(settings.Plane6Color(), 1, 1, 0);
  ExpectColor(settings.TimerColor(), 1, 1, 1);
  ExpectColor(settings.BackgroundColor(), 0, 0, 0);
  EXPECT_EQ(settings.LanguageIndex(), 0);
  EXPECT_EQ(settings.VexilCubeDegree(), 3);
}

// The fifteen keys of the game's design, then our own additions in a section of their own.
TEST(GameSettings, WritesAllFifteenKeysInOrderAtTheEndThenTheExtras) {
  TTempFolder folder;
  const std::string path = folder.File("vexil_cube.ini");
  {
    TGameSettings settings(path);
    settings.SetBackgroundColor({0.5f, 0.5f, 0.5f});
    settings.SetVexilCubeDegree(7);
    settings.Write();
  }
  const std::string text = ReadTextFile(path);
  const std::vector<std::string> expected = {
      "ShowTimer",         "EnablePlaneLight", "FullScreenMode",  "GlobalLighting",
      "ShowSelectedPlane", "LanguageIndex",    "VexilCubeDegree", "Plane1Color",
      "Plane2Color",       "Plane3Color",      "Plane4Color",     "Plane5Color",
      "Plane6Color",       "TimerColor",       "BackgroundColor", "ShowMoveCounter",
      "ShowMoves"};
  EXPECT_EQ(KeysInOrder(text), expected);
  EXPECT_NE(text.find("[settings]\r\nShowTimer=1\r\n"), std::string::npos);
  EXPECT_NE(text.find("Plane5Color=32767\r\n"), std::string::npos);
  EXPECT_NE(text.find("BackgroundColor=8421504\r\n"), std::string::npos);
  EXPECT_NE(text.find("VexilCubeDegree=7\r\n"), std::string::npos);
  EXPECT_NE(text.find("[extras]\r\nShowMoveCounter=1\r\nShowMoves=0"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));

  TGameSettings again(path);
  EXPECT_EQ(again.VexilCubeDegree(), 7);
  ExpectColor(again.BackgroundColor(), 128.0f / 255.0f, 128.0f / 255.0f, 128.0f / 255.0f);
}

TEST(GameSettings, DamagedValuesFallBackOrAreCleanedOnTheWayOut) {
  TTempFolder folder;
  const std::string path = folder.File("vexil_cube.ini");
  WriteTextFile(path, "[settings]\nShowTimer=7\nGlobalLighting=abc\nLanguageIndex=-3\n"
                      "VexilCubeDegree=abc\n[colors]\nPlane3Color=0x0000FF\n"
                      "TimerColor=$7F0000FF\nBackgroundColor=99999999999\n");
  {
    TGameSettings settings(path);
    EXPECT_TRUE(settings.ShowTimer());
    EXPECT_TRUE(settings.GlobalLighting());
    EXPECT_EQ(settings.LanguageIndex(), -3); // the main window decides what a negative means
    EXPECT_EQ(settings.VexilCubeDegree(), 3);
    ExpectColor(settings.Plane3Color(), 1, 0, 0);
    ExpectColor(settings.TimerColor(), 1, 0, 0);
    ExpectColor(settings.BackgroundColor(), 0, 0, 0);
    settings.Write();
  }
  const std::string text = ReadTextFile(path);
  EXPECT_NE(text.find("ShowTimer=1\r\n"), std::string::npos);
  EXPECT_NE(text.find("GlobalLighting=1\r\n"), std::string::npos);
  EXPECT_NE(text.find("TimerColor=255\r\n"), std::string::npos);
  EXPECT_NE(text.find("Plane3Color=255\r\n"), std::string::npos);
}

TEST(GameSettings, OutOfRangeSizeIsKeptForTheWindowToJudge) {
  TTempFolder folder;
  const std::string path = folder.File("vexil_cube.ini");
  WriteTextFile(path, "[settings]\r\nVexilCubeDegree=42\r\n");
  TGameSettings settings(path);
  EXPECT_EQ(settings.VexilCubeDegree(), 42);
}

TEST(GameSettings, FileWithAByteOrderMarkIsReadAndWrittenBackWithoutIt) {
  TTempFolder folder;
  const std::string path = folder.File("vexil_cube.ini");
  WriteTextFile(path, "\xEF\xBB\xBF[settings]\r\nVexilCubeDegree=5\r\n");
  {
    TGameSettings settings(path);
    EXPECT_EQ(settings.VexilCubeDegree(), 5);
    settings.Write();
  }
  // The mark is not written back: one [settings] section, at the very start of the file.
  const std::string text = ReadTextFile(path);
  EXPECT_EQ(text.rfind("[settings]\r\nVexilCubeDegree=5\r\nShowTimer=1\r\n", 0), 0u) << text;
  EXPECT_EQ(text.find("[settings]", 1), std::string::npos) << text;
  EXPECT_EQ(text.find("\xEF\xBB\xBF"), std::string::npos) << text;
}

TEST(GameSettings, FailedWriteIsReportedWithTheFileNameAndKeepsTheOldFile) {
  TTempFolder folder;
  const std::string path = folder.File("vexil_cube.ini");
  WriteTextFile(path, "[settings]\r\nVexilCubeDegree=5\r\n");
  std::string report;
  {
    TGameSettings settings(path);
    settings.SetVexilCubeDegree(9);
    settings.SetOnSaveError([&](const std::string& AMessage) { report = AMessage; });
    // A directory where the temporary file should go makes the write fail.
    std::filesystem::create_directory(path + ".tmp");
    std::filesystem::create_directory(path + ".tmp/x");
    settings.Write();
  }
  EXPECT_NE(report.find(path), std::string::npos) << report;
  EXPECT_EQ(ReadTextFile(path), "[settings]\r\nVexilCubeDegree=5\r\n");
}

TEST(GameSettings, StandardPlaceFollowsXdgConfigHomeAndMakesTheFolder) {
  TTempFolder folder;
  const std::string configHome = (folder.Path() / "deeper" / "config").string();
  const char* oldValue = std::getenv("XDG_CONFIG_HOME");
  const std::string saved = oldValue != nullptr ? oldValue : "";
  setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);
  EXPECT_EQ(GetCommonAppDataFolder(), configHome + "/");
  {
    TGameSettings settings;
    EXPECT_EQ(settings.IniFilePath(), configHome + "/Vexil Cube/vexil_cube.ini");
    settings.Write();
  }
  EXPECT_TRUE(std::filesystem::exists(configHome + "/Vexil Cube/vexil_cube.ini"));
  if (oldValue != nullptr) {
    setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  } else {
    unsetenv("XDG_CONFIG_HOME");
  }
}
