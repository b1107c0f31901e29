#include "engine/CubieGeometry.h"

namespace vexil {

TCubieGeometry::TCubieGeometry(int32_t ADegree, float AZoom)
    : FDegree(ADegree),
      FCentreOffset(static_cast<float>((ADegree * 0.5 + 0.5) * -static_cast<double>(kPitch))),
      FScale(static_cast<float>(static_cast<double>(AZoom) * 3.0 / ADegree)) {}

TIntVector TCubieGeometry::GridPosition(int32_t ACubeIndex) const {
  const int32_t n = FDegree;
  return TIntVector{ACubeIndex / (n * n) + 1, (ACubeIndex / n) % n + 1, ACubeIndex % n + 1};
}

bool TCubieGeometry::IsSurfaceCubie(const TIntVector& APosition) const {
  return APosition.I == 1 || APosition.J == 1 || APosition.L == 1 || APosition.I == FDegree ||
         APosition.J == FDegree || APosition.L == FDegree;
}

double TCubieGeometry::AxisCentre(double AGrid) const {
  return AGrid * static_cast<double>(kPitch) + static_cast<double>(FCentreOffset);
}

TPoint3d TCubieGeometry::CubieCentre(const TIntVector& APosition) const {
  return TPoint3d{AxisCentre(APosition.I), AxisCentre(APosition.J), AxisCentre(APosition.L)};
}

} // namespace vexil
