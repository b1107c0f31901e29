#include "engine/Game.h"

#include "engine/DefaultColors.h"

#include <cstdint>

namespace vexil {

int32_t ExtraScrambleTurns(TDifficulty ADifficulty) {
  switch (ADifficulty) {
  case TDifficulty::Easy:
    return 2;
  case TDifficulty::Normal:
    return 7;
  case TDifficulty::Hard:
    return 13;
  case TDifficulty::None:
    break;
  }
  return 0;
}

std::string DifficultyText(TDifficulty ADifficulty) {
  switch (ADifficulty) {
  case TDifficulty::Easy:
    return "easy";
  case TDifficulty::Normal:
    return "normal";
  case TDifficulty::Hard:
    return "hard";
  case TDifficulty::None:
    break;
  }
  return "";
}

TGame::TGame(int32_t ADegree, const std::vector<uint8_t>& ABodyMesh)
    : FBodyMesh(ABodyMesh), FNotation(ADegree) {
  for (size_t k = 0; k < FPlaneColors.size(); ++k) {
    FPlaneColors[k] = ColorToVertex3f(kDefaultPlaneColors[k]);
  }
  ReplaceCube(ADegree);
}

TGame::~TGame() = default;

void TGame::SetEvents(TGameEvents AEvents) {
  FEvents = std::move(AEvents);
}

void TGame::SetPlaneColors(const std::array<TVertex3f, 6>& AColors) {
  FPlaneColors = AColors;
  FVexilCube->UpdatePlanesColor(FPlaneColors);
}

void TGame::ReplaceCube(int32_t ADegree) {
  auto cube = std::make_unique<TVexilCube>(ADegree, FBodyMesh);
  // Every end of a turn comes here; the model is never replaced from inside this handler.
  cube->SetOnEndSideRotate([this](TVexilCube&) { EndOfTurn(); });
  FVexilCube = std::move(cube);
  FNotation = TNotation(ADegree);
  if (FEvents.OnCubeCreated) {
    FEvents.OnCubeCreated(*FVexilCube);
  }
  FVexilCube->UpdatePlanesColor(FPlaneColors);
}

void TGame::SetGameStarted(bool AValue) {
  FNewGameIsStarted = AValue;
  FPaused = false; // a game that ends or starts is not paused
  Changed();
}

void TGame::SetPaused(bool AValue) {
  if (AValue == FPaused || (AValue && !FNewGameIsStarted)) {
    return;
  }
  if (AValue) {
    // A turn still animating lands first: the cube is hidden as it stands.
    FinishTurn();
    FClock.Stop();
  } else {
    FClock.Resume();
  }
  FPaused = AValue;
  Changed();
}

void TGame::Changed() const {
  if (FEvents.OnChanged) {
    FEvents.OnChanged();
  }
}

void TGame::StopScramble() {
  FScrambling = false;
  FRandomCount = 0;
  FQueuedTurns.clear();
}

void TGame::NewGame(TDifficulty ADifficulty, uint32_t ASeed) {
  StopScramble();
  FDifficulty = ADifficulty;
  FVexilCube->Reset();
  FVexilCube->UpdatePlanesColor(FPlaneColors);
  FVexilCube->Randomize(ASeed);
  FRandomCount = FVexilCube->Degree() + ExtraScrambleTurns(ADifficulty);
  FScrambleText.clear();
  FScrambling = true;
  SetGameStarted(false);
  ScrambleStep();
}

TParsedMoves TGame::NewGameFromScramble(const std::string& AText) {
  TParsedMoves parsed = FNotation.Parse(AText);
  if (parsed.Error || parsed.Moves.empty()) {
    return parsed;
  }
  StopScramble();
  FDifficulty = TDifficulty::None;
  FVexilCube->Reset();
  FVexilCube->UpdatePlanesColor(FPlaneColors);
  const std::vector<TGameTurn> turns = FNotation.Turns(parsed.Moves);
  FQueuedTurns.assign(turns.begin(), turns.end());
  // Kept as the player wrote it (R2 stays R2), in the usual spelling.
  FScrambleText = PrintMoves(parsed.Moves);
  FScrambling = true;
  SetGameStarted(false);
  ScrambleStep();
  return parsed;
}

void TGame::RandomScrambleTurn() {
  FVexilCube->RotateRandomSide();
  const std::string token =
      FNotation.Print({TGameTurn{FVexilCube->SelectedPlane(), FVexilCube->RotateDirection()}});
  FScrambleText += (FScrambleText.empty() ? "" : " ") + token;
}

void TGame::ScrambleStep() {
  if (!FQueuedTurns.empty()) {
    const TGameTurn turn = FQueuedTurns.front();
    FQueuedTurns.pop_front();
    FVexilCube->RotateSide(turn.PlaneIndex, turn.Direction);
    return;
  }
  if (FRandomCount > 0) {
    RandomScrambleTurn();
    --FRandomCount;
    return;
  }
  // A few random turns on a small cube may cancel out (or turn the whole cube): a game must
  // not start on a solved cube, an instant win, so one more turn is made until it is not.
  if (FVexilCube->IsCubeSolved()) {
    RandomScrambleTurn();
    return;
  }
  // The last turn has ended: the game and its clock start now.
  FScrambling = false;
  FMoveCount = 0;
  FClock.Reset();
  if (FEvents.OnClockRestarted) {
    FEvents.OnClockRestarted();
  }
  SetGameStarted(true);
}

void TGame::EndOfTurn() {
  if (FScrambling) {
    ScrambleStep();
    return;
  }
  if (FNewGameIsStarted && FVexilCube->LastTurnMoved() && FMoveCount < INT32_MAX) {
    ++FMoveCount;
  }
  if (FVexilCube->LastTurnMoved()) {
    Changed(); // the count and the player's turns in notation
  }
  if (FQueuedTurns.empty()) {
    return;
  }
  // A typed sequence that solves the cube mid-way has won the game: the rest is not played.
  if (FNewGameIsStarted && FVexilCube->IsCubeSolved()) {
    FQueuedTurns.clear();
    return;
  }
  PlayQueuedTurn();
}

void TGame::PlayQueuedTurn() {
  const TGameTurn turn = FQueuedTurns.front();
  FQueuedTurns.pop_front();
  FVexilCube->PlayTurn(turn.PlaneIndex, turn.Direction);
}

TParsedMoves TGame::PlayMoves(const std::string& AText) {
  TParsedMoves parsed = FNotation.Parse(AText);
  if (parsed.Error || !CanPlayMoves()) {
    return parsed;
  }
  const std::vector<TGameTurn> turns = FNotation.Turns(parsed.Moves);
  FQueuedTurns.insert(FQueuedTurns.end(), turns.begin(), turns.end());
  // A turn that animates (a released drag, an earlier typed turn) starts the next as it ends.
  if (!FVexilCube->SideIsRotating() && !FQueuedTurns.empty()) {
    PlayQueuedTurn();
  }
  return parsed;
}

std::string TGame::MovesText() const {
  const TMoveHistory& history = FVexilCube->History();
  std::vector<TGameTurn> turns;
  for (int32_t i = 0; i <= history.Position(); ++i) {
    const TUndoRedoInfo& entry = history.Entry(i);
    turns.push_back(TGameTurn{entry.UndoRedoPlaneIndex(), entry.UndoRedoPlaneDirection()});
  }
  return FNotation.Print(turns);
}

void TGame::Reset() {
  StopScramble();
  FVexilCube->Reset();
  FVexilCube->UpdatePlanesColor(FPlaneColors);
  SetGameStarted(false);
}

void TGame::ChangeDegree(int32_t ADegree) {
  StopScramble();
  FScrambleText.clear();
  ReplaceCube(ADegree);
  FClock.Stop();
  FDifficulty = TDifficulty::None;
  SetGameStarted(false);
}

void TGame::LoadGame(const TSavedGame& AGame) {
  StopScramble();
  ReplaceCube(AGame.Degree);
  FScrambleText = AGame.Scramble;
  ApplySavedGame(AGame, *FVexilCube);
  FClock.SetTime(AGame.Days, AGame.Seconds);
  FClock.Resume();
  FMoveCount = AGame.Moves;
  for (const TDifficulty difficulty : {TDifficulty::Easy, TDifficulty::Normal, TDifficulty::Hard}) {
    if (AGame.Difficulty == DifficultyText(difficulty)) {
      FDifficulty = difficulty;
    }
  }
  SetGameStarted(true);
}

void TGame::SaveGame(TStream& AStream) const {
  WriteSavedGame(AStream, *FVexilCube, FClock.DaysCount(), FClock.SecondCount(),
                 DifficultyText(FDifficulty), FMoveCount, FScrambleText);
}

void TGame::FinishTurn() {
  // The scramble's turns run at their own pace; only a turn of the player's is hurried. The
  // player acting on the cube also ends a typed sequence that still plays: its turns so far
  // stay, in the history, the rest is dropped.
  if (!FScrambling) {
    FQueuedTurns.clear();
    FVexilCube->FinishTurn();
  }
}

bool TGame::DragInProgress() const {
  // The model's flag also stays up while a released drag animates; that turn may be hurried.
  return FVexilCube->ManualRotation() && !FVexilCube->SideIsRotating();
}

void TGame::Undo() {
  if (!FNewGameIsStarted || FPaused || DragInProgress()) {
    return;
  }
  FinishTurn();
  // The turn just completed may have solved the cube: that game is won, not undone.
  if (!FVexilCube->Solved()) {
    FVexilCube->Undo();
  }
  Changed();
}

void TGame::Redo() {
  if (!FNewGameIsStarted || FPaused || DragInProgress()) {
    return;
  }
  FinishTurn();
  if (!FVexilCube->Solved()) {
    FVexilCube->Redo();
  }
  Changed();
}

bool TGame::UndoEnabled() const {
  return FNewGameIsStarted && !FPaused && FVexilCube->UndoExist();
}

bool TGame::RedoEnabled() const {
  return FNewGameIsStarted && !FPaused && FVexilCube->RedoExist();
}

void TGame::ClockTick() {
  FClock.Tick();
}

bool TGame::CheckSolved() {
  if (!FNewGameIsStarted || !FVexilCube->Solved()) {
    return false;
  }
  FLastSolve = TSolveRecord{std::string(),      FVexilCube->Degree(), DifficultyText(FDifficulty),
                            FClock.DaysCount(), FClock.SecondCount(), FMoveCount,
                            FScrambleText};
  FDifficulty = TDifficulty::None;
  FClock.Stop();
  FVexilCube->ClearUndoRedoState();
  SetGameStarted(false);
  return true;
}

std::string TGame::CongratulationText() const {
  std::string text = "Поздравляем! Ваше время: " + FClock.SecondsToTimeStr();
  if (FClock.DaysCount() > 0) {
    text += "; Дни: " + FClock.DaysToTimeStr();
  }
  return text;
}

} // namespace vexil
