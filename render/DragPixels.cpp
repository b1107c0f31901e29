#include "render/DragPixels.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vexil {

namespace {

int32_t LogicalWay(int32_t AFrom, int32_t ATo, double ARatio) {
  const double way = (static_cast<double>(ATo) - AFrom) / ARatio;
  // A ratio below 1 lengthens the way: keep the point within the integers it is given in.
  const double point = std::clamp(static_cast<double>(AFrom) + std::round(way),
                                  static_cast<double>(std::numeric_limits<int32_t>::min()),
                                  static_cast<double>(std::numeric_limits<int32_t>::max()));
  return static_cast<int32_t>(point);
}

} // namespace

TPoint LogicalDragPoint(const TPoint& AOrigin, const TPoint& AAt, double ADevicePixelRatio) {
  const double ratio =
      std::isfinite(ADevicePixelRatio) && ADevicePixelRatio > 0.0 ? ADevicePixelRatio : 1.0;
  return {LogicalWay(AOrigin.X, AAt.X, ratio), LogicalWay(AOrigin.Y, AAt.Y, ratio)};
}

} // namespace vexil
