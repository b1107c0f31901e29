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
  TPixelCounts counts;
  for (size_t I = 0; I < ARGBA.size(); I += 4) {
    const uint8_t* P = &ARGBA[I];
    if (IsKeyPixel(P)) {
      ++counts.Key;
    } else if (P[0] == 255 && P[1] == 255 && P[2] == 255) {
      ++counts.White;
    } else {
      ++counts.Rim;
      counts.NeutralRim += P[0] == P[1] && P[1] == P[2] && P[0] != kKeyGrey;
    }
  }
  return counts;
}

int CountAlpha(const std::vector<uint8_t>& ARGBA, uint8_t AAlpha) {
  int count = 0;
  for (size_t I = 3; I < ARGBA.size(); I += 4) {
    count += ARGBA[I] == AAlpha;
  }
  return count;
}

TEST(TexturePixelsTest, StickerPicturesHaveTheRoundedSquareAndTheBackgroundPictureIsKeyGrey) {
  for (int N = 0; N <= 5; ++N) {
    SCOPED_TRACE("PLANE_" + std::to_string(N));
    const std::vector<uint8_t> rgba = PictureRGBA(N);
    ASSERT_EQ(rgba.size(), 65536u);
    const TPixelCounts counts = CountPixels(rgba);
    EXPECT_EQ(counts.Key, 216);
    EXPECT_EQ(counts.White, 16040);
    EXPECT_EQ(counts.Rim, 128);
    EXPECT_EQ(counts.NeutralRim, counts.Rim);
    // The first pixel is the top-left corner: background. The centre is white.
    EXPECT_TRUE(IsKeyPixel(&rgba[0]));
    EXPECT_EQ(rgba[(64 * 128 + 64) * 4], 255);
  }
  EXPECT_EQ(CountPixels(PictureRGBA(6)).Key, 128 * 128);
}

TEST(TexturePixelsTest, PixelsAreCopiedRedGreenBlueTopRowFirst) {
  TBitmap24 bitmap;
  bitmap.Width = 2;
  bitmap.Height = 2;
  // Blue, green, red per pixel, the top row first.
  bitmap.Pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  EXPECT_EQ(BitmapToRGBA(bitmap),
            (std::vector<uint8_t>{3, 2, 1, 255, 6, 5, 4, 255, 9, 8, 7, 255, 12, 11, 10, 255}));
}

TEST(TexturePixelsTest, AlphaMaskFollowsTheKeyColourInBothFormats) {
  std::vector<uint8_t> sticker = PictureRGBA(1);
  ApplyAlphaFormat(sticker, TAlphaFormat::afDefault);
  EXPECT_EQ(CountAlpha(sticker, 0), 216);
  EXPECT_EQ(CountAlpha(sticker, 255), 128 * 128 - 216);
  EXPECT_EQ(sticker[3], 0);

  ApplyAlphaFormat(sticker, TAlphaFormat::afInverse);
  EXPECT_EQ(CountAlpha(sticker, 255), 216);
  EXPECT_EQ(CountAlpha(sticker, 0), 128 * 128 - 216);

  std::vector<uint8_t> background = PictureRGBA(6);
  ApplyAlphaFormat(background, TAlphaFormat::afDefault);
  EXPECT_EQ(CountAlpha(background, 0), 128 * 128);

  // A pixel with only some channels at 76 is not a key pixel.
  std::vector<uint8_t> partial = {76, 10, 10, 7, 76, 76, 76, 7};
  ApplyAlphaFormat(partial, TAlphaFormat::afDefault);
  EXPECT_EQ(partial[3], 255);
  EXPECT_EQ(partial[7], 0);
}

TEST(TexturePixelsTest, TintRecoloursEverythingButKeyPixelsAndKeepsTheOriginal) {
  std::vector<uint8_t> sticker = PictureRGBA(2);
  ApplyAlphaFormat(sticker, TAlphaFormat::afDefault);
  const std::vector<uint8_t> before = sticker;

  const std::vector<uint8_t> red = TintedPixels(sticker, {1.0f, 0.0f, 0.0f});
  EXPECT_EQ(sticker, before);
  std::map<std::array<int, 3>, int> colours;
  for (size_t I = 0; I < red.size(); I += 4) {
    ++colours[{red[I], red[I + 1], red[I + 2]}];
    EXPECT_EQ(red[I + 3], before[I + 3]);
  }
  EXPECT_EQ(colours.size(), 2u);
  EXPECT_EQ((colours[{255, 0, 0}]), 16168);
  EXPECT_EQ((colours[{76, 76, 76}]), 216);

  // The tint never accumulates: the second colour replaces the first.
  const std::vector<uint8_t> blue = TintedPixels(red, {0.0f, 0.0f, 1.0f});
  EXPECT_EQ(blue, TintedPixels(sticker, {0.0f, 0.0f, 1.0f}));
}

TEST(TexturePixelsTest, TintRoundsHalfToEvenAndWrapsOutOfRangeComponents) {
  const std::vector<uint8_t> white = {255, 255, 255, 255};
  EXPECT_EQ(TintedPixels(white, {0.5f, 1.0f, 0.0f}), (std::vector<uint8_t>{128, 255, 0, 255}));
  // 0.5 x 255 = 127.5 rounds to the even 128; 1.5 x 255 = 382.5 to 382, whose low byte is 126.
  EXPECT_EQ(TintedPixels(white, {1.5f, -1.0f, 0.0f})[0], 126);
  EXPECT_EQ(TintedPixels(white, {1.5f, -1.0f, 0.0f})[1], 1);

  // Any channel at 76 keeps the pixel as it is.
  const std::vector<uint8_t> partial = {76, 10, 10, 255};
  EXPECT_EQ(TintedPixels(partial, {0.0f, 1.0f, 0.0f}), partial);
}

} // namespace
} // namespace vexil
