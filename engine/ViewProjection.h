// The scene's projection: 30 degrees of vertical field of view, near plane 1, far plane 10, and
// the camera 6 units back. The renderer draws with it and the model picks stickers with it, so
// a pick lands on what is drawn only because both read these.
#pragma once

#include "engine/VectorTypes.h"

#include <cmath>

namespace vexil {

constexpr double kFieldOfView = 30.0; // vertical, in degrees
constexpr double kNearPlane = 1.0;
constexpr double kFarPlane = 10.0;
constexpr double kCameraDistance = 6.0;

// The client area of the window when the game opens, and the smallest one it allows, in
// logical pixels.
constexpr int kDefaultViewWidth = 716;
constexpr int kDefaultViewHeight = 466;
constexpr int kMinViewWidth = 320;
constexpr int kMinViewHeight = 240;

// The vertical field of view for a view of width / height AAspect: kFieldOfView, widened in a
// view taller than wide so that the narrower, horizontal side still spans kFieldOfView and the
// cube is not cut off at the sides. A broken aspect (0, infinite, NaN) keeps kFieldOfView.
inline double FieldOfView(double AAspect) {
  if (!(AAspect > 0.0) || AAspect >= 1.0 || !std::isfinite(AAspect)) {
    return kFieldOfView;
  }
  const double halfAcross = std::tan(kFieldOfView / 2.0 * kPi / 180.0);
  return 2.0 * std::atan(halfAcross / AAspect) * 180.0 / kPi;
}

} // namespace vexil
