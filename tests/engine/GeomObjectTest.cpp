// The mesh object: its file format (writing, reading, damaged input), the generated texture
// coordinates and the in-place transforms.
#include "engine/GeomObject.h"
#include "engine/CubieBodyMesh.h"
#include "tests/engine/AllocationProbe.h"
#include "tests/engine/CommittedMesh.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

using namespace vexil;
using vexil::test::CommittedCubeMesh;

namespace {

// Two triangles with distinct values everywhere, so that a mixed-up array shows.
TGeomObject MakeSmallMesh() {
  TGeomObject mesh;
  mesh.SetName("Pair");
  mesh.SetVertexCount(4);
  mesh.SetPolygonCount(2);
  mesh.SetGLArraysVertexCount(6);
  float* colours = mesh.CreateColorArray();
  float* normals = mesh.CreateNormalArray();
  float* positions = mesh.CreateVertexArray();
  for (int i = 0; i < 18; ++i) {
    colours[i] = i / 18.0f;
    normals[i] = -1.0f + i / 9.0f;
    positions[i] = 100.0f + i;
  }
  return mesh;
}

std::vector<uint8_t> Serialise(const TGeomObject& AMesh) {
  TMemoryStream stream;
  AMesh.SaveToStream(stream);
  return stream.Data();
}

std::vector<uint8_t> ReadFileBytes(const std::string& AFileName) {
  std::ifstream file(AFileName, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
}

int32_t IntegerAt(const std::vector<uint8_t>& ABytes, size_t AOffset) {
  int32_t value = 0;
  std::memcpy(&value, ABytes.data() + AOffset, sizeof(value));
  return value;
}

void SetIntegerAt(std::vector<uint8_t>& ABytes, size_t AOffset, int32_t AValue) {
  std::memcpy(ABytes.data() + AOffset, &AValue, sizeof(AValue));
}

// Byte offsets of the three array counts in a serialised mesh named "Pair".
constexpr size_t kColourCountAt = 4 + 4 + 4 + 12;
constexpr size_t kNormalCountAt = kColourCountAt + 4 + 72;
constexpr size_t kPositionCountAt = kNormalCountAt + 4 + 72;

void ExpectSameArray(const TGLArray& A, const TGLArray& B) {
  ASSERT_EQ(A.Size, B.Size);
  ASSERT_EQ(A.Exists(), B.Exists());
  if (A.Exists()) {
    EXPECT_EQ(std::memcmp(A.Floats(), B.Floats(), static_cast<size_t>(A.Size)), 0);
  }
}

void ExpectSameMesh(const TGeomObject& A, const TGeomObject& B) {
  EXPECT_EQ(A.Name(), B.Name());
  EXPECT_EQ(A.VertexCount(), B.VertexCount());
  EXPECT_EQ(A.PolygonCount(), B.PolygonCount());
  EXPECT_EQ(A.GLArraysVertexCount(), B.GLArraysVertexCount());
  ExpectSameArray(A.GLColorArray(), B.GLColorArray());
  ExpectSameArray(A.GLNormalArray(), B.GLNormalArray());
  ExpectSameArray(A.GLVertexArray(), B.GLVertexArray());
}

std::string TempPath(const std::string& AName) {
  return testing::TempDir() + "vexil_geom_" + AName;
}

} // namespace

TEST(GeomObject, StartsEmptyWithNoTexture) {
  const TGeomObject mesh;
  EXPECT_EQ(mesh.Name(), "");
  EXPECT_TRUE(mesh.CanDraw());
  EXPECT_EQ(mesh.TextureID(), 1000u);
  EXPECT_FALSE(mesh.DrawTexture());
  EXPECT_EQ(mesh.PolygonCount(), 0);
  EXPECT_EQ(mesh.GLArraysVertexCount(), 0);
  EXPECT_FALSE(mesh.GLVertexArray().Exists());
  EXPECT_FALSE(mesh.GLTextureArray().Exists());
  EXPECT_EQ(mesh.Size(), 0);
}

TEST(GeomObjectFormat, FileRoundTripIsByteIdenticalAndFramedByEmptyBlocks) {
  const std::vector<uint8_t>& original = CommittedCubeMesh();
  TGeomObject loaded;
  loaded.LoadFromBytes(original);

  const std::string path = TempPath("roundtrip.mesh");
  loaded.SaveToFile(path);
  const std::vector<uint8_t> written = ReadFileBytes(path);
  EXPECT_EQ(written, original);
  ASSERT_GE(written.size(), 8u);
  EXPECT_EQ(IntegerAt(written, 0), 0);
  EXPECT_EQ(IntegerAt(written, written.size() - 4), 0);

  TGeomObject reread;
  reread.LoadFromFile(path);
  ExpectSameMesh(reread, loaded);
  std::remove(path.c_str());
}

TEST(GeomObjectFormat, LayoutIsNameCountsThenColourNormalPositionArrays) {
  const TGeomObject mesh = MakeSmallMesh();
  const std::vector<uint8_t> bytes = Serialise(mesh);
  ASSERT_EQ(bytes.size(), kPositionCountAt + 4 + 72 + 4);
  EXPECT_EQ(IntegerAt(bytes, 4), 4);
  EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 12), "Pair");
  EXPECT_EQ(IntegerAt(bytes, 12), 4);
  EXPECT_EQ(IntegerAt(bytes, 16), 2);
  EXPECT_EQ(IntegerAt(bytes, 20), 6);
  EXPECT_EQ(IntegerAt(bytes, kColourCountAt), 72);
  EXPECT_EQ(std::memcmp(bytes.data() + kNormalCountAt + 4, mesh.GLNormalArray().Floats(), 72), 0);
  EXPECT_EQ(std::memcmp(bytes.data() + kPositionCountAt + 4, mesh.GLVertexArray().Floats(), 72), 0);

  TMemoryStream stream(bytes);
  TGeomObject reread;
  reread.LoadFromStream(stream);
  ExpectSameMesh(reread, mesh);
  EXPECT_EQ(stream.Position(), stream.Size());
}

TEST(GeomObjectFormat, LeadingReservedBlockIsSkippedAndANonPositiveOneIsEmpty) {
  const std::vector<uint8_t> body = Serialise(MakeSmallMesh());
  for (const int32_t reserved : {7, -3}) {
    SCOPED_TRACE(reserved);
    std::vector<uint8_t> bytes(4);
    SetIntegerAt(bytes, 0, reserved);
    for (int i = 0; i < std::max(reserved, 0); ++i) {
      bytes.push_back(static_cast<uint8_t>(0xA0 + i));
    }
    bytes.insert(bytes.end(), body.begin() + 4, body.end());
    TMemoryStream stream(bytes);
    TGeomObject mesh;
    mesh.LoadFromStream(stream);
    ExpectSameMesh(mesh, MakeSmallMesh());
    EXPECT_EQ(stream.Position(), stream.Size());
  }
}

TEST(GeomObjectFormat, ZeroByteArraysReadAsNoBlock) {
  TGeomObject empty;
  empty.SetName("Empty");
  TMemoryStream stream(Serialise(empty));
  TGeomObject mesh;
  mesh.LoadFromStream(stream);
  EXPECT_EQ(mesh.Name(), "Empty");
  EXPECT_FALSE(mesh.GLColorArray().Exists());
  EXPECT_FALSE(mesh.GLVertexArray().Exists());
  EXPECT_EQ(stream.Position(), stream.Size());
}

TEST(GeomObjectDamagedInput, AStreamEndingAnywhereEarlyRaises) {
  const std::vector<uint8_t> bytes = Serialise(MakeSmallMesh());
  for (size_t length = 0; length < bytes.size(); ++length) {
    TMemoryStream stream(std::vector<uint8_t>(bytes.begin(), bytes.begin() + length));
    TGeomObject mesh;
    EXPECT_THROW(mesh.LoadFromStream(stream), EStreamError) << "cut at " << length;
  }
}

TEST(GeomObjectDamagedInput, NegativeOrAbsurdCountsRaiseWithoutAllocatingThem) {
  const std::vector<uint8_t> good = Serialise(MakeSmallMesh());
  const std::vector<size_t> counts = {0, 4, kColourCountAt, kNormalCountAt, kPositionCountAt};
  for (const size_t at : counts) {
    for (const int32_t bad : {-1, -72, 0x7FFFFFFF, 1000}) {
      if (at < kColourCountAt && bad < 0) {
        continue; // a name or reserved block of count < 1 is read as empty, not as damage
      }
      SCOPED_TRACE("count at " + std::to_string(at) + " = " + std::to_string(bad));
      std::vector<uint8_t> bytes = good;
      SetIntegerAt(bytes, at, bad);
      TMemoryStream stream(bytes);
      TGeomObject mesh;
      const vexil_test::TAllocationProbe probe;
      EXPECT_THROW(mesh.LoadFromStream(stream), EStreamError);
      EXPECT_LE(probe.Largest(), bytes.size());
    }
  }
}

TEST(GeomObjectDamagedInput, AbsurdCountInTheRealMeshAllocatesNoMoreThanTheStreamHolds) {
  std::vector<uint8_t> bytes = CommittedCubeMesh();
  const size_t normalCountAt = 4 + 4 + 12 + 12 + 4 + 6912;
  ASSERT_EQ(IntegerAt(bytes, normalCountAt), 6912);
  SetIntegerAt(bytes, normalCountAt, 0x7FFFFFFF);
  TMemoryStream stream(bytes);
  TGeomObject mesh;
  const vexil_test::TAllocationProbe probe;
  EXPECT_THROW(mesh.LoadFromStream(stream), EStreamError);
  EXPECT_LE(probe.Largest(), bytes.size());
  EXPECT_EQ(mesh.GLColorArray().Size, 6912); // what was read before the damage is kept
}

TEST(GeomObjectDamagedInput, CountsTheArraysCannotBackRaiseAndCannotOverflowAnArray) {
  // 50 bytes with no arrays that claim 89,478,486 triangles: 48 bytes of texture coordinates
  // each would wrap a 32-bit size round to 32 bytes.
  TGeomObject claimed;
  claimed.SetName("Overflow tests");
  claimed.SetPolygonCount(89478486);
  const std::vector<uint8_t> bytes = Serialise(claimed);
  ASSERT_EQ(bytes.size(), 50u);
  TMemoryStream stream(bytes);
  TGeomObject mesh;
  try {
    mesh.LoadFromStream(stream);
    FAIL() << "triangles without arrays loaded";
  } catch (const EStreamError& error) {
    EXPECT_NE(std::string(error.what()).find("89478486 triangles"), std::string::npos)
        << error.what();
  }
  // The counts read are kept, so making an array from them must refuse rather than wrap.
  ASSERT_EQ(mesh.PolygonCount(), 89478486);
  EXPECT_THROW(mesh.CreateTextureArray(), std::length_error);
  EXPECT_FALSE(mesh.GLTextureArray().Exists());
  mesh.SetPolygonCount(59652324); // 36 bytes a triangle: just past 2^31 - 1
  EXPECT_THROW(mesh.CreateColorArray(), std::length_error);
  EXPECT_THROW(mesh.CreateNormalArray(), std::length_error);
  EXPECT_THROW(mesh.CreateVertexArray(), std::length_error);
}

TEST(GeomObjectDamagedInput, EveryArrayReadMustHoldTheTrianglesAndVertices) {
  const auto loads = [](const TGeomObject& AMesh) {
    TMemoryStream stream(Serialise(AMesh));
    TGeomObject mesh;
    mesh.LoadFromStream(stream);
  };
  EXPECT_NO_THROW(loads(MakeSmallMesh()));
  TGeomObject moreTriangles = MakeSmallMesh();
  moreTriangles.SetPolygonCount(3);
  EXPECT_THROW(loads(moreTriangles), EStreamError);
  TGeomObject moreVertices = MakeSmallMesh();
  moreVertices.SetGLArraysVertexCount(7);
  EXPECT_THROW(loads(moreVertices), EStreamError);
  // A shorter colour array, with the positions complete.
  TGeomObject shortColours = MakeSmallMesh();
  shortColours.SetPolygonCount(1);
  shortColours.CreateColorArray();
  shortColours.SetPolygonCount(2);
  EXPECT_THROW(loads(shortColours), EStreamError);
  // A mesh without colours or normals is drawn without them, not refused.
  TGeomObject positionsOnly;
  positionsOnly.SetPolygonCount(2);
  positionsOnly.SetGLArraysVertexCount(6);
  positionsOnly.CreateVertexArray();
  EXPECT_NO_THROW(loads(positionsOnly));
}

TEST(GeomObjectDamagedInput, EmptyOrCutBytesRaiseAsADamagedStreamDoes) {
  TGeomObject empty;
  EXPECT_THROW(empty.LoadFromBytes({}), EStreamError);
  EXPECT_EQ(empty.PolygonCount(), 0);
  EXPECT_FALSE(empty.GLVertexArray().Exists());

  // Every cut of the real mesh, down to a single byte, ends inside something the format needs.
  const std::vector<uint8_t>& whole = CommittedCubeMesh();
  for (size_t length = 1; length < whole.size(); ++length) {
    const std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<long>(length));
    TGeomObject mesh;
    EXPECT_THROW(mesh.LoadFromBytes(cut), EStreamError) << length << " bytes";
  }
}

TEST(GeomObjectFormat, BytesLoadAsTheSameFileReadAsAStream) {
  const std::vector<uint8_t>& bytes = CommittedCubeMesh();
  TGeomObject fromBytes;
  fromBytes.LoadFromBytes(bytes);
  TMemoryStream stream(bytes);
  TGeomObject fromStream;
  fromStream.LoadFromStream(stream);
  ExpectSameMesh(fromBytes, fromStream);
  EXPECT_EQ(fromBytes.PolygonCount(), 192);
}

TEST(GeomObjectDamagedInput, MissingFilesAreNamedInTheError) {
  TGeomObject mesh;
  const std::string missing = TempPath("does_not_exist.mesh");
  try {
    mesh.LoadFromFile(missing);
    FAIL() << "a missing file loaded";
  } catch (const EStreamError& error) {
    EXPECT_NE(std::string(error.what()).find(missing), std::string::npos);
  }
  EXPECT_THROW(MakeSmallMesh().SaveToFile(TempPath("no_such_dir/x.mesh")), EStreamError);
}

TEST(GeomObjectArrays, CreateArraysSizeByTriangleCount) {
  TGeomObject mesh;
  mesh.SetPolygonCount(192);
  const float* colours = mesh.CreateColorArray();
  EXPECT_EQ(colours, mesh.GLColorArray().Floats());
  EXPECT_EQ(mesh.GLColorArray().Size, 192 * 36);
  mesh.CreateVertexArray();
  EXPECT_EQ(mesh.GLVertexArray().Size, 192 * 36);
  EXPECT_EQ(mesh.Size(), 3 * 192 * 36);
  mesh.SetPolygonCount(-5);
  mesh.CreateNormalArray();
  EXPECT_EQ(mesh.GLNormalArray().Size, 0);
}

TEST(GeomObjectArrays, TextureCoordinatesCoverTheUnitSquareWithEachPairOfTriangles) {
  TGeomObject mesh;
  mesh.LoadFromBytes(CommittedCubeMesh());
  const float* st = mesh.CreateTextureArray();
  ASSERT_EQ(st, mesh.GLTextureArray().Floats());
  EXPECT_EQ(mesh.GLTextureArray().Size, 192 * 48);
  const float expected[7][2] = {{0, 0}, {0, 1}, {1, 1}, {0, 0}, {1, 0}, {1, 1}, {0, 0}};
  for (int v = 0; v < 7; ++v) {
    EXPECT_EQ(st[2 * v], expected[v][0]) << "vertex " << v;
    EXPECT_EQ(st[2 * v + 1], expected[v][1]) << "vertex " << v;
  }
  EXPECT_EQ(st[2 * 575], 1.0f); // the last drawn vertex, of an odd triangle
  EXPECT_EQ(st[2 * 575 + 1], 1.0f);
}

TEST(GeomObjectArrays, DrawableVerticesAreCutToWhatEveryDrawnArrayHolds) {
  TGeomObject mesh;
  mesh.LoadFromBytes(CommittedCubeMesh());
  EXPECT_EQ(mesh.DrawableVertexCount(), 576);
  mesh.SetGLArraysVertexCount(1 << 30);
  EXPECT_EQ(mesh.DrawableVertexCount(), 576);
  mesh.SetGLArraysVertexCount(-4);
  EXPECT_EQ(mesh.DrawableVertexCount(), 0);
  mesh.SetGLArraysVertexCount(576);

  // Texture coordinates for ten triangles: two floats a vertex, so they reach 60 vertices.
  mesh.SetPolygonCount(10);
  mesh.CreateTextureArray();
  mesh.SetPolygonCount(192);
  EXPECT_FALSE(mesh.DrawsTextured());
  EXPECT_EQ(mesh.DrawableVertexCount(), 576); // not textured: the coordinates are not read
  mesh.SetDrawTexture(true);
  EXPECT_FALSE(mesh.DrawsTextured()); // no texture name yet
  mesh.SetTextureID(5);
  EXPECT_TRUE(mesh.DrawsTextured());
  EXPECT_EQ(mesh.DrawableVertexCount(), 60);

  // A shorter normal array cuts the count; without positions nothing is drawn.
  TGeomObject pair = MakeSmallMesh();
  pair.SetPolygonCount(1);
  pair.CreateNormalArray();
  EXPECT_EQ(pair.DrawableVertexCount(), 3);
  TGeomObject noPositions;
  noPositions.SetPolygonCount(2);
  noPositions.SetGLArraysVertexCount(6);
  noPositions.CreateColorArray();
  EXPECT_EQ(noPositions.DrawableVertexCount(), 0);
}

TEST(GeomObjectTransforms, ScaleTranslateColourAndNormals) {
  TGeomObject outer;
  outer.SetPolygonCount(1);
  outer.SetGLArraysVertexCount(3);
  outer.CreateVertexArray()[0] = static_cast<float>(kBodyMeshOuterHalfSize);
  outer.Scale(static_cast<float>(kBodyMeshScale));
  EXPECT_EQ(outer.GLVertexArray().Floats()[0], static_cast<float>(kCubieBodyHalfSize));

  TGeomObject mesh = MakeSmallMesh();
  mesh.Scale(0.005f);
  EXPECT_FLOAT_EQ(mesh.GLVertexArray().Floats()[0], 0.5f);
  EXPECT_FLOAT_EQ(mesh.GLVertexArray().Floats()[17], 117.0f * 0.005f);

  mesh.Translate(1.0f, -2.0f, 0.5f);
  EXPECT_FLOAT_EQ(mesh.GLVertexArray().Floats()[0], 1.5f);
  EXPECT_FLOAT_EQ(mesh.GLVertexArray().Floats()[1], 101.0f * 0.005f - 2.0f);
  EXPECT_FLOAT_EQ(mesh.GLVertexArray().Floats()[17], 117.0f * 0.005f + 0.5f);

  mesh.SetColor(0.3f, 0.3f, 0.3f);
  for (int i = 0; i < 18; ++i) {
    EXPECT_EQ(mesh.GLColorArray().Floats()[i], 0.3f);
  }

  const TGeomObject before = MakeSmallMesh();
  mesh.ReverseNormals();
  for (int i = 0; i < 18; ++i) {
    EXPECT_EQ(mesh.GLNormalArray().Floats()[i], -before.GLNormalArray().Floats()[i]);
  }
  mesh.ReverseNormals();
  ExpectSameArray(mesh.GLNormalArray(), before.GLNormalArray());
}

TEST(GeomObjectTransforms, WorkOnTheDrawnVerticesOnlyAndSkipMissingBlocks) {
  TGeomObject mesh = MakeSmallMesh();
  mesh.SetGLArraysVertexCount(2);
  mesh.Translate(1.0f, 1.0f, 1.0f);
  EXPECT_EQ(mesh.GLVertexArray().Floats()[5], 105.0f + 1.0f); // vertex 1: moved
  EXPECT_EQ(mesh.GLVertexArray().Floats()[6], 106.0f);        // vertex 2: not drawn, kept

  // A vertex count larger than the blocks must stop at the block's end.
  mesh.SetGLArraysVertexCount(1000);
  mesh.SetColor(1.0f, 0.0f, 0.0f);
  EXPECT_EQ(mesh.GLColorArray().Floats()[15], 1.0f);
  EXPECT_EQ(mesh.GLColorArray().glArray.size(), 18u);

  TGeomObject empty;
  empty.SetGLArraysVertexCount(6);
  empty.Scale(2.0f);
  empty.Translate(1.0f, 1.0f, 1.0f);
  empty.SetColor(1.0f, 1.0f, 1.0f);
  empty.ReverseNormals();
  EXPECT_FALSE(empty.GLVertexArray().Exists());
  EXPECT_FALSE(empty.GLColorArray().Exists());
  EXPECT_FALSE(empty.GLNormalArray().Exists());
}
