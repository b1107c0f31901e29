#include "render/StickerTextures.h"

#include "render/GLIncludes.h"

#include <string>
#include <utility>

namespace vexil {

namespace {

// Sets the texture's mask for the lighting mode, applies it to the loaded picture and uploads.
void ApplyMask(TVexilGLTexture& ATexture, bool AGlobalLighting) {
  ATexture.SetAlphaFormat(TStickerTextureList::AlphaFormatFor(AGlobalLighting));
  ATexture.SetAlphaFormat();
  ATexture.UpdateBlendingConfiguration();
}

} // namespace

TStickerTextureList::TStickerTextureList(std::function<bool()> AMakeCurrent)
    : FMakeCurrent(std::move(AMakeCurrent)) {}

bool TStickerTextureList::MakeCurrent() const {
  return !FMakeCurrent || FMakeCurrent();
}

uint32_t TStickerTextureList::TextureID(int AIndex) const {
  if (AIndex < 0 || AIndex >= Count()) {
    return 0;
  }
  return FTextures[static_cast<size_t>(AIndex)]->TextureID();
}

void TStickerTextureList::SetTextureColor(int AIndex, const TVertex3f& AColor) {
  if (AIndex < 0 || AIndex >= Count() || !MakeCurrent()) {
    return;
  }
  FTextures[static_cast<size_t>(AIndex)]->SetColor(AColor);
}

void TStickerTextureList::Add(std::unique_ptr<TVexilGLTexture> ATexture) {
  FTextures.push_back(std::move(ATexture));
}

TAlphaFormat TStickerTextureList::AlphaFormatFor(bool AGlobalLighting) {
  return AGlobalLighting ? TAlphaFormat::afDefault : TAlphaFormat::afInverse;
}

void TStickerTextureList::SetGlobalLighting(bool AGlobalLighting) {
  if (!MakeCurrent()) {
    return;
  }
  for (auto& texture : FTextures) {
    ApplyMask(*texture, AGlobalLighting);
  }
}

void LoadStickerTextures(TStickerTextureList& AList, bool AGlobalLighting) {
  for (int I = 0; I < kStickerTextureCount; ++I) {
    auto texture = std::make_unique<TVexilGLTexture>();
    texture->LoadFromImage(StickerPictureName(I));
    texture->SetTextEnvMode(GL_COMBINE);
    ApplyMask(*texture, AGlobalLighting);
    AList.Add(std::move(texture));
  }
}

} // namespace vexil
