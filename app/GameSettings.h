// Every preference of the player: display switches, the eight colours, the language and the
// cube size. Read once from "vexil_cube.ini" when the object is made, written back once when it
// is destroyed. The dialogs and the network layer may use this type; it knows nothing of them.
#pragma once

#include "engine/CubeSizes.h"
#include "engine/DefaultColors.h"
#include "engine/VectorTypes.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace vexil {

// The folder that holds the settings folder: $XDG_CONFIG_HOME, or ~/.config without it; always
// ends with "/".
std::string GetCommonAppDataFolder();

// Whether the settings file will be written when the settings go, and why not.
enum class TSettingsFileState {
  Writable,   // missing, or read and writable: written at the end as usual
  Unreadable, // there but unreadable: the defaults are used and the file is left alone
  ReadOnly    // read, but read-only: the player's wish; the file is left alone
};

class TGameSettings {
public:
  // Receives the message of a failed write, which names the file.
  using TErrorReport = std::function<void(const std::string& AMessage)>;

  // The settings file in its standard place; its folder is made when missing.
  TGameSettings();
  // The settings file AIniFilePath (its folder must exist to be written).
  explicit TGameSettings(std::string AIniFilePath);
  // Writes nothing: the owner says when the player's choices are kept (Write), so a message
  // about a failed write never comes from a destructor.
  ~TGameSettings() = default;
  TGameSettings(const TGameSettings&) = delete;
  TGameSettings& operator=(const TGameSettings&) = delete;

  // Writes the file when FileState() allows it; a failure goes to the error report (stderr
  // without one). A file that is not written was already announced by FileState(), so nothing
  // is reported for it here.
  void Write() const;
  // Writes every key; raises std::runtime_error naming the file when it cannot, and without
  // touching it when it could not be read or is read-only now.
  void SaveToIniFile() const;
  // What was found when the file was read at start.
  TSettingsFileState FileState() const { return FFileState; }
  bool WillWriteFile() const { return FFileState == TSettingsFileState::Writable; }
  void SetOnSaveError(TErrorReport AValue) { FOnSaveError = std::move(AValue); }

  bool ShowTimer() const { return FShowTimer; }
  void SetShowTimer(bool AValue) { FShowTimer = AValue; }
  // The move counter under the clock (section [extras], key ShowMoveCounter).
  bool ShowMoveCounter() const { return FShowMoveCounter; }
  void SetShowMoveCounter(bool AValue) { FShowMoveCounter = AValue; }
  // The scramble and the player's turns in notation beside the cube ([extras], ShowMoves).
  bool ShowMoves() const { return FShowMoves; }
  void SetShowMoves(bool AValue) { FShowMoves = AValue; }
  bool FullScreenMode() const { return FFullScreenMode; }
  void SetFullScreenMode(bool AValue) { FFullScreenMode = AValue; }
  bool GlobalLighting() const { return FGlobalLighting; }
  void SetGlobalLighting(bool AValue) { FGlobalLighting = AValue; }
  bool EnablePlaneLight() const { return FEnablePlaneLight; }
  void SetEnablePlaneLight(bool AValue) { FEnablePlaneLight = AValue; }
  bool ShowSelectedPlane() const { return FShowSelectedPlane; }
  void SetShowSelectedPlane(bool AValue) { FShowSelectedPlane = AValue; }

  const TVertex3f& TimerColor() const { return FTimerColor; }
  void SetTimerColor(const TVertex3f& AValue) { FTimerColor = AValue; }
  const TVertex3f& Plane1Color() const { return FPlaneColors[0]; }
  const TVertex3f& Plane2Color() const { return FPlaneColors[1]; }
  const TVertex3f& Plane3Color() const { return FPlaneColors[2]; }
  const TVertex3f& Plane4Color() const { return FPlaneColors[3]; }
  const TVertex3f& Plane5Color() const { return FPlaneColors[4]; }
  const TVertex3f& Plane6Color() const { return FPlaneColors[5]; }
  void SetPlane1Color(const TVertex3f& AValue) { FPlaneColors[0] = AValue; }
  void SetPlane2Color(const TVertex3f& AValue) { FPlaneColors[1] = AValue; }
  void SetPlane3Color(const TVertex3f& AValue) { FPlaneColors[2] = AValue; }
  void SetPlane4Color(const TVertex3f& AValue) { FPlaneColors[3] = AValue; }
  void SetPlane5Color(const TVertex3f& AValue) { FPlaneColors[4] = AValue; }
  void SetPlane6Color(const TVertex3f& AValue) { FPlaneColors[5] = AValue; }
  // Side k + 1's colour at index k, as the cube takes them.
  const std::array<TVertex3f, 6>& PlaneColors() const { return FPlaneColors; }
  void SetPlaneColor(int AIndex, const TVertex3f& AValue) { FPlaneColors.at(AIndex) = AValue; }
  const TVertex3f& BackgroundColor() const { return FBackgroundColor; }
  void SetBackgroundColor(const TVertex3f& AValue) { FBackgroundColor = AValue; }

  int32_t LanguageIndex() const { return FLanguageIndex; }
  void SetLanguageIndex(int32_t AValue) { FLanguageIndex = AValue; }
  // As stored: the main window checks it against 2..10 before use.
  int32_t VexilCubeDegree() const { return FVexilCubeDegree; }
  void SetVexilCubeDegree(int32_t AValue) { FVexilCubeDegree = AValue; }

  const std::string& IniFilePath() const { return FIniFilePath; }

private:
  void LoadFromIniFile();

  bool FShowTimer = true;
  bool FShowMoveCounter = true;
  bool FShowMoves = false;
  bool FFullScreenMode = false;
  bool FGlobalLighting = true;
  bool FEnablePlaneLight = false;
  bool FShowSelectedPlane = true;
  TVertex3f FTimerColor;
  std::array<TVertex3f, 6> FPlaneColors;
  TVertex3f FBackgroundColor;
  int32_t FLanguageIndex = 0;
  int32_t FVexilCubeDegree = kDefaultVexilCubeDegree;
  std::string FIniFilePath;
  TSettingsFileState FFileState = TSettingsFileState::Writable;
  TErrorReport FOnSaveError;
};

} // namespace vexil
