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

TGame::TGame(int32_t ADegree, const std::vector<uint8_t>& ABodyMesh) : FBodyMesh(ABodyMesh) {
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
  if (FEvents.OnCubeCreated) {
    FEvents.OnCubeCreated(*FVexilCube);
  }
  FVexilCube->UpdatePlanesColor(FPlaneColors);
}

void TGame::SetGameStarted(bool AValue) {
  FNewGameIsStarted = AValue;
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
}

void TGame::NewGame(TDifficulty ADifficulty, uint32_t ASeed) {
  StopScramble();
  FDifficulty = ADifficulty;
  FVexilCube->Reset();
  FVexilCube->UpdatePlanesColor(FPlaneColors);
  FVexilCube->Randomize(ASeed);
  FRandomCount = FVexilCube->Degree() + ExtraScrambleTurns(ADifficulty);
  FScrambling = true;
  SetGameStarted(false);
  ScrambleStep();
}

void TGame::ScrambleStep() {
  if (FRandomCount > 0) {
    FVexilCube->RotateRandomSide();
    --FRandomCount;
    return;
  }
  // A few random turns on a small cube may cancel out (or turn the whole cube): a game must
  // not start on a solved cube, an instant win, so one more turn is made until it is not.
  if (FVexilCube->IsCubeSolved()) {
    FVexilCube->RotateRandomSide();
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
    Changed();
  }
}

void TGame::Reset() {
  StopScramble();
  FVexilCube->Reset();
  FVexilCube->UpdatePlanesColor(FPlaneColors);
  SetGameStarted(false);
}

void TGame::ChangeDegree(int32_t ADegree) {
  StopScramble();
  ReplaceCube(ADegree);
  FClock.Stop();
  FDifficulty = TDifficulty::None;
  SetGameStarted(false);
}

void TGame::LoadGame(const TSavedGame& AGame) {
  StopScramble();
  ReplaceCube(AGame.Degree);
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
                 DifficultyText(FDifficulty), FMoveCount);
}

void TGame::FinishTurn() {
  // The scramble's turns run at their own pace; only a turn of the player's is hurried.
  if (!FScrambling) {
    FVexilCube->FinishTurn();
  }
}

bool TGame::DragInProgress() const {
  // The model's flag also stays up while a released drag animates; that turn may be hurried.
  return FVexilCube->ManualRotation() && !FVexilCube->SideIsRotating();
}

void TGame::Undo() {
  if (!FNewGameIsStarted || DragInProgress()) {
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
  if (!FNewGameIsStarted || DragInProgress()) {
    return;
  }
  FinishTurn();
  if (!FVexilCube->Solved()) {
    FVexilCube->Redo();
  }
  Changed();
}

bool TGame::UndoEnabled() const {
  return FNewGameIsStarted && FVexilCube->UndoExist();
}

bool TGame::RedoEnabled() const {
  return FNewGameIsStarted && FVexilCube->RedoExist();
}

void TGame::ClockTick() {
  FClock.Tick();
}

bool TGame::CheckSolved() {
  if (!FNewGameIsStarted || !FVexilCube->Solved()) {
    return false;
  }
  FLastSolve = TSolveRecord{std::string(),      FVexilCube->Degree(), DifficultyText(FDifficulty),
                            FClock.DaysCount(), FClock.SecondCount(), FMoveCount};
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
