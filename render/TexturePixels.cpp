#include "render/TexturePixels.h"

namespace vexil {

std::vector<uint8_t> BitmapToRGBA(const TBitmap24& ABitmap) {
  const size_t Count = static_cast<size_t>(ABitmap.Width) * ABitmap.Height;
  std::vector<uint8_t> RGBA(Count * 4);
  for (size_t I = 0; I < Count; ++I) {
    const uint8_t* BGR = &ABitmap.Pixels[I * 3];
    RGBA[I * 4] = BGR[2];
    RGBA[I * 4 + 1] = BGR[1];
    RGBA[I * 4 + 2] = BGR[0];
    RGBA[I * 4 + 3] = 255;
  }
  return RGBA;
}

void ApplyAlphaFormat(std::vector<uint8_t>& ARGBA, TAlphaFormat AFormat) {
  const uint8_t KeyAlpha = AFormat == TAlphaFormat::afDefault ? 0 : 255;
  const uint8_t OtherAlpha = 255 - KeyAlpha;
  for (size_t I = 0; I + 3 < ARGBA.size(); I += 4) {
    ARGBA[I + 3] = IsKeyPixel(&ARGBA[I]) ? KeyAlpha : OtherAlpha;
  }
}

std::vector<uint8_t> TintedPixels(const std::vector<uint8_t>& ARGBA, const TVertex3f& AColor) {
  std::vector<uint8_t> Tinted = ARGBA;
  const uint8_t Red = ColorComponentByte(AColor.X);
  const uint8_t Green = ColorComponentByte(AColor.Y);
  const uint8_t Blue = ColorComponentByte(AColor.Z);
  for (size_t I = 0; I + 3 < Tinted.size(); I += 4) {
    uint8_t* Pixel = &Tinted[I];
    // A pixel with any channel at the key value is left alone, not only the pure key grey.
    if (Pixel[0] != kKeyGrey && Pixel[1] != kKeyGrey && Pixel[2] != kKeyGrey) {
      Pixel[0] = Red;
      Pixel[1] = Green;
      Pixel[2] = Blue;
    }
  }
  return Tinted;
}

} // namespace vexil
