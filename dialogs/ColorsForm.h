// TColorsForm: the modal window in which the player chooses the six sticker colours, the clock
// colour and the background colour. It edits a copy of the colours (GameColors) and nothing
// else; applying them to the cube and keeping them are the caller's business:
//
//   TColorsForm form(mainWindow);
//   form.SetLocalizationStoreLink(store);
//   form.SetGameColors(colours);
//   if (form.exec() == QDialog::Accepted) colours = form.GameColors();
//
// The panels are the working copy: they are filled from GameColors when the window is shown,
// and only OK writes them back. Cancel, Esc and the close box leave GameColors as it was.
#pragma once

#include "dialogs/DialogCentring.h"
#include "dialogs/GameColors.h"

#include <QColor>
#include <QDialog>

#include <array>

class QLabel;
class QPushButton;

namespace vexil {

class TColorPanel;
class TLocalizationStore;

class TColorsForm : public QDialog {
  Q_OBJECT

public:
  // Centred on AParent's window when it opens.
  explicit TColorsForm(QWidget* AParent = nullptr);

  // The store that localises the window and its reset question; not owned. Without one the
  // window keeps its design texts.
  const TLocalizationStore* LocalizationStoreLink() const { return FLocalizationStoreLink; }
  void SetLocalizationStoreLink(const TLocalizationStore* AValue) {
    FLocalizationStoreLink = AValue;
  }

  // The colours edited. Components outside 0..1 are shown clamped.
  const TGameColors& GameColors() const { return FGameColors; }
  void SetGameColors(const TGameColors& AValue) { FGameColors = AValue; }

  // The colour the chooser opens on: black at first, then the colour last confirmed in it.
  QColor ChooserColor() const { return FChooserColor; }

protected:
  void showEvent(QShowEvent* AEvent) override;

private:
  // The panels in the order of their colours: sides 1..6, the clock, the background.
  static constexpr size_t kTimerPanel = 6;
  static constexpr size_t kBackgroundPanel = 7;

  void CreateLayout();
  QLabel* AddLabel(QWidget* AParent, const char* AName, const QString& AText, int ALeft, int ATop);
  QPushButton* AddButton(const char* AName, const QString& AText, int ALeft);
  TColorPanel* AddPanel(QWidget* AParent, size_t AIndex, const char* AName, const QRect& AGeometry);
  QString Text(const char* AKey) const;

  void FormShow();
  void ColorPanelClick(TColorPanel* APanel);
  void OKButtonClick();
  void ResetButtonClick();

  const TLocalizationStore* FLocalizationStoreLink = nullptr;
  TGameColors FGameColors;
  QColor FChooserColor = Qt::black;
  std::array<TColorPanel*, 8> FPanels{};
  std::array<QLabel*, 3> FLabels{};
  QPushButton* FOKButton = nullptr;
  TDialogCentring FCentring;
};

} // namespace vexil
