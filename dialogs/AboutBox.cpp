#include "dialogs/AboutBox.h"

#include "dialogs/FormFont.h"
#include "dialogs/LinkLabel.h"
#include "dialogs/ProgramIcon.h"
#include "localization/LocalizationStore.h"

#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QUrl>

namespace vexil {

namespace {

constexpr int kClientWidth = 394;
constexpr int kClientHeight = 230;
// The links start this far right of their captions.
constexpr int kLinkSpacing = 5;
constexpr char kTitle[] = "Vexil Cube 3D";
constexpr char kArial[] = "Arial";

QFrame* Bevel(QWidget* AParent, const char* AName, const QRect& AGeometry) {
  auto* bevel = new QFrame(AParent);
  bevel->setObjectName(QString::fromLatin1(AName));
  bevel->setFrameStyle(QFrame::HLine | QFrame::Raised);
  bevel->setGeometry(AGeometry);
  return bevel;
}

void SetTextColor(QWidget* AWidget, const QColor& AColor) {
  QPalette palette = AWidget->palette();
  palette.setColor(QPalette::WindowText, AColor);
  AWidget->setPalette(palette);
}

} // namespace

TAboutBox::TAboutBox(QWidget* AParent) : QDialog(AParent), FCentring(this, AParent) {
  CreateLayout();
  ApplySystemMessageFont(this);
}

void TAboutBox::CreateLayout() {
  setObjectName(QStringLiteral("AboutBox"));
  setWindowTitle(QStringLiteral("О программе"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(kClientWidth, kClientHeight);

  // Back to front. The silver copy of the title, 2 pixels right of and below the blue one,
  // is its shadow.
  Bevel(this, "TopBevel", QRect(8, 50, 379, 2));
  const QFont titleFont = LabelFont(QString::fromLatin1(kArial), 24, true);
  QLabel* shadow = AddLabel("AppNameLabelShadow", QString::fromLatin1(kTitle), {48, 10}, titleFont);
  shadow->resize(190, 29);
  SetTextColor(shadow, QColor(192, 192, 192));
  QLabel* title = AddLabel("AppNameLabel", QString::fromLatin1(kTitle), {46, 8}, titleFont);
  title->resize(190, 29);
  SetTextColor(title, Qt::blue);
  FVersionLabel = AddLabel("VersionLabel", QStringLiteral("VersionLabel"), {10, 80},
                           LabelFont(QString::fromLatin1(kArial), 16, true));
  const QFont rowFont = LabelFont(QString::fromLatin1(kArial), 13);
  FSiteLabel = AddLabel("SiteLabel", QStringLiteral("SiteLabel"), {18, 120}, rowFont);
  FWebLabel = AddLabel("WebLabel", QStringLiteral("WebLabel"), {18, 147}, rowFont);
  FWebUrlLabel = AddLink("WebUrlLabel", {104, 120});
  connect(FWebUrlLabel, &TLinkLabel::Clicked, this, [this] { WebUrlLabelClick(); });
  FEMailUrlLabel = AddLink("EMailUrlLabel", {104, 147});
  connect(FEMailUrlLabel, &TLinkLabel::Clicked, this, [this] { EMailUrlLabelClick(); });
  Bevel(this, "Bevel1", QRect(9, 189, 378, 2));
  FCopyrightLabel = AddLabel("CopyrightLabel", QStringLiteral("CopyrightLabel"), {9, 201}, rowFont);

  auto* logo = new QLabel(this);
  logo->setObjectName(QStringLiteral("LogoImage"));
  logo->setPixmap(ProgramIcon().pixmap(32, 32));
  logo->setGeometry(10, 8, 32, 32);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("OKButton"));
  ok->setGeometry(312, 199, 75, 23);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  // Tab goes from the button to the links and back; the button has the focus first, so Enter
  // closes the box at once.
  setTabOrder(FWebUrlLabel, FEMailUrlLabel);
  setTabOrder(FEMailUrlLabel, ok);
  FOKButton = ok;
}

QLabel* TAboutBox::AddLabel(const char* AName, const QString& AText, QPoint APlace,
                            const QFont& AFont) {
  auto* label = new QLabel(AText, this);
  label->setObjectName(QString::fromLatin1(AName));
  label->setTextFormat(Qt::PlainText);
  label->setFont(AFont);
  label->move(APlace);
  label->adjustSize();
  return label;
}

TLinkLabel* TAboutBox::AddLink(const char* AName, QPoint APlace) {
  auto* link = new TLinkLabel(this);
  link->setObjectName(QString::fromLatin1(AName));
  link->setText(link->objectName());
  QFont font = LabelFont(QString::fromLatin1(kArial), 13);
  font.setUnderline(true);
  link->setFont(font);
  link->move(APlace);
  link->adjustSize();
  return link;
}

void TAboutBox::SetVersion(double AValue) {
  const QString key = QStringLiteral("Version");
  const QString word =
      FLocalizationStoreLink != nullptr ? FLocalizationStoreLink->GetString(key) : key;
  // QString::number formats in the C locale: "." and no group separators, everywhere.
  FVersionLabel->setText(word + QLatin1Char(' ') + QString::number(AValue, 'f', 1));
  FVersionLabel->adjustSize();
}

void TAboutBox::showEvent(QShowEvent* AEvent) {
  if (!AEvent->spontaneous()) {
    FormShow();
  }
  QDialog::showEvent(AEvent);
}

void TAboutBox::FormShow() {
  if (FLocalizationStoreLink != nullptr) {
    FLocalizationStoreLink->LocalizeForm(this);
  }
  for (QLabel* label : {FSiteLabel, FWebLabel, static_cast<QLabel*>(FWebUrlLabel),
                        static_cast<QLabel*>(FEMailUrlLabel), FCopyrightLabel}) {
    label->adjustSize();
  }
  // Each link starts just after its caption, however long the language makes it.
  FWebUrlLabel->move(FSiteLabel->x() + FSiteLabel->width() + kLinkSpacing, FWebUrlLabel->y());
  FEMailUrlLabel->move(FWebLabel->x() + FWebLabel->width() + kLinkSpacing, FEMailUrlLabel->y());
  FOKButton->setFocus();
}

void TAboutBox::WebUrlLabelClick() {
  QDesktopServices::openUrl(QUrl(FWebUrlLabel->text().trimmed()));
}

void TAboutBox::EMailUrlLabelClick() {
  QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + FEMailUrlLabel->text().trimmed()));
}

} // namespace vexil
