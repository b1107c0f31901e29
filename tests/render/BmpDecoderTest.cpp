// Decoding bitmaps: the shipped pictures, the row orders and pixel sizes we accept, and damaged
// or hostile files, which must raise EInvalidGraphic and never read out of bounds.
#include "render/BmpDecoder.h"
#include "engine/Resources.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace vexil {
namespace {

void Put16(std::vector<uint8_t>& ABytes, size_t AOffset, uint32_t AValue) {
  ABytes[AOffset] = static_cast<uint8_t>(AValue);
  ABytes[AOffset + 1] = static_cast<uint8_t>(AValue >> 8);
}

void Put32(std::vector<uint8_t>& ABytes, size_t AOffset, uint32_t AValue) {
  Put16(ABytes, AOffset, AValue & 0xFFFF);
  Put16(ABytes, AOffset + 2, AValue >> 16);
}

// A bitmap of AWidth x AHeight (negative: top-down) with ABits per pixel; pixel (x, y) of the
// picture is blue x, green y, red 200.
std::vector<uint8_t> MakeBmp(int32_t AWidth, int32_t AHeight, uint16_t ABits) {
  const int32_t Rows = AHeight < 0 ? -AHeight : AHeight;
  const size_t PixelBytes = ABits / 8;
  const size_t RowBytes = (AWidth * PixelBytes + 3) & ~size_t{3};
  std::vector<uint8_t> Bytes(54 + RowBytes * Rows, 0);
  Bytes[0] = 'B';
  Bytes[1] = 'M';
  Put32(Bytes, 2, static_cast<uint32_t>(Bytes.size()));
  Put32(Bytes, 10, 54);
  Put32(Bytes, 14, 40);
  Put32(Bytes, 18, static_cast<uint32_t>(AWidth));
  Put32(Bytes, 22, static_cast<uint32_t>(AHeight));
  Put16(Bytes, 26, 1);
  Put16(Bytes, 28, ABits);
  for (int32_t FileRow = 0; FileRow < Rows; ++FileRow) {
    const int32_t Y = AHeight > 0 ? Rows - 1 - FileRow : FileRow;
    for (int32_t X = 0; X < AWidth; ++X) {
      uint8_t* P = &Bytes[54 + FileRow * RowBytes + X * PixelBytes];
      P[0] = static_cast<uint8_t>(X);
      P[1] = static_cast<uint8_t>(Y);
      P[2] = 200;
    }
  }
  return Bytes;
}

TBitmap24 Decode(std::vector<uint8_t> ABytes) {
  TMemoryStream Stream(std::move(ABytes));
  return DecodeBmp(Stream);
}

void ExpectGradient(const TBitmap24& ABitmap) {
  for (int32_t Y = 0; Y < ABitmap.Height; ++Y) {
    for (int32_t X = 0; X < ABitmap.Width; ++X) {
      const uint8_t* P = ABitmap.Pixel(X, Y);
      ASSERT_EQ(P[0], X) << X << "," << Y;
      ASSERT_EQ(P[1], Y) << X << "," << Y;
      ASSERT_EQ(P[2], 200) << X << "," << Y;
    }
  }
}

TEST(BmpDecoderTest, BothRowOrdersAndPaddedRowsComeOutTopRowFirst) {
  for (const int32_t Height : {5, -5}) {
    const TBitmap24 Bitmap = Decode(MakeBmp(3, Height, 24)); // 9-byte rows padded to 12
    EXPECT_EQ(Bitmap.Width, 3);
    EXPECT_EQ(Bitmap.Height, 5);
    ExpectGradient(Bitmap);
  }
  ExpectGradient(Decode(MakeBmp(4, 3, 32)));
}

TEST(BmpDecoderTest, ShippedStickerPicturesDecodeAndTrailingBytesAreIgnored) {
  TBytesStream Plane0 = OpenResource("PLANE_0", kRawDataResource);
  TBytesStream Plane1 = OpenResource("PLANE_1", kRawDataResource);
  const TBitmap24 First = DecodeBmp(Plane0);
  const TBitmap24 Second = DecodeBmp(Plane1);
  EXPECT_EQ(First.Width, 128);
  EXPECT_EQ(First.Height, 128);
  EXPECT_EQ(First.Pixels, Second.Pixels);
  EXPECT_EQ(Plane0.Size(), Plane1.Size() + 2);
}

TEST(BmpDecoderTest, DamagedOrHostileFilesRaise) {
  const std::vector<uint8_t> Good = MakeBmp(4, 4, 24);

  std::vector<uint8_t> NoSignature = Good;
  NoSignature[0] = 'X';
  EXPECT_THROW(Decode(NoSignature), EInvalidGraphic);

  for (const size_t Length : {size_t{0}, size_t{10}, size_t{30}, Good.size() - 1}) {
    EXPECT_THROW(Decode(std::vector<uint8_t>(Good.begin(), Good.begin() + Length)), EInvalidGraphic)
        << "cut at " << Length;
  }

  std::vector<uint8_t> Huge = Good;
  Put32(Huge, 18, 0x7FFFFFFF);
  EXPECT_THROW(Decode(Huge), EInvalidGraphic);

  std::vector<uint8_t> NegativeWidth = Good;
  Put32(NegativeWidth, 18, static_cast<uint32_t>(-4));
  EXPECT_THROW(Decode(NegativeWidth), EInvalidGraphic);

  std::vector<uint8_t> MostNegativeHeight = Good;
  Put32(MostNegativeHeight, 22, 0x80000000u);
  EXPECT_THROW(Decode(MostNegativeHeight), EInvalidGraphic);

  std::vector<uint8_t> PixelsBeyondEnd = Good;
  Put32(PixelsBeyondEnd, 10, 0xFFFFFFF0u);
  EXPECT_THROW(Decode(PixelsBeyondEnd), EInvalidGraphic);

  std::vector<uint8_t> HeaderTooBig = Good;
  Put32(HeaderTooBig, 14, 0x10000000u);
  EXPECT_THROW(Decode(HeaderTooBig), EInvalidGraphic);
}

TEST(BmpDecoderTest, UnsupportedFormatsAreRefusedByName) {
  std::vector<uint8_t> Palette = MakeBmp(4, 4, 24);
  Put16(Palette, 28, 8);
  EXPECT_THROW(Decode(Palette), EInvalidGraphic);

  std::vector<uint8_t> Compressed = MakeBmp(4, 4, 24);
  Put32(Compressed, 30, 1); // run-length encoded
  try {
    Decode(Compressed);
    ADD_FAILURE() << "a compressed bitmap was accepted";
  } catch (const EInvalidGraphic& E) {
    EXPECT_NE(std::string(E.what()).find("compression 1"), std::string::npos) << E.what();
  }
}

} // namespace
} // namespace vexil
