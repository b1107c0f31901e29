#include "render/PlaneDraw.h"

#include "render/GLIncludes.h"
#include "render/SceneDrawState.h"

namespace vexil {

namespace {

constexpr float kCarcassGrey = 0.3f;
// Texture coordinates of corners 0..3.
constexpr float kTexCoords[4][2] = {{1.0f, 0.0f}, {0.0f, 0.0f}, {0.0f, 1.0f}, {1.0f, 1.0f}};

struct TQuadStyle {
  bool Textured = false;
  GLint EnvMode = GL_MODULATE;
  TVertex3f Color;
};

// One quad: per corner the colour, the texture coordinate when textured, the normal, the
// position. The texture name 1000 names no texture: the quad is then drawn untextured.
void DrawQuad(const TPlane& APlane, const TQuadStyle& AStyle, TSceneDrawState& AState) {
  const bool textured = AStyle.Textured && APlane.TextureID() != TPlane::kNoTexture;
  if (textured) {
    AState.EnableTexture(APlane.TextureID(), AStyle.EnvMode);
  } else {
    AState.DisableTexture();
  }
  const TGLVectorArray& corners = APlane.GLVertexArray();
  const TGLVectorArray& normals = APlane.GLNormalArray();
  glBegin(GL_QUADS);
  for (int K = 0; K < 4; ++K) {
    glColor3f(AStyle.Color.X, AStyle.Color.Y, AStyle.Color.Z);
    if (textured) {
      glTexCoord2fv(kTexCoords[K]);
    }
    glNormal3f(normals[K].X, normals[K].Y, normals[K].Z);
    glVertex3f(corners[K].X, corners[K].Y, corners[K].Z);
  }
  glEnd();
}

// Lit. Plane lighting tints the white carcass texture and the stickers by the
// texture; bright colours show the sticker texture over the 0.3 grey through its alpha.
void DrawWithGlobalLight(const TPlane& APlane, TSceneDrawState& AState) {
  AState.SetLighting(true);
  TQuadStyle style;
  if (APlane.PlaneLighting()) {
    style = {true, GL_MODULATE, {1.0f, 1.0f, 1.0f}};
  } else {
    style = {APlane.WorkPlane(), GL_DECAL, {kCarcassGrey, kCarcassGrey, kCarcassGrey}};
  }
  DrawQuad(APlane, style, AState);
}

// Stickers show their face colour where the (inverse) mask lets it through; with plane
// lighting it is shaded by the default light.
void DrawWithoutGlobalLight(const TPlane& APlane, TSceneDrawState& AState) {
  if (!APlane.WorkPlane()) {
    AState.SetLighting(false);
    DrawQuad(APlane, {false, GL_MODULATE, {kCarcassGrey, kCarcassGrey, kCarcassGrey}}, AState);
    return;
  }
  AState.SetLighting(APlane.PlaneLighting());
  DrawQuad(APlane, {true, GL_DECAL, APlane.Color()}, AState);
}

} // namespace

void DrawPlane(const TPlane& APlane, TSceneDrawState& AState) {
  if (APlane.GlobalLighting()) {
    DrawWithGlobalLight(APlane, AState);
  } else {
    DrawWithoutGlobalLight(APlane, AState);
  }
}

void DrawPlanes(const TCube& ACube, TSceneDrawState& AState) {
  for (int face = 1; face <= 6; ++face) {
    DrawPlane(ACube.Plane(face), AState);
  }
}

void DrawPlanes2(const TCube& ACube, const std::array<bool, 6>& APlaneVisible, bool ADrawInner,
                 TSceneDrawState& AState) {
  for (int face = 1; face <= 6; ++face) {
    const TPlane& plane = ACube.Plane(face);
    if (APlaneVisible[face - 1] && (ADrawInner || plane.WorkPlane())) {
      DrawPlane(plane, AState);
    }
  }
}

} // namespace vexil
