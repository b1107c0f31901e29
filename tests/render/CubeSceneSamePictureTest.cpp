// The frame drawing of the game (state switched only where it changes, the body from buffer
// objects, whatever else it skips) against the plain drawing that sets and clears everything per
// cubie: the same frame must give the same bytes in every pixel, in the four lighting modes, at
// rest and with a layer at an angle (outer and inner slices of every axis, at many angles), with
// and without multisampling, from many views.
//
// VEXIL_SAME_PICTURE_VIEWS=n adds n random views per case to the fixed ones (default 1), for a
// longer sweep than ctest runs.
#include "engine/ViewProjection.h"
#include "render/CubeScene.h"
#include "render/GLIncludes.h"
#include "render/GLMatrix.h"
#include "render/HiddenBodyParts.h"
#include "render/Projection.h"
#include "render/headless/HeadlessScene.h"
#include "tests/engine/CommittedMesh.h"
#include "tests/render/ReferenceCubeDrawing.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <tuple>
#include <vector>

namespace vexil {
namespace {

constexpr int kWidth = kDefaultViewWidth;
constexpr int kHeight = kDefaultViewHeight;

using TFrameDraw = void (*)(const TVexilCube&, const TCubeFrame&);

int RandomViewCount() {
  const char* Text = std::getenv("VEXIL_SAME_PICTURE_VIEWS");
  return Text != nullptr ? std::atoi(Text) : 1;
}

// Views where the cube's seams line up with the eye (holes between the cubies show whatever lies
// behind them), views nearly so, the opening view and random ones.
std::vector<TMatrix> Views(uint32_t ASeed) {
  std::vector<TMatrix> Result = {
      IdentityMatrix(),
      GLRotationMatrix(90, 0, 1, 0),
      GLRotationMatrix(180, 1, 0, 0),
      MultiplyMatrix(GLRotationMatrix(35, 1, 0, 0), GLRotationMatrix(52.5, 0, 1, 0)),
      MultiplyMatrix(GLRotationMatrix(45, 1, 0, 0), GLRotationMatrix(45, 0, 1, 0)),
      GLRotationMatrix(3, 1, 1, 0),
      // Nearly square-on: rays run down some of the shafts but not all.
      GLRotationMatrix(11, 1, 0.5, 0),
      GLRotationMatrix(17, 0.3, 1, 0),
      MultiplyMatrix(GLRotationMatrix(90, 1, 0, 0), GLRotationMatrix(-23, 0, 1, 0)),
  };
  std::mt19937 Random(ASeed);
  std::uniform_real_distribution<double> Unit(-1.0, 1.0);
  for (int I = RandomViewCount(); I > 0; --I) {
    Result.push_back(MultiplyMatrix(
        GLRotationMatrix(180 * Unit(Random), Unit(Random), Unit(Random), Unit(Random)),
        GLRotationMatrix(180 * Unit(Random), 0, 1, 0)));
  }
  return Result;
}

// The turning slice of a frame: the axis (0..2) and the grid coordinate 1..N all its rotated
// cubies share; axis -1 when none turns.
std::pair<int, int32_t> TurningSlice(const TCubeFrame& AFrame, int32_t ADegree) {
  const int32_t N = ADegree;
  for (const TCubieDraw& Cubie : AFrame.Cubies) {
    if (!Cubie.Rotated) {
      continue;
    }
    const int32_t At[3] = {Cubie.CubeIndex / (N * N) + 1, (Cubie.CubeIndex / N) % N + 1,
                           Cubie.CubeIndex % N + 1};
    for (int Axis = 0; Axis < 3; ++Axis) {
      int32_t Count = 0;
      for (const TCubieDraw& Other : AFrame.Cubies) {
        const int32_t OtherAt[3] = {Other.CubeIndex / (N * N) + 1, (Other.CubeIndex / N) % N + 1,
                                    Other.CubeIndex % N + 1};
        Count += Other.Rotated && OtherAt[Axis] == At[Axis];
      }
      if (Count == N * N) {
        return {Axis, At[Axis]};
      }
    }
  }
  return {-1, 0};
}

// Turns (sticker, direction) of every kind: per axis an outer slice, the slice next to it (a
// resting block one cubie thick) and a middle one, each side of the cube for the outer ones.
std::vector<std::pair<int32_t, int32_t>> TurnsOfEveryKind(int32_t ADegree) {
  TVexilCube Probe(ADegree, test::CommittedCubeMesh());
  std::map<std::pair<int, int32_t>, std::pair<int32_t, int32_t>> ByKind;
  const int32_t Stickers = 6 * ADegree * ADegree;
  for (int32_t Sticker = 0; Sticker < Stickers; ++Sticker) {
    for (const int32_t Direction : {0, 1}) {
      Probe.RotateSide(Sticker, Direction);
      Probe.SetRotateSpeed(1.0f);
      const TCubeFrame Frame = Probe.BeginFrame(IdentityMatrix());
      const auto [Axis, Slice] = TurningSlice(Frame, ADegree);
      Probe.EndFrame(Frame);
      const int32_t Kind = Slice == 1 ? 0 : Slice == ADegree ? 1 : Slice == 2 ? 2 : 3;
      if (Axis >= 0 && !ByKind.count({Axis, Kind})) {
        ByKind[{Axis, Kind}] = {Sticker, Direction};
      }
    }
  }
  std::vector<std::pair<int32_t, int32_t>> Result;
  for (const auto& [Kind, Turn] : ByKind) {
    Result.push_back(Turn);
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
    BeginScene({0.1f, 0.2f, 0.3f});
    ADraw(FScene->Cube(), AFrame);
    EndScene();
    return FScene->ReadPixels();
  }

  // Both drawings of the frame the model gives for AView; the count of differing pixels.
  int DifferingPixels(const TMatrix& AView) {
    const TCubeFrame Frame = FScene->Cube().BeginFrame(AView);
    const std::vector<uint8_t> Plain = Picture(Frame, DrawCubeFrameByCubie);
    const std::vector<uint8_t> Fast = Picture(Frame, DrawCubeFrame);
    std::array<double, 16> Projection{};
    glGetDoublev(GL_PROJECTION_MATRIX, Projection.data());
    const bool Sealed = THiddenBodyParts(FScene->Cube(), Frame, Projection).Sealed();
    FSealedFrames += Sealed;
    FSealedTurningFrames += Sealed && Frame.DrawInner;
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

  // APrepare, when given, sets up the cube for each case before its frame.
  void ExpectSamePictures(uint32_t ASeed, const std::function<void()>& APrepare = {}) {
    int Case = 0;
    for (const bool Global : {false, true}) {
      for (const bool Bright : {false, true}) {
        FScene->SetMode(Global, Bright);
        for (const TMatrix& View : Views(ASeed + static_cast<uint32_t>(Case++))) {
          const float Scale = Case % 2 == 0 ? 1.0f : 1.19f;
          FScene->Cube().SetScale(Scale);
          if (APrepare) {
            APrepare();
          }
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
  int FSealedFrames = 0;        // frames that left parts of the bodies out
  int FSealedTurningFrames = 0; // of those, frames with a layer at an angle
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
  // Each frame turns another kind of slice to another angle between 1 and 88 degrees, on a
  // cube whose turns never end during the test.
  TVexilCube& Cube = FScene->Cube();
  const auto Turns = TurnsOfEveryKind(Cube.Degree());
  ASSERT_GE(Turns.size(), 6u);
  int Frame = 0;
  ExpectSamePictures(37, [&] {
    const auto [Sticker, Direction] = Turns[static_cast<size_t>(Frame) % Turns.size()];
    Cube.RotateSide(Sticker, Direction);
    Cube.SetRotateSpeed(1.0f + static_cast<float>((Frame * 37) % 88));
    ++Frame;
  });
  // Both kinds of turning frame were compared: with parts of the resting blocks left out and
  // without.
  EXPECT_GT(FSealedTurningFrames, 0);
  EXPECT_LT(FSealedTurningFrames, FFrames);
  RecordProperty("frames", FFrames);
  RecordProperty("turning_frames_leaving_parts_out", FSealedTurningFrames);
}

INSTANTIATE_TEST_SUITE_P(DegreesAndSamples, CubeSceneSamePictureTest,
                         ::testing::Combine(::testing::Values(3, 10), ::testing::Values(0, 4)),
                         [](const auto& AInfo) {
                           return "N" + std::to_string(std::get<0>(AInfo.param)) + "_samples" +
                                  std::to_string(std::get<1>(AInfo.param));
                         });

} // namespace
} // namespace vexil
