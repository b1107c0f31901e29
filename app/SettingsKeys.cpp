#include "app/SettingsKeys.h"

#include "app/GameSettings.h"
#include "engine/DefaultColors.h"

namespace vexil {

namespace {

constexpr const char* kSettingsSection = "settings";
constexpr const char* kColorsSection = "colors";
// Our own additions live apart, so the section of the game's design keeps its keys.
constexpr const char* kExtrasSection = "extras";

int32_t ColorValue(const TVertex3f& AColor) {
  return Vertex3fToColor(AColor) & 0xFFFFFF;
}

TVertex3f ColorOf(int32_t AValue) {
  return ColorToVertex3f(AValue & 0xFFFFFF);
}

template <int K> int32_t PlaneColor(const TGameSettings& ASettings) {
  return ColorValue(ASettings.PlaneColors()[K]);
}

template <int K> void SetPlaneColor(TGameSettings& ASettings, int32_t AValue) {
  ASettings.SetPlaneColor(K, ColorOf(AValue));
}

template <int K> TSettingKey PlaneColorKey(const char* AKey) {
  return {kColorsSection,         AKey,          TSettingKind::Color,
          kDefaultPlaneColors[K], PlaneColor<K>, SetPlaneColor<K>};
}

} // namespace

const std::array<TSettingKey, 17> kSettingKeys = {{
    {kSettingsSection, "ShowTimer", TSettingKind::Switch, 1,
     [](const TGameSettings& ASettings) -> int32_t { return ASettings.ShowTimer() ? 1 : 0; },
     [](TGameSettings& ASettings, int32_t AValue) { ASettings.SetShowTimer(AValue != 0); }},
    {kSettingsSection, "EnablePlaneLight", TSettingKind::Switch, 0,
     [](const TGameSettings& ASettings) -> int32_t { return ASettings.EnablePlaneLight() ? 1 : 0; },
     [](TGameSettings& ASettings, int32_t AValue) { ASettings.SetEnablePlaneLight(AValue != 0); }},
    {kSettingsSection, "FullScreenMode", TSettingKind::Switch, 0,
     [](const TGameSettings& ASettings) -> int32_t { return ASettings.FullScreenMode() ? 1 : 0; },
     [](TGameSettings& ASettings, int32_t AValue) { ASettings.SetFullScreenMode(AValue != 0); }},
    {kSettingsSection, "GlobalLighting", TSettingKind::Switch, 1,
     [](const TGameSettings& ASettings) -> int32_t { return ASettings.GlobalLighting() ? 1 : 0; },
     [](TGameSettings& ASettings, int32_t AValue) { ASettings.SetGlobalLighting(AValue != 0); }},
    {kSettingsSection, "ShowSelectedPlane", TSettingKind::Switch, 1,
     [](const TGameSettings& ASettings) -> int32_t {
       return ASettings.ShowSelectedPlane() ? 1 : 0;
     },
     [](TGameSettings& ASettings, int32_t AValue) { ASettings.SetShowSelectedPlane(AValue != 0); }},
    PlaneColorKey<0>("Plane1Color"),
    PlaneColorKey<1>("Plane2Color"),
    PlaneColorKey<2>("Plane3Color"),
    PlaneColorKey<3>("Plane4Color"),
    PlaneColorKey<4>("Plane5Color"),
    PlaneColorKey<5>("Plane6Color"),
    {kColorsSection, "TimerColor", TSettingKind::Color, kDefaultTimerColor,
     [](const TGameSettings& ASettings) { return ColorValue(ASettings.TimerColor()); },
     [](TGameSettings& ASettings, int32_t AValue) { ASettings.SetTimerColor(ColorOf(AValue)); }},
    {kColorsSection, "BackgroundColor", TSettingKind::Color, kDefaultBackgroundColor,
     [](const TGameSettings& ASettings) { return ColorValue(ASettings.BackgroundColor()); },
     [](TGameSettings& ASettings, int32_t AValue) {
       ASettings.SetBackgroundColor(ColorOf(AValue));
     }},
    {kSettingsSection, "LanguageIndex", TSettingKind::Integer, 0,
     [](const TGameSettings& ASettings) { return ASettings.LanguageIndex(); },
     [](TGameSettings& ASettings, int32_t AValue) { ASettings.SetLanguageIndex(AValue); }},
    {kSettingsSection, "VexilCubeDegree", TSettingKind::Integer, kDefaultVexilCubeDegree,
     [](const TGameSettings& ASettings) { return ASettings.VexilCubeDegree(); },
     [](TGameSettings& ASettings, int32_t AValue) { ASettings.SetVexilCubeDegree(AValue); }},
    {kExtrasSection, "ShowMoveCounter", TSettingKind::Switch, 1,
     [](const TGameSettings& ASettings) -> int32_t { return ASettings.ShowMoveCounter() ? 1 : 0; },
     [](TGameSettings& ASettings, int32_t AValue) { ASettings.SetShowMoveCounter(AValue != 0); }},
    {kExtrasSection, "ShowMoves", TSettingKind::Switch, 0,
     [](const TGameSettings& ASettings) -> int32_t { return ASettings.ShowMoves() ? 1 : 0; },
     [](TGameSettings& ASettings, int32_t AValue) { ASettings.SetShowMoves(AValue != 0); }},
}};

} // namespace vexil
