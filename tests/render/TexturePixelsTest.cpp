// The sticker pictures and the pixel work on them (RGBA copy, alpha mask, tint), without OpenGL.
#include "render/TexturePixels.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace vexil {
namespace {

std::vector<uint8_t> PictureRGBA(int ANumber) {
  return BitmapToRGBA(LoadBitmap24(StickerPictureName(ANumber)));
}

struct TPixelCounts {
  int Key = 0;
  int White = 0;
  int Rim = 0;
  int NeutralRim = 0;
};

TPixelCounts CountPixels(const std::vector<uint8_t>& ARGBA) {
  TPixelCounts Counts;
  for (size_t I = 0; I < ARGBA.size(); I += 4) {
    const uint8_t* P = &ARGBA[I];
    if (IsKeyPixel(P)) {
      ++Counts.Key;
    } else if (P[0] == 255 && P[1] == 255 && P[2] == 255) {
      ++Counts.White;
    } else {
      ++Counts.Rim;
      Counts.NeutralRim += P[0] == P[1] && P[1] == P[2] && P[0] != kKeyGrey;
    }
  }
  return Counts;
}

int CountAlpha(const std::vector<uint8_t>& ARGBA, uint8_t AAlpha) {
  int Count = 0;
  for (size_t I = 3; I < ARGBA.size(); I += 4) {
    Count += ARGBA[I] == AAlpha;
  }
  return Count;
}

TEST(TexturePixelsTest, StickerPicturesHaveTheRoundedSquareAndTheBackgroundPictureIsKeyGrey) {
  for (int N = 0; N <= 5; ++N) {
    SCOPED_TRACE("PLANE_" + std::to_string(N));
    const std::vector<uint8_t> RGBA = PictureRGBA(N);
    ASSERT_EQ(RGBA.size(), 65536u);
    const TPixelCounts Counts = CountPixels(RGBA);
    EXPECT_EQ(Counts.Key, 216);
    EXPECT_EQ(Counts.White, 16040);
    EXPECT_EQ(Counts.Rim, 128);
    EXPECT_EQ(Counts.NeutralRim, Counts.Rim);
    // The first pixel is the top-left corner: background. The centre is white.
    EXPECT_TRUE(IsKeyPixel(&RGBA[0]));
    EXPECT_EQ(RGBA[(64 * 128 + 64) * 4], 255);
  }
  EXPECT_EQ(CountPixels(PictureRGBA(6)).Key, 128 * 128);
}

TEST(TexturePixelsTest, PixelsAreCopiedRedGreenBlueTopRowFirst) {
  TBitmap24 Bitmap;
  Bitmap.Width = 2;
  Bitmap.Height = 2;
  // Blue, green, red per pixel, the top row first.
  Bitmap.Pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  EXPECT_EQ(BitmapToRGBA(Bitmap),
            (std::vector<uint8_t>{3, 2, 1, 255, 6, 5, 4, 255, 9, 8, 7, 255, 12, 11, 10, 255}));
}

TEST(TexturePixelsTest, AlphaMaskFollowsTheKeyColourInBothFormats) {
  std::vector<uint8_t> Sticker = PictureRGBA(1);
  ApplyAlphaFormat(Sticker, TAlphaFormat::afDefault);
  EXPECT_EQ(CountAlpha(Sticker, 0), 216);
  EXPECT_EQ(CountAlpha(Sticker, 255), 128 * 128 - 216);
  EXPECT_EQ(Sticker[3], 0);

  ApplyAlphaFormat(Sticker, TAlphaFormat::afInverse);
  EXPECT_EQ(CountAlpha(Sticker, 255), 216);
  EXPECT_EQ(CountAlpha(Sticker, 0), 128 * 128 - 216);

  std::vector<uint8_t> Background = PictureRGBA(6);
  ApplyAlphaFormat(Background, TAlphaFormat::afDefault);
  EXPECT_EQ(CountAlpha(Background, 0), 128 * 128);

  // A pixel with only some channels at 76 is not a key pixel.
  std::vector<uint8_t> Partial = {76, 10, 10, 7, 76, 76, 76, 7};
  ApplyAlphaFormat(Partial, TAlphaFormat::afDefault);
  EXPECT_EQ(Partial[3], 255);
  EXPECT_EQ(Partial[7], 0);
}

TEST(TexturePixelsTest, TintRecoloursEverythingButKeyPixelsAndKeepsTheOriginal) {
  std::vector<uint8_t> Sticker = PictureRGBA(2);
  ApplyAlphaFormat(Sticker, TAlphaFormat::afDefault);
  const std::vector<uint8_t> Before = Sticker;

  const std::vector<uint8_t> Red = TintedPixels(Sticker, {1.0f, 0.0f, 0.0f});
  EXPECT_EQ(Sticker, Before);
  std::map<std::array<int, 3>, int> Colours;
  for (size_t I = 0; I < Red.size(); I += 4) {
    ++Colours[{Red[I], Red[I + 1], Red[I + 2]}];
    EXPECT_EQ(Red[I + 3], Before[I + 3]);
  }
  EXPECT_EQ(Colours.size(), 2u);
  EXPECT_EQ((Colours[{255, 0, 0}]), 16168);
  EXPECT_EQ((Colours[{76, 76, 76}]), 216);

  // The tint never accumulates: the second colour replaces the first.
  const std::vector<uint8_t> Blue = TintedPixels(Red, {0.0f, 0.0f, 1.0f});
  EXPECT_EQ(Blue, TintedPixels(Sticker, {0.0f, 0.0f, 1.0f}));
}

TEST(TexturePixelsTest, TintRoundsHalfToEvenAndWrapsOutOfRangeComponents) {
  const std::vector<uint8_t> White = {255, 255, 255, 255};
  EXPECT_EQ(TintedPixels(White, {0.5f, 1.0f, 0.0f}), (std::vector<uint8_t>{128, 255, 0, 255}));
  // 0.5 x 255 = 127.5 rounds to the even 128; 1.5 x 255 = 382.5 to 382, whose low byte is 126.
  EXPECT_EQ(TintedPixels(White, {1.5f, -1.0f, 0.0f})[0], 126);
  EXPECT_EQ(TintedPixels(White, {1.5f, -1.0f, 0.0f})[1], 1);

  // Any channel at 76 keeps the pixel as it is.
  const std::vector<uint8_t> Partial = {76, 10, 10, 255};
  EXPECT_EQ(TintedPixels(Partial, {0.0f, 1.0f, 0.0f}), Partial);
}

} // namespace
} // namespace vexil
