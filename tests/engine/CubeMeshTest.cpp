// The cubie body mesh (resources/mesh/cube.mesh): its figures, its shape, and the face-quad corners
// that the cube model reads from it at fixed offsets.
#include "engine/Cube.h"
#include "engine/CubieBodyMesh.h"
#include "engine/GeomObject.h"
#include "engine/VexilCube.h"
#include "tests/engine/CommittedMesh.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
#include <set>
#include <tuple>
#include <vector>

using namespace vexil;
using vexil::test::CommittedCubeMesh;

namespace {

constexpr double kInnerHalfSize = kBodyMeshInnerHalfSize;
constexpr double kOuterHalfSize = kBodyMeshOuterHalfSize;
constexpr double kRadius = kOuterHalfSize - kInnerHalfSize;
constexpr std::array<double, 3> kCentre = kBodyMeshCentre;

using TPosition = std::array<float, 3>;

TGeomObject LoadCube() {
  TGeomObject mesh;
  mesh.LoadFromBytes(CommittedCubeMesh());
  return mesh;
}

TPosition PositionAt(const TGeomObject& AMesh, int AFloatOffset) {
  const float* p = AMesh.GLVertexArray().Floats() + AFloatOffset;
  return {p[0], p[1], p[2]};
}

TPosition DrawnPosition(const TGeomObject& AMesh, int AVertex) {
  return PositionAt(AMesh, 3 * AVertex);
}

std::array<double, 3> Cross(const std::array<double, 3>& A, const std::array<double, 3>& B) {
  return {A[1] * B[2] - A[2] * B[1], A[2] * B[0] - A[0] * B[2], A[0] * B[1] - A[1] * B[0]};
}

std::array<double, 3> Minus(const TPosition& A, const TPosition& B) {
  return {double(A[0]) - B[0], double(A[1]) - B[1], double(A[2]) - B[2]};
}

float Component(const TVertex3f& AVertex, int AAxis) {
  return AAxis == 0 ? AVertex.X : (AAxis == 1 ? AVertex.Y : AVertex.Z);
}

double RoundTo5(double AValue) {
  return std::nearbyint(AValue * 1e5) / 1e5;
}

} // namespace

TEST(CubeMesh, FileHasTheDocumentedFiguresAndIsReadToItsEnd) {
  const std::vector<uint8_t>& bytes = CommittedCubeMesh();
  TBytesStream stream(bytes.data(), bytes.size());
  ASSERT_EQ(stream.Size(), 20784);
  TGeomObject mesh;
  mesh.LoadFromStream(stream);
  EXPECT_EQ(stream.Position(), 20784);
  EXPECT_EQ(mesh.Name(), "ChamferBox01");
  EXPECT_EQ(mesh.VertexCount(), 104);
  EXPECT_EQ(mesh.PolygonCount(), 192);
  EXPECT_EQ(mesh.GLArraysVertexCount(), 576);
  EXPECT_EQ(mesh.GLColorArray().Size, 6912);
  EXPECT_EQ(mesh.GLNormalArray().Size, 6912);
  EXPECT_EQ(mesh.GLVertexArray().Size, 6912);
  EXPECT_EQ(mesh.Size(), 3 * 6912);
  EXPECT_FALSE(mesh.GLTextureArray().Exists());
}

// A corner of an open square: at the outer half-size on one axis, the inner one on the others.
bool IsSquareCorner(const TPosition& AP) {
  int outer = 0;
  int inner = 0;
  for (int axis = 0; axis < 3; ++axis) {
    const double offset = std::abs(AP[axis] - kCentre[axis]);
    outer += std::abs(offset - kOuterHalfSize) < 1e-4;
    inner += std::abs(offset - kInnerHalfSize) < 1e-4;
  }
  return outer == 1 && inner == 2;
}

TEST(CubeMesh, PositionsAreOnTheRoundedBoxWithSmoothUnitNormalsAndWhiteColours) {
  const TGeomObject mesh = LoadCube();
  int squareCorners = 0;
  const float* normals = mesh.GLNormalArray().Floats();
  const float* colours = mesh.GLColorArray().Floats();
  std::map<TPosition, std::array<float, 3>> normalAt;
  for (int v = 0; v < mesh.GLArraysVertexCount(); ++v) {
    const TPosition p = DrawnPosition(mesh, v);
    const std::array<float, 3> n = {normals[3 * v], normals[3 * v + 1], normals[3 * v + 2]};
    EXPECT_EQ(colours[3 * v], 1.0f);
    EXPECT_EQ(colours[3 * v + 1], 1.0f);
    EXPECT_EQ(colours[3 * v + 2], 1.0f);
    EXPECT_NEAR(std::sqrt(double(n[0]) * n[0] + double(n[1]) * n[1] + double(n[2]) * n[2]), 1.0,
                1e-6);
    const auto [it, inserted] = normalAt.emplace(p, n);
    EXPECT_TRUE(inserted || it->second == n) << "a position with two normals at vertex " << v;
    if (IsSquareCorner(p)) {
      squareCorners += inserted;
      continue; // their normals are averaged over the polygons around them (below)
    }
    // Each point lies at the rounding radius from the centre of its corner's sphere, in the
    // direction of its normal.
    for (int axis = 0; axis < 3; ++axis) {
      const double offset = p[axis] - kCentre[axis];
      const double sphereCentre = std::copysign(kInnerHalfSize, offset);
      EXPECT_NEAR(offset, sphereCentre + kRadius * n[axis], 2e-5) << "vertex " << v;
    }
  }
  EXPECT_EQ(normalAt.size(), 104u);
  EXPECT_EQ(squareCorners, 24);
}

TEST(CubeMesh, SquareCornersAreSmoothedTowardsTheBevelsAroundThem) {
  // Where a flat square meets the rounding, the smoothed normal leans off the square's normal
  // towards the corner, by a few degrees, the same way at every corner of a square.
  const TGeomObject mesh = LoadCube();
  const float* normals = mesh.GLNormalArray().Floats();
  for (size_t f = 0; f < PlaneCornerOffsets.size(); ++f) {
    const TPlaneDirection& face = PlaneDirections[f];
    std::set<std::array<float, 3>> magnitudes;
    for (const int offset : PlaneCornerOffsets[f]) {
      SCOPED_TRACE("face " + std::to_string(f + 1) + " offset " + std::to_string(offset));
      const TPosition p = PositionAt(mesh, offset);
      const std::array<float, 3> n = {normals[offset], normals[offset + 1], normals[offset + 2]};
      ASSERT_TRUE(IsSquareCorner(p));
      const double along = n[face.Axis] * face.Sign;
      const double tilt = std::acos(along) * 180.0 / M_PI;
      EXPECT_GT(tilt, 5.0);
      EXPECT_LT(tilt, 15.0);
      for (int axis = 0; axis < 3; ++axis) {
        if (axis != face.Axis) {
          EXPECT_GT(n[axis] * (p[axis] - kCentre[axis]), 0.0f) << "leans away from the corner";
        }
      }
      magnitudes.insert({std::abs(n[0]), std::abs(n[1]), std::abs(n[2])});
    }
    EXPECT_EQ(magnitudes.size(), 1u) << "the four corners of face " << f + 1 << " differ";
  }
}

TEST(CubeMeshShape, TrianglesWindOutwardsAndLeaveExactlyTheSixSquaresOpen) {
  const TGeomObject mesh = LoadCube();
  // Directed edges: on a consistently wound surface every inner edge is used once each way.
  std::map<std::pair<TPosition, TPosition>, int> edges;
  for (int t = 0; t < mesh.PolygonCount(); ++t) {
    const std::array<TPosition, 3> p = {DrawnPosition(mesh, 3 * t), DrawnPosition(mesh, 3 * t + 1),
                                        DrawnPosition(mesh, 3 * t + 2)};
    const std::array<double, 3> normal = Cross(Minus(p[1], p[0]), Minus(p[2], p[0]));
    double outward = 0;
    for (int axis = 0; axis < 3; ++axis) {
      outward +=
          normal[axis] * ((double(p[0][axis]) + p[1][axis] + p[2][axis]) / 3 - kCentre[axis]);
    }
    EXPECT_GT(outward, 0.0) << "triangle " << t;
    for (int k = 0; k < 3; ++k) {
      ++edges[{p[k], p[(k + 1) % 3]}];
    }
  }
  int openEdges = 0;
  for (const auto& [edge, count] : edges) {
    EXPECT_EQ(count, 1);
    if (edges.count({edge.second, edge.first}) != 0) {
      continue;
    }
    // An edge without its twin borders an open square: both ends lie in one face plane.
    ++openEdges;
    int sharedPlanes = 0;
    for (int axis = 0; axis < 3; ++axis) {
      sharedPlanes +=
          edge.first[axis] == edge.second[axis] &&
          std::abs(edge.first[axis] - kCentre[axis] -
                   std::copysign(kOuterHalfSize, edge.first[axis] - kCentre[axis])) < 1e-4;
    }
    EXPECT_EQ(sharedPlanes, 1);
  }
  EXPECT_EQ(openEdges, 6 * 4);
}

TEST(CubeMeshFaces, CornersAreTheOpenSquaresInOrderAroundThem) {
  const TGeomObject mesh = LoadCube();
  std::set<bool> turnsSeenFromOutside; // so that no sticker is drawn mirrored
  for (size_t f = 0; f < PlaneCornerOffsets.size(); ++f) {
    const TPlaneDirection& face = PlaneDirections[f];
    std::array<TPosition, 4> c{};
    for (int k = 0; k < 4; ++k) {
      c[k] = PositionAt(mesh, PlaneCornerOffsets[f][k]);
    }
    for (int k = 0; k < 4; ++k) {
      SCOPED_TRACE("face " + std::to_string(f + 1) + " corner " + std::to_string(k));
      EXPECT_NEAR(c[k][face.Axis] - kCentre[face.Axis], face.Sign * kOuterHalfSize, 1e-4);
      for (int axis = 0; axis < 3; ++axis) {
        if (axis != face.Axis) {
          EXPECT_NEAR(std::abs(c[k][axis] - kCentre[axis]), kInnerHalfSize, 1e-4);
        }
      }
      // Neighbours around the square differ on one axis, opposite corners on two.
      int changed = 0;
      for (int axis = 0; axis < 3; ++axis) {
        changed += c[k][axis] != c[(k + 1) % 4][axis];
      }
      EXPECT_EQ(changed, 1);
    }
    for (int axis = 0; axis < 3; ++axis) {
      EXPECT_EQ(c[0][axis] != c[2][axis], axis != face.Axis) << "face " << f + 1;
    }
    const double turn = Cross(Minus(c[1], c[0]), Minus(c[2], c[0]))[face.Axis] * face.Sign;
    turnsSeenFromOutside.insert(turn > 0);
  }
  EXPECT_EQ(turnsSeenFromOutside.size(), 1u);
}

TEST(CubeMeshFaces, AfterTheCubieTransformNormalsAreExactAxesAndCentresAtTheOuterHalfSize) {
  // The faces as the cube model makes them from the transformed mesh.
  const TVexilCube cube(1, CommittedCubeMesh());
  for (int f = 1; f <= 6; ++f) {
    SCOPED_TRACE("face " + std::to_string(f));
    const TPlane& plane = cube.Cube(0).Plane(f);
    const TPlaneDirection& face = PlaneDirections[f - 1];
    for (int axis = 0; axis < 3; ++axis) {
      const double expected = axis == face.Axis ? face.Sign : 0.0;
      EXPECT_EQ(Component(plane.Normal(), axis), expected) << "axis " << axis;
      EXPECT_EQ(RoundTo5(Component(plane.PlaneCentre(), axis)),
                RoundTo5(expected * kCubieBodyHalfSize))
          << "axis " << axis;
      if (axis != face.Axis) {
        EXPECT_NEAR(std::abs(Component(plane.GLVertexArray()[0], axis)), 0.2005, 1e-3);
      }
    }
    // The corners are lit by the mesh's smoothed normals there, not by the face normal.
    for (int k = 0; k < 4; ++k) {
      const TVertex3f& n = plane.GLNormalArray()[k];
      EXPECT_FALSE(SameVertex(n, plane.Normal())) << "corner " << k;
      EXPECT_GT(Component(n, face.Axis) * face.Sign, std::cos(15.0 * M_PI / 180.0));
    }
  }
}
