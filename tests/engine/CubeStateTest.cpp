#include "tests/engine/CommittedMesh.h"
#include "tests/engine/CubeTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

using namespace vexil;
using namespace vexil::test;

namespace {

std::vector<int32_t> Integers(const std::vector<uint8_t>& ABytes) {
  std::vector<int32_t> values(ABytes.size() / 4);
  std::memcpy(values.data(), ABytes.data(), values.size() * 4);
  return values;
}

std::vector<uint8_t> OldBlock(const std::vector<TVertex3f>& AColors) {
  TMemoryStream stream;
  StreamWriteEmptyBlock(stream);
  for (const TVertex3f& c : AColors) {
    StreamWriteDouble(stream, c.X);
    StreamWriteDouble(stream, c.Y);
    StreamWriteDouble(stream, c.Z);
  }
  StreamWriteEmptyBlock(stream);
  return stream.Data();
}

// An old block of ACount white stickers in which component AAxis of sticker ASticker holds
// AValue, a double that no colour may hold.
std::vector<uint8_t> OldBlockWith(size_t ACount, size_t ASticker, int AAxis, double AValue) {
  TMemoryStream stream;
  StreamWriteEmptyBlock(stream);
  for (size_t i = 0; i < ACount; ++i) {
    for (int axis = 0; axis < 3; ++axis) {
      StreamWriteDouble(stream, i == ASticker && axis == AAxis ? AValue : 1.0);
    }
  }
  StreamWriteEmptyBlock(stream);
  return stream.Data();
}

} // namespace

TEST(CubeState, SavedBytesOfAFreshCube) {
  for (const auto& [n, head] :
       {std::pair{3, std::vector<int32_t>{3, 6, 4, 3, 4, 3, 4, 1, 3, 6, 3, 3, 1, 3, 6, 2}},
        std::pair{2, std::vector<int32_t>{3, 6, 4, 3, 4, 1, 3, 6, 2, 3, 2, 1}}}) {
    TVexilCube cube(n, CommittedCubeMesh());
    TMemoryStream stream;
    cube.SaveState(stream);
    ASSERT_EQ(stream.Size(), 24 * n * n + 8);
    const auto values = Integers(stream.Data());
    EXPECT_EQ(values.front(), 0);
    EXPECT_EQ(values.back(), 0);
    EXPECT_EQ(std::vector<int32_t>(values.begin() + 1, values.begin() + 1 + head.size()), head);
  }
}

TEST(CubeState, RoundTripShowsTheCurrentSettings) {
  TPrepared saved(4);
  for (const auto& [s, d] : {std::pair{3, 1}, std::pair{40, 0}, std::pair{77, 2}}) {
    QuickTurn(saved.Cube, s, d);
  }
  TMemoryStream stream;
  saved.Cube.SaveState(stream);
  StreamWriteInteger(stream, 12345); // what follows the block stays unread

  TPrepared loaded(4);
  stream.SetPosition(0);
  loaded.Cube.LoadState(stream);
  EXPECT_EQ(stream.Position(), 24 * 16 + 8);
  EXPECT_EQ(Stickers(loaded.Cube), Stickers(saved.Cube));
  EXPECT_FALSE(loaded.Cube.Solved());
  EXPECT_EQ(loaded.Cube.History().Count(), 0);
}

TEST(CubeState, UnknownIdentitiesAndFilledReservedBlocks) {
  TPrepared model(2);
  TMemoryStream stream;
  StreamWriteInteger(stream, 3);
  stream.Write("abc", 3);
  std::vector<int32_t> ids = Identities(model.Cube);
  ids[0] = 0;
  ids[5] = 7;
  for (const int32_t v : ids) {
    StreamWriteInteger(stream, v);
  }
  StreamWriteInteger(stream, 2);
  stream.Write("xy", 2);
  stream.SetPosition(0);
  const TStickerData side3 = Stickers(model.Cube)[0]; // sticker 0 is on side 3
  model.Cube.LoadState(stream);
  EXPECT_EQ(stream.Position(), stream.Size());
  EXPECT_EQ(Stickers(model.Cube)[5], side3);
  EXPECT_EQ(Stickers(model.Cube)[0], side3);
}

TEST(CubeState, OldBlockRetintsTexturesByFirstAppearance) {
  TPrepared model(2);
  std::vector<TVertex3f> colors(24, TVertex3f{1, 0, 0});
  colors[0] = TVertex3f{1, 1, 1};
  colors[7] = TVertex3f{0, 0, 1};
  TMemoryStream stream(OldBlock(colors));
  const auto ids = Identities(model.Cube);
  model.Cube.LoadStateOldFormat(stream);
  EXPECT_EQ(stream.Position(), stream.Size());
  ASSERT_EQ(model.List.Tints.size(), 3u);
  EXPECT_TRUE(SameVertex(model.List.Color(0), TVertex3f{1, 1, 1}));
  EXPECT_TRUE(SameVertex(model.List.Color(1), TVertex3f{1, 0, 0}));
  EXPECT_TRUE(SameVertex(model.List.Color(2), TVertex3f{0, 0, 1}));
  EXPECT_EQ(model.Cube.WorkPlane(0).TextureID(), 51u);
  EXPECT_EQ(model.Cube.WorkPlane(1).TextureID(), 52u);
  EXPECT_EQ(model.Cube.WorkPlane(7).TextureID(), 53u);
  EXPECT_TRUE(SameVertex(model.Cube.WorkPlane(7).Color(), TVertex3f{0, 0, 1}));
  EXPECT_EQ(Identities(model.Cube), ids); // identities stay home
  EXPECT_FALSE(model.Cube.IsCubeSolved());
}

TEST(CubeState, DamagedBlocksAreRefusedAndChangeNothing) {
  TPrepared model(3);
  QuickTurn(model.Cube, 8, 1);
  TMemoryStream good;
  model.Cube.SaveState(good);
  const auto& bytes = good.Data();

  std::vector<std::pair<std::vector<uint8_t>, const char*>> current;
  for (const size_t cut :
       {size_t{0}, size_t{2}, size_t{4}, size_t{100}, bytes.size() - 4, bytes.size() - 1}) {
    current.emplace_back(std::vector<uint8_t>(bytes.begin(), bytes.begin() + cut), "ends early");
  }
  auto longReserved = bytes;
  longReserved[bytes.size() - 4] = 9; // the closing block claims 9 bytes that are not there
  current.emplace_back(longReserved, "runs past the end");
  auto hugeReserved = bytes;
  hugeReserved[3] = 0x7F; // the leading block claims about 2 GB
  current.emplace_back(hugeReserved, "runs past the end");
  auto negative = bytes;
  std::memset(negative.data(), 0xFF, 4); // a negative length reads as an empty block

  std::vector<TVertex3f> seven(54, TVertex3f{1, 1, 1});
  for (int k = 0; k < 7; ++k) {
    seven[static_cast<size_t>(k)] = TVertex3f{0.1f * k, 0, 0};
  }
  std::vector<TVertex3f> broken(54, TVertex3f{1, 1, 1});
  broken[9].Y = std::numeric_limits<float>::quiet_NaN();
  const auto oldBytes = OldBlock(std::vector<TVertex3f>(54, TVertex3f{1, 1, 1}));
  const std::vector<std::pair<std::vector<uint8_t>, const char*>> old = {
      {OldBlock(seven), "more than six colours"},
      {OldBlock(broken), "no valid colour"},
      {std::vector<uint8_t>(oldBytes.begin(), oldBytes.end() - 9), "ends early"},
      // Doubles that no colour holds, some beyond single precision: refused like NaN.
      {OldBlockWith(54, 9, 0, 1e300), "no valid colour"},
      {OldBlockWith(54, 53, 2, -1e300), "no valid colour"},
      {OldBlockWith(54, 0, 1, 3.5e38), "no valid colour"},
      {OldBlockWith(54, 20, 1, std::numeric_limits<double>::infinity()), "no valid colour"}};

  const auto before = Stickers(model.Cube);
  for (const bool isOld : {false, true}) {
    for (const auto& [data, message] : isOld ? old : current) {
      TMemoryStream stream(data);
      stream.SetPosition(0);
      try {
        isOld ? model.Cube.LoadStateOldFormat(stream) : model.Cube.LoadState(stream);
        ADD_FAILURE() << "accepted a block that " << message;
      } catch (const EStreamError& e) {
        EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << e.what();
      }
      EXPECT_EQ(stream.Position(), 0);
      ASSERT_EQ(Stickers(model.Cube), before) << message;
      EXPECT_TRUE(model.List.Tints.empty());
    }
  }
  TMemoryStream stream(negative);
  model.Cube.LoadState(stream);
  EXPECT_EQ(Stickers(model.Cube), before);
}
