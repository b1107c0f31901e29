// TRecordsForm: the modal window of the player's personal records. For the size and difficulty
// chosen in it: the best time, the fewest moves, the number of solves, the averages of the last
// 5 and the last 12 with the best and the worst dropped (ao5, ao12), a table of the solves,
// newest first, and a plot of their times; the best solve is marked in both. It works on the
// records it is given and reads no file:
//
//   TRecordsForm form(mainWindow);
//   form.SetLocalizationStoreLink(store);
//   form.SetRecordsFile(ReadRecordsFile(name));
//   form.SetChoice(degree, "normal");   // what shows first; the player may choose another
//   form.exec();
//
// Difficulties are the texts of the records file: "easy", "normal", "hard", and "" for games
// whose difficulty was not marked.
#pragma once

#include "dialogs/DialogCentring.h"
#include "engine/Records.h"

#include <QDialog>

#include <cstdint>
#include <optional>
#include <string>

class QComboBox;
class QGridLayout;
class QLabel;
class QPushButton;
class QTableView;

namespace vexil {

class TLocalizationStore;
class TRecordsPlot;
class TRecordsTableModel;

class TRecordsForm : public QDialog {
  Q_OBJECT

public:
  explicit TRecordsForm(QWidget* AParent = nullptr);

  const TLocalizationStore* LocalizationStoreLink() const { return FLocalizationStoreLink; }
  void SetLocalizationStoreLink(const TLocalizationStore* AValue) {
    FLocalizationStoreLink = AValue;
  }

  const TRecordsFile& RecordsFile() const { return FRecordsFile; }
  void SetRecordsFile(TRecordsFile AValue);

  // Shows ADegree (kept within 2..10) and ADifficulty (any other text shows the unmarked ones).
  void SetChoice(int32_t ADegree, const std::string& ADifficulty);
  int32_t ChosenDegree() const;
  std::string ChosenDifficulty() const;

  // The solve marked as the best among the shown ones: the first to reach the best time, as an
  // index into them oldest first.
  std::optional<size_t> BestSolve() const { return FBestSolve; }
  // The solve selected in the table, if any.
  const TSolveRecord* ChosenSolve() const;

  // Localises, sizes and fills the window once before it shows.
  void setVisible(bool AVisible) override;

protected:
  void hideEvent(QHideEvent* AEvent) override;

private:
  void CreateLayout();
  QLabel* AddLabel(const char* AName, const QString& AText);
  QString Text(const char* AKey, const char* ADesignText) const;
  void FormShow();
  void LocalizeLists();
  // Widths that hold every figure and every cell the records file can show, whatever size and
  // difficulty is chosen, so nothing moves sideways when the choice changes; the window opens
  // wide enough for the table and a plot of its liked size.
  void FitToRecords();
  // The columns of the table and its number column; the table is as wide as they need.
  void FitTable(const QString& ADaysTemplate);
  // The columns of the figures, as wide as the widest figure of the file.
  void FitFigures(const QString& ADaysTemplate);
  // Fills the figures, the table and the plot for the chosen size and difficulty, at once while
  // the window shows, otherwise when it is shown.
  void RecordsChanged();
  void ShowRecords();

  // While it shows, a change of the records or the choice is shown at once.
  bool FShowing = false;

  const TLocalizationStore* FLocalizationStoreLink = nullptr;
  TRecordsFile FRecordsFile;
  std::optional<size_t> FBestSolve;
  QComboBox* FDegreeBox = nullptr;
  QComboBox* FDifficultyBox = nullptr;
  QLabel* FBestTimeValue = nullptr;
  QLabel* FBestMovesValue = nullptr;
  QLabel* FSolvesValue = nullptr;
  QLabel* FAverageOf5Value = nullptr;
  QLabel* FAverageOf12Value = nullptr;
  QLabel* FDamagedLabel = nullptr;
  // Puts the chosen solve's scramble on the clipboard, to race it again.
  QPushButton* FCopyScrambleButton = nullptr;
  QGridLayout* FFigures = nullptr;
  QTableView* FTable = nullptr;
  TRecordsTableModel* FTableModel = nullptr;
  TRecordsPlot* FPlot = nullptr;
  TDialogCentring FCentring;
};

} // namespace vexil
