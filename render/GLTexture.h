// TGLTexture: one OpenGL 2D texture with the RGBA copy of its picture in memory. The picture is
// kept so that it can be uploaded again with other settings or recoloured (TVexilGLTexture).
// The texture name is never deleted: it lives as long as the window's context.
#pragma once

#include "engine/Streams.h"
#include "render/Bitmap24.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vexil {

class TGLTexture {
public:
  TGLTexture() = default;
  virtual ~TGLTexture() = default;
  TGLTexture(const TGLTexture&) = delete;
  TGLTexture& operator=(const TGLTexture&) = delete;

  // Copies the picture into Data() and generates a texture name (no upload). Needs a current
  // context.
  virtual void LoadBitMap(const TBitmap24& ABitMap);
  // Reads the picture file (or resource) AFileName and runs LoadBitMap; raises EInvalidGraphic
  // when it cannot be read, leaving the texture as it was.
  void LoadFromImage(const QString& AFileName);

  // Uploads Data() to the texture with the filter, wrap and environment settings below. Does
  // nothing before a picture was loaded (there is no texture of ours to upload to).
  void UpdateBlendingConfiguration();
  // Draws the texture on the square (-1, -1)..(1, 1) of the plane z = -1.
  void Draw() const;

  uint32_t TextureID() const { return FTextureID; }
  int32_t Width() const { return FWidth; }
  int32_t Height() const { return FHeight; }
  // The picture: Width() x Height() pixels of red, green, blue, alpha, the top row first.
  const std::vector<uint8_t>& Data() const { return FData; }

  uint32_t TextWrapS() const { return FTextWrapS; }
  void SetTextWrapS(uint32_t AValue) { FTextWrapS = AValue; }
  uint32_t TextWrapT() const { return FTextWrapT; }
  void SetTextWrapT(uint32_t AValue) { FTextWrapT = AValue; }
  uint32_t TextEnvMode() const { return FTextEnvMode; }
  void SetTextEnvMode(uint32_t AValue) { FTextEnvMode = AValue; }
  uint32_t TextMinFilter() const { return FTextMinFilter; }
  void SetTextMinFilter(uint32_t AValue) { FTextMinFilter = AValue; }
  uint32_t TextMagFilter() const { return FTextMagFilter; }
  void SetTextMagFilter(uint32_t AValue) { FTextMagFilter = AValue; }
  bool Build2DMipmaps() const { return FBuild2DMipmaps; }
  void SetBuild2DMipmaps(bool AValue) { FBuild2DMipmaps = AValue; }

protected:
  // Uploads APixels (Width() x Height() RGBA, top row first) as UpdateBlendingConfiguration does.
  void UploadPixels(const std::vector<uint8_t>& APixels);
  std::vector<uint8_t>& MutableData() { return FData; }

private:
  uint32_t FTextWrapS = 0x2901;     // GL_REPEAT
  uint32_t FTextWrapT = 0x2901;     // GL_REPEAT
  uint32_t FTextEnvMode = 0x2100;   // GL_MODULATE
  uint32_t FTextMinFilter = 0x2601; // GL_LINEAR
  uint32_t FTextMagFilter = 0x2601; // GL_LINEAR
  bool FBuild2DMipmaps = false;
  int32_t FWidth = 0;
  int32_t FHeight = 0;
  uint32_t FTextureID = 0;
  std::vector<uint8_t> FData;
};

} // namespace vexil
