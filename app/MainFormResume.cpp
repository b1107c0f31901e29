// A game is never lost: the game in progress is kept when the program closes, by whatever way
// (the close box, Game > Exit, a termination signal, a log-out), and goes on at the next start.
// It is kept as a saved game in "$XDG_DATA_HOME/Vexil Cube/current.vcs", written as Game > Save
// writes one; the end of a game (solved, Reset, a new game, a loaded game, a size change) and an
// exit without a game remove it. A kept game that cannot be read is moved aside, never lost.
#include "app/MainForm.h"

#include "app/PlayerDataFolder.h"
#include "localization/LocalizationStore.h"
#include "support/AtomicFileWrite.h"
#include "support/RegularFileRead.h"

#include <QCloseEvent>
#include <QDir>

#include <cstdio>
#include <filesystem>
#include <iostream>

namespace vexil {

namespace {

std::string KeptGameFileName() {
  return PlayerDataFolder() + "current.vcs";
}

void RemoveKeptGame() {
  std::remove(KeptGameFileName().c_str());
}

// The kept game's outcome, or why its file could not be read.
TSavedGameReadResult ReadKeptGame(const TFileReadResult& AFile) {
  if (!AFile.Result.Ok()) {
    TSavedGameReadResult result;
    result.Reason = AFile.Result.Reason;
    return result;
  }
  return ReadSavedGameBytes(AFile.Bytes, AFile.Truncated);
}

} // namespace

void TMainForm::StartWithKeptGame() {
  // A saved game named at start replaces the kept one, as loading it would during the game.
  if (!FStartGameFile.isEmpty() && LoadGameFile(FStartGameFile)) {
    RemoveKeptGame();
  } else {
    ResumeKeptGame();
  }
  FKeptGameChecked = true;
}

void TMainForm::ResumeKeptGame() {
  const std::string path = KeptGameFileName();
  const TFileReadResult file = ReadRegularFile(path, kMaxSavedGameBytes);
  if (file.Result.Error == TFileError::NotFound) {
    return;
  }
  const TSavedGameReadResult kept = ReadKeptGame(file);
  if (kept.Outcome == TSavedGameOutcome::Loaded) {
    PlaySavedGame(*kept.Game);
    return;
  }
  // Moved aside: the player may still have it read by a newer game, and the next start does
  // not stumble over it again.
  const std::string aside = path + ".damaged";
  std::cerr << path << ": " << kept.Reason << '\n';
  std::rename(path.c_str(), aside.c_str());
  ShowMessage(QMessageBox::Warning,
              FLocalizationStore->GetString(QStringLiteral("UPDATE_DIALOG_TITLE")),
              FLocalizationStore->GetString(QStringLiteral("KEPT_GAME_DAMAGED_MESSAGE"))
                  .arg(QDir::toNativeSeparators(QString::fromStdString(aside))));
}

void TMainForm::KeepGameForNextStart() {
  // Before the start has looked at the kept game, the file is left as it is.
  if (!FKeptGameChecked) {
    return;
  }
  if (!FGame->NewGameIsStarted()) {
    RemoveKeptGame(); // no game, or a scramble that is no game yet
    return;
  }
  TMemoryStream stream;
  try {
    FGame->SaveGame(stream);
  } catch (const std::exception& error) {
    std::cerr << KeptGameFileName() << ": " << error.what() << '\n';
    return;
  }
  std::error_code error;
  std::filesystem::create_directories(PlayerDataFolder(), error);
  const auto& data = stream.Data();
  const TFileResult written = WriteFileAtomically(KeptGameFileName(), data.data(), data.size());
  if (!written.Ok()) {
    // The program is closing: there is no one left to tell but the log.
    std::cerr << KeptGameFileName() << ": " << written.Reason << '\n';
  }
}

void TMainForm::GameEndedForKeeping() {
  if (FKeptGameChecked) {
    RemoveKeptGame();
  }
}

void TMainForm::KeepForNextStart() {
  KeepGameForNextStart();
  FGameSettings->Write();
}

void TMainForm::closeEvent(QCloseEvent* AEvent) {
  KeepForNextStart();
  QMainWindow::closeEvent(AEvent);
}

} // namespace vexil
