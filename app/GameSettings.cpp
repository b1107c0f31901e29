#include "app/GameSettings.h"

#include "app/SettingsKeys.h"
#include "support/IniFile.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <system_error>

namespace vexil {

namespace {

constexpr const char* kSettingsFolderName = "Vexil Cube";
constexpr const char* kIniFileName = "vexil_cube.ini";

} // namespace

std::string GetCommonAppDataFolder() {
  std::string folder;
  const char* configHome = std::getenv("XDG_CONFIG_HOME");
  if (configHome != nullptr && configHome[0] == '/') {
    folder = configHome;
  } else {
    const char* home = std::getenv("HOME");
    folder = std::string(home != nullptr ? home : "") + "/.config";
  }
  folder = Trim(folder);
  if (folder.empty() || folder.back() != '/') {
    folder += '/';
  }
  return folder;
}

TGameSettings::TGameSettings() {
  const std::string folder = GetCommonAppDataFolder() + kSettingsFolderName;
  std::error_code error;
  // A fresh home may lack the configuration folder itself, so every missing level is made.
  // Failure is not fatal: the settings still work, only the file cannot be written.
  std::filesystem::create_directories(folder, error);
  FIniFilePath = folder + "/" + kIniFileName;
  LoadFromIniFile();
}

TGameSettings::TGameSettings(std::string AIniFilePath) : FIniFilePath(std::move(AIniFilePath)) {
  LoadFromIniFile();
}

void TGameSettings::Write() const {
  if (!WillWriteFile()) {
    return;
  }
  try {
    SaveToIniFile();
  } catch (const std::exception& error) {
    if (FOnSaveError) {
      FOnSaveError(error.what());
    } else {
      std::cerr << error.what() << '\n';
    }
  }
}

void TGameSettings::LoadFromIniFile() {
  const TIniFile ini(FIniFilePath);
  if (ini.FileState() == TIniFileState::Unreadable) {
    FFileState = TSettingsFileState::Unreadable;
  } else if (IsReadOnlyFile(FIniFilePath)) {
    FFileState = TSettingsFileState::ReadOnly;
  }
  for (const TSettingKey& key : kSettingKeys) {
    key.Set(*this, ini.ReadInteger(key.Section, key.Key, key.Default));
  }
}

void TGameSettings::SaveToIniFile() const {
  // Start from the file as it is, so keys of other programs or versions survive; a file that
  // cannot be read now (or could not at start) would be replaced by this program's keys alone.
  TIniFile ini(FIniFilePath);
  if (FFileState == TSettingsFileState::Unreadable ||
      ini.FileState() == TIniFileState::Unreadable) {
    throw std::runtime_error("The settings file \"" + FIniFilePath +
                             "\" cannot be read and is left as it is");
  }
  if (IsReadOnlyFile(FIniFilePath)) {
    throw std::runtime_error("The settings file \"" + FIniFilePath +
                             "\" is read-only and is left as it is");
  }
  for (const TSettingKey& key : kSettingKeys) {
    ini.WriteInteger(key.Section, key.Key, key.Get(*this));
  }
  ini.SaveAtomically(FIniFilePath);
}

} // namespace vexil
