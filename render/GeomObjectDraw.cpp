#include "render/GeomObjectDraw.h"

#include "render/GLIncludes.h"

namespace vexil {

void DrawGeomObject(const TGeomObject& AObject) {
  if (!AObject.CanDraw()) {
    return;
  }
  const TGLArray& Vertices = AObject.GLVertexArray();
  const TGLArray& Normals = AObject.GLNormalArray();
  const TGLArray& Colors = AObject.GLColorArray();
  const TGLArray& TexCoords = AObject.GLTextureArray();
  if (Vertices.Exists()) {
    glVertexPointer(3, GL_FLOAT, 0, Vertices.Floats());
    glEnableClientState(GL_VERTEX_ARRAY);
  }
  if (Normals.Exists()) {
    glNormalPointer(GL_FLOAT, 0, Normals.Floats());
    glEnableClientState(GL_NORMAL_ARRAY);
  }
  if (Colors.Exists()) {
    glColorPointer(3, GL_FLOAT, 0, Colors.Floats());
    glEnableClientState(GL_COLOR_ARRAY);
  }
  const bool Textured = AObject.DrawsTextured();
  if (Textured) {
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, 0, TexCoords.Floats());
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, AObject.TextureID());
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  }
  const int64_t Count = AObject.DrawableVertexCount();
  if (Count > 0) {
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(Count));
  }
  if (AObject.DrawTexture()) {
    glDisable(GL_TEXTURE_2D);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  }
  if (Colors.Exists()) {
    glDisableClientState(GL_COLOR_ARRAY);
  }
  if (Vertices.Exists()) {
    glDisableClientState(GL_VERTEX_ARRAY);
  }
  if (Normals.Exists()) {
    glDisableClientState(GL_NORMAL_ARRAY);
  }
}

} // namespace vexil
