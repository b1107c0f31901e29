// The seven sticker textures of the game and the list that owns them. The cube model only
// refers to the list (TTextureListLink): entries 0..5 are the stickers of sides 1..6, entry 6 the
// carcass texture of the cubie bodies and inner faces.
#pragma once

#include "engine/TextureLink.h"
#include "render/VexilGLTexture.h"

#include <functional>
#include <memory>
#include <vector>

namespace vexil {

constexpr int kStickerTextureCount = 7;

class TStickerTextureList : public TTextureListLink {
public:
  // AMakeCurrent makes the context that owns the textures current and tells whether it could.
  // The model re-tints stickers from menu commands, outside any paint, while another context (or
  // none) may be current: every upload asks for the textures' own context first, and skips the
  // upload when there is none. Without it the caller keeps the context current itself.
  explicit TStickerTextureList(std::function<bool()> AMakeCurrent = {});

  int Count() const override { return static_cast<int>(FTextures.size()); }
  // 0 (no texture) for an index outside the list.
  uint32_t TextureID(int AIndex) const override;
  // Ignored for an index outside the list.
  void SetTextureColor(int AIndex, const TVertex3f& AColor) override;

  void Add(std::unique_ptr<TVexilGLTexture> ATexture);
  TVexilGLTexture& Texture(int AIndex) { return *FTextures.at(static_cast<size_t>(AIndex)); }

  // The mask for the lighting mode: with global lighting the key-grey corners are transparent
  // and the sticker opaque (afDefault), without it the reverse (afInverse).
  static TAlphaFormat AlphaFormatFor(bool AGlobalLighting);
  // Switches every texture's mask to the lighting mode and uploads its untinted picture; the
  // stickers need their colours again afterwards (the cube model's UpdatePlanesColor).
  void SetGlobalLighting(bool AGlobalLighting);

private:
  bool MakeCurrent() const;

  std::function<bool()> FMakeCurrent;
  std::vector<std::unique_ptr<TVexilGLTexture>> FTextures;
};

// Makes the textures from the sticker pictures 0..6 (StickerPictureName) in that order and appends
// them to AList. Needs a current context. A missing or bad picture raises EInvalidGraphic and
// appends nothing for it.
void LoadStickerTextures(TStickerTextureList& AList, bool AGlobalLighting);

} // namespace vexil
