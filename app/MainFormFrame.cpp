// The window's part of each step of the view's frame loop: the solved check with its
// congratulation and records, and the menu items that follow the game.
#include "app/MainForm.h"

#include "app/RecordsFile.h"

#include <QAction>
#include <QDateTime>

#include <exception>
#include <iostream>

namespace vexil {

void TMainForm::ViewStepped() {
  // The solved check belongs to the step just made; its congratulation is a modal message box.
  CheckSolved();
  UpdateActions();
}

void TMainForm::CheckSolved() {
  if (!FGame->CheckSolved()) {
    return;
  }
  KeepRecord();
  ShowMessage(QMessageBox::Information, QStringLiteral("Поздравляем!"),
              QString::fromStdString(FGame->CongratulationText()));
  FView->EnableFrameLoop();
}

void TMainForm::KeepRecord() {
  TSolveRecord record = FGame->LastSolve();
  record.Date = QDateTime::currentDateTime().toString(Qt::ISODate).toStdString();
  try {
    AppendRecord(RecordsFileName(), record);
  } catch (const std::exception& error) {
    // The game itself is not harmed; the solve is only missing from the records.
    std::cerr << error.what() << '\n';
  }
}

void TMainForm::UpdateActions() {
  UpdatePauseItem();
  acUndoStepUpdate();
  acRedoStepUpdate();
  UpdateNotationItems();
}

} // namespace vexil
