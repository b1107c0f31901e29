#include "render/GLTexture.h"

#include "render/GLIncludes.h"
#include "render/TexturePixels.h"

namespace vexil {

void TGLTexture::LoadBitMap(const TBitmap24& ABitMap) {
  FWidth = ABitMap.Width;
  FHeight = ABitMap.Height;
  FData = BitmapToRGBA(ABitMap);
  GLuint name = 0;
  glGenTextures(1, &name);
  FTextureID = name;
}

void TGLTexture::LoadFromImage(const QString& AFileName) {
  // Decode first: a bad picture leaves the texture as it was.
  LoadBitMap(LoadBitmap24(AFileName));
}

void TGLTexture::UpdateBlendingConfiguration() {
  UploadPixels(FData);
}

void TGLTexture::UploadPixels(const std::vector<uint8_t>& APixels) {
  if (FTextureID == 0 || APixels.size() != static_cast<size_t>(FWidth) * FHeight * 4) {
    return;
  }
  glBindTexture(GL_TEXTURE_2D, FTextureID);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4); // RGBA rows are always 4-byte aligned
  if (FBuild2DMipmaps) {
    // Three internal components: the mipmapped texture has no alpha.
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, FWidth, FHeight, GL_RGBA, GL_UNSIGNED_BYTE, APixels.data());
  } else {
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, FWidth, FHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 APixels.data());
  }
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, static_cast<GLint>(FTextMinFilter));
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, static_cast<GLint>(FTextMagFilter));
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, static_cast<GLint>(FTextWrapS));
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, static_cast<GLint>(FTextWrapT));
  // The environment belongs to the texture unit; drawing sets its own before every primitive.
  glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, static_cast<GLfloat>(FTextEnvMode));
}

void TGLTexture::Draw() const {
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, FTextureID);
  glBegin(GL_QUADS);
  glTexCoord2f(1.0f, 0.0f);
  glVertex3f(-1.0f, 1.0f, -1.0f);
  glTexCoord2f(0.0f, 0.0f);
  glVertex3f(1.0f, 1.0f, -1.0f);
  glTexCoord2f(0.0f, 1.0f);
  glVertex3f(1.0f, -1.0f, -1.0f);
  glTexCoord2f(1.0f, 1.0f);
  glVertex3f(-1.0f, -1.0f, -1.0f);
  glEnd();
  glDisable(GL_TEXTURE_2D);
}

} // namespace vexil
