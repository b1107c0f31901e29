// The pixel work of the sticker textures, without OpenGL: the RGBA copy of a picture, the alpha
// mask made from the key colour and the tint with a face colour.
#pragma once

#include "engine/VectorTypes.h"
#include "render/Bitmap24.h"

#include <cstdint>
#include <vector>

namespace vexil {

// Which pixels the alpha mask makes transparent: afDefault the key-grey background (the sticker
// shows, opaque), afInverse everything else (only the background is opaque).
enum class TAlphaFormat { afDefault, afInverse };

// The background grey of the sticker pictures: red = green = blue = 76.
constexpr uint8_t kKeyGrey = 76;

inline bool IsKeyPixel(const uint8_t* ARGB) {
  return ARGB[0] == kKeyGrey && ARGB[1] == kKeyGrey && ARGB[2] == kKeyGrey;
}

// The picture as red, green, blue, alpha bytes, top row first; alpha starts opaque.
std::vector<uint8_t> BitmapToRGBA(const TBitmap24& ABitmap);

// Writes the alpha byte of every pixel from the key colour.
void ApplyAlphaFormat(std::vector<uint8_t>& ARGBA, TAlphaFormat AFormat);

// A copy whose pixels with no channel equal to 76 all take the colour (each component
// Round(c x 255), ties to even, its low 8 bits); alpha bytes and the other pixels are kept.
std::vector<uint8_t> TintedPixels(const std::vector<uint8_t>& ARGBA, const TVertex3f& AColor);

} // namespace vexil
