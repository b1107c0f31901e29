#include "engine/DragTracker.h"

#include <cmath>

namespace vexil {

void TDragTracker::Press(int32_t X, int32_t Y) {
  FMouseDownCoord = TPoint{X, Y};
}

void TDragTracker::Move(int32_t AMouseX, int32_t AMouseY) {
  const int64_t x = static_cast<int64_t>(AMouseX) - FMouseDownCoord.X;
  const int64_t y = static_cast<int64_t>(FMouseDownCoord.Y) - AMouseY;
  FMouseVector = TPoint{static_cast<int32_t>(x), static_cast<int32_t>(y)};
  // Squared in double: coordinates far outside any screen must not overflow.
  const double length = std::sqrt(static_cast<double>(x) * static_cast<double>(x) +
                                  static_cast<double>(y) * static_cast<double>(y));
  FMouseVectorLength = static_cast<float>(length);
  // A drag of length 0 gives NaN; it is never used, the drag acts only beyond the threshold.
  FMouseUnitVector = T2DVector{static_cast<float>(static_cast<double>(x) / length),
                               static_cast<float>(static_cast<double>(y) / length)};
}

void TDragTracker::Release() {
  FMouseVectorLength = 0.0f;
}

void TDragTracker::SetViewSize(int32_t AWidth, int32_t AHeight) {
  FDParam = static_cast<float>((static_cast<int64_t>(AWidth) + AHeight) / 2);
  FOfsParam = FDParam;
}

bool TDragTracker::BeyondThreshold() const {
  return Round(FMouseVectorLength) > kThresholdPixels;
}

float TDragTracker::Angle() const {
  const auto angle = static_cast<float>(static_cast<double>(FMouseVectorLength) * kDegreesPerPixel);
  return angle >= 90.0f ? 90.0f : angle;
}

float TDragTracker::DeviationDegrees(const TIntVector& AAxis, int32_t ASign,
                                     const TMatrix& AView) const {
  const double s = ASign;
  const double ux = FMouseUnitVector.X;
  const double uy = FMouseUnitVector.Y;
  // A perspective weight: for a 800 x 600 view it stays between 700 / 701 and 700 / 699.
  const auto k = static_cast<float>(static_cast<double>(FDParam) /
                                    (s * AView[AAxis.I] + static_cast<double>(FOfsParam)));
  const auto vx = static_cast<float>(s * AView[AAxis.J] * k);
  const auto vy = static_cast<float>(s * AView[AAxis.L] * k);
  const auto t =
      static_cast<float>((static_cast<double>(vx) * ux + static_cast<double>(vy) * uy) /
                         (std::sqrt(ux * ux + uy * uy) *
                          std::sqrt(static_cast<double>(vx) * vx + static_cast<double>(vy) * vy)));
  return static_cast<float>(ArcCosDegrees(t));
}

} // namespace vexil
