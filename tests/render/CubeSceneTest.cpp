// The cube scene drawn headless and checked by its pixels: background and alpha, the exact face
// colours of the bright unlit mode, what the identity view shows, inner faces while a layer
// stands at an angle, the four lighting modes, and the OpenGL state the drawing leaves behind.
#include "render/GLIncludes.h"
#include "render/GLMatrix.h"
#include "render/headless/HeadlessScene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace vexil {
namespace {

constexpr int kWidth = 716;
constexpr int kHeight = 466;

using TRGBA = std::array<int, 4>;

// Side colours whose bytes are exact (multiples of 51/255), all different and none grey.
const std::array<TVertex3f, 6> kSideColors = {{{0.6f, 0.4f, 0.2f},
                                               {0.2f, 0.8f, 0.4f},
                                               {0.8f, 0.2f, 0.2f},
                                               {0.2f, 0.2f, 0.8f},
                                               {1.0f, 0.6f, 0.0f},
                                               {0.8f, 0.8f, 0.2f}}};

int Byte(double AValue) {
  return static_cast<int>(Round(AValue * 255.0));
}

TRGBA Opaque(const TVertex3f& AColor) {
  return {Byte(AColor.X), Byte(AColor.Y), Byte(AColor.Z), 255};
}

TMatrix OpeningView() {
  return MultiplyMatrix(GLRotationMatrix(35, 1, 0, 0), GLRotationMatrix(52.5, 0, 1, 0));
}

int CubieIndex(int ADegree, int X, int Y, int Z) {
  return (X - 1) * ADegree * ADegree + (Y - 1) * ADegree + (Z - 1);
}

class CubeSceneTest : public ::testing::Test {
protected:
  void MakeScene(int ADegree) {
    try {
      FScene = std::make_unique<THeadlessScene>(ADegree, kWidth, kHeight, 0);
    } catch (const EOffscreenContextError& E) {
      GTEST_SKIP() << "no headless OpenGL context: " << E.what();
    }
    FScene->SetSideColors(kSideColors);
  }

  void SetUp() override { MakeScene(3); }

  TRGBA PixelAt(int X, int Y) const {
    const size_t offset = (static_cast<size_t>(Y) * kWidth + X) * 4;
    return {FPixels[offset], FPixels[offset + 1], FPixels[offset + 2], FPixels[offset + 3]};
  }

  void Draw(const TMatrix& AView) {
    FScene->DrawFrame(AView);
    FPixels = FScene->ReadPixels();
  }

  // The pixel (from the top-left) where the point at texture coordinates (S, T) of face AFace
  // of cubie ACubie was drawn in the last frame.
  std::pair<int, int> WhereShown(int ACubie, int AFace, double S, double T) const {
    const TPlane& plane = FScene->Cube().Cube(ACubie).Plane(AFace);
    const TGLVectorArray& C = plane.GLVertexArray();
    // Corners 0..3 carry the texture coordinates (1, 0), (0, 0), (0, 1), (1, 1).
    const double w0 = S * (1 - T), w1 = (1 - S) * (1 - T), w2 = (1 - S) * T, w3 = S * T;
    const double x = w0 * C[0].X + w1 * C[1].X + w2 * C[2].X + w3 * C[3].X;
    const double y = w0 * C[0].Y + w1 * C[1].Y + w2 * C[2].Y + w3 * C[3].Y;
    const double z = w0 * C[0].Z + w1 * C[1].Z + w2 * C[2].Z + w3 * C[3].Z;
    std::array<double, 16> modelView{};
    std::array<double, 16> projection{};
    const TMatrix& matrix = FScene->Cube().Cube(ACubie).MatrixBeforeRotate();
    std::copy(matrix.begin(), matrix.end(), modelView.begin());
    glGetDoublev(GL_PROJECTION_MATRIX, projection.data());
    const GLint viewport[4] = {0, 0, kWidth, kHeight};
    double winX = 0, winY = 0, winZ = 0;
    gluProject(x, y, z, modelView.data(), projection.data(), viewport, &winX, &winY, &winZ);
    return {static_cast<int>(std::floor(winX)), kHeight - 1 - static_cast<int>(std::floor(winY))};
  }

  TRGBA FacePixel(int ACubie, int AFace, double S, double T) const {
    const auto [X, Y] = WhereShown(ACubie, AFace, S, T);
    return PixelAt(X, Y);
  }

  int CountColour(const TRGBA& AColour) const {
    int count = 0;
    for (int Y = 0; Y < kHeight; ++Y) {
      for (int X = 0; X < kWidth; ++X) {
        count += PixelAt(X, Y) == AColour;
      }
    }
    return count;
  }

  std::unique_ptr<THeadlessScene> FScene;
  std::vector<uint8_t> FPixels;
};

void ExpectNear(const TRGBA& AActual, const std::array<double, 3>& AExpected, int ATolerance) {
  for (int C = 0; C < 3; ++C) {
    EXPECT_NEAR(AActual[C], AExpected[C], ATolerance) << "channel " << C;
  }
  EXPECT_EQ(AActual[3], 255);
}

TEST_F(CubeSceneTest, BackgroundIsTheClearColourAndAlphaStaysOpaqueInEveryMode) {
  FScene->SetBackground({0.2f, 0.4f, 0.6f});
  for (const bool global : {false, true}) {
    for (const bool bright : {false, true}) {
      SCOPED_TRACE(::testing::Message() << "global " << global << " bright " << bright);
      FScene->SetMode(global, bright);
      Draw(OpeningView());
      EXPECT_EQ(PixelAt(0, 0), (TRGBA{51, 102, 153, 255}));
      EXPECT_EQ(PixelAt(kWidth - 1, kHeight - 1), (TRGBA{51, 102, 153, 255}));
      int transparent = 0;
      for (size_t I = 3; I < FPixels.size(); I += 4) {
        transparent += FPixels[I] != 255;
      }
      EXPECT_EQ(transparent, 0);
    }
  }
}

TEST_F(CubeSceneTest, IdentityViewShowsOnlySideOne) {
  FScene->SetMode(false, true);
  Draw(IdentityMatrix());
  EXPECT_EQ(PixelAt(kWidth / 2, kHeight / 2), Opaque(kSideColors[0]));
  EXPECT_GT(CountColour(Opaque(kSideColors[0])), 9 * 1000);
  for (int side = 2; side <= 6; ++side) {
    EXPECT_EQ(CountColour(Opaque(kSideColors[side - 1])), 0) << "side " << side;
  }
  const std::array<bool, 6> expected = {true, false, true, true, false, false};
  EXPECT_EQ(FScene->Cube().PlaneVisible(), expected);
}

class CubeSceneDegreeTest : public CubeSceneTest, public ::testing::WithParamInterface<int> {
protected:
  void SetUp() override { MakeScene(GetParam()); }
};

TEST_P(CubeSceneDegreeTest, BrightUnlitStickerCentresShowExactlyTheirFaceColour) {
  FScene->SetMode(false, true);
  // Whatever the textures' tint: the mask lets the face colour through the whole sticker.
  for (int I = 0; I < 6; ++I) {
    FScene->Textures().SetTextureColor(I, {0.0f, 0.0f, 0.0f});
  }
  Draw(OpeningView());
  const int n = GetParam();
  int checked = 0;
  for (int index = 0; index < n * n * n; ++index) {
    for (int face = 1; face <= 6; ++face) {
      const TPlane& plane = FScene->Cube().Cube(index).Plane(face);
      if (!plane.WorkPlane() || !FScene->Cube().PlaneVisible()[face - 1]) {
        continue;
      }
      EXPECT_EQ(FacePixel(index, face, 0.5, 0.5), Opaque(plane.Color()))
          << "cubie " << index << " face " << face;
      ++checked;
    }
  }
  EXPECT_EQ(checked, 3 * n * n);
}

INSTANTIATE_TEST_SUITE_P(Degrees, CubeSceneDegreeTest, ::testing::Values(2, 3, 10));

TEST_F(CubeSceneTest, LayerAtFortyFiveDegreesShowsInnerFaces) {
  FScene->SetMode(false, true);
  TVexilCube& cube = FScene->Cube();
  const TCubeFrame atRest = cube.BeginFrame(OpeningView());
  cube.EndFrame(atRest);
  EXPECT_FALSE(atRest.DrawInner);
  EXPECT_EQ(atRest.Cubies.size(), 26u);

  cube.Randomize(7);
  cube.RotateRandomSide();
  cube.SetRotateSpeed(45.0f);
  const TCubeFrame turning = cube.BeginFrame(OpeningView());
  ASSERT_EQ(cube.RotateAngle(), 45.0f);
  ASSERT_TRUE(turning.DrawInner);
  EXPECT_EQ(turning.Cubies.size(), 27u);

  FScene->DrawFrame(turning);
  const std::vector<uint8_t> withInner = FScene->ReadPixels();
  TCubeFrame withoutInnerFrame = turning;
  withoutInnerFrame.DrawInner = false;
  FScene->DrawFrame(withoutInnerFrame);
  const std::vector<uint8_t> withoutInner = FScene->ReadPixels();
  cube.EndFrame(turning);

  // Inner faces are flat 0.3 grey in this mode: every pixel they add is that grey.
  int added = 0;
  int notGrey = 0;
  for (size_t I = 0; I < withInner.size(); I += 4) {
    if (std::equal(&withInner[I], &withInner[I] + 3, &withoutInner[I])) {
      continue;
    }
    ++added;
    const bool grey = withInner[I] == withInner[I + 1] && withInner[I + 1] == withInner[I + 2] &&
                      withInner[I] >= 74 && withInner[I] <= 78;
    notGrey += !grey;
  }
  EXPECT_GT(added, 1000);
  EXPECT_EQ(notGrey, 0);
}

TEST_F(CubeSceneTest, FourLightingModesFollowTheTables) {
  const int centre = CubieIndex(3, 2, 2, 3);
  const TPlane& plane = FScene->Cube().Cube(centre).Plane(1);
  // Default light 0 from the viewer, global ambient 0.2, colour material: a vertex of colour c
  // with eye normal n gets c x (0.2 + max(0, n.z)), clamped to 1; under the identity view the eye
  // normals are the mesh's. The centre of the quad lies on its diagonal from corner 0 to 2.
  const auto lit = [&plane](double AColour) {
    double sum = 0;
    for (const int k : {0, 2}) {
      const TVertex3f& N = plane.GLNormalArray()[k];
      const double length = std::sqrt(N.X * N.X + N.Y * N.Y + N.Z * N.Z);
      sum += std::min(1.0, AColour * (0.2 + std::max(0.0, N.Z / length)));
    }
    return sum / 2 * 255;
  };
  const TVertex3f c = kSideColors[0];
  const std::array<double, 3> face = {c.X * 255.0, c.Y * 255.0, c.Z * 255.0};
  const std::array<double, 3> litFace = {lit(c.X), lit(c.Y), lit(c.Z)};
  const double key = 76;
  const double litWhite = lit(1.0) / 255;
  const double litGrey = lit(0.3f);

  struct TMode {
    bool Global;
    bool Bright;
    std::array<double, 3> Sticker;
    std::array<double, 3> Corner;
  };
  const TMode modes[] = {
      // Sticker: face colour flat; corners: key grey flat.
      {false, true, face, {key, key, key}},
      // Sticker: face colour shaded; corners: key grey unshaded.
      {false, false, litFace, {key, key, key}},
      // Sticker: tinted texture unshaded; corners: 0.3 grey shaded.
      {true, true, face, {litGrey, litGrey, litGrey}},
      // Sticker: tinted texture times the shaded white; corners: key grey shaded.
      {true,
       false,
       {face[0] * litWhite, face[1] * litWhite, face[2] * litWhite},
       {key * litWhite, key * litWhite, key * litWhite}},
  };
  for (const TMode& mode : modes) {
    SCOPED_TRACE(::testing::Message() << "global " << mode.Global << " bright " << mode.Bright);
    FScene->SetMode(mode.Global, mode.Bright);
    Draw(IdentityMatrix());
    ExpectNear(FacePixel(centre, 1, 0.5, 0.5), mode.Sticker, 2);
    ExpectNear(FacePixel(centre, 1, 0.025, 0.025), mode.Corner, 2);
  }
  // The shading must be visible for the modes to differ at all.
  EXPECT_GT(std::abs(litFace[0] - face[0]), 4.0);
}

TEST_F(CubeSceneTest, TheBodyIsBuiltOnceAndAgainOnlyWhenItsLookChanges) {
  for (int frame = 0; frame < 3; ++frame) {
    Draw(OpeningView());
  }
  EXPECT_EQ(FScene->BodyBuffers().Builds(), 1);
  // Bright colours change the body's colour and texturing: kept buffers would show the old body.
  for (const bool bright : {true, false}) {
    SCOPED_TRACE(::testing::Message() << "bright " << bright);
    FScene->SetMode(false, bright);
    Draw(OpeningView());
    Draw(OpeningView());
    const std::vector<uint8_t> kept = FPixels;
    THeadlessScene fresh(3, kWidth, kHeight, 0);
    fresh.SetSideColors(kSideColors);
    fresh.SetMode(false, bright);
    fresh.DrawFrame(OpeningView());
    EXPECT_TRUE(kept == fresh.ReadPixels());
  }
  EXPECT_EQ(FScene->BodyBuffers().Builds(), 3);
}

TEST_F(CubeSceneTest, DrawingSetsNoLightBlendingOrCullingStateAndRestoresWhatItUses) {
  FScene->SetMode(true, false);
  Draw(OpeningView());
  for (const GLenum capability : {GL_LIGHTING, GL_LIGHT0, GL_COLOR_MATERIAL, GL_TEXTURE_2D,
                                  GL_NORMALIZE, GL_BLEND, GL_CULL_FACE, GL_ALPHA_TEST}) {
    EXPECT_FALSE(glIsEnabled(capability)) << "capability 0x" << std::hex << capability;
  }
  GLboolean mask[4] = {};
  glGetBooleanv(GL_COLOR_WRITEMASK, mask);
  EXPECT_TRUE(mask[0] && mask[1] && mask[2] && mask[3]);
  GLfloat position[4] = {};
  glGetLightfv(GL_LIGHT0, GL_POSITION, position);
  EXPECT_EQ((std::array<GLfloat, 4>{position[0], position[1], position[2], position[3]}),
            (std::array<GLfloat, 4>{0, 0, 1, 0}));
  GLfloat ambient[4] = {};
  glGetFloatv(GL_LIGHT_MODEL_AMBIENT, ambient);
  EXPECT_FLOAT_EQ(ambient[0], 0.2f);
  TMatrix modelView{};
  glGetFloatv(GL_MODELVIEW_MATRIX, modelView.data());
  EXPECT_EQ(modelView, IdentityMatrix());
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

} // namespace
} // namespace vexil
