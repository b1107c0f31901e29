#include "render/headless/HeadlessScene.h"

#include "engine/DefaultColors.h"
#include "render/CubeMeshResource.h"
#include "render/CubeScene.h"
#include "render/CubeSceneSetup.h"
#include "render/GLIncludes.h"
#include "render/Projection.h"

namespace vexil {

std::array<TVertex3f, 6> DefaultSideColors() {
  std::array<TVertex3f, 6> colors{};
  for (size_t I = 0; I < colors.size(); ++I) {
    colors[I] = ColorToVertex3f(kDefaultPlaneColors[I]);
  }
  return colors;
}

THeadlessScene::THeadlessScene(int ADegree, int AWidth, int AHeight, int ASamples)
    : FContext(std::make_unique<TOffscreenContext>()),
      FFramebuffer(std::make_unique<TOffscreenFramebuffer>(AWidth, AHeight, ASamples)) {
  LoadStickerTextures(FTextures, false);
  FCube = std::make_unique<TVexilCube>(ADegree, ReadCubeMesh());
  LinkCubeTextures(*FCube, &FTextures);
  FCube->Resize(AWidth, AHeight);
  SetMode(false, false);
}

THeadlessScene::~THeadlessScene() {
  // The cube refers to the textures; both go before the context.
  FCube.reset();
  try {
    FContext->MakeCurrent();
    FBodyBuffers.Release();
  } catch (const EOffscreenContextError&) {
    // Nothing can be freed in the context any more; the driver frees it with the context.
  }
}

void THeadlessScene::SetMode(bool AGlobalLighting, bool ABrightColors) {
  FLook.GlobalLighting = AGlobalLighting;
  FLook.BrightColors = ABrightColors;
  FContext->MakeCurrent();
  ApplyCubeLook(*FCube, &FTextures, FLook);
}

void THeadlessScene::SetSideColors(const std::array<TVertex3f, 6>& AColors) {
  FLook.SideColors = AColors;
  FContext->MakeCurrent();
  ApplyCubeLook(*FCube, &FTextures, FLook);
}

void THeadlessScene::BeginDrawing() {
  FContext->MakeCurrent();
  FFramebuffer->Bind();
  SetSceneProjection(FFramebuffer->Width(), FFramebuffer->Height());
  glLoadIdentity();
  BeginScene(FBackground);
}

void THeadlessScene::EndDrawing() {
  EndScene();
}

void THeadlessScene::DrawFrame(const TMatrix& AView) {
  // The window's order: the model's step, then a paint that only draws.
  const TCubeFrame frame = FCube->Step(AView);
  DrawFrame(frame);
}

void THeadlessScene::DrawFrame(const TCubeFrame& AFrame) {
  BeginDrawing();
  DrawCubeFrame(*FCube, AFrame, FBodyBuffers);
  EndDrawing();
}

} // namespace vexil
