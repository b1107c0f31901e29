#include "render/CubeScene.h"

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
  // The same body for every cubie: its distinct vertices are lit once per draw, not per corner,
  // and read from buffer objects made once for the frame.
  TSharedVertexMesh Body(ACube.CubeObject());
  Body.UploadBuffers();
  const bool GlobalLighting = ACube.GlobalLighting();
  std::array<double, 16> Projection{};
  glGetDoublev(GL_PROJECTION_MATRIX, Projection.data());
  const THiddenBodyParts Hidden(ACube, AFrame, Projection);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
  glEnable(GL_NORMALIZE);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  Body.BindArrays();
  {
    TSceneDrawState State;
    for (const TCubieDraw& Cubie : AFrame.Cubies) {
      if (Cubie.CubeIndex < 0 || Cubie.CubeIndex >= ACube.CubesCount()) {
        continue;
      }
      const THiddenBodyParts::TBodyDraw Part = Hidden.BodyOf(Cubie.CubeIndex);
      if (Part.Part == THiddenBodyParts::TPart::None) {
        continue; // its faces face away too: nothing of it is drawn
      }
      glLoadMatrixf(Cubie.ModelView.data());
      State.SetLighting(GlobalLighting);
      // The body sets and clears its own texture.
      State.DisableTexture();
      if (Part.Part == THiddenBodyParts::TPart::WithoutSide) {
        Body.DrawBoundWithoutSide(Part.Side);
      } else {
        Body.DrawBound();
      }
      State.ForgetTexture();
      const TCube& Cube = ACube.Cube(Cubie.CubeIndex);
      if (Cubie.Rotated) {
        DrawPlanes(Cube, State);
      } else {
        DrawPlanes2(Cube, AFrame.PlaneVisible, AFrame.DrawInner, State);
      }
    }
  }
  Body.UnbindArrays();
  glPopMatrix();
  glDisable(GL_NORMALIZE);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

void DrawVexilCube(TVexilCube& ACube, const TMatrix& AView) {
  const TCubeFrame Frame = ACube.BeginFrame(AView);
  DrawCubeFrame(ACube, Frame);
  ACube.EndFrame(Frame);
}

} // namespace vexil
