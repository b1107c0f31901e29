#include "render/GeomObjectDraw.h"

#include "render/GLIncludes.h"

namespace vexil {

void DrawGeomObject(const TGeomObject& AObject) {
  if (!AObject.CanDraw()) {
    return;
  }
  const TGLArray& vertices = AObject.GLVertexArray();
  const TGLArray& normals = AObject.GLNormalArray();
  const TGLArray& colors = AObject.GLColorArray();
  const TGLArray& texCoords = AObject.GLTextureArray();
  if (vertices.Exists()) {
    glVertexPointer(3, GL_FLOAT, 0, vertices.Floats());
    glEnableClientState(GL_VERTEX_ARRAY);
  }
  if (normals.Exists()) {
    glNormalPointer(GL_FLOAT, 0, normals.Floats());
    glEnableClientState(GL_NORMAL_ARRAY);
  }
  if (colors.Exists()) {
    glColorPointer(3, GL_FLOAT, 0, colors.Floats());
    glEnableClientState(GL_COLOR_ARRAY);
  }
  const bool textured = AObject.DrawsTextured();
  if (textured) {
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, 0, texCoords.Floats());
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, AObject.TextureID());
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  }
  const int64_t count = AObject.DrawableVertexCount();
  if (count > 0) {
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(count));
  }
  if (AObject.DrawTexture()) {
    glDisable(GL_TEXTURE_2D);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  }
  if (colors.Exists()) {
    glDisableClientState(GL_COLOR_ARRAY);
  }
  if (vertices.Exists()) {
    glDisableClientState(GL_VERTEX_ARRAY);
  }
  if (normals.Exists()) {
    glDisableClientState(GL_NORMAL_ARRAY);
  }
}

} // namespace vexil
