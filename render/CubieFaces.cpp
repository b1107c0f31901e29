#include "render/CubieFaces.h"

#include <cmath>

namespace vexil {

namespace {

// A quad seen at less than this angle to its plane is grazing: it covers a pixel row or two,
// and where its rim meets the body's the rasteriser may leave single pixels between the two,
// which the body's triangles behind fill. Such a quad is drawn, and its body is not culled.
constexpr double kGrazingDegrees = 8.0;

// The point X with AModelView x X = APoint, AModelView affine (column-major); false when
// singular.
bool ToCubieSpace(const TMatrix& AModelView, const std::array<double, 3>& APoint,
                  std::array<double, 3>& AResult) {
  const auto at = [&AModelView](int ARow, int AColumn) {
    return static_cast<double>(AModelView[4 * AColumn + ARow]);
  };
  std::array<double, 3> b{};
  for (int row = 0; row < 3; ++row) {
    b[row] = APoint[row] - at(row, 3);
  }
  const auto det3 = [&](int ASkip, const std::array<double, 3>* AColumn) {
    double m[3][3];
    for (int row = 0; row < 3; ++row) {
      for (int column = 0; column < 3; ++column) {
        m[row][column] = column == ASkip ? (*AColumn)[row] : at(row, column);
      }
    }
    return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
           m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
           m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
  };
  const double d = det3(-1, nullptr);
  if (!std::isfinite(d) || std::fabs(d) < 1e-12) {
    return false;
  }
  for (int column = 0; column < 3; ++column) {
    AResult[column] = det3(column, &b) / d;
  }
  return std::isfinite(AResult[0]) && std::isfinite(AResult[1]) && std::isfinite(AResult[2]);
}

enum class TFacing { Towards, Grazing, Away };

// How the quad of APlane lies to the eye at AEye (the cubie's own space): by the sine of the
// angle between its plane and the line from its centre to the eye.
TFacing FacingOf(const TPlane& APlane, const std::array<double, 3>& AEye) {
  static const double grazingSine = std::sin(kGrazingDegrees * kPi / 180.0);
  const TVertex3f& centre = APlane.PlaneCentre();
  const TVertex3f& normal = APlane.Normal();
  const std::array<double, 3> toEye = {AEye[0] - centre.X, AEye[1] - centre.Y, AEye[2] - centre.Z};
  const double distance =
      std::sqrt(toEye[0] * toEye[0] + toEye[1] * toEye[1] + toEye[2] * toEye[2]);
  const double height = toEye[0] * normal.X + toEye[1] * normal.Y + toEye[2] * normal.Z;
  if (height > grazingSine * distance) {
    return TFacing::Towards;
  }
  return height < -grazingSine * distance ? TFacing::Away : TFacing::Grazing;
}

} // namespace

TCubieFaces::TCubieFaces(const TVexilCube& ACube, const TCubeFrame& AFrame,
                         const std::array<double, 16>& AProjection, const THiddenBodyParts& AHidden)
    : FGeometry(ACube.Geometry()) {
  const auto count = static_cast<size_t>(ACube.CubesCount());
  FMotion.assign(count, kNotDrawn);
  FFaces.assign(count, 0);
  FClosed.assign(count, 0);
  for (const TCubieDraw& cubie : AFrame.Cubies) {
    if (cubie.CubeIndex >= 0 && cubie.CubeIndex < ACube.CubesCount() &&
        AHidden.BodyOf(cubie.CubeIndex).Part != THiddenBodyParts::TPart::None) {
      FMotion[static_cast<size_t>(cubie.CubeIndex)] = cubie.Rotated ? kTurning : kResting;
    }
  }
  std::array<double, 3> eye{};
  const bool hasEye = THiddenBodyParts::EyeOf(AProjection, eye);
  for (const TCubieDraw& cubie : AFrame.Cubies) {
    if (Drawn(cubie.CubeIndex)) {
      Decide(ACube, AFrame, AHidden, cubie, hasEye ? &eye : nullptr);
    }
  }
}

int32_t TCubieFaces::NeighbourAcross(int32_t ACubeIndex, int AFace) const {
  const int32_t n = FGeometry.Degree();
  const TIntVector grid = FGeometry.GridPosition(ACubeIndex);
  std::array<int32_t, 3> at = {grid.I, grid.J, grid.L};
  const TPlaneDirection& direction = PlaneDirections[AFace - 1];
  at[direction.Axis] += direction.Sign;
  if (at[direction.Axis] < 1 || at[direction.Axis] > n) {
    return -1;
  }
  return (at[0] - 1) * n * n + (at[1] - 1) * n + (at[2] - 1);
}

void TCubieFaces::Decide(const TVexilCube& ACube, const TCubeFrame& AFrame,
                         const THiddenBodyParts& AHidden, const TCubieDraw& ACubie,
                         const std::array<double, 3>* AEye) {
  const size_t slot = Slot(ACubie.CubeIndex);
  std::array<double, 3> eye{};
  const bool knowsEye = AEye != nullptr && ToCubieSpace(ACubie.ModelView, *AEye, eye);
  const TCube& cube = ACube.Cube(ACubie.CubeIndex);
  // Between the cubies of a block whose shafts a ray may run down, the quads' corners stand
  // in the shafts: they stay, or light would show through at every junction.
  const bool sealed = AHidden.InSealedBlock(ACubie.CubeIndex);
  bool open = !knowsEye;
  bool grazing = false;
  uint8_t faces = 0;
  for (int face = 1; face <= 6; ++face) {
    const TPlane& plane = cube.Plane(face);
    const int32_t neighbour = NeighbourAcross(ACubie.CubeIndex, face);
    const bool covered = sealed && neighbour >= 0 && FMotion[Slot(neighbour)] == FMotion[slot];
    TFacing facing = TFacing::Grazing;
    if (knowsEye) {
      facing = FacingOf(plane, eye);
    }
    const bool facesEye = facing != TFacing::Away;
    grazing = grazing || facing == TFacing::Grazing;
    // A turning cubie shows all six faces; one at rest those facing the viewer, only its
    // stickers unless a layer stands at an angle.
    const bool shown = ACubie.Rotated ||
                       (AFrame.PlaneVisible[face - 1] && (AFrame.DrawInner || plane.WorkPlane()));
    if (shown && facesEye && !covered) {
      faces = static_cast<uint8_t>(faces | 1u << (face - 1));
    } else if (facesEye && !covered) {
      open = true;
    }
  }
  FFaces[slot] = faces;
  FClosed[slot] = open || grazing ? 0 : 1;
}

} // namespace vexil
