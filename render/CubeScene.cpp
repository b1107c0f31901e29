#include "render/CubeScene.h"

#include "render/CubeBodyBuffers.h"
#include "render/GLIncludes.h"
#include "render/HiddenBodyParts.h"
#include "render/PlaneDraw.h"
#include "render/SceneDrawState.h"
#include "render/SharedVertexMesh.h"

#include <array>

namespace vexil {

void ClearScene(const TVertex3f& ABackground) {
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glClearColor(ABackground.X, ABackground.Y, ABackground.Z, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void BeginScene(const TVertex3f& ABackground) {
  ClearScene(ABackground);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_MULTISAMPLE);
}

void BeginScene(const TVertex3f& ABackground, const TMatrix& AView) {
  BeginScene(ABackground);
  glLoadMatrixf(AView.data());
}

void EndScene() {
  glDisable(GL_MULTISAMPLE);
  glDisable(GL_DEPTH_TEST);
}

void DrawCubeFrame(const TVexilCube& ACube, const TCubeFrame& AFrame) {
  TCubeBodyBuffers buffers;
  DrawCubeFrame(ACube, AFrame, buffers);
}

void DrawCubeFrame(const TVexilCube& ACube, const TCubeFrame& AFrame, TCubeBodyBuffers& ABuffers) {
  // The same body for every cubie: its distinct vertices are lit once per draw, not per corner,
  // and read from buffer objects kept from frame to frame.
  const TSharedVertexMesh& body = ABuffers.MeshOf(ACube.CubeObject());
  const bool globalLighting = ACube.GlobalLighting();
  std::array<double, 16> projection{};
  glGetDoublev(GL_PROJECTION_MATRIX, projection.data());
  const THiddenBodyParts hidden(ACube, AFrame, projection);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
  glEnable(GL_NORMALIZE);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  body.BindArrays();
  {
    TSceneDrawState state;
    for (const TCubieDraw& cubie : AFrame.Cubies) {
      if (cubie.CubeIndex < 0 || cubie.CubeIndex >= ACube.CubesCount()) {
        continue;
      }
      const THiddenBodyParts::TBodyDraw part = hidden.BodyOf(cubie.CubeIndex);
      if (part.Part == THiddenBodyParts::TPart::None) {
        continue; // its faces face away too: nothing of it is drawn
      }
      glLoadMatrixf(cubie.ModelView.data());
      state.SetLighting(globalLighting);
      // The body sets and clears its own texture.
      state.DisableTexture();
      if (part.Part == THiddenBodyParts::TPart::WithoutSide) {
        body.DrawBoundWithoutSide(part.Side);
      } else {
        body.DrawBound();
      }
      state.ForgetTexture();
      const TCube& cube = ACube.Cube(cubie.CubeIndex);
      if (cubie.Rotated) {
        DrawPlanes(cube, state);
      } else {
        DrawPlanes2(cube, AFrame.PlaneVisible, AFrame.DrawInner, state);
      }
    }
  }
  body.UnbindArrays();
  glPopMatrix();
  glDisable(GL_NORMALIZE);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

} // namespace vexil
