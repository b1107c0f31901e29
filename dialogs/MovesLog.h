// TMovesLog: the game's scramble and the player's turns so far, in notation, shown beside the
// cube. Both texts can be selected and copied; the turns keep their newest one in sight.
#pragma once

#include <QWidget>

#include <string>

class QPlainTextEdit;

namespace vexil {

class TMovesLog : public QWidget {
  Q_OBJECT

public:
  explicit TMovesLog(QWidget* AParent = nullptr);

  // Shows the texts (UTF-8); a text that did not change is left alone, with the player's
  // selection in it.
  void SetTexts(const std::string& AScramble, const std::string& ATurns);
  QString ScrambleText() const;
  QString TurnsText() const;

private:
  QPlainTextEdit* FScramble = nullptr;
  QPlainTextEdit* FTurns = nullptr;
};

} // namespace vexil
