#include "render/Projection.h"

#include "render/GLIncludes.h"

namespace vexil {

float ViewAspect(int AWidth, int AHeight) {
  return static_cast<float>(static_cast<double>(AWidth) / static_cast<double>(AHeight));
}

void SetSceneProjection(int AWidth, int AHeight) {
  if (AWidth <= 0 || AHeight <= 0) {
    return;
  }
  glViewport(0, 0, AWidth, AHeight);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  const float aspect = ViewAspect(AWidth, AHeight);
  gluPerspective(FieldOfView(aspect), aspect, kNearPlane, kFarPlane);
  glTranslatef(0.0f, 0.0f, static_cast<float>(-kCameraDistance));
  glMatrixMode(GL_MODELVIEW);
}

} // namespace vexil
