// Where the cubies of a cube of size N stand: a grid of pitch 0.5 centred on the origin, each
// cubie's body of half-size 0.25127 around its grid place, and the whole cube drawn and picked at
// the scale that makes every size measure about 1.5 units. The model turns and picks with it and
// the renderer reads it, so neither works out a cubie's place on its own.
#pragma once

#include "engine/CubieBodyMesh.h"
#include "engine/MatrixMath.h"
#include "engine/VectorTypes.h"

#include <cstdint>

namespace vexil {

class TCubieGeometry {
public:
  // Distance between neighbouring cubie centres, in model units.
  static constexpr float kPitch = 0.5f;

  // ADegree at least 1; AZoom the player's zoom factor.
  explicit TCubieGeometry(int32_t ADegree, float AZoom = 1.0f);

  int32_t Degree() const { return FDegree; }
  float Pitch() const { return kPitch; }
  // Added to grid coordinate x pitch: centres the grid on the origin.
  float CentreOffset() const { return FCentreOffset; }
  // Of the whole cube when drawn and picked: the zoom x 3 / N.
  float Scale() const { return FScale; }
  // From a cubie's centre to the plane of each of its face quads, before Scale.
  static constexpr double BodyHalfSize() { return kCubieBodyHalfSize; }

  // Grid place (x, y, z), each 1..N, of cubie number ACubeIndex:
  // cubie (x, y, z) is number (x - 1) N² + (y - 1) N + (z - 1).
  TIntVector GridPosition(int32_t ACubeIndex) const;
  // The cubie lies on the outside of the cube.
  bool IsSurfaceCubie(const TIntVector& APosition) const;
  // The coordinate, on any axis, of the centre of grid coordinate AGrid (which may lie between
  // cubies, as the middle of a block of them does), before Scale.
  double AxisCentre(double AGrid) const;
  // Centre of the cubie at grid place APosition, before Scale.
  TPoint3d CubieCentre(const TIntVector& APosition) const;

private:
  int32_t FDegree;
  float FCentreOffset;
  float FScale;
};

} // namespace vexil
