#include "render/BmpDecoder.h"

#include <cstring>
#include <string>

namespace vexil {

namespace {

constexpr uint32_t kFileHeaderBytes = 14;
constexpr uint32_t kCompressionNone = 0;

uint16_t U16(const uint8_t* P) {
  return static_cast<uint16_t>(P[0] | (P[1] << 8));
}

uint32_t U32(const uint8_t* P) {
  return static_cast<uint32_t>(P[0]) | (static_cast<uint32_t>(P[1]) << 8) |
         (static_cast<uint32_t>(P[2]) << 16) | (static_cast<uint32_t>(P[3]) << 24);
}

struct TBmpHeader {
  uint32_t PixelOffset = 0;
  int32_t Width = 0;
  int32_t Height = 0; // negative: top-down rows
  uint16_t BitCount = 0;
  uint32_t Compression = 0;
};

void ReadOrFail(TStream& AStream, void* ABuffer, size_t ACount, const char* AWhat) {
  if (AStream.Read(ABuffer, ACount) != ACount) {
    throw EInvalidGraphic(std::string("bitmap ends inside its ") + AWhat);
  }
}

TBmpHeader ReadHeader(TStream& AStream) {
  uint8_t file[kFileHeaderBytes];
  ReadOrFail(AStream, file, sizeof(file), "file header");
  if (file[0] != 'B' || file[1] != 'M') {
    throw EInvalidGraphic("not a bitmap (no \"BM\" signature)");
  }
  uint8_t infoSize[4];
  ReadOrFail(AStream, infoSize, sizeof(infoSize), "info header");
  const uint32_t infoBytes = U32(infoSize);
  if (infoBytes < 40 || infoBytes > 1024) {
    throw EInvalidGraphic("unsupported bitmap header of " + std::to_string(infoBytes) + " bytes");
  }
  std::vector<uint8_t> info(infoBytes);
  std::memcpy(info.data(), infoSize, sizeof(infoSize));
  ReadOrFail(AStream, info.data() + 4, infoBytes - 4, "info header");

  TBmpHeader header;
  header.PixelOffset = U32(file + 10);
  header.Width = static_cast<int32_t>(U32(&info[4]));
  header.Height = static_cast<int32_t>(U32(&info[8]));
  header.BitCount = U16(&info[14]);
  header.Compression = U32(&info[16]);
  if (U16(&info[12]) != 1) {
    throw EInvalidGraphic("bitmap with more than one plane");
  }
  return header;
}

void CheckFormat(const TBmpHeader& AHeader) {
  // Bit-field layouts may order the channels any way: only the plain layout is taken.
  if (AHeader.Compression != kCompressionNone ||
      (AHeader.BitCount != 24 && AHeader.BitCount != 32)) {
    throw EInvalidGraphic("unsupported bitmap: " + std::to_string(AHeader.BitCount) +
                          " bits per pixel, compression " + std::to_string(AHeader.Compression));
  }
  const int64_t height =
      AHeader.Height < 0 ? -static_cast<int64_t>(AHeader.Height) : AHeader.Height;
  if (AHeader.Width <= 0 || AHeader.Width > kMaxBitmapSide || height == 0 ||
      height > kMaxBitmapSide) {
    throw EInvalidGraphic("bitmap size " + std::to_string(AHeader.Width) + " x " +
                          std::to_string(AHeader.Height) + " is out of range");
  }
}

} // namespace

TBitmap24 DecodeBmp(TStream& AStream) {
  const int64_t start = AStream.Position();
  const TBmpHeader header = ReadHeader(AStream);
  CheckFormat(header);

  TBitmap24 bitmap;
  bitmap.Width = header.Width;
  bitmap.Height = header.Height < 0 ? -header.Height : header.Height;
  const size_t sourcePixelBytes = header.BitCount / 8;
  const size_t rowBytes = (static_cast<size_t>(bitmap.Width) * sourcePixelBytes + 3) & ~size_t{3};
  const int64_t pixelStart = start + header.PixelOffset;
  if (pixelStart < AStream.Position() ||
      AStream.Size() - pixelStart < static_cast<int64_t>(rowBytes) * bitmap.Height) {
    throw EInvalidGraphic("bitmap pixels lie outside the file");
  }
  AStream.SetPosition(pixelStart);

  bitmap.Pixels.resize(static_cast<size_t>(bitmap.Width) * bitmap.Height * 3);
  std::vector<uint8_t> row(rowBytes);
  const bool bottomUp = header.Height > 0;
  for (int32_t fileRow = 0; fileRow < bitmap.Height; ++fileRow) {
    ReadOrFail(AStream, row.data(), rowBytes, "pixels");
    const int32_t y = bottomUp ? bitmap.Height - 1 - fileRow : fileRow;
    uint8_t* target = &bitmap.Pixels[static_cast<size_t>(y) * bitmap.Width * 3];
    for (int32_t X = 0; X < bitmap.Width; ++X) {
      std::memcpy(target + X * 3, &row[X * sourcePixelBytes], 3);
    }
  }
  return bitmap;
}

} // namespace vexil
