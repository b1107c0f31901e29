// Moves in notation in the window: the entry for typed turns, the scramble copied to and read
// from the clipboard, and the log of the scramble and the player's turns beside the cube. The
// game decides what is played; the window only carries texts between it and the player.
#include "app/MainForm.h"

#include "dialogs/MovesEntry.h"
#include "dialogs/MovesLog.h"
#include "localization/LocalizationStore.h"

#include <QAction>
#include <QClipboard>
#include <QDockWidget>
#include <QGuiApplication>
#include <QMenu>

namespace vexil {

void TMainForm::CreateNotationGameItems(QMenu* AGameMenu) {
  FEnterMovesItem = AddItem(AGameMenu, "EnterMovesMenuItem", QStringLiteral("Ввести ходы..."));
  FEnterMovesItem->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
  connect(FEnterMovesItem, &QAction::triggered, this, [this] { EnterMovesClick(); });
  FCopyScrambleItem =
      AddItem(AGameMenu, "CopyScrambleMenuItem", QStringLiteral("Копировать скрамбл"));
  FCopyScrambleItem->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
  connect(FCopyScrambleItem, &QAction::triggered, this, [this] { CopyScrambleClick(); });
  FPasteScrambleItem =
      AddItem(AGameMenu, "PasteScrambleMenuItem", QStringLiteral("Новая игра из скрамбла"));
  FPasteScrambleItem->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V));
  connect(FPasteScrambleItem, &QAction::triggered, this, [this] { PasteScrambleClick(); });
}

void TMainForm::CreateShowMovesItem(QMenu* AViewMenu) {
  FShowMovesItem = AddItem(AViewMenu, "ShowMovesMenuItem", QStringLiteral("Показывать ходы"));
  FShowMovesItem->setCheckable(true);
  connect(FShowMovesItem, &QAction::triggered, this, [this] {
    FGameSettings->SetShowMoves(FShowMovesItem->isChecked());
    ShowMovesLog();
  });
  FMovesDock = new QDockWidget(this);
  FMovesDock->setObjectName(QStringLiteral("MovesDock"));
  // Shown and hidden by the menu alone, always on the cube's right.
  FMovesDock->setFeatures(QDockWidget::NoDockWidgetFeatures);
  FMovesLog = new TMovesLog(FMovesDock);
  FMovesDock->setWidget(FMovesLog);
  addDockWidget(Qt::RightDockWidgetArea, FMovesDock);
  FMovesDock->hide();
}

void TMainForm::ShowMovesLog() {
  const bool show = FGameSettings->ShowMoves();
  FShowMovesItem->setChecked(show);
  if (FLocalizationStore != nullptr && FLocalizationStore->KeyIsPresent("MOVES_LOG_TITLE")) {
    FMovesDock->setWindowTitle(FLocalizationStore->GetString(QStringLiteral("MOVES_LOG_TITLE")));
  }
  FMovesDock->setVisible(show);
  UpdateNotationItems();
}

void TMainForm::UpdateNotationItems() {
  FEnterMovesItem->setEnabled(FGame->CanPlayMoves());
  FCopyScrambleItem->setEnabled(!FGame->Scrambling() && !FGame->ScrambleText().empty());
  if (FMovesDock->isVisible()) {
    FMovesLog->SetTexts(FGame->Scrambling() ? std::string() : FGame->ScrambleText(),
                        FGame->MovesText());
  }
}

void TMainForm::EnterMovesClick() {
  if (!FGame->CanPlayMoves()) {
    return;
  }
  auto* entry = new TMovesEntry(this);
  entry->SetLocalizationStoreLink(FLocalizationStore.get());
  entry->SetOnPlay([this](const std::string& AText) -> std::optional<TNotationError> {
    const TParsedMoves parsed = FGame->PlayMoves(AText);
    FView->EnableFrameLoop();
    return parsed.Error;
  });
  entry->open();
}

void TMainForm::CopyScrambleClick() {
  if (!FGame->ScrambleText().empty()) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(FGame->ScrambleText()));
  }
}

void TMainForm::PasteScrambleClick() {
  const std::string text = QGuiApplication::clipboard()->text().toStdString();
  const TParsedMoves parsed = FGame->NewGameFromScramble(text);
  if (parsed.Error || parsed.Moves.empty()) {
    QString message = FLocalizationStore->GetString(QStringLiteral("SCRAMBLE_NOT_VALID_MESSAGE"));
    if (parsed.Error) {
      message +=
          QLatin1Char('\n') + TMovesEntry::DescribeError(FLocalizationStore.get(), *parsed.Error);
    }
    ShowMessage(QMessageBox::Warning, FPasteScrambleItem->text(), message);
    return;
  }
  FView->StopSpin();
  FView->EnableFrameLoop();
}

} // namespace vexil
