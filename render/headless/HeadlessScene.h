// The game's cube scene drawn without any window: its own EGL context, a framebuffer of the
// given size, the seven sticker textures and a cube model set up as the main window sets it up.
// For pixel tests, frame-time benchmarks and pictures of the lighting modes.
#pragma once

#include "engine/VexilCube.h"
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

  // The appearance as the menu sets it: the textures' masks, the cube's lighting, plane lighting
  // (the inverse of bright colours) and the side colours applied again.
  void SetMode(bool AGlobalLighting, bool ABrightColors);
  void SetSideColors(const std::array<TVertex3f, 6>& AColors);
  void SetBackground(const TVertex3f& AColor) { FBackground = AColor; }

  // One frame as the window draws it: projection, clear, depth test and multisampling around
  // the cube under the orientation AView.
  void DrawFrame(const TMatrix& AView);
  // The same for a frame the caller took from Cube().BeginFrame (and ends with EndFrame).
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
  std::array<TVertex3f, 6> FSideColors = DefaultSideColors();
  TVertex3f FBackground{0.0f, 0.0f, 0.0f};
};

} // namespace vexil
