// The OpenGL objects of the scene: the sticker textures made when the window is first shown,
// their masks for the lighting mode, and the drawing of the cube in each frame.
#include "app/MainForm.h"

#include "render/CubeScene.h"
#include "render/CubeSceneSetup.h"
#include "render/StickerTextures.h"

#include <exception>
#include <iostream>

namespace vexil {

void TMainForm::CreateTextures() {
  // Commands re-tint the stickers outside the paint: each upload makes the view's context
  // current first.
  const auto makeCurrent = [this] { return MakeCurrent(); };
  FTextureList = std::make_unique<TStickerTextureList>(makeCurrent);
  try {
    LoadStickerTextures(*FTextureList, FGameSettings->GlobalLighting());
  } catch (const std::exception& error) {
    // The pictures are built in; should one be broken the stickers are drawn plain rather than
    // with the wrong pictures.
    std::cerr << error.what() << '\n';
    FTextureList = std::make_unique<TStickerTextureList>(makeCurrent);
  }
  LinkCubeTextures(FGame->VexilCube(), FTextureList.get());
  ApplySettings();
}

void TMainForm::FreeScene() {
  if (FGame) {
    FGame->VexilCube().SetTextureListLink(nullptr);
  }
  FBodyBuffers.Release();
  FTextureList.reset();
}

TTextureListLink* TMainForm::TextureListLink() const {
  return FTextureList.get();
}

void TMainForm::UpdateTextureAlpha() {
  if (FTextureList) {
    FTextureList->SetGlobalLighting(FGameSettings->GlobalLighting());
  }
}

void TMainForm::DrawClock() {
  if (FGame->NewGameIsStarted() && FGameSettings->ShowTimer() && FClockDrawing) {
    const int32_t moves = FGameSettings->ShowMoveCounter() ? FGame->MoveCount() : -1;
    FClockDrawing->Draw(FGame->Clock(), FGameSettings->TimerColor(), ClientWidth(), ClientHeight(),
                        moves);
  }
}

} // namespace vexil
