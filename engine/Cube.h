// One cubie: six face quads (1..6 = +Z, +Y, -X, -Y, +X, -Z) over the shared body mesh.
// Cubies never move; the flags and matrices below describe how the last frame drew it.
#pragma once

#include "engine/Plane.h"

#include <array>
#include <memory>

namespace vexil {

// Float positions in the body mesh's arrays of each face's four corners, in order around the
// face, for faces 1..6 (+Z, +Y, -X, -Y, +X, -Z). The mesh is made so that these are the corners
// of its six open squares.
inline constexpr std::array<TIntArray, 6> PlaneCornerOffsets = {{{0, 42, 87, 132},
                                                                 {759, 471, 726, 960},
                                                                 {1023, 1041, 528, 807},
                                                                 {600, 867, 852, 582},
                                                                 {921, 906, 915, 918},
                                                                 {1560, 1581, 1626, 1671}}};

// The outward direction of faces 1..6: the axis it points along (0 = X, 1 = Y, 2 = Z) and
// whether it points up (+1) or down (-1) that axis.
struct TPlaneDirection {
  int Axis;
  int Sign;
};
inline constexpr std::array<TPlaneDirection, 6> PlaneDirections = {
    {{2, 1}, {1, 1}, {0, -1}, {1, -1}, {0, 1}, {2, -1}}};

class TCube {
public:
  explicit TCube(const TGeomObject& AGeomObject);
  // The faces point back at their cubie, so a cubie stays where it was made.
  TCube(const TCube&) = delete;
  TCube& operator=(const TCube&) = delete;

  // APlaneIndex 1..6.
  TPlane& Plane(int APlaneIndex) { return *FGLPlanes[APlaneIndex - 1]; }
  const TPlane& Plane(int APlaneIndex) const { return *FGLPlanes[APlaneIndex - 1]; }

  void SetPlaneColor(int APlaneIndex, float Rf, float Gf, float Bf);
  void SetPlaneTextureID(int APlaneIndex, uint32_t ATextureID, int32_t ATextureIndex);
  void SaveMatrixBeforeRotate(const TMatrix& AMatrix) { FMatrixBeforeRotate = AMatrix; }
  void SaveMatrixAfterRotate(const TMatrix& AMatrix) { FMatrixAfterRotate = AMatrix; }
  // Each sets the value on all six faces.
  void SetPlaneLighting(bool AValue);
  void SetGlobalLighting(bool AValue);
  void SetTextureID(uint32_t AValue);

  bool Rotated() const { return FRotated; }
  void SetRotated(bool AValue) { FRotated = AValue; }
  const TMatrix& MatrixAfterRotate() const { return FMatrixAfterRotate; }
  const TMatrix& MatrixBeforeRotate() const { return FMatrixBeforeRotate; }

private:
  bool FRotated = false;
  TMatrix FMatrixAfterRotate{};
  TMatrix FMatrixBeforeRotate{};
  std::array<std::unique_ptr<TPlane>, 6> FGLPlanes;
};

} // namespace vexil
