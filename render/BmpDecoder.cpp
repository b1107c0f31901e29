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
  uint8_t File[kFileHeaderBytes];
  ReadOrFail(AStream, File, sizeof(File), "file header");
  if (File[0] != 'B' || File[1] != 'M') {
    throw EInvalidGraphic("not a bitmap (no \"BM\" signature)");
  }
  uint8_t InfoSize[4];
  ReadOrFail(AStream, InfoSize, sizeof(InfoSize), "info header");
  const uint32_t InfoBytes = U32(InfoSize);
  if (InfoBytes < 40 || InfoBytes > 1024) {
    throw EInvalidGraphic("unsupported bitmap header of " + std::to_string(InfoBytes) + " bytes");
  }
  std::vector<uint8_t> Info(InfoBytes);
  std::memcpy(Info.data(), InfoSize, sizeof(InfoSize));
  ReadOrFail(AStream, Info.data() + 4, InfoBytes - 4, "info header");

  TBmpHeader Header;
  Header.PixelOffset = U32(File + 10);
  Header.Width = static_cast<int32_t>(U32(&Info[4]));
  Header.Height = static_cast<int32_t>(U32(&Info[8]));
  Header.BitCount = U16(&Info[14]);
  Header.Compression = U32(&Info[16]);
  if (U16(&Info[12]) != 1) {
    throw EInvalidGraphic("bitmap with more than one plane");
  }
  return Header;
}

void CheckFormat(const TBmpHeader& AHeader) {
  // Bit-field layouts may order the channels any way: only the plain layout is taken.
  if (AHeader.Compression != kCompressionNone ||
      (AHeader.BitCount != 24 && AHeader.BitCount != 32)) {
    throw EInvalidGraphic("unsupported bitmap: " + std::to_string(AHeader.BitCount) +
                          " bits per pixel, compression " + std::to_string(AHeader.Compression));
  }
  const int64_t Height =
      AHeader.Height < 0 ? -static_cast<int64_t>(AHeader.Height) : AHeader.Height;
  if (AHeader.Width <= 0 || AHeader.Width > kMaxBitmapSide || Height == 0 ||
      Height > kMaxBitmapSide) {
    throw EInvalidGraphic("bitmap size " + std::to_string(AHeader.Width) + " x " +
                          std::to_string(AHeader.Height) + " is out of range");
  }
}

} // namespace

TBitmap24 DecodeBmp(TStream& AStream) {
  const int64_t Start = AStream.Position();
  const TBmpHeader Header = ReadHeader(AStream);
  CheckFormat(Header);

  TBitmap24 Bitmap;
  Bitmap.Width = Header.Width;
  Bitmap.Height = Header.Height < 0 ? -Header.Height : Header.Height;
  const size_t SourcePixelBytes = Header.BitCount / 8;
  const size_t RowBytes = (static_cast<size_t>(Bitmap.Width) * SourcePixelBytes + 3) & ~size_t{3};
  const int64_t PixelStart = Start + Header.PixelOffset;
  if (PixelStart < AStream.Position() ||
      AStream.Size() - PixelStart < static_cast<int64_t>(RowBytes) * Bitmap.Height) {
    throw EInvalidGraphic("bitmap pixels lie outside the file");
  }
  AStream.SetPosition(PixelStart);

  Bitmap.Pixels.resize(static_cast<size_t>(Bitmap.Width) * Bitmap.Height * 3);
  std::vector<uint8_t> Row(RowBytes);
  const bool BottomUp = Header.Height > 0;
  for (int32_t FileRow = 0; FileRow < Bitmap.Height; ++FileRow) {
    ReadOrFail(AStream, Row.data(), RowBytes, "pixels");
    const int32_t Y = BottomUp ? Bitmap.Height - 1 - FileRow : FileRow;
    uint8_t* Target = &Bitmap.Pixels[static_cast<size_t>(Y) * Bitmap.Width * 3];
    for (int32_t X = 0; X < Bitmap.Width; ++X) {
      std::memcpy(Target + X * 3, &Row[X * SourcePixelBytes], 3);
    }
  }
  return Bitmap;
}

} // namespace vexil
