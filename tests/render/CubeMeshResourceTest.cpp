// The body mesh compiled into the program: it is there, it is the committed file, and it loads.
// A name that is not compiled in raises an error that names it, which the program shows.
#include "render/CubeMeshResource.h"
#include "engine/GeomObject.h"
#include "engine/Streams.h"
#include "tests/engine/CommittedMesh.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vexil {
namespace {

TEST(CubeMeshResource, IsTheCommittedFileAndLoadsAsTheBodyMesh) {
  const std::vector<uint8_t> bytes = ReadCubeMesh();
  EXPECT_EQ(bytes, test::CommittedCubeMesh());
  TGeomObject mesh;
  mesh.LoadFromBytes(bytes);
  EXPECT_EQ(mesh.PolygonCount(), 192);
  EXPECT_EQ(mesh.DrawableVertexCount(), 576);
}

TEST(CubeMeshResource, AResourceThatIsNotThereRaisesNamingIt) {
  try {
    ReadResourceBytes(QStringLiteral(":/mesh/no_such.mesh"));
    FAIL() << "a missing resource was read";
  } catch (const EStreamError& error) {
    EXPECT_NE(std::string(error.what()).find(":/mesh/no_such.mesh"), std::string::npos)
        << error.what();
  }
}

} // namespace
} // namespace vexil
