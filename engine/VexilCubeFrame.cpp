#include "engine/VexilCube.h"

namespace vexil {

namespace {

// A face direction faces the viewer when it points towards +z in eye space; exactly 0 counts as
// facing away for the positive direction and towards the viewer for its opposite.
bool PointsToViewer(float X, float Y, float Z, const TMatrix& AView) {
  TVertex3f v{X, Y, Z};
  TransformVertex(v, AView);
  return v.Z > 0.0f;
}

// AMatrix x translation by (X, Y, Z).
TMatrix4d Translated(const TMatrix4d& AMatrix, double X, double Y, double Z) {
  TMatrix4d m = AMatrix;
  for (int r = 0; r < 4; ++r) {
    m[12 + r] = AMatrix[r] * X + AMatrix[4 + r] * Y + AMatrix[8 + r] * Z + AMatrix[12 + r];
  }
  return m;
}

} // namespace

void TVexilCube::EvaluateDrag(const TMatrix& AView) {
  if (FSelectedPlane < 0 || FSelectedPlane >= FWorkPlanesCount || !FDrag.BeyondThreshold()) {
    FManualRotation = false;
    return;
  }
  FManualRotation = true;
  FRotateAngle = FDrag.Angle();
  FRotateDirection = GetRotateVector(FSelectedPlane, AView);
}

void TVexilCube::LookFrom(const TMatrix& AView) {
  FViewMatrix = AView;
  FPlaneVisible[0] = PointsToViewer(0, 0, 1, AView);
  FPlaneVisible[5] = !FPlaneVisible[0];
  FPlaneVisible[1] = PointsToViewer(0, 1, 0, AView);
  FPlaneVisible[3] = !FPlaneVisible[1];
  FPlaneVisible[4] = PointsToViewer(1, 0, 0, AView);
  FPlaneVisible[2] = !FPlaneVisible[4];
  if (!FSideIsRotating) {
    EvaluateDrag(AView);
  }
}

TVexilCube::TTurnLayer TVexilCube::ShownTurn() const {
  // The drag rule gives the same result for every cubie: one evaluation serves them all.
  return FSideIsRotating || FManualRotation ? TurnLayer(FSelectedPlane, FRotateDirection)
                                            : TTurnLayer{};
}

TCubeFrame TVexilCube::Frame() const {
  const TMatrix& view = FViewMatrix;
  const TTurnLayer turn = ShownTurn();
  const TMatrix4d atRest = Multiply(ToMatrix4d(view), ScaleMatrix(FGeometry.Scale()));
  const TMatrix4d turned =
      turn.Valid ? Multiply(atRest, RotationMatrix(turn.Sign * static_cast<double>(FRotateAngle),
                                                   turn.Axis))
                 : atRest;

  // A drag drawn back under its threshold leaves FRotateAngle at its last value while nothing
  // turns: only a valid turn stands at an angle.
  const bool layerAtAngle = turn.Valid && FRotateAngle != 0.0f;
  TCubeFrame frame;
  frame.View = view;
  frame.PlaneVisible = FPlaneVisible;
  frame.DrawInner = layerAtAngle;
  frame.TurnEnded = FTurnEnded;
  frame.Cubies.reserve(static_cast<size_t>(FCubesCount));
  for (int32_t i = 0; i < FCubesCount; ++i) {
    const bool inLayer = turn.Valid && InLayer(turn, i);
    const TIntVector p = FGeometry.GridPosition(i);
    // While a layer stands at an angle every cubie shows, inner ones included.
    if (!FGeometry.IsSurfaceCubie(p) && !layerAtAngle) {
      continue;
    }
    const TPoint3d place = FGeometry.CubieCentre(p);
    const TMatrix modelView =
        ToSingleMatrix(Translated(inLayer ? turned : atRest, place.X, place.Y, place.Z));
    frame.Cubies.push_back(TCubieDraw{i, modelView, inLayer});
  }
  return frame;
}

TCubeFrame TVexilCube::Look(const TMatrix& AView) {
  LookFrom(AView);
  return Frame();
}

TCubeFrame TVexilCube::BeginFrame(const TMatrix& AView) {
  AdvanceTurn();
  LookFrom(AView);
  const TCubeFrame frame = Frame();
  // Kept on the cubies for those who inspect a frame through the model.
  const TTurnLayer turn = ShownTurn();
  for (int32_t i = 0; i < FCubesCount; ++i) {
    FCubes[i]->SetRotated(turn.Valid && InLayer(turn, i));
  }
  for (const TCubieDraw& cubie : frame.Cubies) {
    TCube& cube = *FCubes[cubie.CubeIndex];
    if (cubie.Rotated) {
      cube.SaveMatrixAfterRotate(cubie.ModelView);
    } else {
      cube.SaveMatrixBeforeRotate(cubie.ModelView);
    }
  }
  return frame;
}

TCubeFrame TVexilCube::Step(const TMatrix& AView) {
  TCubeFrame frame = BeginFrame(AView);
  if (!frame.TurnEnded) {
    return frame;
  }
  EndFrame(frame);
  // The layer stands in its place with its stickers moved: the cube at rest (or the next turn
  // of a chain at its start), the very picture of the layer at its last angle.
  frame = Look(AView);
  frame.TurnEnded = true;
  return frame;
}

void TVexilCube::EndFrame(const TCubeFrame& /*AFrame*/) {
  // The model remembers whether its own frame step ended the turn, so a frame passed twice or
  // out of order cannot end a turn that was started afterwards.
  if (!FTurnEnded) {
    return;
  }
  FTurnEnded = false;
  EndTurn();
}

} // namespace vexil
