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
    const size_t Offset = (static_cast<size_t>(Y) * kWidth + X) * 4;
    return {FPixels[Offset], FPixels[Offset + 1], FPixels[Offset + 2], FPixels[Offset + 3]};
  }

  void Draw(const TMatrix& AView) {
    FScene->DrawFrame(AView);
    FPixels = FScene->ReadPixels();
  }

  // The pixel (from the top-left) where the point at texture coordinates (S, T) of face AFace
  // of cubie ACubie was drawn in the last frame.
  std::pair<int, int> WhereShown(int ACubie, int AFace, double S, double T) const {
    const TPlane& Plane = FScene->Cube().Cube(ACubie).Plane(AFace);
    const TGLVectorArray& C = Plane.GLVertexArray();
    // Corners 0..3 carry the texture coordinates (1, 0), (0, 0), (0, 1), (1, 1).
    const double W0 = S * (1 - T), W1 = (1 - S) * (1 - T), W2 = (1 - S) * T, W3 = S * T;
    const double X = W0 * C[0].X + W1 * C[1].X + W2 * C[2].X + W3 * C[3].X;
    const double Y = W0 * C[0].Y + W1 * C[1].Y + W2 * C[2].Y + W3 * C[3].Y;
    const double Z = W0 * C[0].Z + W1 * C[1].Z + W2 * C[2].Z + W3 * C[3].Z;
    std::array<double, 16> ModelView{};
    std::array<double, 16> Projection{};
    const TMatrix& Matrix = FScene->Cube().Cube(ACubie).MatrixBeforeRotate();
    std::copy(Matrix.begin(), Matrix.end(), ModelView.begin());
    glGetDoublev(GL_PROJECTION_MATRIX, Projection.data());
    const GLint Viewport[4] = {0, 0, kWidth, kHeight};
    double WinX = 0, WinY = 0, WinZ = 0;
    gluProject(X, Y, Z, ModelView.data(), Projection.data(), Viewport, &WinX, &WinY, &WinZ);
    return {static_cast<int>(std::floor(WinX)), kHeight - 1 - static_cast<int>(std::floor(WinY))};
  }

  TRGBA FacePixel(int ACubie, int AFace, double S, double T) const {
    const auto [X, Y] = WhereShown(ACubie, AFace, S, T);
    return PixelAt(X, Y);
  }

  int CountColour(const TRGBA& AColour) const {
    int Count = 0;
    for (int Y = 0; Y < kHeight; ++Y) {
      for (int X = 0; X < kWidth; ++X) {
        Count += PixelAt(X, Y) == AColour;
      }
    }
    return Count;
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
  for (const bool Global : {false, true}) {
    for (const bool Bright : {false, true}) {
      SCOPED_TRACE(::testing::Message() << "global " << Global << " bright " << Bright);
      FScene->SetMode(Global, Bright);
      Draw(OpeningView());
      EXPECT_EQ(PixelAt(0, 0), (TRGBA{51, 102, 153, 255}));
      EXPECT_EQ(PixelAt(kWidth - 1, kHeight - 1), (TRGBA{51, 102, 153, 255}));
      int Transparent = 0;
      for (size_t I = 3; I < FPixels.size(); I += 4) {
        Transparent += FPixels[I] != 255;
      }
      EXPECT_EQ(Transparent, 0);
    }
  }
}

TEST_F(CubeSceneTest, IdentityViewShowsOnlySideOne) {
  FScene->SetMode(false, true);
  Draw(IdentityMatrix());
  EXPECT_EQ(PixelAt(kWidth / 2, kHeight / 2), Opaque(kSideColors[0]));
  EXPECT_GT(CountColour(Opaque(kSideColors[0])), 9 * 1000);
  for (int Side = 2; Side <= 6; ++Side) {
    EXPECT_EQ(CountColour(Opaque(kSideColors[Side - 1])), 0) << "side " << Side;
  }
  const std::array<bool, 6> Expected = {true, false, true, true, false, false};
  EXPECT_EQ(FScene->Cube().PlaneVisible(), Expected);
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
  const int N = GetParam();
  int Checked = 0;
  for (int Index = 0; Index < N * N * N; ++Index) {
    for (int Face = 1; Face <= 6; ++Face) {
      const TPlane& Plane = FScene->Cube().Cube(Index).Plane(Face);
      if (!Plane.WorkPlane() || !FScene->Cube().PlaneVisible()[Face - 1]) {
        continue;
      }
      EXPECT_EQ(FacePixel(Index, Face, 0.5, 0.5), Opaque(Plane.Color()))
          << "cubie " << Index << " face " << Face;
      ++Checked;
    }
  }
  EXPECT_EQ(Checked, 3 * N * N);
}

INSTANTIATE_TEST_SUITE_P(Degrees, CubeSceneDegreeTest, ::testing::Values(2, 3, 10));

TEST_F(CubeSceneTest, LayerAtFortyFiveDegreesShowsInnerFaces) {
  FScene->SetMode(false, true);
  TVexilCube& Cube = FScene->Cube();
  const TCubeFrame AtRest = Cube.BeginFrame(OpeningView());
  Cube.EndFrame(AtRest);
  EXPECT_FALSE(AtRest.DrawInner);
  EXPECT_EQ(AtRest.Cubies.size(), 26u);

  Cube.Randomize(7);
  Cube.RotateRandomSide();
  Cube.SetRotateSpeed(45.0f);
  const TCubeFrame Turning = Cube.BeginFrame(OpeningView());
  ASSERT_EQ(Cube.RotateAngle(), 45.0f);
  ASSERT_TRUE(Turning.DrawInner);
  EXPECT_EQ(Turning.Cubies.size(), 27u);

  FScene->DrawFrame(Turning);
  const std::vector<uint8_t> WithInner = FScene->ReadPixels();
  TCubeFrame WithoutInnerFrame = Turning;
  WithoutInnerFrame.DrawInner = false;
  FScene->DrawFrame(WithoutInnerFrame);
  const std::vector<uint8_t> WithoutInner = FScene->ReadPixels();
  Cube.EndFrame(Turning);

  // Inner faces are flat 0.3 grey in this mode: every pixel they add is that grey.
  int Added = 0;
  int NotGrey = 0;
  for (size_t I = 0; I < WithInner.size(); I += 4) {
    if (std::equal(&WithInner[I], &WithInner[I] + 3, &WithoutInner[I])) {
      continue;
    }
    ++Added;
    const bool Grey = WithInner[I] == WithInner[I + 1] && WithInner[I + 1] == WithInner[I + 2] &&
                      WithInner[I] >= 74 && WithInner[I] <= 78;
    NotGrey += !Grey;
  }
  EXPECT_GT(Added, 1000);
  EXPECT_EQ(NotGrey, 0);
}

TEST_F(CubeSceneTest, FourLightingModesFollowTheTables) {
  const int Centre = CubieIndex(3, 2, 2, 3);
  const TPlane& Plane = FScene->Cube().Cube(Centre).Plane(1);
  // Default light 0 from the viewer, global ambient 0.2, colour material: a vertex of colour c
  // with eye normal n gets c x (0.2 + max(0, n.z)), clamped to 1; under the identity view the eye
  // normals are the mesh's. The centre of the quad lies on its diagonal from corner 0 to 2.
  const auto Lit = [&Plane](double AColour) {
    double Sum = 0;
    for (const int K : {0, 2}) {
      const TVertex3f& N = Plane.GLNormalArray()[K];
      const double Length = std::sqrt(N.X * N.X + N.Y * N.Y + N.Z * N.Z);
      Sum += std::min(1.0, AColour * (0.2 + std::max(0.0, N.Z / Length)));
    }
    return Sum / 2 * 255;
  };
  const TVertex3f C = kSideColors[0];
  const std::array<double, 3> Face = {C.X * 255.0, C.Y * 255.0, C.Z * 255.0};
  const std::array<double, 3> LitFace = {Lit(C.X), Lit(C.Y), Lit(C.Z)};
  const double Key = 76;
  const double LitWhite = Lit(1.0) / 255;
  const double LitGrey = Lit(0.3f);

  struct TMode {
    bool Global;
    bool Bright;
    std::array<double, 3> Sticker;
    std::array<double, 3> Corner;
  };
  const TMode Modes[] = {
      // Sticker: face colour flat; corners: key grey flat.
      {false, true, Face, {Key, Key, Key}},
      // Sticker: face colour shaded; corners: key grey unshaded.
      {false, false, LitFace, {Key, Key, Key}},
      // Sticker: tinted texture unshaded; corners: 0.3 grey shaded.
      {true, true, Face, {LitGrey, LitGrey, LitGrey}},
      // Sticker: tinted texture times the shaded white; corners: key grey shaded.
      {true,
       false,
       {Face[0] * LitWhite, Face[1] * LitWhite, Face[2] * LitWhite},
       {Key * LitWhite, Key * LitWhite, Key * LitWhite}},
  };
  for (const TMode& Mode : Modes) {
    SCOPED_TRACE(::testing::Message() << "global " << Mode.Global << " bright " << Mode.Bright);
    FScene->SetMode(Mode.Global, Mode.Bright);
    Draw(IdentityMatrix());
    ExpectNear(FacePixel(Centre, 1, 0.5, 0.5), Mode.Sticker, 2);
    ExpectNear(FacePixel(Centre, 1, 0.025, 0.025), Mode.Corner, 2);
  }
  // The shading must be visible for the modes to differ at all.
  EXPECT_GT(std::abs(LitFace[0] - Face[0]), 4.0);
}

TEST_F(CubeSceneTest, DrawingSetsNoLightBlendingOrCullingStateAndRestoresWhatItUses) {
  FScene->SetMode(true, false);
  Draw(OpeningView());
  for (const GLenum Capability : {GL_LIGHTING, GL_LIGHT0, GL_COLOR_MATERIAL, GL_TEXTURE_2D,
                                  GL_NORMALIZE, GL_BLEND, GL_CULL_FACE, GL_ALPHA_TEST}) {
    EXPECT_FALSE(glIsEnabled(Capability)) << "capability 0x" << std::hex << Capability;
  }
  GLboolean Mask[4] = {};
  glGetBooleanv(GL_COLOR_WRITEMASK, Mask);
  EXPECT_TRUE(Mask[0] && Mask[1] && Mask[2] && Mask[3]);
  GLfloat Position[4] = {};
  glGetLightfv(GL_LIGHT0, GL_POSITION, Position);
  EXPECT_EQ((std::array<GLfloat, 4>{Position[0], Position[1], Position[2], Position[3]}),
            (std::array<GLfloat, 4>{0, 0, 1, 0}));
  GLfloat Ambient[4] = {};
  glGetFloatv(GL_LIGHT_MODEL_AMBIENT, Ambient);
  EXPECT_FLOAT_EQ(Ambient[0], 0.2f);
  TMatrix ModelView{};
  glGetFloatv(GL_MODELVIEW_MATRIX, ModelView.data());
  EXPECT_EQ(ModelView, IdentityMatrix());
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

} // namespace
} // namespace vexil
