// Drag turns are measured in logical pixels, so that a layer follows the pointer at the same
// speed at every display scale, while picking works on the device pixel under the pointer.
#pragma once

#include "engine/VectorTypes.h"

namespace vexil {

// The point, in device pixels, to give the cube's drag rules for a pointer at AAt pressed at
// AOrigin: the press point plus the pointer's way from there in logical pixels (the way in device
// pixels divided by ADevicePixelRatio), to the nearest pixel. A ratio that is not a positive
// number counts as 1.
TPoint LogicalDragPoint(const TPoint& AOrigin, const TPoint& AAt, double ADevicePixelRatio);

} // namespace vexil
