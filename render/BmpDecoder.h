// Decoding of Windows bitmaps (BMP) from a stream: uncompressed 24- and 32-bit pictures with
// either row order. Anything else, and any damaged file, raises EInvalidGraphic naming the
// problem; nothing is read past the end of the stream.
#pragma once

#include "engine/Streams.h"

#include <cstdint>
#include <stdexcept>
#include <vector>

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
// header cannot make us allocate gigabytes.
constexpr int32_t kMaxBitmapSide = 16384;

// Reads one bitmap starting at the stream's current position.
TBitmap24 DecodeBmp(TStream& AStream);

} // namespace vexil
