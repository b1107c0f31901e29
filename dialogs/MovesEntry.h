// TMovesEntry: the small window in which the player types turns in notation ("R U R' U'").
// Enter hands the text to whoever plays it; when the text holds a token that is no turn of the
// cube, the entry stays open, selects that token and says what is wrong with it, and nothing
// has been played. Otherwise it closes.
//
//   auto* entry = new TMovesEntry(mainWindow);   // deletes itself when closed
//   entry->SetLocalizationStoreLink(store);
//   entry->SetOnPlay([&](const std::string& AText) { return game.PlayMoves(AText).Error; });
//   entry->open();
#pragma once

#include "engine/Notation.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;

namespace vexil {

class TLocalizationStore;

class TMovesEntry : public QDialog {
  Q_OBJECT

public:
  // Plays the text (UTF-8); returns the error of a text it refused.
  using TPlayHandler = std::function<std::optional<TNotationError>(const std::string& AText)>;

  explicit TMovesEntry(QWidget* AParent = nullptr);

  void SetLocalizationStoreLink(const TLocalizationStore* AValue) {
    FLocalizationStoreLink = AValue;
  }
  void SetOnPlay(TPlayHandler AValue) { FOnPlay = std::move(AValue); }

  QLineEdit* Edit() const { return FEdit; }
  // What the entry says about the refused token; empty when nothing is wrong.
  QString ErrorText() const;

  // The player's words for a refused token, in the store's language (or the design's Russian).
  static QString DescribeError(const TLocalizationStore* AStore, const TNotationError& AError);

protected:
  void showEvent(QShowEvent* AEvent) override;

private:
  void Play();
  void MarkError(const TNotationError& AError, const std::string& AText);
  void ClearError();

  const TLocalizationStore* FLocalizationStoreLink = nullptr;
  TPlayHandler FOnPlay;
  QLineEdit* FEdit = nullptr;
  QLabel* FErrorLabel = nullptr;
};

} // namespace vexil
