// Saving and loading games: the file dialogs, the file itself and the messages. The game's
// format and its checks are the engine's (SavedGame.h); only a regular file is read (a named pipe
// would block the window), whole and checked before anything of the game on screen changes, and
// a file is written through a temporary file flushed to the disk before it replaces the old one,
// so that a failed save (a full disk, a kill) never destroys the file it was to replace.
#include "app/MainForm.h"

#include "app/FileErrorText.h"
#include "localization/LocalizationStore.h"
#include "support/AtomicFileWrite.h"
#include "support/RegularFileRead.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

#include <exception>
#include <iostream>

namespace vexil {

namespace {

QString NativeName(const QString& AFileName) {
  return QDir::toNativeSeparators(AFileName);
}

} // namespace

QString TMainForm::AskSavedGameFile(bool ASave) {
  QFileDialog dialog(this);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  // The titles are the same in every language: the language files carry none for them.
  dialog.setWindowTitle(ASave ? QStringLiteral("Сохранить игру")
                              : QStringLiteral("Загрузить игру"));
  dialog.setNameFilter(QStringLiteral("Vexil Cube Save (*.vcs)"));
  dialog.setDefaultSuffix(QString::fromLatin1(kSavedGameExtension));
  dialog.setDirectory(FSavedGameFolder.isEmpty() ? QDir::homePath() : FSavedGameFolder);
  // Saving asks before replacing a file (the dialog's own confirmation).
  dialog.setAcceptMode(ASave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(ASave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return QString();
  }
  const QString fileName = dialog.selectedFiles().constFirst();
  FSavedGameFolder = QFileInfo(fileName).absolutePath();
  return fileName;
}

void TMainForm::LoadGameMenuItemClick() {
  const QString fileName = AskSavedGameFile(false);
  if (!fileName.isEmpty()) {
    LoadGameFile(fileName);
  }
  FView->EnableFrameLoop();
}

void TMainForm::SaveGameMenuItemClick() {
  if (!FGame->NewGameIsStarted()) {
    return;
  }
  const QString fileName = AskSavedGameFile(true);
  if (!fileName.isEmpty()) {
    SaveGameFile(fileName);
  }
  FView->EnableFrameLoop();
}

bool TMainForm::LoadGameFile(const QString& AFileName) {
  const TFileReadResult file =
      ReadRegularFile(QFile::encodeName(AFileName).toStdString(), kMaxSavedGameBytes);
  if (!file.Result.Ok()) {
    ReportGameFileError(false, AFileName, file.Result);
    return false;
  }
  const TSavedGameReadResult result = ReadSavedGameBytes(file.Bytes, file.Truncated);
  switch (result.Outcome) {
  case TSavedGameOutcome::NotASavedGame:
    return false; // not one of ours: ignored without a word
  case TSavedGameOutcome::NewerVersion:
    ShowMessage(QMessageBox::Warning,
                FLocalizationStore->GetString(QStringLiteral("UPDATE_DIALOG_TITLE")),
                FLocalizationStore->GetString(QStringLiteral("UPDATE_GAME_MESSAGE")));
    return false;
  case TSavedGameOutcome::Damaged:
    std::cerr << NativeName(AFileName).toStdString() << ": " << result.Reason << '\n';
    ShowMessage(QMessageBox::Warning,
                FLocalizationStore->GetString(QStringLiteral("UPDATE_DIALOG_TITLE")),
                FLocalizationStore->GetString(QStringLiteral("DAMAGED_GAME_MESSAGE"))
                    .arg(NativeName(AFileName)));
    return false;
  case TSavedGameOutcome::Loaded:
    break;
  }
  GameEndedForKeeping();
  PlaySavedGame(*result.Game);
  FView->NudgeView();
  return true;
}

void TMainForm::PlaySavedGame(const TSavedGame& AGame) {
  FView->StopSpin();
  FView->ForgetGesture();
  FGame->LoadGame(AGame);
  FView->EnableFrameLoop();
}

bool TMainForm::SaveGameFile(const QString& AFileName) {
  TMemoryStream stream;
  try {
    FGame->SaveGame(stream);
  } catch (const std::exception& error) {
    std::cerr << NativeName(AFileName).toStdString() << ": " << error.what() << '\n';
    ReportGameFileError(true, AFileName, TFileResult{TFileError::Other, error.what()});
    return false;
  }
  const std::string path = QFile::encodeName(AFileName).toStdString();
  // Temporaries of writes cut short by a kill or a crash go at the next save in their folder.
  RemoveStrayTemporaries(QFile::encodeName(QFileInfo(AFileName).absolutePath()).toStdString());
  const auto& data = stream.Data();
  const TFileResult written = WriteFileAtomically(path, data.data(), data.size());
  if (!written.Ok()) {
    ReportGameFileError(true, AFileName, written);
    return false;
  }
  return true;
}

void TMainForm::OpenFromAnotherStart(const QString& AFileName) {
  if (isMinimized()) {
    showNormal();
  }
  raise();
  activateWindow();
  if (!AFileName.isEmpty()) {
    LoadGameFile(AFileName);
  }
  FView->EnableFrameLoop();
}

void TMainForm::ReportGameFileError(bool ASaving, const QString& AFileName,
                                    const TFileResult& AResult) {
  std::cerr << NativeName(AFileName).toStdString() << ": " << AResult.Reason << '\n';
  const QString caption = FLocalizationStore->GetString(
      ASaving ? QStringLiteral("SAVE_DIALOG_TITLE") : QStringLiteral("UPDATE_DIALOG_TITLE"));
  const QString text = FLocalizationStore->GetString(ASaving ? QStringLiteral("SAVE_GAME_ERROR")
                                                             : QStringLiteral("OPEN_GAME_ERROR"));
  ShowMessage(QMessageBox::Critical, caption,
              text.arg(NativeName(AFileName), FileErrorText(*FLocalizationStore, AResult)));
}

} // namespace vexil
