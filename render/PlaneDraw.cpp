#include "PlaneDraw.h"

#include "GLIncludes.h"

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

void EnableLight() {
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glEnable(GL_COLOR_MATERIAL);
}

void DisableLight() {
  glDisable(GL_COLOR_MATERIAL);
  glDisable(GL_LIGHT0);
  glDisable(GL_LIGHTING);
}

// One quad: per corner the colour, the texture coordinate when textured, the normal, the
// position. The texture name 1000 names no texture: the quad is then drawn untextured.
void DrawQuad(const TPlane& APlane, const TQuadStyle& AStyle) {
  const bool Textured = AStyle.Textured && APlane.TextureID() != TPlane::kNoTexture;
  if (Textured) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, APlane.TextureID());
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, AStyle.EnvMode);
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
  if (Textured) {
    glDisable(GL_TEXTURE_2D);
  }
}

// Lit by the caller. Plane lighting tints the white carcass texture and the stickers by the
// texture; bright colours show the sticker texture over the 0.3 grey through its alpha.
void DrawWithGlobalLight(const TPlane& APlane) {
  TQuadStyle Style;
  if (APlane.PlaneLighting()) {
    Style = {true, GL_MODULATE, {1.0f, 1.0f, 1.0f}};
  } else {
    Style = {APlane.WorkPlane(), GL_DECAL, {kCarcassGrey, kCarcassGrey, kCarcassGrey}};
  }
  DrawQuad(APlane, Style);
}

// Stickers show their face colour where the (inverse) mask lets it through; with plane
// lighting it is shaded by the default light.
void DrawWithoutGlobalLight(const TPlane& APlane) {
  if (!APlane.WorkPlane()) {
    DrawQuad(APlane, {false, GL_MODULATE, {kCarcassGrey, kCarcassGrey, kCarcassGrey}});
    return;
  }
  const TQuadStyle Style{true, GL_DECAL, APlane.Color()};
  if (APlane.PlaneLighting()) {
    EnableLight();
    DrawQuad(APlane, Style);
    DisableLight();
  } else {
    DrawQuad(APlane, Style);
  }
}

} // namespace

void DrawPlane(const TPlane& APlane) {
  if (APlane.GlobalLighting()) {
    EnableLight();
    DrawWithGlobalLight(APlane);
    DisableLight();
  } else {
    DrawWithoutGlobalLight(APlane);
  }
}

void DrawPlanes(const TCube& ACube) {
  for (int Face = 1; Face <= 6; ++Face) {
    DrawPlane(ACube.Plane(Face));
  }
}

void DrawPlanes2(const TCube& ACube, const std::array<bool, 6>& APlaneVisible, bool ADrawInner) {
  for (int Face = 1; Face <= 6; ++Face) {
    const TPlane& Plane = ACube.Plane(Face);
    if (APlaneVisible[Face - 1] && (ADrawInner || Plane.WorkPlane())) {
      DrawPlane(Plane);
    }
  }
}

} // namespace vexil
