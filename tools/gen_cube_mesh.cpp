// Generates resources/mesh/cube.mesh, the cubie body: a cube with rounded edges and corners whose
// six flat squares are left open (the face quads of every cubie fill them).
//
//   gen_cube_mesh OUTPUT_PATH
//
// Shape: an inner box of half-size 40.102 grown by a radius of 10.152 to an outer half-size of
// 50.254, centred on (0.1516, 0.3489, 1.5532). Each edge is a quarter cylinder in 3 steps (profile
// points at 0, 30, 60 and 90 degrees); each corner is a sphere octant in latitude/longitude steps
// of 30 degrees (13 points). That gives 8 x 13 = 104 positions and 8 x 15 + 12 x 3 x 2 = 192
// triangles. Normals are the smooth ones: the direction from the rounding centre to the point,
// except at the 24 corners of the open squares. There the flat square meets two edge bevels and
// a corner patch, and the point takes the average of the normals of all the polygons around it,
// each weighted by its angle at the point (so the split of a quad into triangles does not count),
// as a modelling tool's smoothing gives it: 8.9 degrees off the square's own normal on the z
// faces and 10.4 on the others (the corner patches are cut by latitude from the z poles), leaning
// towards the corner. The face quads read their corner normals there, so a sticker is
// shaded across like the rounded body around it instead of lit flat.
//
// The face quads read their corners at fixed float offsets of the drawn-vertex arrays, so the
// triangle order and each triangle's starting vertex are chosen (by a small search) to put the four
// corners of every open square at those offsets, in order around the square. Every triangle keeps
// its outward winding. The output is the same bytes on every run.
#include "engine/Cube.h"
#include "engine/CubieBodyMesh.h"
#include "engine/GeomObject.h"
#include "engine/Streams.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <exception>
#include <functional>
#include <stdexcept>
#include <utility>
#include <vector>

using namespace vexil;

namespace {

constexpr double kInnerHalfSize = kBodyMeshInnerHalfSize;
constexpr double kOuterHalfSize = kBodyMeshOuterHalfSize;
constexpr double kRadius = kOuterHalfSize - kInnerHalfSize;
constexpr std::array<double, 3> kCentre = kBodyMeshCentre;
constexpr int kSteps = 3; // 30-degree steps per quarter circle
constexpr int kPointsPerCorner = 1 + kSteps * (kSteps + 1);
constexpr int kTriangleCount = 192;

// cos and sin of 0, 30, 60 and 90 degrees, exact at the ends so that the points on the open
// squares share their coordinates bit for bit.
const std::array<double, kSteps + 1> kCos = {1.0, std::sqrt(3.0) / 2.0, 0.5, 0.0};
const std::array<double, kSteps + 1> kSin = {0.0, 0.5, std::sqrt(3.0) / 2.0, 1.0};

using TDirection = std::array<double, 3>; // components >= 0, in the corner's own octant
using TTriangle = std::array<int, 3>;     // position indices, outward winding

struct TPoint {
  std::array<float, 3> Position;
  std::array<float, 3> Normal;
};

// Face k (1..6) of a cubie: the axis it points along and the sign, and the float offsets at
// which the face quad reads its four corners.
struct TFace {
  int Axis;
  int Sign;
  TIntArray CornerOffsets;
};

const std::array<TFace, 6> kFaces = {{{2, +1, PlaneCornerOffsets[0]},
                                      {1, +1, PlaneCornerOffsets[1]},
                                      {0, -1, PlaneCornerOffsets[2]},
                                      {1, -1, PlaneCornerOffsets[3]},
                                      {0, +1, PlaneCornerOffsets[4]},
                                      {2, -1, PlaneCornerOffsets[5]}}};

int CornerSign(int ACorner, int AAxis) {
  return (ACorner >> AAxis) & 1 ? +1 : -1;
}

// Corner patch point (latitude i from the +z pole, longitude j from the x axis towards y).
TDirection PatchDirection(int ALatitude, int ALongitude) {
  return {kSin[ALatitude] * kCos[ALongitude], kSin[ALatitude] * kSin[ALongitude], kCos[ALatitude]};
}

class TChamferBox {
public:
  TChamferBox() {
    for (int corner = 0; corner < 8; ++corner) {
      AddCornerPatch(corner);
    }
    for (int axis = 0; axis < 3; ++axis) {
      for (int signs = 0; signs < 4; ++signs) {
        AddEdgeStrip(axis, signs);
      }
    }
  }

  // Gives every corner of an open square the angle-weighted average normal of the polygons that
  // meet there, the open square among them.
  void SmoothSquareCorners() {
    for (const TFace& face : kFaces) {
      TDirection faceNormal{};
      faceNormal[face.Axis] = face.Sign;
      for (int corner = 0; corner < 8; ++corner) {
        if (CornerSign(corner, face.Axis) != face.Sign) {
          continue;
        }
        const int point = SquareCorner(face, corner);
        // The open square is not among the triangles: its right angle counts by hand.
        TDirection sum = Scaled(faceNormal, std::acos(0.0));
        for (const TTriangle& triangle : FTriangles) {
          AddCornerShare(triangle, point, sum);
        }
        const TDirection normal = Scaled(sum, 1.0 / Length(sum));
        for (int axis = 0; axis < 3; ++axis) {
          FPoints[point].Normal[axis] = static_cast<float>(normal[axis]);
        }
      }
    }
  }

  const std::vector<TPoint>& Points() const { return FPoints; }
  const std::vector<TTriangle>& Triangles() const { return FTriangles; }

  // The point where the open square of face AFace meets the rounding of ACorner.
  int SquareCorner(const TFace& AFace, int ACorner) const {
    TDirection direction{};
    direction[AFace.Axis] = 1.0;
    return FindPoint(ACorner, direction);
  }

private:
  void AddCornerPatch(int ACorner) {
    FDirections.emplace_back(PatchDirection(0, 0));
    AddPoint(ACorner, FDirections.back());
    for (int i = 1; i <= kSteps; ++i) {
      for (int j = 0; j <= kSteps; ++j) {
        FDirections.emplace_back(PatchDirection(i, j));
        AddPoint(ACorner, FDirections.back());
      }
    }
    const int base = ACorner * kPointsPerCorner;
    const auto at = [base](int i, int j) { return i == 0 ? base : base + 1 + (i - 1) * 4 + j; };
    for (int j = 0; j < kSteps; ++j) {
      AddTriangle({at(0, 0), at(1, j), at(1, j + 1)});
    }
    for (int i = 1; i < kSteps; ++i) {
      for (int j = 0; j < kSteps; ++j) {
        AddQuad(at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1));
      }
    }
  }

  // The quarter cylinder along AAxis; bit 0 of ASigns is the sign on the first other axis, bit 1
  // on the second. Its profile points are those of the two corner patches it joins.
  void AddEdgeStrip(int AAxis, int ASigns) {
    const int first = (AAxis + 1) % 3;
    const int second = (AAxis + 2) % 3;
    const int bits = ((ASigns & 1) << first) | (((ASigns >> 1) & 1) << second);
    const int lowCorner = bits;
    const int highCorner = bits | (1 << AAxis);
    for (int k = 0; k < kSteps; ++k) {
      AddQuad(ProfilePoint(lowCorner, AAxis, k), ProfilePoint(highCorner, AAxis, k),
              ProfilePoint(highCorner, AAxis, k + 1), ProfilePoint(lowCorner, AAxis, k + 1));
    }
  }

  int ProfilePoint(int ACorner, int AAxis, int AStep) const {
    TDirection direction{};
    direction[(AAxis + 1) % 3] = kCos[AStep];
    direction[(AAxis + 2) % 3] = kSin[AStep];
    return FindPoint(ACorner, direction);
  }

  int FindPoint(int ACorner, const TDirection& ADirection) const {
    for (int k = ACorner * kPointsPerCorner; k < (ACorner + 1) * kPointsPerCorner; ++k) {
      if (FDirections[k] == ADirection) {
        return k;
      }
    }
    throw std::logic_error("no patch point in that direction");
  }

  void AddPoint(int ACorner, const TDirection& ADirection) {
    TPoint point{};
    for (int axis = 0; axis < 3; ++axis) {
      const double sign = CornerSign(ACorner, axis);
      const double offset = kInnerHalfSize + kRadius * ADirection[axis];
      point.Position[axis] = static_cast<float>(kCentre[axis] + sign * offset);
      point.Normal[axis] =
          ADirection[axis] == 0.0 ? 0.0f : static_cast<float>(sign * ADirection[axis]);
    }
    FPoints.push_back(point);
  }

  static TDirection Scaled(const TDirection& AVector, double AFactor) {
    return {AVector[0] * AFactor, AVector[1] * AFactor, AVector[2] * AFactor};
  }

  static double Length(const TDirection& AVector) {
    return std::sqrt(AVector[0] * AVector[0] + AVector[1] * AVector[1] + AVector[2] * AVector[2]);
  }

  TDirection Between(int AFrom, int ATo) const {
    TDirection d{};
    for (int axis = 0; axis < 3; ++axis) {
      d[axis] = static_cast<double>(FPoints[ATo].Position[axis]) - FPoints[AFrom].Position[axis];
    }
    return d;
  }

  // Adds the unit normal of ATriangle times its angle at APoint, when APoint is one of its
  // corners.
  void AddCornerShare(const TTriangle& ATriangle, int APoint, TDirection& ASum) const {
    for (int v = 0; v < 3; ++v) {
      if (ATriangle[v] != APoint) {
        continue;
      }
      const TDirection a = Between(APoint, ATriangle[(v + 1) % 3]);
      const TDirection b = Between(APoint, ATriangle[(v + 2) % 3]);
      const TDirection cross = {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2],
                                a[0] * b[1] - a[1] * b[0]};
      const double angle =
          std::acos((a[0] * b[0] + a[1] * b[1] + a[2] * b[2]) / (Length(a) * Length(b)));
      for (int axis = 0; axis < 3; ++axis) {
        ASum[axis] += cross[axis] / Length(cross) * angle;
      }
    }
  }

  void AddQuad(int A, int B, int C, int D) {
    AddTriangle({A, B, C});
    AddTriangle({A, C, D});
  }

  // Stores the triangle wound so that its normal points away from the centre.
  void AddTriangle(TTriangle ATriangle) {
    std::array<std::array<double, 3>, 3> p{};
    for (int v = 0; v < 3; ++v) {
      for (int axis = 0; axis < 3; ++axis) {
        p[v][axis] = FPoints[ATriangle[v]].Position[axis];
      }
    }
    double outward = 0.0;
    for (int axis = 0; axis < 3; ++axis) {
      const int u = (axis + 1) % 3;
      const int w = (axis + 2) % 3;
      const double normal =
          (p[1][u] - p[0][u]) * (p[2][w] - p[0][w]) - (p[1][w] - p[0][w]) * (p[2][u] - p[0][u]);
      const double away = (p[0][axis] + p[1][axis] + p[2][axis]) / 3.0 - kCentre[axis];
      outward += normal * away;
    }
    if (outward < 0.0) {
      std::swap(ATriangle[1], ATriangle[2]);
    }
    FTriangles.push_back(ATriangle);
  }

  std::vector<TDirection> FDirections; // per point, in the corner's octant
  std::vector<TPoint> FPoints;
  std::vector<TTriangle> FTriangles;
};

// A drawn-vertex slot that must show a given position.
struct TSlotNeed {
  int Slot;
  int Point;
};

// What goes at one triangle index of the output: a generated triangle, started at a vertex.
struct TPlacement {
  int Source;   // index into the geometric triangle list
  int Rotation; // slot s shows vertex (s + Rotation) % 3 of the source
};

class TSlotSearch {
public:
  explicit TSlotSearch(const TChamferBox& ABox)
      : FBox(ABox), FPlacements(kTriangleCount, TPlacement{-1, 0}),
        FUsed(ABox.Triangles().size(), false) {}

  // Places a triangle at every index that holds a face-quad corner; false if impossible.
  bool Run() { return PlaceFace(0); }

  // The remaining triangles fill the free indices in their generated order, unrotated.
  std::vector<TPlacement> Complete() const {
    std::vector<TPlacement> placements = FPlacements;
    size_t next = 0;
    for (TPlacement& placement : placements) {
      if (placement.Source >= 0) {
        continue;
      }
      while (FUsed[next]) {
        ++next;
      }
      placement = TPlacement{static_cast<int>(next++), 0};
    }
    return placements;
  }

private:
  // Per output triangle index, the slots it must fill.
  using TNeeds = std::vector<std::pair<int, std::vector<TSlotNeed>>>;

  // The square corners of face AFace in order around the square, starting at AStart, clockwise
  // seen from outside or, with AReverse, anticlockwise.
  std::array<int, 4> SquareOrder(const TFace& AFace, int AStart, bool AReverse) const {
    const int u = (AFace.Axis + 1) % 3;
    const int v = (AFace.Axis + 2) % 3;
    static constexpr std::array<std::array<int, 2>, 4> kAround = {{{0, 0}, {1, 0}, {1, 1}, {0, 1}}};
    // Seen from outside, (u, v) turns anticlockwise through kAround on the positive faces only.
    const bool backwards = AReverse != (AFace.Sign > 0);
    std::array<int, 4> order{};
    for (int k = 0; k < 4; ++k) {
      const int step = backwards ? (AStart - k + 4) % 4 : (AStart + k) % 4;
      const int corner = (AFace.Sign > 0 ? 1 << AFace.Axis : 0) | (kAround[step][0] << u) |
                         (kAround[step][1] << v);
      order[k] = FBox.SquareCorner(AFace, corner);
    }
    return order;
  }

  static TNeeds NeedsOf(const TFace& AFace, const std::array<int, 4>& AOrder) {
    TNeeds needs;
    for (int k = 0; k < 4; ++k) {
      const int vertex = AFace.CornerOffsets[k] / 3;
      const TSlotNeed need{vertex % 3, AOrder[k]};
      auto it = needs.begin();
      while (it != needs.end() && it->first != vertex / 3) {
        ++it;
      }
      if (it == needs.end()) {
        needs.emplace_back(vertex / 3, std::vector<TSlotNeed>{need});
      } else {
        it->second.push_back(need);
      }
    }
    return needs;
  }

  bool PlaceFace(size_t AFace) {
    if (AFace == kFaces.size()) {
      return true;
    }
    // Clockwise first, so that all six quads turn the same way when they can.
    for (int reverse = 0; reverse <= 1; ++reverse) {
      for (int start = 0; start < 4; ++start) {
        const TNeeds needs = NeedsOf(kFaces[AFace], SquareOrder(kFaces[AFace], start, reverse));
        if (PlaceNeeds(needs, 0, [this, AFace] { return PlaceFace(AFace + 1); })) {
          return true;
        }
      }
    }
    return false;
  }

  bool PlaceNeeds(const TNeeds& ANeeds, size_t AIndex, const std::function<bool()>& AThen) {
    if (AIndex == ANeeds.size()) {
      return AThen();
    }
    const int target = ANeeds[AIndex].first;
    if (FPlacements[target].Source >= 0) {
      return false;
    }
    const auto& triangles = FBox.Triangles();
    for (size_t source = 0; source < triangles.size(); ++source) {
      if (FUsed[source]) {
        continue;
      }
      for (int rotation = 0; rotation < 3; ++rotation) {
        if (!Fits(triangles[source], rotation, ANeeds[AIndex].second)) {
          continue;
        }
        FUsed[source] = true;
        FPlacements[target] = TPlacement{static_cast<int>(source), rotation};
        if (PlaceNeeds(ANeeds, AIndex + 1, AThen)) {
          return true;
        }
        FUsed[source] = false;
        FPlacements[target] = TPlacement{-1, 0};
      }
    }
    return false;
  }

  static bool Fits(const TTriangle& ATriangle, int ARotation,
                   const std::vector<TSlotNeed>& ANeeds) {
    for (const TSlotNeed& need : ANeeds) {
      if (ATriangle[(need.Slot + ARotation) % 3] != need.Point) {
        return false;
      }
    }
    return true;
  }

  const TChamferBox& FBox;
  std::vector<TPlacement> FPlacements;
  std::vector<bool> FUsed;
};

void FillMesh(TGeomObject& AMesh, const TChamferBox& ABox,
              const std::vector<TPlacement>& APlacements) {
  AMesh.SetName("ChamferBox01");
  AMesh.SetVertexCount(static_cast<int32_t>(ABox.Points().size()));
  AMesh.SetPolygonCount(kTriangleCount);
  AMesh.SetGLArraysVertexCount(3 * kTriangleCount);
  float* colors = AMesh.CreateColorArray();
  float* normals = AMesh.CreateNormalArray();
  float* positions = AMesh.CreateVertexArray();
  for (int t = 0; t < kTriangleCount; ++t) {
    const TTriangle& source = ABox.Triangles()[APlacements[t].Source];
    for (int slot = 0; slot < 3; ++slot) {
      const TPoint& point = ABox.Points()[source[(slot + APlacements[t].Rotation) % 3]];
      const int base = 9 * t + 3 * slot;
      for (int axis = 0; axis < 3; ++axis) {
        colors[base + axis] = 1.0f;
        normals[base + axis] = point.Normal[axis];
        positions[base + axis] = point.Position[axis];
      }
    }
  }
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_PATH\n", argv[0]);
    return 2;
  }
  try {
    TChamferBox box;
    if (box.Points().size() != 104 || box.Triangles().size() != kTriangleCount) {
      throw std::logic_error("unexpected point or triangle count");
    }
    box.SmoothSquareCorners();
    TSlotSearch search(box);
    if (!search.Run()) {
      throw std::logic_error("no triangle order puts the square corners at the face offsets");
    }
    TGeomObject mesh;
    FillMesh(mesh, box, search.Complete());
    mesh.SaveToFile(argv[1]);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "gen_cube_mesh: %s\n", error.what());
    return 1;
  }
  return 0;
}
