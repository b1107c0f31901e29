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
  const bool Textured = AStyle.Textured && APlane.TextureID() != TPlane::kNoTexture;
  if (Textured) {
    AState.EnableTexture(APlane.TextureID(), AStyle.EnvMode);
  } else {
    AState.DisableTexture();
  }
  const TGLVectorArray& Corners = APlane.GLVertexArray();
  const TGLVectorArray& Normals = APlane.GLNormalArray();
  glBegin(GL_QUADS);
  for (int K = 0; K < 4; ++K) {
    glColor3f(AStyle.Color.X, AStyle.Color.Y, AStyle.Color.Z);
    if (Textured) {
      glTexCoord2fv(kTexCoords[K]);
    }
    glNormal3f(Normals[K].X, Normals[K].Y, Normals[K].Z);
    glVertex3f(Corners[K].X, Corners[K].Y, Corners[K].Z);
  }
  glEnd();
}

// Lit. Plane lighting tints the white carcass texture and the stickers by the
// texture; bright colours show the sticker texture over the 0.3 grey through its alpha.
void DrawWithGlobalLight(const TPlane& APlane, TSceneDrawState& AState) {
  AState.SetLighting(true);
  TQuadStyle Style;
  if (APlane.PlaneLighting()) {
    Style = {true, GL_MODULATE, {1.0f, 1.0f, 1.0f}};
  } else {
    Style = {APlane.WorkPlane(), GL_DECAL, {kCarcassGrey, kCarcassGrey, kCarcassGrey}};
  }
  DrawQuad(APlane, Style, AState);
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
  for (int Face = 1; Face <= 6; ++Face) {
    DrawPlane(ACube.Plane(Face), AState);
  }
}

void DrawPlanes2(const TCube& ACube, const std::array<bool, 6>& APlaneVisible, bool ADrawInner,
                 TSceneDrawState& AState) {
  for (int Face = 1; Face <= 6; ++Face) {
    const TPlane& Plane = ACube.Plane(Face);
    if (APlaneVisible[Face - 1] && (ADrawInner || Plane.WorkPlane())) {
      DrawPlane(Plane, AState);
    }
  }
}

} // namespace vexil
