#include "engine/VexilCube.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace vexil {

namespace {

// Every reader below takes the whole block into memory and checks it before it touches a sticker,
// so a damaged block leaves the cube exactly as it was (and the stream where the block began).

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

// Runs AReader; on failure puts the stream back where the block began.
template <typename TReader> void ReadWhole(TStream& AStream, TReader AReader) {
  const int64_t start = AStream.Position();
  try {
    AReader();
  } catch (...) {
    AStream.SetPosition(start);
    throw;
  }
}

// A colour component the stickers can hold: a number within single precision's finite range.
// Anything else (NaN, an infinity, 1e300) would have no defined single value, so the block that
// holds it is refused as damaged rather than clamped into a colour nobody saved.
bool IsSingleComponent(double AValue) {
  return std::isfinite(AValue) && std::fabs(AValue) <= std::numeric_limits<float>::max();
}

struct TSideEntry {
  TVertex3f Color{-1.0f, -1.0f, -1.0f};
  int32_t PlaneID = -1;
  uint32_t TextureID = 0xFFFFFFFF;
};

} // namespace

void TVexilCube::SaveState(TStream& ASourStream) const {
  StreamWriteEmptyBlock(ASourStream);
  for (const TPlane* plane : FWorkPlanes) {
    StreamWriteInteger(ASourStream, plane->PlaneID());
  }
  StreamWriteEmptyBlock(ASourStream);
}

// Identities are mapped to the colours and textures that the current settings give each side.
void TVexilCube::LoadState(TStream& ADestStream) {
  std::vector<int32_t> identities(static_cast<size_t>(FWorkPlanesCount));
  ReadWhole(ADestStream, [&] {
    SkipReservedBlock(ADestStream, "leading");
    RequireBytes(ADestStream, 4 * static_cast<int64_t>(FWorkPlanesCount),
                 "part of the " + std::to_string(FWorkPlanesCount) + " sticker identities");
    for (int32_t& identity : identities) {
      identity = StreamReadInteger(ADestStream);
    }
    SkipReservedBlock(ADestStream, "closing");
  });

  std::array<TSideEntry, 6> sides;
  size_t filled = 0;
  for (const TPlane* plane : FWorkPlanes) {
    if (filled == sides.size()) {
      break;
    }
    const auto known =
        std::find_if(sides.begin(), sides.begin() + filled,
                     [&](const TSideEntry& e) { return e.PlaneID == plane->PlaneID(); });
    if (known == sides.begin() + filled) {
      sides[filled++] = TSideEntry{plane->Color(), plane->PlaneID(), plane->TextureID()};
    }
  }
  for (size_t i = 0; i < identities.size(); ++i) {
    // An identity the model does not know takes the first side, as older versions did.
    const auto match =
        std::find_if(sides.begin(), sides.begin() + filled,
                     [&](const TSideEntry& e) { return e.PlaneID == identities[i]; });
    const TSideEntry& side = match != sides.begin() + filled ? *match : sides[0];
    TPlane& plane = *FWorkPlanes[i];
    plane.SetColor(side.Color);
    plane.SetPlaneID(side.PlaneID);
    plane.SetTextureID(side.TextureID, plane.TextureIndex());
  }
}

// Old blocks stored colours, not identities: the stickers keep their home identities, show the
// loaded colours, and the sticker textures are re-tinted to those colours in order of appearance.
void TVexilCube::LoadStateOldFormat(TStream& ADestStream) {
  TVectorArray colors(static_cast<size_t>(FWorkPlanesCount));
  std::vector<TVertex3f> distinct;
  ReadWhole(ADestStream, [&] {
    SkipReservedBlock(ADestStream, "leading");
    RequireBytes(ADestStream, 24 * static_cast<int64_t>(FWorkPlanesCount),
                 "part of the " + std::to_string(FWorkPlanesCount) + " sticker colours");
    for (size_t i = 0; i < colors.size(); ++i) {
      double rgb[3];
      for (double& component : rgb) {
        component = StreamReadDouble(ADestStream);
      }
      if (!IsSingleComponent(rgb[0]) || !IsSingleComponent(rgb[1]) || !IsSingleComponent(rgb[2])) {
        throw EStreamError("The cube block is damaged: sticker " + std::to_string(i) +
                           " has no valid colour");
      }
      colors[i] = TVertex3f{static_cast<float>(rgb[0]), static_cast<float>(rgb[1]),
                            static_cast<float>(rgb[2])};
      const auto seen = std::find_if(distinct.begin(), distinct.end(),
                                     [&](const TVertex3f& c) { return SameVertex(c, colors[i]); });
      if (seen == distinct.end()) {
        if (distinct.size() == 6) {
          throw EStreamError("The cube block is damaged: it holds more than six colours");
        }
        distinct.push_back(colors[i]);
      }
    }
    SkipReservedBlock(ADestStream, "closing");
  });

  std::array<uint32_t, 6> textures;
  textures.fill(TPlane::kNoTexture);
  for (size_t j = 0; j < distinct.size(); ++j) {
    if (FTextureListLink && static_cast<int>(j) < FTextureListLink->Count()) {
      FTextureListLink->SetTextureColor(static_cast<int>(j), distinct[j]);
      textures[j] = FTextureListLink->TextureID(static_cast<int>(j));
    }
  }
  for (size_t i = 0; i < colors.size(); ++i) {
    const size_t j = static_cast<size_t>(
        std::find_if(distinct.begin(), distinct.end(),
                     [&](const TVertex3f& c) { return SameVertex(c, colors[i]); }) -
        distinct.begin());
    TPlane& plane = *FWorkPlanes[i];
    plane.SetColor(colors[i]);
    plane.SetTextureID(textures[j], plane.TextureIndex());
  }
}

} // namespace vexil
