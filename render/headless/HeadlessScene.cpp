#include "render/headless/HeadlessScene.h"

#include "engine/DefaultColors.h"
#include "render/CubeMeshResource.h"
#include "render/CubeScene.h"
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
  FCube->SetTextureListLink(&FTextures);
  FCube->InitPlanes();
  FCube->Resize(AWidth, AHeight);
  SetMode(false, false);
}

THeadlessScene::~THeadlessScene() {
  // The cube refers to the textures; both go before the context.
  FCube.reset();
  try {
    FContext->MakeCurrent();
  } catch (const EOffscreenContextError&) {
    // Nothing can be freed in the context any more; the driver frees it with the context.
  }
}

void THeadlessScene::SetMode(bool AGlobalLighting, bool ABrightColors) {
  FContext->MakeCurrent();
  FTextures.SetGlobalLighting(AGlobalLighting);
  FCube->SetGlobalLighting(AGlobalLighting);
  FCube->SetPlaneLight(!ABrightColors);
  FCube->UpdatePlanesColor(FSideColors);
}

void THeadlessScene::SetSideColors(const std::array<TVertex3f, 6>& AColors) {
  FContext->MakeCurrent();
  FSideColors = AColors;
  FCube->UpdatePlanesColor(FSideColors);
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
  BeginDrawing();
  DrawVexilCube(*FCube, AView);
  EndDrawing();
}

void THeadlessScene::DrawFrame(const TCubeFrame& AFrame) {
  BeginDrawing();
  DrawCubeFrame(*FCube, AFrame);
  EndDrawing();
}

} // namespace vexil
