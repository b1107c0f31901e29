// The scene's viewport and projection: 30 degrees of vertical field of view, near plane 1, far
// plane 10, and the camera 6 units back, kept in the projection matrix so that the modelview
// matrix holds nothing but the cube's orientation.
#pragma once

namespace vexil {

constexpr double kFieldOfView = 30.0;
constexpr double kNearPlane = 1.0;
constexpr double kFarPlane = 10.0;
constexpr double kCameraDistance = 6.0;

// Width / height as stored by the window; infinite or NaN for an empty height, never a trap.
float ViewAspect(int AWidth, int AHeight);

// Viewport over AWidth x AHeight device pixels and the projection above. Leaves GL_MODELVIEW
// the current matrix mode and the modelview matrix untouched. An empty size (a minimised
// window) changes nothing: the next real size sets a proper projection again.
void SetSceneProjection(int AWidth, int AHeight);

} // namespace vexil
