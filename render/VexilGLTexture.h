// TVexilGLTexture: a sticker texture. Its key-grey background becomes an alpha mask, and the
// rest of the picture can be recoloured with a face colour; the untinted picture is kept, so a
// tint never accumulates.
//
// Order of use: LoadFromImage, SetTextEnvMode, SetAlphaFormat(format), SetAlphaFormat(),
// UpdateBlendingConfiguration; later any number of SetColor, or SetAlphaFormat(format) +
// SetAlphaFormat() + UpdateBlendingConfiguration.
#pragma once

#include "engine/VectorTypes.h"
#include "render/GLTexture.h"
#include "render/TexturePixels.h"

namespace vexil {

class TVexilGLTexture : public TGLTexture {
public:
  TAlphaFormat AlphaFormat() const { return FAlphaFormat; }
  // Stores the format only; SetAlphaFormat() applies it.
  void SetAlphaFormat(TAlphaFormat AValue) { FAlphaFormat = AValue; }
  // Writes the alpha byte of every pixel of Data() from AlphaFormat() (no upload).
  void SetAlphaFormat();
  // Uploads a copy of the picture recoloured with AValue; Data() is left as it was.
  void SetColor(const TVertex3f& AValue);

private:
  TAlphaFormat FAlphaFormat = TAlphaFormat::afDefault;
};

} // namespace vexil
