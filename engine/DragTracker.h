// A left-button drag over the cube, in pixels of the view: where the button went down, the drag
// since then (x to the right, y upwards), its length and direction, and the perspective weight of
// the view, (width + height) div 2, with which a drag direction is compared to the directions a
// sticker can move in. The cube model decides what the drag turns; this holds what it measures.
#pragma once

#include "engine/VectorTypes.h"

#include <cstdint>

namespace vexil {

class TDragTracker {
public:
  // A drag acts only when its length, rounded, is beyond this many pixels.
  static constexpr int64_t kThresholdPixels = 5;
  // The angle a dragged layer shows per pixel of drag, in degrees.
  static constexpr double kDegreesPerPixel = 0.75;

  // Window coordinates, y pointing down.
  void Press(int32_t X, int32_t Y);
  void Move(int32_t AMouseX, int32_t AMouseY);
  // The drag is over: its length returns to 0.
  void Release();
  void SetViewSize(int32_t AWidth, int32_t AHeight);

  bool BeyondThreshold() const;
  // The layer's angle for the drag: kDegreesPerPixel a pixel, at most 90.
  float Angle() const;
  // Degrees between the drag and the screen direction in which a sticker moves when its layer
  // turns about the cube axis whose depth, screen-x and screen-y components are the elements
  // AAxis.I, AAxis.J and AAxis.L of the view matrix AView, taken with the sign ASign. NaN when
  // either direction has no length.
  float DeviationDegrees(const TIntVector& AAxis, int32_t ASign, const TMatrix& AView) const;

  const TPoint& MouseDownCoord() const { return FMouseDownCoord; }
  const TPoint& MouseVector() const { return FMouseVector; }
  float MouseVectorLength() const { return FMouseVectorLength; }
  const T2DVector& MouseUnitVector() const { return FMouseUnitVector; }
  float DParam() const { return FDParam; }
  float OfsParam() const { return FOfsParam; }

private:
  TPoint FMouseDownCoord;
  TPoint FMouseVector;
  float FMouseVectorLength = 0.0f;
  T2DVector FMouseUnitVector;
  float FDParam = 0.0f;
  float FOfsParam = 0.0f;
};

} // namespace vexil
