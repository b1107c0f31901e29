#include "dialogs/UpdateForm.h"

#include "dialogs/FormFont.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QUrl>

#include <algorithm>

namespace vexil {

namespace {

constexpr int kClientWidth = 316;
constexpr int kClientHeight = 251;
constexpr int kNoteLeft = 25;
constexpr int kBulletLeft = 15;
// The gap between the first note's last line and the second note.
constexpr int kNoteSpacing = 20;
constexpr char kDesignFont[] = "MS Sans Serif";
constexpr char kDownloadPath[] = "/programs/3/#info";

// The height of a label of AWidth pixels whose text wraps; an empty text still takes a line.
int WrappedHeight(const QLabel* ALabel, int AWidth) {
  return std::max(ALabel->heightForWidth(AWidth), ALabel->fontMetrics().height());
}

} // namespace

TUpdateForm::TUpdateForm(const QString& AVersion, const QString& ANote1, const QString& ANote2,
                         const QString& ASiteUrl, QWidget* AParent)
    : QDialog(AParent), FServerVersion(AVersion), FReleaseNote1(ANote1), FReleaseNote2(ANote2),
      FSiteUrl(ASiteUrl),
      FCentring(this, AParent != nullptr ? AParent : QApplication::activeWindow()) {
  CreateLayout();
  ApplySystemMessageFont(this);
}

void TUpdateForm::CreateLayout() {
  setObjectName(QStringLiteral("UpdateForm"));
  setWindowTitle(QStringLiteral("Проверка обновления"));
  // A title bar alone: no close box, no system menu, no minimise or maximise button.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(kClientWidth, kClientHeight);

  auto* groupBox = new QGroupBox(this);
  groupBox->setObjectName(QStringLiteral("GroupBox"));
  groupBox->setGeometry(8, 8, 300, 233);
  FGroupBox = groupBox;

  QLabel* available =
      AddLabel("UpdateAvailableLabel", QStringLiteral("Доступна новая версия программы."), {8, 15});
  available->setFont(LabelFont(QString::fromLatin1(kDesignFont), 13));
  // At least the designed 233 x 16; wider where the platform's stand-in for the design font is.
  available->adjustSize();
  available->resize(std::max(available->width(), 233), std::max(available->height(), 16));
  FNewVersionLabel = AddLabel("NewVersionLabel", QString(), {20, 45});
  FNewVersionLabel->setFont(LabelFont(QString::fromLatin1(kDesignFont), 11, true));
  FReleaseNote1Label = AddLabel("ReleaseNote1Label", QString(), {kNoteLeft, 70});
  FReleaseNote2Label = AddLabel("ReleaseNote2Label", QString(), {kNoteLeft, 120});
  AddLabel("ReleaseNote1OptionLabel", QStringLiteral("-"), {kBulletLeft, 70});
  FReleaseNote2OptionLabel =
      AddLabel("ReleaseNote2OptionLabel", QStringLiteral("-"), {kBulletLeft, 120});

  auto* button = new QPushButton(QStringLiteral("Скачать новую версию программы."), groupBox);
  button->setObjectName(QStringLiteral("BitBtn1"));
  button->setGeometry(8, 200, 281, 25);
  button->setDefault(true);
  connect(button, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
}

QLabel* TUpdateForm::AddLabel(const char* AName, const QString& AText, QPoint APlace) {
  auto* label = new QLabel(AText, FGroupBox);
  label->setObjectName(QString::fromLatin1(AName));
  // The notes come from the network: shown as the text they are, never as markup.
  label->setTextFormat(Qt::PlainText);
  label->move(APlace);
  label->adjustSize();
  return label;
}

QString TUpdateForm::DownloadUrl() const {
  QString site = FSiteUrl.trimmed();
  while (site.endsWith(QLatin1Char('/'))) {
    site.chop(1);
  }
  return site + QString::fromLatin1(kDownloadPath);
}

void TUpdateForm::showEvent(QShowEvent* AEvent) {
  if (!AEvent->spontaneous()) {
    FormShow();
  }
  QDialog::showEvent(AEvent);
}

void TUpdateForm::FormShow() {
  QString version = FServerVersion;
  FNewVersionLabel->setText(QStringLiteral("Vexil Cube v") +
                            version.replace(QLatin1Char(','), QLatin1Char('.')));
  FNewVersionLabel->adjustSize();
  // The notes wrap at the group box's width; the second follows the first's last line. The
  // window keeps its size whatever the notes' length.
  const int noteWidth = FGroupBox->width() - kNoteLeft;
  FReleaseNote1Label->setText(FReleaseNote1);
  FReleaseNote1Label->setWordWrap(true);
  FReleaseNote1Label->resize(noteWidth, WrappedHeight(FReleaseNote1Label, noteWidth));
  FReleaseNote2Label->setText(FReleaseNote2);
  FReleaseNote2Label->setWordWrap(true);
  FReleaseNote2Label->setGeometry(
      kNoteLeft, FReleaseNote1Label->y() + FReleaseNote1Label->height() + kNoteSpacing, noteWidth,
      WrappedHeight(FReleaseNote2Label, noteWidth));
  FReleaseNote2OptionLabel->move(kBulletLeft, FReleaseNote2Label->y());
}

void TUpdateForm::BitBtn1Click() {
  FClose = true;
  // A browser that cannot be started is not reported; the window closes all the same.
  QDesktopServices::openUrl(QUrl(DownloadUrl()));
  accept();
}

void TUpdateForm::done(int AResult) {
  if (FClose) {
    QDialog::done(AResult);
  }
}

void TUpdateForm::closeEvent(QCloseEvent* AEvent) {
  if (!FClose) {
    AEvent->ignore();
    return;
  }
  QDialog::closeEvent(AEvent);
}

} // namespace vexil
