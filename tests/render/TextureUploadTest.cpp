// The textures as OpenGL holds them: what an upload puts into the texture, the tint uploaded
// without touching the kept picture, the mask following the lighting mode, and the texture's
// own drawing.
#include "render/StickerTextures.h"
#include "tests/render/OffscreenFixture.h"

#include <map>
#include <set>

namespace vexil {
namespace {

class TextureUploadTest : public TOffscreenTest {
protected:
  // The level-0 image of texture AName as RGBA, top row first.
  static std::vector<uint8_t> TextureImage(uint32_t AName, int ASide = 128) {
    std::vector<uint8_t> pixels(static_cast<size_t>(ASide) * ASide * 4);
    glBindTexture(GL_TEXTURE_2D, AName);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
  }

  static std::map<std::array<int, 4>, int> Histogram(const std::vector<uint8_t>& ARGBA) {
    std::map<std::array<int, 4>, int> colours;
    for (size_t I = 0; I < ARGBA.size(); I += 4) {
      ++colours[{ARGBA[I], ARGBA[I + 1], ARGBA[I + 2], ARGBA[I + 3]}];
    }
    return colours;
  }
};

TEST_F(TextureUploadTest, SevenTexturesWithTheirOwnNamesAndTheCombineEnvironment) {
  TStickerTextureList list;
  LoadStickerTextures(list, true);
  ASSERT_EQ(list.Count(), 7);
  std::set<uint32_t> names;
  for (int I = 0; I < list.Count(); ++I) {
    EXPECT_NE(list.TextureID(I), 0u);
    EXPECT_NE(list.TextureID(I), 1000u);
    names.insert(list.TextureID(I));
    EXPECT_EQ(list.Texture(I).TextEnvMode(), static_cast<uint32_t>(GL_COMBINE));
    EXPECT_EQ(list.Texture(I).Data().size(), 65536u);
  }
  EXPECT_EQ(names.size(), 7u);
  EXPECT_EQ(list.TextureID(7), 0u);
  EXPECT_EQ(list.TextureID(-1), 0u);
  list.SetTextureColor(7, {1, 0, 0}); // ignored, no crash
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureUploadTest, TintUploadsTheColouredStickerAndKeepsThePicture) {
  TStickerTextureList list;
  LoadStickerTextures(list, true);
  TVexilGLTexture& sticker = list.Texture(1);
  const std::vector<uint8_t> before = sticker.Data();

  sticker.SetColor({1.0f, 0.0f, 0.0f});
  auto colours = Histogram(TextureImage(sticker.TextureID()));
  EXPECT_EQ(colours.size(), 2u);
  EXPECT_EQ((colours[{255, 0, 0, 255}]), 16168);
  EXPECT_EQ((colours[{76, 76, 76, 0}]), 216);
  EXPECT_EQ(sticker.Data(), before);

  // Re-uploading the kept picture brings the white sticker back.
  sticker.UpdateBlendingConfiguration();
  colours = Histogram(TextureImage(sticker.TextureID()));
  EXPECT_EQ((colours[{255, 255, 255, 255}]), 16040);
}

TEST_F(TextureUploadTest, SwitchingTheLightingModeInvertsTheUploadedMask) {
  TStickerTextureList list;
  LoadStickerTextures(list, true);
  auto colours = Histogram(TextureImage(list.TextureID(0)));
  EXPECT_EQ((colours[{76, 76, 76, 0}]), 216);

  list.SetGlobalLighting(false);
  colours = Histogram(TextureImage(list.TextureID(0)));
  EXPECT_EQ((colours[{76, 76, 76, 255}]), 216);
  EXPECT_EQ((colours[{255, 255, 255, 0}]), 16040);
  EXPECT_EQ(list.Texture(0).AlphaFormat(), TAlphaFormat::afInverse);

  colours = Histogram(TextureImage(list.TextureID(6)));
  EXPECT_EQ((colours[{76, 76, 76, 255}]), 128 * 128);
}

TEST_F(TextureUploadTest, UploadBeforeAnyPictureLeavesTheDefaultTextureAlone) {
  TVexilGLTexture empty;
  empty.UpdateBlendingConfiguration();
  empty.SetColor({1, 1, 1});
  EXPECT_EQ(empty.TextureID(), 0u);
  glBindTexture(GL_TEXTURE_2D, 0);
  GLint width = -1;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  EXPECT_EQ(width, 0);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureUploadTest, MipmappedUploadHasNoAlpha) {
  TStickerTextureList list;
  LoadStickerTextures(list, true);
  TVexilGLTexture& sticker = list.Texture(0);
  sticker.SetBuild2DMipmaps(true);
  sticker.SetTextMinFilter(GL_LINEAR_MIPMAP_LINEAR);
  sticker.UpdateBlendingConfiguration();
  auto colours = Histogram(TextureImage(sticker.TextureID()));
  EXPECT_EQ((colours[{76, 76, 76, 255}]), 216);
  GLint level6 = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 7, GL_TEXTURE_WIDTH, &level6);
  EXPECT_EQ(level6, 1); // 128 -> 1 in seven halvings
}

TEST_F(TextureUploadTest, DrawShowsThePictureMirroredOnTheUnitSquare) {
  // Picture, top row first: red, green / blue, white.
  TBitmap24 bitmap;
  bitmap.Width = 2;
  bitmap.Height = 2;
  bitmap.Pixels = {0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255};
  TGLTexture texture;
  texture.LoadBitMap(bitmap);
  texture.SetTextMinFilter(GL_NEAREST);
  texture.SetTextMagFilter(GL_NEAREST);
  texture.SetTextEnvMode(GL_REPLACE);
  texture.UpdateBlendingConfiguration();

  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-1, 1, -1, 1, 0, 2);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  texture.Draw();
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  const std::vector<uint8_t> pixels = FFramebuffer->ReadPixels();
  const auto topLeft = PixelAt(pixels, 10, 10);
  const auto topRight = PixelAt(pixels, kWidth - 10, 10);
  const auto bottomLeft = PixelAt(pixels, 10, kHeight - 10);
  const auto bottomRight = PixelAt(pixels, kWidth - 10, kHeight - 10);
  EXPECT_EQ(topLeft, (std::array<int, 4>{0, 255, 0, 255}));
  EXPECT_EQ(topRight, (std::array<int, 4>{255, 0, 0, 255}));
  EXPECT_EQ(bottomLeft, (std::array<int, 4>{255, 255, 255, 255}));
  EXPECT_EQ(bottomRight, (std::array<int, 4>{0, 0, 255, 255}));
}

} // namespace
} // namespace vexil
