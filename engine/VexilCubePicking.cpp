#include "engine/VexilCube.h"
#include "engine/ViewProjection.h"

#include <algorithm>
#include <cmath>

namespace vexil {

namespace {

struct TScreenPoint {
  double X = 0.0;
  double Y = 0.0;
};

using TScreenQuad = std::array<TScreenPoint, 4>;

double Dot(const TScreenPoint& A, double AX, double AY) {
  return A.X * AX + A.Y * AY;
}

// The quad (convex: a flat convex face seen in perspective from the front) and the square
// [ALeft, ARight] x [ABottom, ATop] share a point, by separating axes. Touching counts, as the
// clipping of a selection pick keeps its boundary.
bool QuadMeetsSquare(const TScreenQuad& AQuad, double ALeft, double ARight, double ABottom,
                     double ATop) {
  const auto [minX, maxX] = std::minmax({AQuad[0].X, AQuad[1].X, AQuad[2].X, AQuad[3].X});
  const auto [minY, maxY] = std::minmax({AQuad[0].Y, AQuad[1].Y, AQuad[2].Y, AQuad[3].Y});
  if (maxX < ALeft || minX > ARight || maxY < ABottom || minY > ATop) {
    return false;
  }
  const TScreenPoint square[4] = {
      {ALeft, ABottom}, {ARight, ABottom}, {ARight, ATop}, {ALeft, ATop}};
  for (int e = 0; e < 4; ++e) {
    const TScreenPoint& from = AQuad[e];
    const TScreenPoint& to = AQuad[(e + 1) % 4];
    const double nx = from.Y - to.Y;
    const double ny = to.X - from.X;
    double quadMin = Dot(AQuad[0], nx, ny);
    double quadMax = quadMin;
    for (const TScreenPoint& p : AQuad) {
      quadMin = std::min(quadMin, Dot(p, nx, ny));
      quadMax = std::max(quadMax, Dot(p, nx, ny));
    }
    double squareMin = Dot(square[0], nx, ny);
    double squareMax = squareMin;
    for (const TScreenPoint& p : square) {
      squareMin = std::min(squareMin, Dot(p, nx, ny));
      squareMax = std::max(squareMax, Dot(p, nx, ny));
    }
    if (quadMax < squareMin || squareMax < quadMin) {
      return false;
    }
  }
  return true;
}

} // namespace

bool TVexilCube::PlaneFacesViewer(const TPlane& APlane, const TMatrix& AMatrix) {
  const TVertex3f& n = APlane.Normal();
  return static_cast<double>(n.X) * AMatrix[2] + static_cast<double>(n.Y) * AMatrix[6] +
             static_cast<double>(n.Z) * AMatrix[10] + AMatrix[14] - 0.15 >
         0.0;
}

// Equal to a one-pixel selection pick: a sticker counts as hit when its quad, projected as it is
// drawn at rest, meets the pixel-sized square centred on the point. Only stickers facing the
// viewer take part; two hits overflow the selection buffer and pick nothing.
int32_t TVexilCube::GetSelectedPlane(int32_t AX, int32_t AInvertY, const TMatrix& AView) const {
  if (FViewWidth <= 0 || FViewHeight <= 0 || !std::isfinite(FAspect) || !(FAspect > 0.0)) {
    return -1;
  }
  const double f = 1.0 / std::tan(FieldOfView(FAspect) / 2.0 * kPi / 180.0);
  const TMatrix4d eye = Multiply(TranslationMatrix(0.0, 0.0, -kCameraDistance),
                                 Multiply(ScaleMatrix(FGeometry.Scale()), ToMatrix4d(AView)));
  const double left = AX - 0.5;
  const double bottom = AInvertY - 0.5;
  int32_t hits = 0;
  int32_t result = -1;
  for (int32_t s = 0; s < FWorkPlanesCount; ++s) {
    const TPlane& plane = *FWorkPlanes[s];
    if (!PlaneFacesViewer(plane, AView)) {
      continue;
    }
    const TPoint3d cubie = FGeometry.CubieCentre(FGeometry.GridPosition(FWorkPlanesCubes[s]));
    TScreenQuad quad;
    bool inDepth = true;
    for (int c = 0; c < 4; ++c) {
      const TVertex3f& corner = plane.GLVertexArray()[c];
      const TPoint3d p =
          TransformPoint(eye, TPoint3d{cubie.X + corner.X, cubie.Y + corner.Y, cubie.Z + corner.Z});
      const double w = -p.Z;
      inDepth = inDepth && w >= kNearPlane && w <= kFarPlane;
      quad[c] = TScreenPoint{(f / FAspect * p.X / w + 1.0) / 2.0 * FViewWidth,
                             (f * p.Y / w + 1.0) / 2.0 * FViewHeight};
    }
    if (inDepth && QuadMeetsSquare(quad, left, left + 1.0, bottom, bottom + 1.0)) {
      ++hits;
      result = s;
    }
  }
  return hits == 1 ? result : -1;
}

int32_t TVexilCube::GetRotateVector(int32_t APlaneIndex, const TMatrix& AMatrix) const {
  if (APlaneIndex < 0 || APlaneIndex >= FWorkPlanesCount) {
    return -1;
  }
  const TPlane& plane = *FWorkPlanes[APlaneIndex];
  const bool locked = FRotateDirection >= 0 && FRotateDirection <= 3;
  float best = 360.0f;
  int32_t result = -1;
  for (int d = 0; d < 4; ++d) {
    // Once a drag has chosen a direction only that axis remains, either way along it.
    if (locked && !SameIntVector(plane.RotateVector(d), plane.RotateVector(FRotateDirection))) {
      continue;
    }
    const float a = FDrag.DeviationDegrees(plane.RotateVector(d), plane.RotateSign(d), AMatrix);
    if (std::fabs(a) < best) {
      best = std::fabs(a);
      result = d;
    }
  }
  return result;
}

void TVexilCube::ProcessMouseDown(TMouseButton AButton, int32_t X, int32_t Y, int32_t AInvertY) {
  if (AButton != TMouseButton::mbLeft) {
    return;
  }
  FDrag.Press(X, Y);
  if (FSideIsRotating) {
    return;
  }
  FSelectedPlane = GetSelectedPlane(X, AInvertY, FViewMatrix);
}

void TVexilCube::ProcessMouseMove(int32_t AMouseX, int32_t AMouseY, int32_t /*AInvertMouseY*/) {
  if (FSelectedPlane < 0 || FSideIsRotating) {
    return;
  }
  FDrag.Move(AMouseX, AMouseY);
}

void TVexilCube::ProcessMouseUp(TMouseButton AButton) {
  if (AButton != TMouseButton::mbLeft || FSelectedPlane < 0 || FSideIsRotating) {
    return;
  }
  if (FRotateAngle > 45.0f) {
    FRotateSpeed = 3.0f;
    // A drag whose direction could not be told turns nothing; recording it would make an undo
    // step that does nothing.
    if (FRotateDirection >= 0) {
      FHistory.Append(FSelectedPlane, FRotateDirection);
    }
  } else {
    FRotateSpeed = -3.0f;
  }
  FSideIsRotating = true;
  FDrag.Release();
}

} // namespace vexil
