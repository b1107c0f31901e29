// Game > Records: the player's records, read from the records file each time the window opens,
// shown for the size and difficulty being played, or for the newest solve.
#include "app/MainForm.h"

#include "app/RecordsFile.h"
#include "dialogs/RecordsForm.h"
#include "engine/Records.h"
#include "localization/LocalizationStore.h"

namespace vexil {

namespace {

struct TRecordsChoice {
  int32_t Degree;
  std::string Difficulty;
};

// What the window shows first: the size and difficulty of the game being played (or being
// scrambled); with no game, those of the newest solve, so the game just won shows at once; with
// neither, the size on screen.
TRecordsChoice ChoiceToShow(const std::vector<TSolveRecord>& ARecords, const TGame& AGame) {
  const bool playing = AGame.NewGameIsStarted() || AGame.Scrambling();
  if (playing || ARecords.empty()) {
    return {AGame.VexilCube().Degree(), DifficultyText(AGame.Difficulty())};
  }
  return {ARecords.back().Degree, ARecords.back().Difficulty};
}

} // namespace

void TMainForm::RecordsMenuItemClick() {
  FView->SetLoopEnabled(false);
  TRecordsFile records = ReadRecordsFile(RecordsFileName());
  const TRecordsChoice choice = ChoiceToShow(records.Records, *FGame);
  TRecordsForm form(this);
  form.SetLocalizationStoreLink(FLocalizationStore.get());
  form.SetRecordsFile(std::move(records));
  form.SetChoice(choice.Degree, choice.Difficulty);
  form.exec();
  FView->EnableFrameLoop();
}

} // namespace vexil
