// The cube model only refers to the sticker textures; the renderer owns them. This is what the
// model needs of that list: entries 0..5 are the six sticker textures, the last one the carcass.
#pragma once

#include "engine/VectorTypes.h"

#include <cstdint>

namespace vexil {

// The texture name that stands for "no texture": meshes and faces without one are drawn plain.
inline constexpr uint32_t kNoTexture = 1000;

class TTextureListLink {
public:
  virtual ~TTextureListLink() = default;
  virtual int Count() const = 0;
  // OpenGL texture name of entry AIndex.
  virtual uint32_t TextureID(int AIndex) const = 0;
  // Re-tints entry AIndex with AColor (uploads a recoloured copy of its picture).
  virtual void SetTextureColor(int AIndex, const TVertex3f& AColor) = 0;
};

} // namespace vexil
