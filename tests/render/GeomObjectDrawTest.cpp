// Drawing the body mesh with vertex arrays: the open faces, the texture rule, the state it
// leaves behind, and a damaged mesh whose counts disagree.
#include "render/GeomObjectDraw.h"
#include "engine/CubieBodyMesh.h"
#include "render/GLMatrix.h"
#include "render/Projection.h"
#include "render/SharedVertexMesh.h"
#include "render/StickerTextures.h"
#include "tests/engine/CommittedMesh.h"
#include "tests/render/OffscreenFixture.h"

namespace vexil {
namespace {

class GeomObjectDrawTest : public TOffscreenTest {
protected:
  void SetUp() override {
    TOffscreenTest::SetUp();
    if (IsSkipped()) {
      return;
    }
    // The body as the cube model prepares it, drawn alone and large, looking at its +Z face.
    FBody.LoadFromBytes(test::CommittedCubeMesh());
    FBody.Scale(static_cast<float>(kBodyMeshScale));
    FBody.Translate(kBodyMeshOffset[0], kBodyMeshOffset[1], kBodyMeshOffset[2]);
    FBody.SetColor(1.0f, 1.0f, 1.0f);
    FBody.CreateTextureArray();
    SetSceneProjection(kWidth, kHeight);
    glLoadMatrixf(GLScaleMatrix(3.0).data());
  }

  std::vector<uint8_t> Draw() {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    DrawGeomObject(FBody);
    glDisable(GL_DEPTH_TEST);
    return FFramebuffer->ReadPixels();
  }

  // A pixel on the rounded rim of the body seen face on: just inside its silhouette.
  std::array<int, 4> RimPixel(const std::vector<uint8_t>& APixels) {
    for (int X = 0; X < kWidth / 2; ++X) {
      if (PixelAt(APixels, X, kHeight / 2)[0] != 0) {
        return PixelAt(APixels, X + 2, kHeight / 2);
      }
    }
    return {-1, -1, -1, -1};
  }

  TGeomObject FBody;
};

TEST_F(GeomObjectDrawTest, OpenFacesShowTheBackgroundAndTheRimTheVertexColour) {
  const std::vector<uint8_t> pixels = Draw();
  EXPECT_EQ(PixelAt(pixels, kWidth / 2, kHeight / 2), (std::array<int, 4>{0, 0, 0, 255}));
  EXPECT_EQ(RimPixel(pixels), (std::array<int, 4>{255, 255, 255, 255}));
  // Every client array is switched off again.
  EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
  EXPECT_FALSE(glIsEnabled(GL_NORMAL_ARRAY));
  EXPECT_FALSE(glIsEnabled(GL_COLOR_ARRAY));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GeomObjectDrawTest, TextureIsUsedOnlyWhenDrawTextureIsSetAndNamesOne) {
  TStickerTextureList textures;
  LoadStickerTextures(textures, true);
  FBody.SetDrawTexture(true);
  EXPECT_EQ(RimPixel(Draw()), (std::array<int, 4>{255, 255, 255, 255})); // name 1000: none

  FBody.SetTextureID(textures.TextureID(6)); // the key-grey carcass texture, alpha 0 here
  const std::array<int, 4> modulated = RimPixel(Draw());
  EXPECT_EQ(modulated[0], 76);
  EXPECT_EQ(modulated[1], 76);
  EXPECT_EQ(modulated[2], 76);

  FBody.SetDrawTexture(false);
  EXPECT_EQ(RimPixel(Draw()), (std::array<int, 4>{255, 255, 255, 255}));
}

TEST_F(GeomObjectDrawTest, NothingIsDrawnWhenTheObjectCannotDrawOrIsEmpty) {
  FBody.SetCanDraw(false);
  EXPECT_EQ(RimPixel(Draw())[0], -1);
  TGeomObject empty;
  DrawGeomObject(empty);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GeomObjectDrawTest, VertexCountBeyondTheArraysDrawsOnlyWhatTheyHold) {
  FBody.SetGLArraysVertexCount(1 << 30);
  const std::vector<uint8_t> pixels = Draw();
  EXPECT_EQ(RimPixel(pixels), (std::array<int, 4>{255, 255, 255, 255}));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GeomObjectDrawTest, SharedVertexDrawingGivesTheSamePixelsLitOrNotTexturedOrNot) {
  TStickerTextureList textures;
  LoadStickerTextures(textures, true);
  FBody.SetTextureID(textures.TextureID(2));
  textures.SetTextureColor(2, {0.9f, 0.3f, 0.1f});
  // A turned, off-centre view so that the light falls at many angles.
  glLoadMatrixf(MultiplyMatrix(GLScaleMatrix(2.5), GLRotationMatrix(33, 1, 2, 0.5)).data());
  for (const bool lit : {false, true}) {
    for (const bool textured : {false, true}) {
      SCOPED_TRACE(::testing::Message() << "lit " << lit << " textured " << textured);
      FBody.SetDrawTexture(textured);
      if (lit) {
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        glEnable(GL_COLOR_MATERIAL);
      }
      const std::vector<uint8_t> direct = Draw();
      glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
      glEnable(GL_DEPTH_TEST);
      const TSharedVertexMesh shared(FBody);
      shared.Draw();
      glDisable(GL_DEPTH_TEST);
      EXPECT_EQ(FFramebuffer->ReadPixels(), direct);
      EXPECT_EQ(shared.Corners(), 576);
      EXPECT_EQ(shared.DistinctVertices(), textured ? 326 : 104);
      glDisable(GL_COLOR_MATERIAL);
      glDisable(GL_LIGHT0);
      glDisable(GL_LIGHTING);
      EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
      EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
      EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
    }
  }
}

TEST_F(GeomObjectDrawTest, SharedVertexMeshKeepsTheCutOfADamagedMesh) {
  // A vertex count far beyond the arrays: both drawings stop where the arrays end.
  FBody.SetGLArraysVertexCount(1 << 30);
  const std::vector<uint8_t> direct = Draw();
  const TSharedVertexMesh shared(FBody);
  EXPECT_EQ(shared.Corners(), 576);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glEnable(GL_DEPTH_TEST);
  shared.Draw();
  glDisable(GL_DEPTH_TEST);
  const std::vector<uint8_t> pixels = FFramebuffer->ReadPixels();
  EXPECT_EQ(pixels, direct);
  EXPECT_EQ(RimPixel(pixels), (std::array<int, 4>{255, 255, 255, 255}));
  // A mesh that may not draw draws nothing.
  FBody.SetCanDraw(false);
  const TSharedVertexMesh hidden(FBody);
  glClear(GL_COLOR_BUFFER_BIT);
  hidden.Draw();
  EXPECT_EQ(RimPixel(FFramebuffer->ReadPixels())[0], -1);
}

} // namespace
} // namespace vexil
