#include "engine/CubeState.h"

#include "engine/VexilCube.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

namespace vexil {

namespace {

void RequireBytes(const TStream& AStream, int64_t ACount, const std::string& AWhat) {
  if (AStream.Remaining() < ACount) {
    throw EStreamError("The cube block ends early: " + AWhat + " is missing");
  }
}

void SkipReservedBlock(TStream& AStream, const char* AWhich) {
  const std::string name = std::string("the ") + AWhich + " reserved block";
  RequireBytes(AStream, 4, "the length of " + name);
  StreamSkipBlock(AStream, "The cube block is damaged: " + name);
}

// A colour component the game can show: colours are kept within 0..1, and anything else (an
// infinity, a NaN, a value a float cannot even hold) is damage, not a colour.
bool IsColorComponent(double AValue) {
  return AValue >= 0.0 && AValue <= 1.0;
}

TVertex3f ReadColor(TStream& AStream, int32_t ASticker) {
  double rgb[3];
  for (double& component : rgb) {
    component = StreamReadDouble(AStream);
  }
  if (!IsColorComponent(rgb[0]) || !IsColorComponent(rgb[1]) || !IsColorComponent(rgb[2])) {
    throw EStreamError("The cube block is damaged: sticker " + std::to_string(ASticker) +
                       " has no valid colour");
  }
  return TVertex3f{static_cast<float>(rgb[0]), static_cast<float>(rgb[1]),
                   static_cast<float>(rgb[2])};
}

size_t ColorIndex(const std::vector<TVertex3f>& AColors, const TVertex3f& AColor) {
  return static_cast<size_t>(
      std::find_if(AColors.begin(), AColors.end(),
                   [&](const TVertex3f& c) { return SameVertex(c, AColor); }) -
      AColors.begin());
}

struct TSideEntry {
  TVertex3f Color{-1.0f, -1.0f, -1.0f};
  int32_t PlaneID = -1;
  uint32_t TextureID = 0xFFFFFFFF;
};

// Identities are mapped to the colours and textures that the model's stickers give each side,
// that is to the current settings on a prepared model.
void ApplyIdentities(const std::vector<int32_t>& AIdentities, TVexilCube& ACube) {
  std::array<TSideEntry, 6> sides;
  size_t filled = 0;
  for (int32_t i = 0; i < ACube.WorkPlanesCount() && filled < sides.size(); ++i) {
    const TPlane& plane = ACube.WorkPlane(i);
    const auto known =
        std::find_if(sides.begin(), sides.begin() + filled,
                     [&](const TSideEntry& e) { return e.PlaneID == plane.PlaneID(); });
    if (known == sides.begin() + filled) {
      sides[filled++] = TSideEntry{plane.Color(), plane.PlaneID(), plane.TextureID()};
    }
  }
  for (size_t i = 0; i < AIdentities.size(); ++i) {
    // An identity the model does not know takes the first side, as older versions did.
    const auto match =
        std::find_if(sides.begin(), sides.begin() + filled,
                     [&](const TSideEntry& e) { return e.PlaneID == AIdentities[i]; });
    const TSideEntry& side = match != sides.begin() + filled ? *match : sides[0];
    TPlane& plane = ACube.WorkPlane(static_cast<int32_t>(i));
    plane.SetColor(side.Color);
    plane.SetPlaneID(side.PlaneID);
    plane.SetTextureID(side.TextureID, plane.TextureIndex());
  }
}

// Old blocks stored colours, not identities: the stickers keep their home identities, show the
// loaded colours, and the sticker textures are re-tinted to those colours in order of appearance.
void ApplyColors(const TCubeState& AState, TVexilCube& ACube) {
  const std::vector<TVertex3f>& distinct = AState.DistinctColors();
  std::array<uint32_t, 6> textures;
  textures.fill(TPlane::kNoTexture);
  TTextureListLink* list = ACube.TextureListLink();
  for (size_t j = 0; j < distinct.size() && j < textures.size(); ++j) {
    if (list != nullptr && static_cast<int>(j) < list->Count()) {
      list->SetTextureColor(static_cast<int>(j), distinct[j]);
      textures[j] = list->TextureID(static_cast<int>(j));
    }
  }
  const std::vector<TVertex3f>& colors = AState.Colors();
  for (size_t i = 0; i < colors.size(); ++i) {
    TPlane& plane = ACube.WorkPlane(static_cast<int32_t>(i));
    plane.SetColor(colors[i]);
    plane.SetTextureID(textures[ColorIndex(distinct, colors[i])], plane.TextureIndex());
  }
}

} // namespace

TCubeState TCubeState::Read(TStream& AStream, TFormat AFormat, int32_t AStickerCount) {
  if (AStickerCount < 0) {
    throw std::invalid_argument("A cube has no negative number of stickers");
  }
  TCubeState state(AFormat, AStickerCount);
  const auto count = static_cast<size_t>(AStickerCount);
  SkipReservedBlock(AStream, "leading");
  if (AFormat == TFormat::Current) {
    RequireBytes(AStream, 4 * static_cast<int64_t>(AStickerCount),
                 "part of the " + std::to_string(AStickerCount) + " sticker identities");
    state.FIdentities.resize(count);
    for (int32_t& identity : state.FIdentities) {
      identity = StreamReadInteger(AStream);
    }
  } else {
    RequireBytes(AStream, 24 * static_cast<int64_t>(AStickerCount),
                 "part of the " + std::to_string(AStickerCount) + " sticker colours");
    state.FColors.reserve(count);
    for (int32_t i = 0; i < AStickerCount; ++i) {
      const TVertex3f color = ReadColor(AStream, i);
      if (ColorIndex(state.FDistinctColors, color) == state.FDistinctColors.size()) {
        if (state.FDistinctColors.size() == 6) {
          throw EStreamError("The cube block is damaged: it holds more than six colours");
        }
        state.FDistinctColors.push_back(color);
      }
      state.FColors.push_back(color);
    }
  }
  SkipReservedBlock(AStream, "closing");
  return state;
}

void ApplyCubeState(const TCubeState& AState, TVexilCube& ACube) {
  if (AState.StickerCount() != ACube.WorkPlanesCount()) {
    throw std::invalid_argument("A state of " + std::to_string(AState.StickerCount()) +
                                " stickers does not fit a cube of " +
                                std::to_string(ACube.WorkPlanesCount()));
  }
  if (AState.Format() == TCubeState::TFormat::Current) {
    ApplyIdentities(AState.Identities(), ACube);
  } else {
    ApplyColors(AState, ACube);
  }
}

} // namespace vexil
