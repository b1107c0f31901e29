#include "engine/VexilCube.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numeric>
#include <optional>
#include <unordered_map>

namespace vexil {

void TVexilCube::Randomize(uint32_t ASeed) {
  FRandom.seed(ASeed);
}

void TVexilCube::RotateRandomSide() {
  // The sticker is drawn first. Direction 3 is never drawn: it equals three turns in direction 1.
  std::uniform_int_distribution<int32_t> sticker(0, FWorkPlanesCount - 1);
  const int32_t s = sticker(FRandom);
  std::uniform_int_distribution<int32_t> direction(0, 2);
  RotateSide(s, direction(FRandom));
}

void TVexilCube::RotateSide(int32_t APlaneIndex, int32_t ADirection) {
  FRotateAngle = 0.0f;
  FSideIsRotating = true;
  FRotateSpeed = 10.0f;
  FSelectedPlane = APlaneIndex;
  FRotateDirection = ADirection;
}

void TVexilCube::PlayTurn(int32_t APlaneIndex, int32_t ADirection) {
  FHistory.Append(APlaneIndex, ADirection);
  RotateSide(APlaneIndex, ADirection);
}

int32_t TVexilCube::OppositeDirection(int32_t ADirection) {
  switch (ADirection) {
  case 0:
    return 2;
  case 1:
    return 3;
  case 2:
    return 0;
  case 3:
    return 1;
  default:
    return -1;
  }
}

void TVexilCube::Undo() {
  if (FSideIsRotating) {
    return;
  }
  if (const std::optional<TUndoRedoInfo> turn = FHistory.StepBack()) {
    RotateSide(turn->UndoRedoPlaneIndex(), OppositeDirection(turn->UndoRedoPlaneDirection()));
  }
}

void TVexilCube::Redo() {
  if (FSideIsRotating) {
    return;
  }
  if (const std::optional<TUndoRedoInfo> turn = FHistory.StepForward()) {
    RotateSide(turn->UndoRedoPlaneIndex(), turn->UndoRedoPlaneDirection());
  }
}

void TVexilCube::FinishTurn() {
  if (!FSideIsRotating) {
    return;
  }
  // A turn on its way back ends where it started; NaN counts as that too, as in AdvanceTurn.
  FRotateAngle = FRotateSpeed > 0.0f ? 90.0f : 0.0f;
  FTurnEnded = false;
  EndTurn();
}

void TVexilCube::CancelTurn() {
  FSideIsRotating = false;
  FManualRotation = false;
  FTurnEnded = false;
  FRotateAngle = 0.0f;
  FSelectedPlane = -1;
  FRotateDirection = -1;
  FDrag.Release();
  for (int32_t i = 0; i < FCubesCount; ++i) {
    FCubes[i]->SetRotated(false);
  }
}

TVexilCube::TTurnLayer TVexilCube::TurnLayer(int32_t APlaneIndex, int32_t ADirection) const {
  TTurnLayer turn;
  if (APlaneIndex < 0 || APlaneIndex >= FWorkPlanesCount || ADirection < 0 || ADirection > 3) {
    return turn;
  }
  const TPlane& plane = *FWorkPlanes[APlaneIndex];
  const bool vertical = ADirection == 0 || ADirection == 2;
  turn.Valid = true;
  turn.Layer = vertical ? plane.VIntVector() : plane.HIntVector();
  turn.Axis = vertical ? plane.VRotateVector() : plane.HRotateVector();
  turn.Sign = (ADirection == 0 || ADirection == 3) ? -1 : 1;
  return turn;
}

bool TVexilCube::InLayer(const TTurnLayer& ATurn, int32_t ACubeIndex) const {
  const TIntVector position = FGeometry.GridPosition(ACubeIndex);
  return position.I == ATurn.Layer.I || position.J == ATurn.Layer.J || position.L == ATurn.Layer.L;
}

TPoint3d TVexilCube::StickerPlace(int32_t AIndex) const {
  const TPoint3d cubie = FGeometry.CubieCentre(FGeometry.GridPosition(FWorkPlanesCubes[AIndex]));
  const TVertex3f& centre = FWorkPlanes[AIndex]->PlaneCentre();
  return TPoint3d{cubie.X + centre.X, cubie.Y + centre.Y, cubie.Z + centre.Z};
}

void TVexilCube::AdvanceTurn() {
  FTurnEnded = false;
  if (!FSideIsRotating) {
    return;
  }
  FRotateAngle = static_cast<float>(static_cast<double>(FRotateAngle) + FRotateSpeed);
  if (FRotateAngle >= 90.0f) {
    FRotateAngle = 90.0f;
    FTurnEnded = true;
  }
  if (!(FRotateAngle > 0.0f)) { // NaN included: a broken speed must not animate forever
    FRotateAngle = 0.0f;
    FTurnEnded = true;
  }
}

void TVexilCube::EndTurn() {
  // A drag let go short of 45 degrees turns back to where it started and moves nothing.
  FLastTurnMoved = FRotateAngle >= 90.0f && TurnLayer(FSelectedPlane, FRotateDirection).Valid;
  ApplySideRotation();
  FRotateAngle = 0.0f;
  FSelectedPlane = -1;
  FRotateDirection = -1;
  FSideIsRotating = false;
  if (FOnEndSideRotate) {
    // Called through a copy: the handler may start the next turn at once, or replace or clear
    // itself, which must not destroy the function object while it runs.
    const TNotifyEvent handler = FOnEndSideRotate;
    handler(*this);
  }
  FSolved = IsCubeSolved();
}

// Moves the sticker data to the places where the stickers arrived. Rest and arrival places are
// compared in the cube's own coordinates with the turn's exact rotation, so nothing the view or
// the zoom did while the turn animated can make a place miss its match.
void TVexilCube::ApplySideRotation() {
  const auto count = static_cast<size_t>(FWorkPlanesCount);
  // The layer is the turn's own, whatever any frame marked on the cubies.
  const TTurnLayer turn = TurnLayer(FSelectedPlane, FRotateDirection);
  std::vector<int32_t> turning;
  turning.reserve(count);
  // Only stickers of turning cubies can change, so only they are copied out and written back.
  for (size_t i = 0; i < count; ++i) {
    if (turn.Valid && InLayer(turn, FWorkPlanesCubes[i])) {
      turning.push_back(static_cast<int32_t>(i));
      FWorkPlanesIDs[i] = FWorkPlanes[i]->PlaneID();
      FWorkPlanesColors[i] = FWorkPlanes[i]->Color();
      FWorkPlanesTextures[i] = FWorkPlanes[i]->TextureID();
    }
  }
  const TMatrix4d rotation =
      turn.Valid ? RotationMatrix(turn.Sign * static_cast<double>(FRotateAngle), turn.Axis)
                 : IdentityMatrix4d();
  std::vector<TPoint3d> arrivals;
  arrivals.reserve(turning.size());
  for (const int32_t k : turning) {
    arrivals.push_back(TransformPoint(rotation, StickerPlace(k)));
  }
  // The first match in index order wins. Arrivals sorted by x let each place look only at the
  // few whose x is within the tolerance; the smallest matching index is the first match.
  const double tolerance = 0.1 * FGeometry.Pitch(); // a tenth of the sticker pitch
  std::vector<size_t> byX(arrivals.size());
  std::iota(byX.begin(), byX.end(), size_t{0});
  std::sort(byX.begin(), byX.end(),
            [&](size_t A, size_t B) { return arrivals[A].X < arrivals[B].X; });
  for (const int32_t i : turning) {
    const TPoint3d a = StickerPlace(i);
    auto candidate = std::lower_bound(byX.begin(), byX.end(), a.X - tolerance,
                                      [&](size_t M, double X) { return arrivals[M].X < X; });
    size_t first = arrivals.size();
    for (; candidate != byX.end() && arrivals[*candidate].X < a.X + tolerance; ++candidate) {
      const TPoint3d& b = arrivals[*candidate];
      if (*candidate < first && std::fabs(a.X - b.X) < tolerance &&
          std::fabs(a.Y - b.Y) < tolerance && std::fabs(a.Z - b.Z) < tolerance) {
        first = *candidate;
      }
    }
    if (first < arrivals.size()) {
      const TPlane& source = *FWorkPlanes[turning[first]];
      FWorkPlanesIDs[i] = source.PlaneID();
      FWorkPlanesColors[i] = source.Color();
      FWorkPlanesTextures[i] = source.TextureID();
    }
  }
  for (const int32_t i : turning) {
    TPlane& plane = *FWorkPlanes[i];
    plane.SetPlaneID(FWorkPlanesIDs[i]);
    plane.SetColor(FWorkPlanesColors[i]);
    plane.SetTextureID(FWorkPlanesTextures[i], plane.TextureIndex());
  }
  for (auto& cube : FCubes) {
    cube->SetRotated(false);
  }
  FRotateAngle = 0.0f;
}

namespace {

// A colour as a hash key: -0.0 is folded onto +0.0 so that the key is equal exactly when the
// colours compare equal.
struct TColorKey {
  uint32_t Bits[3];
  bool operator==(const TColorKey& AOther) const {
    return Bits[0] == AOther.Bits[0] && Bits[1] == AOther.Bits[1] && Bits[2] == AOther.Bits[2];
  }
};

struct TColorKeyHash {
  size_t operator()(const TColorKey& AKey) const {
    uint64_t h = 1469598103934665603ull;
    for (const uint32_t bits : AKey.Bits) {
      h = (h ^ bits) * 1099511628211ull;
    }
    return static_cast<size_t>(h);
  }
};

uint32_t KeyBits(float AValue) {
  const float folded = AValue == 0.0f ? 0.0f : AValue;
  uint32_t bits = 0;
  std::memcpy(&bits, &folded, sizeof(bits));
  return bits;
}

bool HasNaN(const TVertex3f& V) {
  return std::isnan(V.X) || std::isnan(V.Y) || std::isnan(V.Z);
}

// Remembers the normal each colour was first seen with. A cube shows few colours, so they are
// kept in a short list; an arrangement with many colours moves them to a hash table, which keeps
// the whole test linear.
class TColorSides {
public:
  // False when AColor was seen before with another normal.
  bool Add(const TColorKey& AColor, const TVertex3f& ANormal) {
    if (FTable.empty()) {
      for (const auto& [color, normal] : FFew) {
        if (color == AColor) {
          return SameVertex(normal, ANormal);
        }
      }
      if (FFew.size() < kFewColors) {
        FFew.emplace_back(AColor, ANormal);
        return true;
      }
      FTable.reserve(4 * kFewColors);
      FTable.insert(FFew.begin(), FFew.end());
    }
    const auto found = FTable.find(AColor);
    if (found == FTable.end()) {
      FTable.emplace(AColor, ANormal);
      return true;
    }
    return SameVertex(found->second, ANormal);
  }

private:
  static constexpr size_t kFewColors = 12;
  std::vector<std::pair<TColorKey, TVertex3f>> FFew;
  std::unordered_map<TColorKey, TVertex3f, TColorKeyHash> FTable;
};

} // namespace

// Solved unless one colour is found on two sides: the pairwise definition, in one pass. A NaN
// colour equals nothing (not even itself), and a sticker with a NaN normal differs from itself.
bool TVexilCube::IsCubeSolved() const {
  TColorSides sides;
  for (const TPlane* plane : FWorkPlanes) {
    const TVertex3f& color = plane->Color();
    if (HasNaN(color)) {
      continue;
    }
    const TVertex3f& normal = plane->Normal();
    if (HasNaN(normal) ||
        !sides.Add(TColorKey{{KeyBits(color.X), KeyBits(color.Y), KeyBits(color.Z)}}, normal)) {
      return false;
    }
  }
  return true;
}

} // namespace vexil
