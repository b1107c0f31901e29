#include "dialogs/HelpForm.h"

#include "dialogs/FormFont.h"
#include "localization/LocalizationStore.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QPushButton>
#include <QShowEvent>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace vexil {

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 560;
constexpr char kPageFolder[] = ":/help/";
constexpr char kDesignPage[] = "russian.html";

} // namespace

THelpForm::THelpForm(QWidget* AParent) : QDialog(AParent), FCentring(this, AParent) {
  CreateLayout();
  ApplySystemMessageFont(this);
}

void THelpForm::CreateLayout() {
  setObjectName(QStringLiteral("HelpForm"));
  setWindowTitle(QStringLiteral("Справка Vexil Cube 3D"));
  // A window of its own beside the game, which keeps running: resizable, with every button.
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
  resize(kWidth, kHeight);

  auto* layout = new QVBoxLayout(this);
  FBrowser = new QTextBrowser(this);
  FBrowser->setObjectName(QStringLiteral("HelpBrowser"));
  FBrowser->setOpenLinks(true);
  FBrowser->setOpenExternalLinks(false);
  layout->addWidget(FBrowser);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* close = buttons->addButton(QStringLiteral("Закрыть"), QDialogButtonBox::RejectRole);
  close->setObjectName(QStringLiteral("HelpCloseButton"));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  layout->addWidget(buttons);
}

QUrl THelpForm::PageUrl() const {
  const QString key = QStringLiteral("HELP_PAGE");
  QString page = FLocalizationStoreLink != nullptr ? FLocalizationStoreLink->GetString(key) : key;
  // Only a plain file name of the help folder: a language file cannot point anywhere else.
  if (page.contains(QLatin1Char('/')) ||
      !QFileInfo(QString::fromLatin1(kPageFolder) + page).isFile()) {
    page = QString::fromLatin1(kDesignPage);
  }
  return QUrl(QStringLiteral("qrc") + QString::fromLatin1(kPageFolder) + page);
}

void THelpForm::showEvent(QShowEvent* AEvent) {
  if (!AEvent->spontaneous()) {
    FormShow();
  }
  QDialog::showEvent(AEvent);
}

void THelpForm::FormShow() {
  if (FLocalizationStoreLink != nullptr) {
    FLocalizationStoreLink->LocalizeForm(this);
  }
  const QUrl page = PageUrl();
  if (FBrowser->source() != page) {
    FBrowser->setSource(page);
  }
}

} // namespace vexil
