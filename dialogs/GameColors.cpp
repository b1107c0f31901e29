#include "dialogs/GameColors.h"

#include "engine/DefaultColors.h"

#include <algorithm>
#include <cmath>

namespace vexil {

TGameColors DefaultGameColors() {
  TGameColors colors;
  for (size_t i = 0; i < colors.PlaneColors.size(); ++i) {
    colors.PlaneColors[i] = ColorToVertex3f(kDefaultPlaneColors[i]);
  }
  colors.TimerColor = ColorToVertex3f(kDefaultTimerColor);
  colors.BackgroundColor = ColorToVertex3f(kDefaultBackgroundColor);
  return colors;
}

namespace {

float ClampedComponent(float AValue) {
  return std::isnan(AValue) ? 0.0f : std::clamp(AValue, 0.0f, 1.0f);
}

} // namespace

TVertex3f ClampedColor(const TVertex3f& AColor) {
  return {ClampedComponent(AColor.X), ClampedComponent(AColor.Y), ClampedComponent(AColor.Z)};
}

} // namespace vexil
