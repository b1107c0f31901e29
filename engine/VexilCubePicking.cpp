#include "engine/VexilCube.h"
#include "engine/ViewProjection.h"

#include <algorithm>
#include <cmath>
#include <limits>

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

// The point lies in the convex quad, or on its edge; either winding.
bool QuadHoldsPoint(const TScreenQuad& AQuad, const TScreenPoint& APoint) {
  bool positive = false;
  bool negative = false;
  for (int e = 0; e < 4; ++e) {
    const TScreenPoint& from = AQuad[e];
    const TScreenPoint& to = AQuad[(e + 1) % 4];
    const double cross =
        (to.X - from.X) * (APoint.Y - from.Y) - (to.Y - from.Y) * (APoint.X - from.X);
    positive = positive || cross > 0.0;
    negative = negative || cross < 0.0;
  }
  return !(positive && negative);
}

double Coordinate(const TVertex3f& AVertex, int AAxis) {
  return AAxis == 0 ? AVertex.X : (AAxis == 1 ? AVertex.Y : AVertex.Z);
}

int32_t GridCoordinate(const TIntVector& AGrid, int AAxis) {
  return AAxis == 0 ? AGrid.I : (AAxis == 1 ? AGrid.J : AGrid.L);
}

// Projects points given around a cubie's centre as the scene draws them at rest.
class TStickerProjection {
public:
  TStickerProjection(const TMatrix4d& AEye, double AFocal, double AAspect, int32_t AWidth,
                     int32_t AHeight)
      : FEye(AEye), FFocal(AFocal), FAspect(AAspect), FWidth(AWidth), FHeight(AHeight) {}

  // False when a corner lies outside the depth range, where no pick reaches.
  bool Project(const TPoint3d& ACubie, const std::array<TPoint3d, 4>& ACorners,
               TScreenQuad& AQuad) const {
    bool inDepth = true;
    for (int c = 0; c < 4; ++c) {
      const TPoint3d p =
          TransformPoint(FEye, TPoint3d{ACubie.X + ACorners[c].X, ACubie.Y + ACorners[c].Y,
                                        ACubie.Z + ACorners[c].Z});
      const double w = -p.Z;
      inDepth = inDepth && w >= kNearPlane && w <= kFarPlane;
      AQuad[c] = TScreenPoint{(FFocal / FAspect * p.X / w + 1.0) / 2.0 * FWidth,
                              (FFocal * p.Y / w + 1.0) / 2.0 * FHeight};
    }
    return inDepth;
  }

private:
  TMatrix4d FEye;
  double FFocal;
  double FAspect;
  int32_t FWidth;
  int32_t FHeight;
};

std::array<TPoint3d, 4> Corners(const TGLVectorArray& AVertices) {
  std::array<TPoint3d, 4> corners;
  for (int c = 0; c < 4; ++c) {
    corners[c] = TPoint3d{AVertices[c].X, AVertices[c].Y, AVertices[c].Z};
  }
  return corners;
}

// The sticker's square grown, within its side, to the middle of the gap to each neighbouring
// sticker of that side: half a pitch from the cubie's centre. Towards the edge of the side,
// where the body rounds off into the next side, it stays as it is.
std::array<TPoint3d, 4> GrownCorners(const TGLVectorArray& AVertices, const TIntVector& AGrid,
                                     int32_t ADegree, double AHalfPitch) {
  double low[3];
  double high[3];
  for (int a = 0; a < 3; ++a) {
    low[a] = high[a] = Coordinate(AVertices[0], a);
    for (int c = 1; c < 4; ++c) {
      low[a] = std::min(low[a], Coordinate(AVertices[c], a));
      high[a] = std::max(high[a], Coordinate(AVertices[c], a));
    }
  }
  int inPlane[2] = {0, 0};
  int count = 0;
  for (int a = 0; a < 3 && count < 2; ++a) {
    if (high[a] - low[a] > 1e-6) {
      inPlane[count++] = a;
    }
  }
  for (int k = 0; k < count; ++k) {
    const int a = inPlane[k];
    if (GridCoordinate(AGrid, a) > 1) {
      low[a] = std::min(low[a], -AHalfPitch);
    }
    if (GridCoordinate(AGrid, a) < ADegree) {
      high[a] = std::max(high[a], AHalfPitch);
    }
  }
  const auto at = [&](bool AHighU, bool AHighV) {
    double p[3] = {low[0], low[1], low[2]};
    p[inPlane[0]] = AHighU ? high[inPlane[0]] : low[inPlane[0]];
    p[inPlane[1]] = AHighV ? high[inPlane[1]] : low[inPlane[1]];
    return TPoint3d{p[0], p[1], p[2]};
  };
  return {at(false, false), at(true, false), at(true, true), at(false, true)};
}

double SquaredDistanceToCentre(const TScreenQuad& AQuad, const TScreenPoint& APoint) {
  const double x = (AQuad[0].X + AQuad[1].X + AQuad[2].X + AQuad[3].X) / 4.0 - APoint.X;
  const double y = (AQuad[0].Y + AQuad[1].Y + AQuad[2].Y + AQuad[3].Y) / 4.0 - APoint.Y;
  return x * x + y * y;
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
//
// A point that meets no sticker may lie on the dark body around one: it picks the sticker whose
// square, grown to the middle of the gaps to its neighbours on the same side, holds the point
// (the nearest such sticker on a line between two). The rounded edge between two sides is in no
// grown square, so it still picks nothing.
int32_t TVexilCube::GetSelectedPlane(int32_t AX, int32_t AInvertY, const TMatrix& AView) const {
  if (FViewWidth <= 0 || FViewHeight <= 0 || !std::isfinite(FAspect) || !(FAspect > 0.0)) {
    return -1;
  }
  const double f = 1.0 / std::tan(FieldOfView(FAspect) / 2.0 * kPi / 180.0);
  const TMatrix4d eye = Multiply(TranslationMatrix(0.0, 0.0, -kCameraDistance),
                                 Multiply(ScaleMatrix(FGeometry.Scale()), ToMatrix4d(AView)));
  const TStickerProjection projection(eye, f, FAspect, FViewWidth, FViewHeight);
  const double left = AX - 0.5;
  const double bottom = AInvertY - 0.5;
  const TScreenPoint point{static_cast<double>(AX), static_cast<double>(AInvertY)};
  int32_t hits = 0;
  int32_t result = -1;
  int32_t borderResult = -1;
  double borderDistance = std::numeric_limits<double>::infinity();
  for (int32_t s = 0; s < FWorkPlanesCount; ++s) {
    const TPlane& plane = *FWorkPlanes[s];
    if (!PlaneFacesViewer(plane, AView)) {
      continue;
    }
    const TIntVector grid = FGeometry.GridPosition(FWorkPlanesCubes[s]);
    const TPoint3d cubie = FGeometry.CubieCentre(grid);
    TScreenQuad quad;
    if (projection.Project(cubie, Corners(plane.GLVertexArray()), quad) &&
        QuadMeetsSquare(quad, left, left + 1.0, bottom, bottom + 1.0)) {
      ++hits;
      result = s;
    }
    TScreenQuad grown;
    if (hits == 0 &&
        projection.Project(
            cubie,
            GrownCorners(plane.GLVertexArray(), grid, FGeometry.Degree(), FGeometry.Pitch() / 2.0),
            grown) &&
        QuadHoldsPoint(grown, point) && SquaredDistanceToCentre(grown, point) < borderDistance) {
      borderDistance = SquaredDistanceToCentre(grown, point);
      borderResult = s;
    }
  }
  if (hits > 0) {
    return hits == 1 ? result : -1;
  }
  return borderResult;
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
