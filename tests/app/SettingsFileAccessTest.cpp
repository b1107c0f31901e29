// A settings file the game may not change: one it cannot read is never replaced by defaults, a
// read-only one is read and left as it is, and a written one keeps its permissions.
#include "app/GameSettings.h"
#include "support/IniFile.h"
#include "tests/app/SettingsTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

using namespace vexil;
using vexil::testing::ReadTextFile;
using vexil::testing::TTempFolder;
using vexil::testing::WriteTextFile;
namespace fs = std::filesystem;

namespace {

const std::string kStored = "[settings]\r\nVexilCubeDegree=5\r\n[colors]\r\nPlane1Color=255\r\n";

fs::perms PermissionsOf(const std::string& APath) {
  return fs::status(APath).permissions() & fs::perms::mask;
}

void SetPermissions(const std::string& APath, fs::perms APermissions) {
  fs::permissions(APath, APermissions, fs::perm_options::replace);
}

// A settings object on APath, changed as a player would, then destroyed (which writes the
// file when it may); returns what it reported.
std::string PlayAndQuit(const std::string& APath, TSettingsFileState AExpected) {
  std::string report;
  {
    TGameSettings settings(APath);
    settings.SetOnSaveError([&](const std::string& AMessage) { report += AMessage; });
    EXPECT_EQ(settings.FileState(), AExpected);
    EXPECT_EQ(settings.WillWriteFile(), AExpected == TSettingsFileState::Writable);
    settings.SetVexilCubeDegree(9);
    settings.SetShowTimer(false);
    settings.Write();
  }
  return report;
}

} // namespace

TEST(IniFileState, TellsAMissingFileFromAReadAndAnUnreadableOne) {
  TTempFolder folder;
  EXPECT_EQ(TIniFile(folder.File("none.ini")).FileState(), TIniFileState::Missing);
  EXPECT_EQ(TIniFile(folder.File("no/such/folder.ini")).FileState(), TIniFileState::Missing);
  WriteTextFile(folder.File("a.ini"), "[s]\r\nk=1\r\n");
  EXPECT_EQ(TIniFile(folder.File("a.ini")).FileState(), TIniFileState::Read);
  WriteTextFile(folder.File("empty.ini"), "");
  EXPECT_EQ(TIniFile(folder.File("empty.ini")).FileState(), TIniFileState::Read);
  // A folder in the file's place cannot be read, whoever runs the program.
  fs::create_directory(folder.File("b.ini"));
  const TIniFile folderInPlace(folder.File("b.ini"));
  EXPECT_EQ(folderInPlace.FileState(), TIniFileState::Unreadable);
  EXPECT_EQ(folderInPlace.Text(), "");
}

TEST(IniFileState, ReadOnlyMeansNoWriteBitOrNoWriteRightForThisUser) {
  TTempFolder folder;
  const std::string path = folder.File("a.ini");
  EXPECT_FALSE(IsReadOnlyFile(path)); // missing
  WriteTextFile(path, "x");
  EXPECT_FALSE(IsReadOnlyFile(path));
  SetPermissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  EXPECT_TRUE(IsReadOnlyFile(path));
  SetPermissions(path, fs::perms::owner_read | fs::perms::group_write);
  // Someone may write it, and the superuser may too; an ordinary owner may not.
  EXPECT_EQ(IsReadOnlyFile(path), geteuid() != 0);
}

TEST(SettingsFileAccess, AFolderInPlaceOfTheFileGivesDefaultsAndIsLeftAlone) {
  TTempFolder folder;
  const std::string path = folder.File("vexil_cube.ini");
  fs::create_directory(path);
  WriteTextFile(path + "/keep", "mine");
  EXPECT_EQ(PlayAndQuit(path, TSettingsFileState::Unreadable), "");
  EXPECT_TRUE(fs::is_directory(path));
  EXPECT_EQ(ReadTextFile(path + "/keep"), "mine");
  EXPECT_FALSE(fs::exists(path + ".tmp"));
}

TEST(SettingsFileAccess, AFileWithoutReadPermissionIsNeverOverwritten) {
  if (geteuid() == 0) {
    GTEST_SKIP() << "running as root, which reads a file of mode 000; run this test as an "
                    "ordinary user (for example: runuser -u nobody -- settings_tests)";
  }
  TTempFolder folder;
  const std::string path = folder.File("vexil_cube.ini");
  WriteTextFile(path, kStored);
  SetPermissions(path, fs::perms::none);
  {
    TGameSettings settings(path);
    EXPECT_EQ(settings.FileState(), TSettingsFileState::Unreadable);
    EXPECT_EQ(settings.VexilCubeDegree(), 3); // the defaults, as nothing could be read
    settings.Write();
  }
  EXPECT_EQ(PlayAndQuit(path, TSettingsFileState::Unreadable), "");
  EXPECT_EQ(PermissionsOf(path), fs::perms::none);
  SetPermissions(path, fs::perms::owner_read);
  EXPECT_EQ(ReadTextFile(path), kStored);
  EXPECT_FALSE(fs::exists(path + ".tmp"));
}

TEST(SettingsFileAccess, AReadOnlyFileIsReadAndLeftAsItIs) {
  TTempFolder folder;
  const std::string path = folder.File("vexil_cube.ini");
  WriteTextFile(path, kStored);
  const fs::perms readOnly = fs::perms::owner_read | fs::perms::group_read;
  SetPermissions(path, readOnly);
  {
    TGameSettings settings(path);
    EXPECT_EQ(settings.VexilCubeDegree(), 5);
    settings.Write();
  }
  EXPECT_EQ(PlayAndQuit(path, TSettingsFileState::ReadOnly), "");
  EXPECT_EQ(PermissionsOf(path), readOnly);
  EXPECT_EQ(ReadTextFile(path), kStored);
  EXPECT_FALSE(fs::exists(path + ".tmp"));
}

TEST(SettingsFileAccess, AFileMadeReadOnlyOrUnreadableDuringTheRunIsReportedAndKept) {
  TTempFolder folder;
  const std::string path = folder.File("vexil_cube.ini");
  WriteTextFile(path, kStored);
  std::string report;
  {
    TGameSettings settings(path);
    settings.SetOnSaveError([&](const std::string& AMessage) { report = AMessage; });
    settings.SetVexilCubeDegree(9);
    SetPermissions(path, fs::perms::owner_read);
    settings.Write();
  }
  EXPECT_NE(report.find(path), std::string::npos) << report;
  EXPECT_NE(report.find("read-only"), std::string::npos) << report;
  EXPECT_EQ(ReadTextFile(path), kStored);

  const std::string other = folder.File("other.ini");
  WriteTextFile(other, kStored);
  {
    TGameSettings settings(other);
    settings.SetOnSaveError([&](const std::string& AMessage) { report = AMessage; });
    fs::remove(other);
    fs::create_directory(other);
    settings.Write();
  }
  EXPECT_NE(report.find("cannot be read"), std::string::npos) << report;
  EXPECT_TRUE(fs::is_directory(other));
}

TEST(SettingsFileAccess, AWrittenFileKeepsItsPermissions) {
  TTempFolder folder;
  const std::string path = folder.File("vexil_cube.ini");
  for (const fs::perms mode :
       {fs::perms::owner_read | fs::perms::owner_write,
        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
            fs::perms::others_read | fs::perms::others_write}) {
    WriteTextFile(path, kStored);
    SetPermissions(path, mode);
    EXPECT_EQ(PlayAndQuit(path, TSettingsFileState::Writable), "");
    EXPECT_EQ(PermissionsOf(path), mode);
    EXPECT_NE(ReadTextFile(path).find("VexilCubeDegree=9"), std::string::npos);
  }
}
