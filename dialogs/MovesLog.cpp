#include "dialogs/MovesLog.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

#include <string>

namespace vexil {

namespace {

// Wide enough for a few turns a line beside the cube, narrow enough to leave it the window.
constexpr int kLogMinimumChars = 16;
constexpr int kLogWidthChars = 24;

QPlainTextEdit* ReadOnlyText(QWidget* AParent, const char* AName) {
  auto* text = new QPlainTextEdit(AParent);
  text->setObjectName(QString::fromLatin1(AName));
  text->setReadOnly(true);
  text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  text->setMinimumWidth(text->fontMetrics().averageCharWidth() * kLogMinimumChars);
  text->setMaximumWidth(text->fontMetrics().averageCharWidth() * kLogWidthChars);
  // The cube keeps the keyboard: a click selects text without taking the keys from it.
  text->setFocusPolicy(Qt::ClickFocus);
  return text;
}

} // namespace

TMovesLog::TMovesLog(QWidget* AParent) : QWidget(AParent) {
  setObjectName(QStringLiteral("MovesLog"));
  auto* scrambleLabel = new QLabel(QStringLiteral("Скрамбл:"), this);
  scrambleLabel->setObjectName(QStringLiteral("MovesScrambleLabel"));
  FScramble = ReadOnlyText(this, "MovesScrambleText");
  auto* turnsLabel = new QLabel(QStringLiteral("Ваши ходы:"), this);
  turnsLabel->setObjectName(QStringLiteral("MovesTurnsLabel"));
  FTurns = ReadOnlyText(this, "MovesTurnsText");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(scrambleLabel);
  layout->addWidget(FScramble, 1);
  layout->addWidget(turnsLabel);
  layout->addWidget(FTurns, 2);
}

void TMovesLog::SetTexts(const std::string& AScramble, const std::string& ATurns) {
  const QString scramble = QString::fromStdString(AScramble);
  if (FScramble->toPlainText() != scramble) {
    FScramble->setPlainText(scramble);
  }
  const QString turns = QString::fromStdString(ATurns);
  if (FTurns->toPlainText() != turns) {
    FTurns->setPlainText(turns);
    FTurns->verticalScrollBar()->setValue(FTurns->verticalScrollBar()->maximum());
  }
}

QString TMovesLog::ScrambleText() const {
  return FScramble->toPlainText();
}

QString TMovesLog::TurnsText() const {
  return FTurns->toPlainText();
}

} // namespace vexil
