// TAboutBox: the modal About window: the program's name and icon, its version, a link to the
// product's web page, a mail link to the contact address and a notice line.
//
//   TAboutBox box(mainWindow);
//   box.SetLocalizationStoreLink(store);
//   box.SetVersion(ProgramVersion);   // after the store: the line starts with its "Version"
//   box.exec();
//
// The links are opened through the desktop (QDesktopServices); a failure is not reported.
#pragma once

#include "dialogs/DialogCentring.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace vexil {

class TLinkLabel;
class TLocalizationStore;

class TAboutBox : public QDialog {
  Q_OBJECT

public:
  explicit TAboutBox(QWidget* AParent = nullptr);

  const TLocalizationStore* LocalizationStoreLink() const { return FLocalizationStoreLink; }
  void SetLocalizationStoreLink(const TLocalizationStore* AValue) {
    FLocalizationStoreLink = AValue;
  }
  // The version line: the current language's "Version", a blank and AValue with exactly one
  // decimal digit and "." whatever the user's number format ("Version 1.4").
  void SetVersion(double AValue);

protected:
  void showEvent(QShowEvent* AEvent) override;

private:
  void CreateLayout();
  QLabel* AddLabel(const char* AName, const QString& AText, QPoint APlace, const QFont& AFont);
  TLinkLabel* AddLink(const char* AName, QPoint APlace);
  void FormShow();
  void WebUrlLabelClick();
  void EMailUrlLabelClick();

  const TLocalizationStore* FLocalizationStoreLink = nullptr;
  QLabel* FVersionLabel = nullptr;
  QLabel* FSiteLabel = nullptr;
  QLabel* FWebLabel = nullptr;
  TLinkLabel* FWebUrlLabel = nullptr;
  TLinkLabel* FEMailUrlLabel = nullptr;
  QLabel* FCopyrightLabel = nullptr;
  QPushButton* FOKButton = nullptr;
  TDialogCentring FCentring;
};

} // namespace vexil
