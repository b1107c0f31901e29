// The game's cube scene drawn without any window: its own EGL context, a framebuffer of the
// given size, the seven sticker textures and a cube model set up as the main window sets it up.
// For pixel tests, frame-time benchmarks and pictures of the lighting modes.
#pragma once

#include "engine/VexilCube.h"
#include "render/CubeBodyBuffers.h"
#include "render/CubeSceneSetup.h"
#include "render/OffscreenContext.h"
#include "render/StickerTextures.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace vexil {

// The default side colours, sides 1..6: white, green, red, blue, orange, yellow.
std::array<TVertex3f, 6> DefaultSideColors();

class THeadlessScene {
public:
  // Raises EOffscreenContextError when no headless context or framebuffer can be had.
  THeadlessScene(int ADegree, int AWidth, int AHeight, int ASamples);
  ~THeadlessScene();
  THeadlessScene(const THeadlessScene&) = delete;
  THeadlessScene& operator=(const THeadlessScene&) = delete;

  TVexilCube& Cube() { return *FCube; }
  TStickerTextureList& Textures() { return FTextures; }
  TOffscreenFramebuffer& Framebuffer() { return *FFramebuffer; }
  const TCubeBodyBuffers& BodyBuffers() const { return FBodyBuffers; }

  // The appearance as the menu sets it: the textures' masks, the cube's lighting, plane lighting
  // (the inverse of bright colours) and the side colours applied again.
  void SetMode(bool AGlobalLighting, bool ABrightColors);
  void SetSideColors(const std::array<TVertex3f, 6>& AColors);
  void SetBackground(const TVertex3f& AColor) { FBackground = AColor; }

  // One frame as the window makes it: the model's step (Cube().Step) for the orientation AView,
  // then projection, clear, depth test and multisampling around the cube's drawing.
  void DrawFrame(const TMatrix& AView);
  // The drawing alone, for a frame the caller took from the model (Step, Look or BeginFrame).
  void DrawFrame(const TCubeFrame& AFrame);
  // RGBA, top row first.
  std::vector<uint8_t> ReadPixels() const { return FFramebuffer->ReadPixels(); }

private:
  void BeginDrawing();
  void EndDrawing();

  std::unique_ptr<TOffscreenContext> FContext;
  std::unique_ptr<TOffscreenFramebuffer> FFramebuffer;
  TStickerTextureList FTextures;
  std::unique_ptr<TVexilCube> FCube;
  TCubeLook FLook{false, false, false, DefaultSideColors()};
  TCubeBodyBuffers FBodyBuffers;
  TVertex3f FBackground{0.0f, 0.0f, 0.0f};
};

} // namespace vexil
