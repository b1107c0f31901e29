// Game > Records: the player's records, read from the records file each time the window opens,
// shown for the size and difficulty being played.
#include "app/MainForm.h"

#include "app/RecordsFile.h"
#include "dialogs/RecordsForm.h"
#include "engine/Records.h"
#include "localization/LocalizationStore.h"

#include <algorithm>

namespace vexil {

namespace {

// The difficulty to show first for a game of ADegree marked AMark. A solved game clears the
// mark, so without one the newest solve of that size decides: the game just won shows at once.
std::string DifficultyToShow(const std::vector<TSolveRecord>& ARecords, int32_t ADegree,
                             TDifficulty AMark) {
  if (AMark != TDifficulty::None) {
    return DifficultyText(AMark);
  }
  const auto newest =
      std::find_if(ARecords.rbegin(), ARecords.rend(),
                   [ADegree](const TSolveRecord& ARecord) { return ARecord.Degree == ADegree; });
  return newest != ARecords.rend() ? newest->Difficulty : DifficultyText(AMark);
}

} // namespace

void TMainForm::RecordsMenuItemClick() {
  SetTimerEnabled(false);
  TRecordsFile records = ReadRecordsFile(RecordsFileName());
  const int32_t degree = FGame->VexilCube().Degree();
  const std::string difficulty = DifficultyToShow(records.Records, degree, FGame->Difficulty());
  TRecordsForm form(this);
  form.SetLocalizationStoreLink(FLocalizationStore.get());
  form.SetRecordsFile(std::move(records));
  form.SetChoice(degree, difficulty);
  form.exec();
  EnableFrameLoop();
}

} // namespace vexil
