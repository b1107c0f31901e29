// Saves pictures of the cube scene in each lighting mode, drawn headless as the window draws
// them (716 x 466, the opening view, the probed multisampling), for looking at the look.
//
//   scene_pictures OUTPUT_DIR [N...]        (N defaults to 2 3 10)
//
// Makes OUTPUT_DIR if needed and writes OUTPUT_DIR/cube_<N>_<mode>.png with mode lit_plain,
// lit_bright, unlit_plain, unlit_bright (lit: global lighting on; bright: "Bright colors" on), and
// cube_<N>_turning.png with a layer at 45 degrees.
#include "engine/ViewProjection.h"
#include "render/Antialiasing.h"
#include "render/GLMatrix.h"
#include "render/headless/HeadlessScene.h"

#include <QImage>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

using namespace vexil;

namespace {

constexpr int kWidth = kDefaultViewWidth;
constexpr int kHeight = kDefaultViewHeight;

void Save(THeadlessScene& AScene, const std::string& APath) {
  const std::vector<uint8_t> pixels = AScene.ReadPixels();
  const QImage image(pixels.data(), kWidth, kHeight, kWidth * 4, QImage::Format_RGBA8888);
  if (!image.save(QString::fromStdString(APath))) {
    throw std::runtime_error("cannot write " + APath);
  }
  std::printf("%s\n", APath.c_str());
}

void Pictures(const std::string& ADirectory, int ADegree, int ASamples) {
  THeadlessScene scene(ADegree, kWidth, kHeight, ASamples);
  scene.SetBackground({0.0f, 0.0f, 0.3f});
  const TMatrix view =
      MultiplyMatrix(GLRotationMatrix(35, 1, 0, 0), GLRotationMatrix(52.5, 0, 1, 0));
  const std::string prefix = ADirectory + "/cube_" + std::to_string(ADegree) + "_";
  for (const bool global : {true, false}) {
    for (const bool bright : {false, true}) {
      scene.SetMode(global, bright);
      scene.DrawFrame(view);
      Save(scene, prefix + (global ? "lit_" : "unlit_") + (bright ? "bright" : "plain") + ".png");
    }
  }
  scene.SetMode(true, false);
  scene.Cube().Randomize(11);
  scene.Cube().RotateRandomSide();
  scene.Cube().SetRotateSpeed(45.0f);
  scene.DrawFrame(view);
  Save(scene, prefix + "turning.png");
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: scene_pictures OUTPUT_DIR [N...]\n");
    return 2;
  }
  std::vector<int> degrees;
  for (int I = 2; I < argc; ++I) {
    degrees.push_back(std::atoi(argv[I]));
  }
  if (degrees.empty()) {
    degrees = {2, 3, 10};
  }
  try {
    std::filesystem::create_directories(argv[1]);
    DetectMultisample();
    for (const int degree : degrees) {
      Pictures(argv[1], degree, MultisamplePixelFormat());
    }
  } catch (const std::exception& E) {
    std::fprintf(stderr, "scene_pictures: %s\n", E.what());
    return 1;
  }
  return 0;
}
