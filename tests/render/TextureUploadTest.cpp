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
    std::vector<uint8_t> Pixels(static_cast<size_t>(ASide) * ASide * 4);
    glBindTexture(GL_TEXTURE_2D, AName);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, Pixels.data());
    return Pixels;
  }

  static std::map<std::array<int, 4>, int> Histogram(const std::vector<uint8_t>& ARGBA) {
    std::map<std::array<int, 4>, int> Colours;
    for (size_t I = 0; I < ARGBA.size(); I += 4) {
      ++Colours[{ARGBA[I], ARGBA[I + 1], ARGBA[I + 2], ARGBA[I + 3]}];
    }
    return Colours;
  }
};

TEST_F(TextureUploadTest, SevenTexturesWithTheirOwnNamesAndTheCombineEnvironment) {
  TStickerTextureList List;
  LoadStickerTextures(List, true);
  ASSERT_EQ(List.Count(), 7);
  std::set<uint32_t> Names;
  for (int I = 0; I < List.Count(); ++I) {
    EXPECT_NE(List.TextureID(I), 0u);
    EXPECT_NE(List.TextureID(I), 1000u);
    Names.insert(List.TextureID(I));
    EXPECT_EQ(List.Texture(I).TextEnvMode(), static_cast<uint32_t>(GL_COMBINE));
    EXPECT_EQ(List.Texture(I).Data().size(), 65536u);
  }
  EXPECT_EQ(Names.size(), 7u);
  EXPECT_EQ(List.TextureID(7), 0u);
  EXPECT_EQ(List.TextureID(-1), 0u);
  List.SetTextureColor(7, {1, 0, 0}); // ignored, no crash
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureUploadTest, TintUploadsTheColouredStickerAndKeepsThePicture) {
  TStickerTextureList List;
  LoadStickerTextures(List, true);
  TVexilGLTexture& Sticker = List.Texture(1);
  const std::vector<uint8_t> Before = Sticker.Data();

  Sticker.SetColor({1.0f, 0.0f, 0.0f});
  auto Colours = Histogram(TextureImage(Sticker.TextureID()));
  EXPECT_EQ(Colours.size(), 2u);
  EXPECT_EQ((Colours[{255, 0, 0, 255}]), 16168);
  EXPECT_EQ((Colours[{76, 76, 76, 0}]), 216);
  EXPECT_EQ(Sticker.Data(), Before);

  // Re-uploading the kept picture brings the white sticker back.
  Sticker.UpdateBlendingConfiguration();
  Colours = Histogram(TextureImage(Sticker.TextureID()));
  EXPECT_EQ((Colours[{255, 255, 255, 255}]), 16040);
}

TEST_F(TextureUploadTest, SwitchingTheLightingModeInvertsTheUploadedMask) {
  TStickerTextureList List;
  LoadStickerTextures(List, true);
  auto Colours = Histogram(TextureImage(List.TextureID(0)));
  EXPECT_EQ((Colours[{76, 76, 76, 0}]), 216);

  List.SetGlobalLighting(false);
  Colours = Histogram(TextureImage(List.TextureID(0)));
  EXPECT_EQ((Colours[{76, 76, 76, 255}]), 216);
  EXPECT_EQ((Colours[{255, 255, 255, 0}]), 16040);
  EXPECT_EQ(List.Texture(0).AlphaFormat(), TAlphaFormat::afInverse);

  Colours = Histogram(TextureImage(List.TextureID(6)));
  EXPECT_EQ((Colours[{76, 76, 76, 255}]), 128 * 128);
}

TEST_F(TextureUploadTest, UploadBeforeAnyPictureLeavesTheDefaultTextureAlone) {
  TVexilGLTexture Empty;
  Empty.UpdateBlendingConfiguration();
  Empty.SetColor({1, 1, 1});
  EXPECT_EQ(Empty.TextureID(), 0u);
  glBindTexture(GL_TEXTURE_2D, 0);
  GLint Width = -1;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &Width);
  EXPECT_EQ(Width, 0);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureUploadTest, MipmappedUploadHasNoAlpha) {
  TStickerTextureList List;
  LoadStickerTextures(List, true);
  TVexilGLTexture& Sticker = List.Texture(0);
  Sticker.SetBuild2DMipmaps(true);
  Sticker.SetTextMinFilter(GL_LINEAR_MIPMAP_LINEAR);
  Sticker.UpdateBlendingConfiguration();
  auto Colours = Histogram(TextureImage(Sticker.TextureID()));
  EXPECT_EQ((Colours[{76, 76, 76, 255}]), 216);
  GLint Level6 = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 7, GL_TEXTURE_WIDTH, &Level6);
  EXPECT_EQ(Level6, 1); // 128 -> 1 in seven halvings
}

TEST_F(TextureUploadTest, DrawShowsThePictureMirroredOnTheUnitSquare) {
  // Picture, top row first: red, green / blue, white.
  TBitmap24 Bitmap;
  Bitmap.Width = 2;
  Bitmap.Height = 2;
  Bitmap.Pixels = {0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255};
  TGLTexture Texture;
  Texture.LoadBitMap(Bitmap);
  Texture.SetTextMinFilter(GL_NEAREST);
  Texture.SetTextMagFilter(GL_NEAREST);
  Texture.SetTextEnvMode(GL_REPLACE);
  Texture.UpdateBlendingConfiguration();

  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-1, 1, -1, 1, 0, 2);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  Texture.Draw();
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  const std::vector<uint8_t> Pixels = FFramebuffer->ReadPixels();
  const auto TopLeft = PixelAt(Pixels, 10, 10);
  const auto TopRight = PixelAt(Pixels, kWidth - 10, 10);
  const auto BottomLeft = PixelAt(Pixels, 10, kHeight - 10);
  const auto BottomRight = PixelAt(Pixels, kWidth - 10, kHeight - 10);
  EXPECT_EQ(TopLeft, (std::array<int, 4>{0, 255, 0, 255}));
  EXPECT_EQ(TopRight, (std::array<int, 4>{255, 0, 0, 255}));
  EXPECT_EQ(BottomLeft, (std::array<int, 4>{255, 255, 255, 255}));
  EXPECT_EQ(BottomRight, (std::array<int, 4>{0, 0, 255, 255}));
}

} // namespace
} // namespace vexil
