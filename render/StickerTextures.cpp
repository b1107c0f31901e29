#include "StickerTextures.h"

#include "GLIncludes.h"
#include "Resources.h"

#include <string>

namespace vexil {

uint32_t TStickerTextureList::TextureID(int AIndex) const {
  if (AIndex < 0 || AIndex >= Count()) {
    return 0;
  }
  return FTextures[static_cast<size_t>(AIndex)]->TextureID();
}

void TStickerTextureList::SetTextureColor(int AIndex, const TVertex3f& AColor) {
  if (AIndex < 0 || AIndex >= Count()) {
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
  for (auto& Texture : FTextures) {
    Texture->SetAlphaFormat(AlphaFormatFor(AGlobalLighting));
    Texture->SetAlphaFormat();
    Texture->UpdateBlendingConfiguration();
  }
}

void LoadStickerTextures(TStickerTextureList& AList, bool AGlobalLighting) {
  for (int I = 0; I < kStickerTextureCount; ++I) {
    TBytesStream Stream = OpenResource("PLANE_" + std::to_string(I), kRawDataResource);
    auto Texture = std::make_unique<TVexilGLTexture>();
    Texture->LoadBmpFromStream(Stream);
    Texture->SetTextEnvMode(GL_COMBINE);
    Texture->SetAlphaFormat(TStickerTextureList::AlphaFormatFor(AGlobalLighting));
    Texture->SetAlphaFormat();
    Texture->UpdateBlendingConfiguration();
    AList.Add(std::move(Texture));
  }
}

} // namespace vexil
