// Saving and loading games: the file dialogs, the file itself and the messages. The game's
// format and its checks are the engine's (SavedGame.h); a file is read whole and checked before
// anything of the game on screen changes, and written through a temporary file so that a failed
// save never destroys the file it was to replace.
#include "app/MainForm.h"

#include "localization/LocalizationStore.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

#include <exception>
#include <iostream>

namespace vexil {

namespace {

// Far beyond the largest saved game (an old-format 10 x 10 x 10 cube is some 70 KB): a bigger
// file is no saved game, and reading it would only waste memory.
constexpr qint64 kMaxSavedGameBytes = 16 * 1024 * 1024;

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
  EnableFrameLoop();
}

void TMainForm::SaveGameMenuItemClick() {
  if (!FGame->NewGameIsStarted()) {
    return;
  }
  const QString fileName = AskSavedGameFile(true);
  if (!fileName.isEmpty()) {
    SaveGameFile(fileName);
  }
  EnableFrameLoop();
}

bool TMainForm::LoadGameFile(const QString& AFileName) {
  QFile file(AFileName);
  const QFileInfo info(AFileName);
  if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
    ReportGameFileError(false, AFileName,
                        info.isDir() ? QString::fromLocal8Bit(std::strerror(EISDIR))
                                     : file.errorString());
    return false;
  }
  const QByteArray bytes = file.read(kMaxSavedGameBytes + 1);
  if (file.error() != QFileDevice::NoError) {
    ReportGameFileError(false, AFileName, file.errorString());
    return false;
  }
  TSavedGameReadResult result;
  if (bytes.size() > kMaxSavedGameBytes) {
    result.Outcome = TSavedGameOutcome::Damaged;
    result.Reason = "the file is far larger than any saved game";
  } else {
    TMemoryStream stream(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    result = ReadSavedGame(stream);
  }
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
  StopSpin();
  FMouseState = -1;
  FGame->LoadGame(*result.Game);
  // The first frame after loading nudges the view by one spin step about both screen axes.
  FHRotateDirection = 1;
  FVRotateDirection = 1;
  EnableFrameLoop();
  return true;
}

bool TMainForm::SaveGameFile(const QString& AFileName) {
  TMemoryStream stream;
  try {
    FGame->SaveGame(stream);
  } catch (const std::exception& error) {
    ReportGameFileError(true, AFileName, QString::fromStdString(error.what()));
    return false;
  }
  QSaveFile file(AFileName);
  const QFileInfo info(AFileName);
  const auto& data = stream.Data();
  const qint64 size = static_cast<qint64>(data.size());
  if (info.isDir() || !file.open(QIODevice::WriteOnly) ||
      file.write(reinterpret_cast<const char*>(data.data()), size) != size || !file.commit()) {
    ReportGameFileError(true, AFileName,
                        info.isDir() ? QString::fromLocal8Bit(std::strerror(EISDIR))
                                     : file.errorString());
    return false;
  }
  return true;
}

void TMainForm::ReportGameFileError(bool ASaving, const QString& AFileName,
                                    const QString& AReason) {
  const QString caption = FLocalizationStore->GetString(
      ASaving ? QStringLiteral("SAVE_DIALOG_TITLE") : QStringLiteral("UPDATE_DIALOG_TITLE"));
  const QString text = FLocalizationStore->GetString(ASaving ? QStringLiteral("SAVE_GAME_ERROR")
                                                             : QStringLiteral("OPEN_GAME_ERROR"));
  ShowMessage(QMessageBox::Critical, caption, text.arg(NativeName(AFileName), AReason));
}

} // namespace vexil
