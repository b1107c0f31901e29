#include "app/GameSettings.h"

#include "support/IniFile.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <system_error>

namespace vexil {

namespace {

constexpr const char* kSettingsSection = "settings";
constexpr const char* kColorsSection = "colors";
// Our own additions live apart, so the section of the game's design keeps its keys.
constexpr const char* kExtrasSection = "extras";
constexpr const char* kSettingsFolderName = "Vexil Cube";
constexpr const char* kIniFileName = "vexil_cube.ini";
constexpr std::array<const char*, 6> kPlaneColorKeys = {
    "Plane1Color", "Plane2Color", "Plane3Color", "Plane4Color", "Plane5Color", "Plane6Color"};

// Only the colour bytes count: bits 24..31 are dropped on reading and writing.
TVertex3f ReadColor(const TIniFile& AIni, const char* AKey, int32_t ADefault) {
  return ColorToVertex3f(AIni.ReadInteger(kColorsSection, AKey, ADefault) & 0xFFFFFF);
}

void WriteColor(TIniFile& AIni, const char* AKey, const TVertex3f& AColor) {
  AIni.WriteInteger(kColorsSection, AKey, Vertex3fToColor(AColor) & 0xFFFFFF);
}

bool ReadBool(const TIniFile& AIni, const char* AKey, bool ADefault) {
  return AIni.ReadInteger(kSettingsSection, AKey, ADefault ? 1 : 0) != 0;
}

void WriteBool(TIniFile& AIni, const char* AKey, bool AValue) {
  AIni.WriteInteger(kSettingsSection, AKey, AValue ? 1 : 0);
}

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

TGameSettings::~TGameSettings() {
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
  FShowTimer = ReadBool(ini, "ShowTimer", true);
  FEnablePlaneLight = ReadBool(ini, "EnablePlaneLight", false);
  FFullScreenMode = ReadBool(ini, "FullScreenMode", false);
  FGlobalLighting = ReadBool(ini, "GlobalLighting", true);
  FShowSelectedPlane = ReadBool(ini, "ShowSelectedPlane", true);
  for (size_t i = 0; i < FPlaneColors.size(); ++i) {
    FPlaneColors[i] = ReadColor(ini, kPlaneColorKeys[i], kDefaultPlaneColors[i]);
  }
  FTimerColor = ReadColor(ini, "TimerColor", kDefaultTimerColor);
  FBackgroundColor = ReadColor(ini, "BackgroundColor", kDefaultBackgroundColor);
  FLanguageIndex = ini.ReadInteger(kSettingsSection, "LanguageIndex", 0);
  FVexilCubeDegree = ini.ReadInteger(kSettingsSection, "VexilCubeDegree", kDefaultVexilCubeDegree);
  FShowMoveCounter = ini.ReadInteger(kExtrasSection, "ShowMoveCounter", 1) != 0;
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
  WriteBool(ini, "ShowTimer", FShowTimer);
  WriteBool(ini, "EnablePlaneLight", FEnablePlaneLight);
  WriteBool(ini, "FullScreenMode", FFullScreenMode);
  WriteBool(ini, "GlobalLighting", FGlobalLighting);
  WriteBool(ini, "ShowSelectedPlane", FShowSelectedPlane);
  for (size_t i = 0; i < FPlaneColors.size(); ++i) {
    WriteColor(ini, kPlaneColorKeys[i], FPlaneColors[i]);
  }
  WriteColor(ini, "TimerColor", FTimerColor);
  WriteColor(ini, "BackgroundColor", FBackgroundColor);
  ini.WriteInteger(kSettingsSection, "LanguageIndex", FLanguageIndex);
  ini.WriteInteger(kSettingsSection, "VexilCubeDegree", FVexilCubeDegree);
  ini.WriteInteger(kExtrasSection, "ShowMoveCounter", FShowMoveCounter ? 1 : 0);
  ini.SaveAtomically(FIniFilePath);
}

} // namespace vexil
