#include "render/CubeScene.h"

#include "render/CubeBodyBuffers.h"
#include "render/CubieFaces.h"
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

namespace {

// Every body of the frame, with the arrays bound and the body's texture set once; the triangles
// facing away are culled from the bodies that are closed towards the eye.
void DrawBodies(const TSharedVertexMesh& ABody, const TCubeFrame& AFrame,
                const THiddenBodyParts& AHidden, const TCubieFaces& AFaces) {
  ABody.BindArrays();
  ABody.BeginBatch();
  // The body's triangles are wound counter-clockwise seen from outside: OpenGL's defaults,
  // stated here since the culling depends on them.
  glFrontFace(GL_CCW);
  glCullFace(GL_BACK);
  bool culling = false;
  for (const TCubieDraw& cubie : AFrame.Cubies) {
    if (!AFaces.Drawn(cubie.CubeIndex)) {
      continue; // out of range, or hidden whole: its faces face away too
    }
    const THiddenBodyParts::TBodyDraw part = AHidden.BodyOf(cubie.CubeIndex);
    if (AFaces.Closed(cubie.CubeIndex) != culling) {
      culling = !culling;
      culling ? glEnable(GL_CULL_FACE) : glDisable(GL_CULL_FACE);
    }
    glLoadMatrixf(cubie.ModelView.data());
    ABody.DrawInBatch(part.Part == THiddenBodyParts::TPart::WithoutSide ? part.Side : 0);
  }
  if (culling) {
    glDisable(GL_CULL_FACE);
  }
  ABody.EndBatch();
  ABody.UnbindArrays();
}

void DrawFaces(const TVexilCube& ACube, const TCubeFrame& AFrame, const TCubieFaces& AFaces,
               TSceneDrawState& AState) {
  for (const TCubieDraw& cubie : AFrame.Cubies) {
    if (!AFaces.Drawn(cubie.CubeIndex) || AFaces.FacesOf(cubie.CubeIndex) == 0) {
      continue;
    }
    glLoadMatrixf(cubie.ModelView.data());
    const TCube& cube = ACube.Cube(cubie.CubeIndex);
    for (int face = 1; face <= 6; ++face) {
      if (AFaces.DrawsFace(cubie.CubeIndex, face)) {
        DrawPlane(cube.Plane(face), AState);
      }
    }
  }
}

} // namespace

void DrawCubeFrame(const TVexilCube& ACube, const TCubeFrame& AFrame, TCubeBodyBuffers& ABuffers) {
  // The same body for every cubie: its distinct vertices are lit once per draw, not per corner,
  // and read from buffer objects kept from frame to frame.
  const TSharedVertexMesh& body = ABuffers.MeshOf(ACube.CubeObject());
  std::array<double, 16> projection{};
  glGetDoublev(GL_PROJECTION_MATRIX, projection.data());
  const THiddenBodyParts hidden(ACube, AFrame, projection);
  const TCubieFaces faces(ACube, AFrame, projection, hidden);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
  glEnable(GL_NORMALIZE);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  {
    TSceneDrawState state;
    // First every body, then every face: each kind under its own state, switched once.
    state.SetLighting(ACube.GlobalLighting());
    state.DisableTexture();
    DrawBodies(body, AFrame, hidden, faces);
    state.ForgetTexture();
    DrawFaces(ACube, AFrame, faces, state);
  }
  glPopMatrix();
  glDisable(GL_NORMALIZE);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

} // namespace vexil
