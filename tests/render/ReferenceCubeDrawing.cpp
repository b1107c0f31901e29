#include "tests/render/ReferenceCubeDrawing.h"

#include "render/GLIncludes.h"
#include "render/PlaneDraw.h"
#include "render/SceneDrawState.h"
#include "render/SharedVertexMesh.h"

namespace vexil {

namespace {

// A face with its switches set and cleared around it alone.
void DrawPlaneAlone(const TPlane& APlane) {
  TSceneDrawState state;
  DrawPlane(APlane, state);
}

void DrawCubie(const TCube& ACube, const TCubieDraw& ACubie, const TCubeFrame& AFrame) {
  for (int face = 1; face <= 6; ++face) {
    const TPlane& plane = ACube.Plane(face);
    // A turning cubie shows all six faces; one at rest those facing the viewer, only its
    // stickers unless a layer stands at an angle.
    if (ACubie.Rotated ||
        (AFrame.PlaneVisible[face - 1] && (AFrame.DrawInner || plane.WorkPlane()))) {
      DrawPlaneAlone(plane);
    }
  }
}

} // namespace

void DrawCubeFrameByCubie(const TVexilCube& ACube, const TCubeFrame& AFrame) {
  // The same body for every cubie: its distinct vertices are lit once per draw, not per corner.
  const TSharedVertexMesh body(ACube.CubeObject());
  const bool globalLighting = ACube.GlobalLighting();
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
  glEnable(GL_NORMALIZE);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  for (const TCubieDraw& cubie : AFrame.Cubies) {
    if (cubie.CubeIndex < 0 || cubie.CubeIndex >= ACube.CubesCount()) {
      continue;
    }
    glLoadMatrixf(cubie.ModelView.data());
    if (globalLighting) {
      glEnable(GL_LIGHTING);
      glEnable(GL_LIGHT0);
      glEnable(GL_COLOR_MATERIAL);
      body.Draw();
      glDisable(GL_COLOR_MATERIAL);
      glDisable(GL_LIGHT0);
      glDisable(GL_LIGHTING);
    } else {
      body.Draw();
    }
    DrawCubie(ACube.Cube(cubie.CubeIndex), cubie, AFrame);
  }
  glPopMatrix();
  glDisable(GL_NORMALIZE);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

} // namespace vexil
