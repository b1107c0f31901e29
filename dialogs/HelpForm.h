// THelpForm: the game's own help, one page per language carried as a Qt resource
// (resources/help/), shown in a window beside the game. The current language names its page
// with the key "HELP_PAGE"; without a language, or when the page it names does not exist, the
// window shows the page of the design language (Russian), as windows keep their design texts.
//
//   auto* help = new THelpForm(mainWindow);
//   help->SetLocalizationStoreLink(store);
//   help->show();
#pragma once

#include "dialogs/DialogCentring.h"

#include <QDialog>
#include <QUrl>

class QTextBrowser;

namespace vexil {

class TLocalizationStore;

class THelpForm : public QDialog {
  Q_OBJECT

public:
  explicit THelpForm(QWidget* AParent = nullptr);

  const TLocalizationStore* LocalizationStoreLink() const { return FLocalizationStoreLink; }
  void SetLocalizationStoreLink(const TLocalizationStore* AValue) {
    FLocalizationStoreLink = AValue;
  }

  // The page for the current language ("qrc:/help/english.html").
  QUrl PageUrl() const;
  QTextBrowser* Browser() const { return FBrowser; }

protected:
  void showEvent(QShowEvent* AEvent) override;

private:
  void CreateLayout();
  void FormShow();

  const TLocalizationStore* FLocalizationStoreLink = nullptr;
  QTextBrowser* FBrowser = nullptr;
  TDialogCentring FCentring;
};

} // namespace vexil
