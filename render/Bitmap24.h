// The sticker pictures as the textures take them: 24 bits a pixel, read from image files (the
// game's own come from its Qt resources, ":/stickers/plane_N.bmp") with QImage.
#pragma once

#include <QString>

#include <cstdint>
#include <stdexcept>
#include <vector>

class QImage;

namespace vexil {

class EInvalidGraphic : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// A picture of 24 bits per pixel: blue, green, red per pixel, the top row first, no padding.
struct TBitmap24 {
  int32_t Width = 0;
  int32_t Height = 0;
  std::vector<uint8_t> Pixels;

  const uint8_t* Pixel(int32_t X, int32_t Y) const {
    return &Pixels[(static_cast<size_t>(Y) * Width + X) * 3];
  }
};

// The largest side accepted; far beyond any texture a driver takes, small enough that a hostile
// picture cannot make us allocate gigabytes.
constexpr int32_t kMaxBitmapSide = 16384;

// The picture's colours; any alpha is dropped. Raises EInvalidGraphic for an empty picture or
// one with a side beyond kMaxBitmapSide.
TBitmap24 BitmapFromImage(const QImage& AImage);
// Reads the image file (or resource) AFileName; raises EInvalidGraphic naming it when it cannot
// be read or decoded.
TBitmap24 LoadBitmap24(const QString& AFileName);

// The resource name of sticker picture ANumber (0 .. 6).
QString StickerPictureName(int ANumber);

} // namespace vexil
