// The scene's projection: 30 degrees of vertical field of view, near plane 1, far plane 10, and
// the camera 6 units back. The renderer draws with it and the model picks stickers with it, so
// a pick lands on what is drawn only because both read these.
#pragma once

namespace vexil {

constexpr double kFieldOfView = 30.0; // vertical, in degrees
constexpr double kNearPlane = 1.0;
constexpr double kFarPlane = 10.0;
constexpr double kCameraDistance = 6.0;

// The client area of the window when the game opens, in logical pixels.
constexpr int kDefaultViewWidth = 716;
constexpr int kDefaultViewHeight = 466;

} // namespace vexil
