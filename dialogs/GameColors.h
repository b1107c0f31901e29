// The eight colours the player chooses in the colours dialog, as values: the dialog edits a
// copy and knows nothing of where the game keeps them.
#pragma once

#include "engine/VectorTypes.h"

#include <array>

namespace vexil {

struct TGameColors {
  // Side k + 1's colour at index k.
  std::array<TVertex3f, 6> PlaneColors{};
  TVertex3f TimerColor{};
  TVertex3f BackgroundColor{};
};

// The colours of a first start: white clock on black, the six sides of DefaultColors.h.
TGameColors DefaultGameColors();

// AColor with every component in 0..1; a component that is no number becomes 0.
TVertex3f ClampedColor(const TVertex3f& AColor);

} // namespace vexil
