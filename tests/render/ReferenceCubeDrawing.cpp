#include "tests/render/ReferenceCubeDrawing.h"

#include "render/GLIncludes.h"
#include "render/PlaneDraw.h"
#include "render/SceneDrawState.h"
#include "render/SharedVertexMesh.h"

namespace vexil {

namespace {

// A face with its switches set and cleared around it alone.
void DrawPlaneAlone(const TPlane& APlane) {
  TSceneDrawState State;
  DrawPlane(APlane, State);
}

void DrawCubie(const TCube& ACube, const TCubieDraw& ACubie, const TCubeFrame& AFrame) {
  for (int Face = 1; Face <= 6; ++Face) {
    const TPlane& Plane = ACube.Plane(Face);
    // A turning cubie shows all six faces; one at rest those facing the viewer, only its
    // stickers unless a layer stands at an angle.
    if (ACubie.Rotated ||
        (AFrame.PlaneVisible[Face - 1] && (AFrame.DrawInner || Plane.WorkPlane()))) {
      DrawPlaneAlone(Plane);
    }
  }
}

} // namespace

void DrawCubeFrameByCubie(const TVexilCube& ACube, const TCubeFrame& AFrame) {
  // The same body for every cubie: its distinct vertices are lit once per draw, not per corner.
  const TSharedVertexMesh Body(ACube.CubeObject());
  const bool GlobalLighting = ACube.GlobalLighting();
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
  glEnable(GL_NORMALIZE);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  for (const TCubieDraw& Cubie : AFrame.Cubies) {
    if (Cubie.CubeIndex < 0 || Cubie.CubeIndex >= ACube.CubesCount()) {
      continue;
    }
    glLoadMatrixf(Cubie.ModelView.data());
    if (GlobalLighting) {
      glEnable(GL_LIGHTING);
      glEnable(GL_LIGHT0);
      glEnable(GL_COLOR_MATERIAL);
      Body.Draw();
      glDisable(GL_COLOR_MATERIAL);
      glDisable(GL_LIGHT0);
      glDisable(GL_LIGHTING);
    } else {
      Body.Draw();
    }
    DrawCubie(ACube.Cube(Cubie.CubeIndex), Cubie, AFrame);
  }
  glPopMatrix();
  glDisable(GL_NORMALIZE);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

} // namespace vexil
