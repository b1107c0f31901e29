// Every key of the settings file, declared once: its section, its name, how its value is
// written, its default, and the setting it holds. Reading, writing and the tests all walk this
// table, so a key cannot be read under one name and written under another.
#pragma once

#include <array>
#include <cstdint>

namespace vexil {

class TGameSettings;

// How a value stands in the file.
enum class TSettingKind {
  Switch,  // 0 or 1; any other number reads as on
  Color,   // 0xBBGGRR; the bits above are dropped on reading and writing
  Integer, // as it is
};

struct TSettingKey {
  const char* Section;
  const char* Key;
  TSettingKind Kind;
  int32_t Default;
  // The setting as the file holds it, and back.
  int32_t (*Get)(const TGameSettings& ASettings);
  void (*Set)(TGameSettings& ASettings, int32_t AValue);
};

// In the order the keys are written: the game's fifteen keys in [settings] and [colors], then
// our own additions in [extras].
extern const std::array<TSettingKey, 17> kSettingKeys;

} // namespace vexil
