// The cube model: N x N x N cubies over one body mesh, the stickers in sticker order, the turn
// in progress, the mouse drag, the move history and the cube's block of a saved game.
// Plain C++: the renderer draws the TCubeFrame that Step computes.
#pragma once

#include "engine/Cube.h"
#include "engine/CubeFrame.h"
#include "engine/CubeSizes.h"
#include "engine/CubieGeometry.h"
#include "engine/DragTracker.h"
#include "engine/GeomObject.h"
#include "engine/MatrixMath.h"
#include "engine/MoveHistory.h"
#include "engine/Streams.h"
#include "engine/TextureLink.h"
#include "engine/VectorTypes.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <random>
#include <vector>

namespace vexil {

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

class TVexilCube;
using TNotifyEvent = std::function<void(TVexilCube& ASender)>;

class TVexilCube {
public:
  // The cube sizes the game offers.
  static constexpr int32_t kMinDegree = kMinVexilCubeDegree;
  static constexpr int32_t kMaxDegree = kMaxVexilCubeDegree;

  // ABodyMesh: the bytes of the cubie body mesh file, read by the owner (the program from its
  // resources, the tests from the source tree); the model keeps the mesh, not the bytes.
  // Raises std::invalid_argument for a degree below 1 or above kMaxDegree (a single cubie is a
  // cube too, which the tests use), EStreamError when the mesh bytes are damaged.
  TVexilCube(int32_t ADegree, const std::vector<uint8_t>& ABodyMesh);
  ~TVexilCube();
  TVexilCube(const TVexilCube&) = delete;
  TVexilCube& operator=(const TVexilCube&) = delete;

  // --- assembly
  void InitPlanes();
  // The solved cube: stickers in their places, no turn or drag in progress, no history.
  void Reset();
  void Resize(int32_t AWidth, int32_t AHeight);

  // --- turns
  void RotateRandomSide();
  // Starts the animated turn (sticker APlaneIndex, direction ADirection) from angle 0 at speed 10,
  // as a scramble step does; records nothing in the history.
  void RotateSide(int32_t APlaneIndex, int32_t ADirection);
  // A turn of the player's made without the mouse (typed in notation): recorded in the history
  // as a drag's release records it, then animated as RotateSide animates.
  void PlayTurn(int32_t APlaneIndex, int32_t ADirection);
  // Jumps the turn that animates to its end (or, for a drag turning back, to its start) and
  // runs the end of the turn as the frame that reached it would: the stickers move,
  // OnEndSideRotate fires and the solved test runs. Nothing happens when no turn animates.
  void FinishTurn();
  // Seeds the generator RotateRandomSide draws from (the shell seeds it from the clock).
  void Randomize(uint32_t ASeed);
  // No colour is found on two sides. The end of every turn stores it in Solved.
  bool IsCubeSolved() const;

  // --- one frame. Step is the frame timer's step of the model: it advances the turn that
  // animates, runs the end of a turn that ended (the stickers move, OnEndSideRotate fires, the
  // solved test runs), evaluates the drag rule and returns what the frame shows for the view
  // AView (a pure rotation). Look does the same without advancing time: the frame of the cube as
  // it stands, seen from AView. Both hand AView to the pick of the next press; the frame they
  // return is only drawn, nothing in the model depends on it having been drawn.
  TCubeFrame Step(const TMatrix& AView);
  TCubeFrame Look(const TMatrix& AView);
  // The two halves of Step: BeginFrame advances the turn and computes the frame (it also marks
  // the cubies of the turning layer and keeps every cubie's matrix); EndFrame runs the end of a
  // turn that ended in it. A frame drawn between them shows the layer at its last angle.
  TCubeFrame BeginFrame(const TMatrix& AView);
  void EndFrame(const TCubeFrame& AFrame);
  // The frame of the cube as it stands, for the view handed over last; changes nothing.
  TCubeFrame Frame() const;

  // --- picking and drag turns; coordinates in device pixels of the view.
  void ProcessMouseDown(TMouseButton AButton, int32_t X, int32_t Y, int32_t AInvertY);
  void ProcessMouseMove(int32_t AMouseX, int32_t AMouseY, int32_t AInvertMouseY);
  void ProcessMouseUp(TMouseButton AButton);
  // Sticker index seen at window point (AX, AInvertY) under the view AView, or -1.
  int32_t GetSelectedPlane(int32_t AX, int32_t AInvertY, const TMatrix& AView) const;
  int32_t GetRotateVector(int32_t APlaneIndex, const TMatrix& AMatrix) const;
  // The face points towards the viewer by more than the pick threshold under AMatrix.
  static bool PlaneFacesViewer(const TPlane& APlane, const TMatrix& AMatrix);
  // The view used by ProcessMouseDown's pick: the renderer keeps it current.
  void SetViewMatrix(const TMatrix& AView) { FViewMatrix = AView; }
  const TDragTracker& Drag() const { return FDrag; }

  // --- history of the player's turns. Undo and Redo start their turn as RotateSide does; they
  // do nothing while a turn animates or when there is nothing to undo or redo.
  void Undo();
  void Redo();
  bool UndoExist() const { return FHistory.UndoExist(); }
  bool RedoExist() const { return FHistory.RedoExist(); }
  void ClearUndoRedoState() { FHistory.Clear(); }
  const TMoveHistory& History() const { return FHistory; }
  // 0 <-> 2, 1 <-> 3: the same layer turned the other way; -1 for anything else.
  static int32_t OppositeDirection(int32_t ADirection);

  // --- saved-game block. The readers change nothing unless the whole block is sound; they
  // raise EStreamError naming the problem otherwise.
  void SaveState(TStream& ASourStream) const;
  void LoadState(TStream& ADestStream);
  // Besides a short block and more than six colours, it refuses a colour component outside 0..1
  // (NaN, the infinities and 1e300 among them), so no colour reaches single precision undefined.
  void LoadStateOldFormat(TStream& ADestStream);

  // --- appearance
  void SetGlobalLighting(bool AValue);
  void SetPlaneLight(bool AValue);
  void SetShowSelectedPlane(bool AValue);
  void SetScale(float AValue);
  void SetTextureListLink(TTextureListLink* AValue);
  void SetCarcassTextureID(uint32_t AValue);
  void SetVexilColor(const TVertex3f& AVector);
  // APlaneColors[k] is the colour of side k + 1.
  void UpdatePlanesColor(const std::array<TVertex3f, 6>& APlaneColors);

  // --- properties
  int32_t Degree() const { return FGeometry.Degree(); }
  bool Solved() const { return FSolved; }
  void SetSolved(bool AValue) { FSolved = AValue; }
  bool SideIsRotating() const { return FSideIsRotating; }
  // The turn that ended last moved a layer (it was not a drag turning back); read it in
  // OnEndSideRotate.
  bool LastTurnMoved() const { return FLastTurnMoved; }
  bool ManualRotation() const { return FManualRotation; }
  float RotateSpeed() const { return FRotateSpeed; }
  void SetRotateSpeed(float AValue) { FRotateSpeed = AValue; }
  const TNotifyEvent& OnEndSideRotate() const { return FOnEndSideRotate; }
  void SetOnEndSideRotate(TNotifyEvent AValue) { FOnEndSideRotate = std::move(AValue); }
  float Scale() const { return FScale; }
  bool GlobalLighting() const { return FGlobalLighting; }
  bool ShowSelectedPlane() const { return FShowSelectedPlane; }
  TTextureListLink* TextureListLink() const { return FTextureListLink; }
  double Aspect() const { return FAspect; }
  float RotateAngle() const { return FRotateAngle; }
  int32_t SelectedPlane() const { return FSelectedPlane; }
  int32_t RotateDirection() const { return FRotateDirection; }
  const std::array<bool, 6>& PlaneVisible() const { return FPlaneVisible; }

  const TGeomObject& CubeObject() const { return *FCubeObject; }
  int32_t CubesCount() const { return FCubesCount; }
  TCube& Cube(int32_t AIndex) { return *FCubes[AIndex]; }
  const TCube& Cube(int32_t AIndex) const { return *FCubes[AIndex]; }
  int32_t WorkPlanesCount() const { return FWorkPlanesCount; }
  TPlane& WorkPlane(int32_t AIndex) { return *FWorkPlanes[AIndex]; }
  const TPlane& WorkPlane(int32_t AIndex) const { return *FWorkPlanes[AIndex]; }
  // Number of the cubie that carries sticker AIndex.
  int32_t WorkPlaneCube(int32_t AIndex) const { return FWorkPlanesCubes[AIndex]; }
  // Where the cubies stand and the scale the cube is drawn and picked at.
  const TCubieGeometry& Geometry() const { return FGeometry; }

private:
  // Implementation details are free to change; the public interface above is the contract.
  // The slice, axis and angle sign that a turn (sticker, direction) names.
  struct TTurnLayer {
    bool Valid = false; // false for a direction outside 0..3: nothing turns
    TIntVector Layer;
    TVertex3f Axis;
    int32_t Sign = 1;
  };
  TTurnLayer TurnLayer(int32_t APlaneIndex, int32_t ADirection) const;
  bool InLayer(const TTurnLayer& ATurn, int32_t ACubeIndex) const;
  // Where sticker AIndex lies at rest, in the cube's own (unscaled) coordinates.
  TPoint3d StickerPlace(int32_t AIndex) const;
  // Drops the turn or the drag in progress without moving any sticker.
  void CancelTurn();
  void AdvanceTurn();
  // The drag rule: sets the turn a drag beyond its threshold shows in this frame, if any.
  void EvaluateDrag(const TMatrix& AView);
  // The view, its visible sides and the drag rule for a frame.
  void LookFrom(const TMatrix& AView);
  // The turn the frame shows: the animated one, or the drag's beyond its threshold.
  TTurnLayer ShownTurn() const;
  void EndTurn();
  void ApplySideRotation();

  TCubieGeometry FGeometry;
  float FScale = 1.0f;
  float FRotateAngle = 0.0f;
  std::unique_ptr<TGeomObject> FCubeObject;
  int32_t FSelectedPlane = -1;
  TMoveHistory FHistory;
  double FAspect = 0.0;
  bool FSolved = false;
  std::array<bool, 6> FPlaneVisible{};
  float FRotateSpeed = 3.0f;
  bool FSideIsRotating = false;
  TNotifyEvent FOnEndSideRotate;
  std::vector<std::unique_ptr<TCube>> FCubes;
  int32_t FCubesCount = 0;
  bool FGlobalLighting = false;
  bool FShowSelectedPlane = false;
  std::vector<TPlane*> FWorkPlanes; // faces owned by their cubies
  int32_t FWorkPlanesCount = 0;
  TVectorArray FWorkPlanesColors;
  std::vector<int32_t> FWorkPlanesIDs;
  std::vector<uint32_t> FWorkPlanesTextures;
  int32_t FRotateDirection = -1;
  bool FManualRotation = false;
  TTextureListLink* FTextureListLink = nullptr;
  TDragTracker FDrag;
  TMatrix FViewMatrix = IdentityMatrix();
  int32_t FViewWidth = 0; // device pixels, from Resize
  int32_t FViewHeight = 0;
  std::vector<int32_t> FWorkPlanesCubes; // cubie number of every sticker
  bool FTurnEnded = false;
  bool FLastTurnMoved = false; // BeginFrame ended the animated turn; EndFrame applies it
  std::mt19937 FRandom;
};

} // namespace vexil
