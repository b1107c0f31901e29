// The frame drawing of the game (state switched only where it changes, the body from buffer
// objects, whatever else it skips) against the plain drawing that sets and clears everything per
// cubie: the same frame must give the same bytes in every pixel, in the four lighting modes, at
// rest and with a layer at an angle, with and without multisampling, from many views.
//
// VEXIL_SAME_PICTURE_VIEWS=n adds n random views per case to the fixed ones (default 1), for a
// longer sweep than ctest runs.
#include "CubeScene.h"
#include "GLIncludes.h"
#include "GLMatrix.h"
#include "HeadlessScene.h"
#include "HiddenBodyParts.h"
#include "Projection.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <random>
#include <tuple>
#include <vector>

namespace vexil {
namespace {

constexpr int kWidth = 716;
constexpr int kHeight = 466;

using TFrameDraw = void (*)(const TVexilCube&, const TCubeFrame&);

int RandomViewCount() {
  const char* Text = std::getenv("VEXIL_SAME_PICTURE_VIEWS");
  return Text != nullptr ? std::atoi(Text) : 1;
}

// Views where the cube's seams line up with the eye (holes between the cubies show whatever lies
// behind them), the opening view and random ones.
std::vector<TMatrix> Views(uint32_t ASeed) {
  std::vector<TMatrix> Result = {
      IdentityMatrix(),
      RotationMatrix(90, 0, 1, 0),
      RotationMatrix(180, 1, 0, 0),
      MultiplyMatrix(RotationMatrix(35, 1, 0, 0), RotationMatrix(52.5, 0, 1, 0)),
      MultiplyMatrix(RotationMatrix(45, 1, 0, 0), RotationMatrix(45, 0, 1, 0)),
      RotationMatrix(3, 1, 1, 0),
  };
  std::mt19937 Random(ASeed);
  std::uniform_real_distribution<double> Unit(-1.0, 1.0);
  for (int I = RandomViewCount(); I > 0; --I) {
    Result.push_back(
        MultiplyMatrix(RotationMatrix(180 * Unit(Random), Unit(Random), Unit(Random), Unit(Random)),
                       RotationMatrix(180 * Unit(Random), 0, 1, 0)));
  }
  return Result;
}

class CubeSceneSamePictureTest : public ::testing::TestWithParam<std::tuple<int, int>> {
protected:
  void SetUp() override {
    try {
      FScene = std::make_unique<THeadlessScene>(std::get<0>(GetParam()), kWidth, kHeight,
                                                std::get<1>(GetParam()));
    } catch (const EOffscreenContextError& E) {
      GTEST_SKIP() << "no headless OpenGL context: " << E.what();
    }
    FScene->SetBackground({0.1f, 0.2f, 0.3f});
  }

  std::vector<uint8_t> Picture(const TCubeFrame& AFrame, TFrameDraw ADraw) {
    FScene->Framebuffer().Bind();
    SetSceneProjection(kWidth, kHeight);
    glLoadIdentity();
    ClearScene({0.1f, 0.2f, 0.3f});
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_MULTISAMPLE);
    ADraw(FScene->Cube(), AFrame);
    glDisable(GL_MULTISAMPLE);
    glDisable(GL_DEPTH_TEST);
    return FScene->ReadPixels();
  }

  // Both drawings of the frame the model gives for AView; the count of differing pixels.
  int DifferingPixels(const TMatrix& AView) {
    const TCubeFrame Frame = FScene->Cube().BeginFrame(AView);
    const std::vector<uint8_t> Plain = Picture(Frame, DrawCubeFrameByCubie);
    const std::vector<uint8_t> Fast = Picture(Frame, DrawCubeFrame);
    std::array<double, 16> Projection{};
    glGetDoublev(GL_PROJECTION_MATRIX, Projection.data());
    FSealedFrames += THiddenBodyParts(FScene->Cube(), Frame, Projection).Sealed();
    ++FFrames;
    FScene->Cube().EndFrame(Frame);
    int Differing = 0;
    for (size_t I = 0; I + 3 < Plain.size(); I += 4) {
      Differing += Plain[I] != Fast[I] || Plain[I + 1] != Fast[I + 1] ||
                   Plain[I + 2] != Fast[I + 2] || Plain[I + 3] != Fast[I + 3];
    }
    EXPECT_EQ(Plain.size(), Fast.size());
    return Differing;
  }

  void ExpectSamePictures(uint32_t ASeed) {
    int Case = 0;
    for (const bool Global : {false, true}) {
      for (const bool Bright : {false, true}) {
        FScene->SetMode(Global, Bright);
        for (const TMatrix& View : Views(ASeed + static_cast<uint32_t>(Case++))) {
          const float Scale = Case % 2 == 0 ? 1.0f : 1.19f;
          FScene->Cube().SetScale(Scale);
          EXPECT_EQ(DifferingPixels(View), 0)
              << "global " << Global << " bright " << Bright << " scale " << Scale << " angle "
              << FScene->Cube().RotateAngle() << " view " << View[0] << ' ' << View[1] << ' '
              << View[2] << ' ' << View[4] << ' ' << View[5] << ' ' << View[6];
        }
      }
    }
  }

  std::unique_ptr<THeadlessScene> FScene;
  int FFrames = 0;
  int FSealedFrames = 0; // frames that left parts of the bodies out
};

TEST_P(CubeSceneSamePictureTest, AtRest) {
  ExpectSamePictures(11);
  // Both kinds of frame were compared: with parts of the bodies left out and without.
  EXPECT_GT(FSealedFrames, 0);
  EXPECT_LT(FSealedFrames, FFrames);
  RecordProperty("frames", FFrames);
  RecordProperty("frames_leaving_parts_out", FSealedFrames);
}

TEST_P(CubeSceneSamePictureTest, WithALayerAtAnAngle) {
  // A turn that never ends during the test: each frame advances it by a slightly different
  // angle, so the views also see the layer at many angles.
  TVexilCube& Cube = FScene->Cube();
  Cube.Randomize(5);
  Cube.RotateRandomSide();
  Cube.SetRotateSpeed(85.0f / static_cast<float>(4 * Views(0).size()));
  ExpectSamePictures(23);
  EXPECT_GT(Cube.RotateAngle(), 0.0f);
}

INSTANTIATE_TEST_SUITE_P(DegreesAndSamples, CubeSceneSamePictureTest,
                         ::testing::Combine(::testing::Values(3, 10), ::testing::Values(0, 4)),
                         [](const auto& AInfo) {
                           return "N" + std::to_string(std::get<0>(AInfo.param)) + "_samples" +
                                  std::to_string(std::get<1>(AInfo.param));
                         });

} // namespace
} // namespace vexil
