// The one table of settings keys: each names one setting that survives the file both ways.
#include "app/SettingsKeys.h"
#include "app/GameSettings.h"
#include "support/IniFile.h"
#include "tests/app/SettingsTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>

using namespace vexil;
using vexil::testing::ReadTextFile;
using vexil::testing::TTempFolder;
using vexil::testing::WriteTextFile;

namespace {

// A value unlike the key's default, and unlike every other key's, that the file can hold.
int32_t OtherValue(const TSettingKey& AKey, size_t AIndex) {
  switch (AKey.Kind) {
  case TSettingKind::Switch:
    return AKey.Default != 0 ? 0 : 1;
  case TSettingKind::Color:
    return (AKey.Default ^ (0x010203 * static_cast<int32_t>(AIndex + 1))) & 0xFFFFFF;
  case TSettingKind::Integer:
    return AKey.Default + 5 + static_cast<int32_t>(AIndex);
  }
  return AKey.Default;
}

std::string Lower(std::string AText) {
  std::transform(AText.begin(), AText.end(), AText.begin(),
                 [](unsigned char AChar) { return static_cast<char>(std::tolower(AChar)); });
  return AText;
}

} // namespace

TEST(SettingKeys, NameEachKeyOnceAsTheFileComparesNames) {
  std::set<std::string> seen;
  for (const TSettingKey& key : kSettingKeys) {
    EXPECT_TRUE(std::set<std::string>({"settings", "colors", "extras"}).count(key.Section))
        << key.Key;
    EXPECT_TRUE(seen.insert(Lower(key.Section) + "/" + Lower(key.Key)).second) << key.Key;
  }
}

TEST(SettingKeys, AFreshFileGivesEveryDefault) {
  TTempFolder folder;
  const TGameSettings settings(folder.File("vexil_cube.ini"));
  for (const TSettingKey& key : kSettingKeys) {
    EXPECT_EQ(key.Get(settings), key.Default) << key.Key;
  }
}

TEST(SettingKeys, EveryValueReadIsTheOneWrittenUnderTheSameName) {
  TTempFolder folder;
  const std::string path = folder.File("vexil_cube.ini");
  std::string text;
  for (const std::string section : {"settings", "colors", "extras"}) {
    text += "[" + section + "]\r\n";
    for (size_t i = 0; i < kSettingKeys.size(); ++i) {
      if (kSettingKeys[i].Section == section) {
        text +=
            kSettingKeys[i].Key + ("=" + std::to_string(OtherValue(kSettingKeys[i], i))) + "\r\n";
      }
    }
  }
  WriteTextFile(path, text);
  {
    TGameSettings settings(path);
    for (size_t i = 0; i < kSettingKeys.size(); ++i) {
      EXPECT_EQ(kSettingKeys[i].Get(settings), OtherValue(kSettingKeys[i], i))
          << kSettingKeys[i].Key;
    }
    settings.Write();
  }
  // Written back: each key once, with its value, where it was.
  const TIniFile written(path);
  const std::string writtenText = ReadTextFile(path);
  for (size_t i = 0; i < kSettingKeys.size(); ++i) {
    const TSettingKey& key = kSettingKeys[i];
    EXPECT_EQ(written.ReadInteger(key.Section, key.Key, -12345), OtherValue(key, i)) << key.Key;
    const std::string line = std::string("\n") + key.Key + "=";
    EXPECT_EQ(writtenText.find(line), writtenText.rfind(line)) << key.Key << " written twice";
  }
}
