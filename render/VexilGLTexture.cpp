#include "render/VexilGLTexture.h"

namespace vexil {

void TVexilGLTexture::SetAlphaFormat() {
  ApplyAlphaFormat(MutableData(), FAlphaFormat);
}

void TVexilGLTexture::SetColor(const TVertex3f& AValue) {
  UploadPixels(TintedPixels(Data(), AValue));
}

} // namespace vexil
