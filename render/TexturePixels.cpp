#include "render/TexturePixels.h"

namespace vexil {

std::vector<uint8_t> BitmapToRGBA(const TBitmap24& ABitmap) {
  const size_t count = static_cast<size_t>(ABitmap.Width) * ABitmap.Height;
  std::vector<uint8_t> rgba(count * 4);
  for (size_t I = 0; I < count; ++I) {
    const uint8_t* bgr = &ABitmap.Pixels[I * 3];
    rgba[I * 4] = bgr[2];
    rgba[I * 4 + 1] = bgr[1];
    rgba[I * 4 + 2] = bgr[0];
    rgba[I * 4 + 3] = 255;
  }
  return rgba;
}

void ApplyAlphaFormat(std::vector<uint8_t>& ARGBA, TAlphaFormat AFormat) {
  const uint8_t keyAlpha = AFormat == TAlphaFormat::afDefault ? 0 : 255;
  const uint8_t otherAlpha = 255 - keyAlpha;
  for (size_t I = 0; I + 3 < ARGBA.size(); I += 4) {
    ARGBA[I + 3] = IsKeyPixel(&ARGBA[I]) ? keyAlpha : otherAlpha;
  }
}

std::vector<uint8_t> TintedPixels(const std::vector<uint8_t>& ARGBA, const TVertex3f& AColor) {
  std::vector<uint8_t> tinted = ARGBA;
  const uint8_t red = ColorComponentByte(AColor.X);
  const uint8_t green = ColorComponentByte(AColor.Y);
  const uint8_t blue = ColorComponentByte(AColor.Z);
  for (size_t I = 0; I + 3 < tinted.size(); I += 4) {
    uint8_t* pixel = &tinted[I];
    // A pixel with any channel at the key value is left alone, not only the pure key grey.
    if (pixel[0] != kKeyGrey && pixel[1] != kKeyGrey && pixel[2] != kKeyGrey) {
      pixel[0] = red;
      pixel[1] = green;
      pixel[2] = blue;
    }
  }
  return tinted;
}

} // namespace vexil
