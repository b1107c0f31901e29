#include "dialogs/UpdateForm.h"

#include "dialogs/FormFont.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
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
// The notes scroll inside this part of the group box, from the first note down to just above
// the button; the window keeps its size whatever their length.
constexpr QRect kNotesArea(2, 70, 298, 124);
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

  // See-through: the notes stand on the group box as the other labels do.
  FNotesArea = new QScrollArea(groupBox);
  FNotesArea->setObjectName(QStringLiteral("ReleaseNotesArea"));
  FNotesArea->setGeometry(kNotesArea);
  FNotesArea->setFrameShape(QFrame::NoFrame);
  FNotesArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  FNotesArea->setWidgetResizable(false);
  FNotesArea->viewport()->setAutoFillBackground(false);
  auto* notes = new QWidget();
  notes->setObjectName(QStringLiteral("ReleaseNotes"));
  notes->setAutoFillBackground(false);
  FNotesArea->setWidget(notes);
  FNotes = notes;
  FReleaseNote1Label = AddNoteLabel("ReleaseNote1Label", QString(), kNoteLeft);
  FReleaseNote2Label = AddNoteLabel("ReleaseNote2Label", QString(), kNoteLeft);
  AddNoteLabel("ReleaseNote1OptionLabel", QStringLiteral("-"), kBulletLeft);
  FReleaseNote2OptionLabel =
      AddNoteLabel("ReleaseNote2OptionLabel", QStringLiteral("-"), kBulletLeft);

  auto* button = new QPushButton(QStringLiteral("Скачать новую версию программы."), groupBox);
  button->setObjectName(QStringLiteral("BitBtn1"));
  button->setGeometry(8, 200, 281, 25);
  button->setDefault(true);
  connect(button, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
  FButton = button;
}

QLabel* TUpdateForm::AddLabel(const char* AName, const QString& AText, QPoint APlace,
                              QWidget* AParent) {
  auto* label = new QLabel(AText, AParent != nullptr ? AParent : FGroupBox);
  label->setObjectName(QString::fromLatin1(AName));
  // The notes come from the network: shown as the text they are, never as markup.
  label->setTextFormat(Qt::PlainText);
  label->move(APlace);
  label->adjustSize();
  return label;
}

QLabel* TUpdateForm::AddNoteLabel(const char* AName, const QString& AText, int ALeft) {
  return AddLabel(AName, AText, {ALeft - kNotesArea.left(), 0}, FNotes);
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
  FReleaseNote1Label->setText(FReleaseNote1);
  FReleaseNote1Label->setWordWrap(true);
  FReleaseNote2Label->setText(FReleaseNote2);
  FReleaseNote2Label->setWordWrap(true);
  // The notes wrap at the group box's width; when they are longer than the room above the
  // button they wrap beside a scroll bar and scroll.
  const int fullWidth = FGroupBox->width() - kNoteLeft;
  int bottom = LayOutNotes(fullWidth);
  const bool scrolls = bottom > kNotesArea.height();
  if (scrolls) {
    bottom = LayOutNotes(fullWidth - FNotesArea->verticalScrollBar()->sizeHint().width());
  }
  FNotesArea->setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  // The button has the focus first, so Space or Enter presses it at once; notes that scroll
  // are reached with Tab and scrolled with the arrow keys.
  FNotesArea->setFocusPolicy(scrolls ? Qt::TabFocus : Qt::NoFocus);
  FButton->setFocus();
  FNotes->resize(kNotesArea.width() -
                     (scrolls ? FNotesArea->verticalScrollBar()->sizeHint().width() : 0),
                 bottom);
}

int TUpdateForm::LayOutNotes(int ANoteWidth) {
  // The second note follows the first's last line.
  const int left = kNoteLeft - kNotesArea.left();
  FReleaseNote1Label->setGeometry(left, 0, ANoteWidth,
                                  WrappedHeight(FReleaseNote1Label, ANoteWidth));
  FReleaseNote2Label->setGeometry(
      left, FReleaseNote1Label->y() + FReleaseNote1Label->height() + kNoteSpacing, ANoteWidth,
      WrappedHeight(FReleaseNote2Label, ANoteWidth));
  FReleaseNote2OptionLabel->move(kBulletLeft - kNotesArea.left(), FReleaseNote2Label->y());
  return FReleaseNote2Label->y() + FReleaseNote2Label->height();
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
