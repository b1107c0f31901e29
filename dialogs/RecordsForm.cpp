#include "dialogs/RecordsForm.h"

#include "dialogs/FormFont.h"
#include "dialogs/RecordsPlot.h"
#include "dialogs/RecordsTableModel.h"
#include "dialogs/RecordsText.h"
#include "dialogs/RecordsTimeAxis.h"
#include "engine/CubeSizes.h"
#include "localization/LocalizationStore.h"

#include <QClipboard>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHideEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace vexil {

namespace {

constexpr QSize kStartSize(860, 560);
// Room around a cell's text, beyond what the style puts there.
constexpr int kCellPadding = 6;

// The difficulties in the chooser's order with the keys of their names and their design names.
struct TDifficultyItem {
  const char* Text;
  const char* Key;
  const char* DesignName;
};
const std::array<TDifficultyItem, 4> kDifficulties = {{
    {"easy", "EasyGameModeMenuItem", "Легко"},
    {"normal", "NormalGameModeMenuItem", "Нормально"},
    {"hard", "HardGameModeMenuItem", "Сложно"},
    {"", "RECORDS_NO_DIFFICULTY", "Не указана"},
}};

// The first solve with the lowest time: a later equal time is no new best.
std::optional<size_t> FirstBest(const std::vector<TSolveRecord>& ARecords) {
  std::optional<size_t> best;
  for (size_t i = 0; i < ARecords.size(); ++i) {
    if (!best || ARecords[i].TotalSeconds() < ARecords[*best].TotalSeconds()) {
      best = i;
    }
  }
  return best;
}

// The widest of ATexts in AMetrics.
int WidestText(const QFontMetrics& AMetrics, const QStringList& ATexts) {
  int widest = 0;
  for (const QString& text : ATexts) {
    widest = std::max(widest, AMetrics.horizontalAdvance(text));
  }
  return widest;
}

// The longest text of AColumn among ARecords: the dates and times are written in one form, so
// with digits of one width the longest text is the widest; dates written by hand in another
// form are all looked at.
QString LongestCell(const std::vector<TSolveRecord>& ARecords, int AColumn,
                    const QString& ADaysTemplate) {
  QString longest;
  const auto consider = [&longest](const QString& AText) {
    if (AText.size() > longest.size()) {
      longest = AText;
    }
  };
  if (AColumn == TRecordsTableModel::kDateColumn) {
    constexpr size_t kIsoLength = std::char_traits<char>::length("2026-12-09T14:05:00");
    for (const TSolveRecord& record : ARecords) {
      if (&record == &ARecords.front() || record.Date.size() != kIsoLength) {
        consider(TRecordsTableModel::CellText(record, AColumn, ADaysTemplate));
      }
    }
    return longest;
  }
  // The slowest time and the most moves have the most digits.
  const auto slowest = std::max_element(ARecords.begin(), ARecords.end(),
                                        [](const TSolveRecord& A, const TSolveRecord& B) {
                                          return A.TotalSeconds() < B.TotalSeconds();
                                        });
  const auto most = std::max_element(
      ARecords.begin(), ARecords.end(),
      [](const TSolveRecord& A, const TSolveRecord& B) { return A.Moves < B.Moves; });
  if (!ARecords.empty()) {
    consider(TRecordsTableModel::CellText(
        AColumn == TRecordsTableModel::kTimeColumn ? *slowest : *most, AColumn, ADaysTemplate));
  }
  return longest;
}

} // namespace

TRecordsForm::TRecordsForm(QWidget* AParent) : QDialog(AParent), FCentring(this, AParent) {
  CreateLayout();
  ApplySystemMessageFont(this);
  // The figures stand out in the window's own font, bold.
  QFont bold = font();
  bold.setBold(true);
  for (QLabel* value :
       {FBestTimeValue, FBestMovesValue, FSolvesValue, FAverageOf5Value, FAverageOf12Value}) {
    value->setFont(bold);
  }
  // Rows as high as their text needs, so many solves show at once.
  FTable->verticalHeader()->setDefaultSectionSize(QFontMetrics(font()).height() + 6);
  FTableModel->SetFont(FTable->font());
  SetChoice(kDefaultVexilCubeDegree, "normal");
}

void TRecordsForm::CreateLayout() {
  setObjectName(QStringLiteral("RecordsForm"));
  setWindowTitle(QStringLiteral("Рекорды"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
  resize(kStartSize);
  auto* layout = new QVBoxLayout(this);

  auto* choice = new QHBoxLayout();
  choice->addWidget(AddLabel("RecordsDegreeLabel", QStringLiteral("Размер кубика:")));
  FDegreeBox = new QComboBox(this);
  FDegreeBox->setObjectName(QStringLiteral("RecordsDegreeBox"));
  for (int degree = kMinVexilCubeDegree; degree <= kMaxVexilCubeDegree; ++degree) {
    FDegreeBox->addItem(QStringLiteral("%1 x %1 x %1").arg(degree), degree);
  }
  choice->addWidget(FDegreeBox);
  choice->addSpacing(16);
  choice->addWidget(AddLabel("RecordsDifficultyLabel", QStringLiteral("Сложность:")));
  FDifficultyBox = new QComboBox(this);
  FDifficultyBox->setObjectName(QStringLiteral("RecordsDifficultyBox"));
  for (const TDifficultyItem& item : kDifficulties) {
    FDifficultyBox->addItem(QString::fromUtf8(item.DesignName), QString::fromLatin1(item.Text));
  }
  choice->addWidget(FDifficultyBox);
  choice->addStretch();
  layout->addLayout(choice);

  // Two columns of figures: the bests and the count, then the averages.
  auto* figures = new QGridLayout();
  FFigures = figures;
  figures->setHorizontalSpacing(12);
  const auto addFigure = [&](int ARow, int AColumn, const char* AName, const char* ADesign,
                             const char* AValueName) {
    figures->addWidget(AddLabel(AName, QString::fromUtf8(ADesign)), ARow, AColumn);
    QLabel* value = AddLabel(AValueName, NoFigureText());
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    figures->addWidget(value, ARow, AColumn + 1);
    return value;
  };
  FBestTimeValue = addFigure(0, 0, "BestTimeLabel", "Лучшее время:", "BestTimeValue");
  FBestMovesValue = addFigure(1, 0, "BestMovesLabel", "Наименьшее число ходов:", "BestMovesValue");
  FSolvesValue = addFigure(2, 0, "SolvesLabel", "Сборок:", "SolvesValue");
  FAverageOf5Value = addFigure(0, 3, "AverageOf5Label", "Среднее из 5 (ao5):", "AverageOf5Value");
  FAverageOf12Value =
      addFigure(1, 3, "AverageOf12Label", "Среднее из 12 (ao12):", "AverageOf12Value");
  figures->setColumnMinimumWidth(2, 24);
  figures->setColumnStretch(5, 1);
  layout->addLayout(figures);

  auto* body = new QHBoxLayout();
  auto* tableColumn = new QVBoxLayout();
  tableColumn->addWidget(AddLabel("LastSolvesLabel", QStringLiteral("Сборки, последние сверху:")));
  FTable = new QTableView(this);
  FTable->setObjectName(QStringLiteral("RecordsTable"));
  FTableModel = new TRecordsTableModel(FTable);
  FTableModel->setObjectName(QStringLiteral("RecordsTableModel"));
  FTable->setModel(FTableModel);
  FTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  FTable->setSelectionBehavior(QAbstractItemView::SelectRows);
  FTable->setSelectionMode(QAbstractItemView::SingleSelection);
  FTable->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  FTable->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  // The widths are worked out from the records (FitToRecords); measuring thousands of rows
  // would cost more than the window's whole opening.
  FTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  FTable->horizontalHeader()->setStretchLastSection(true);
  FTable->verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
  FTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  tableColumn->addWidget(FTable);
  FCopyScrambleButton = new QPushButton(QStringLiteral("Копировать скрамбл"), this);
  FCopyScrambleButton->setObjectName(QStringLiteral("RecordsCopyScrambleButton"));
  FCopyScrambleButton->setEnabled(false);
  connect(FCopyScrambleButton, &QPushButton::clicked, this, [this] {
    if (const TSolveRecord* record = ChosenSolve()) {
      QGuiApplication::clipboard()->setText(QString::fromStdString(record->Scramble));
    }
  });
  tableColumn->addWidget(FCopyScrambleButton, 0, Qt::AlignLeft);
  // The table takes what its columns need; the plot the rest.
  body->addLayout(tableColumn, 0);
  auto* plotColumn = new QVBoxLayout();
  plotColumn->addWidget(AddLabel("SolveTimesLabel", QStringLiteral("Время сборок:")));
  FPlot = new TRecordsPlot(this);
  FPlot->setObjectName(QStringLiteral("RecordsPlot"));
  plotColumn->addWidget(FPlot, 1);
  body->addLayout(plotColumn, 1);
  layout->addLayout(body, 1);

  auto* bottom = new QHBoxLayout();
  FDamagedLabel = AddLabel("RecordsDamagedLabel", QString());
  FDamagedLabel->setWordWrap(true);
  FDamagedLabel->hide();
  bottom->addWidget(FDamagedLabel, 1);
  auto* close = new QPushButton(QStringLiteral("Закрыть"), this);
  close->setObjectName(QStringLiteral("RecordsCloseButton"));
  close->setDefault(true);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);
  bottom->addWidget(close, 0, Qt::AlignRight);
  layout->addLayout(bottom);

  const auto chosen = [this] {
    const TSolveRecord* record = ChosenSolve();
    FCopyScrambleButton->setEnabled(record != nullptr && !record->Scramble.empty());
  };
  connect(FTable->selectionModel(), &QItemSelectionModel::selectionChanged, this, chosen);
  // Another choice or other records drop the selection without telling selectionChanged.
  connect(FTableModel, &QAbstractItemModel::modelReset, this, chosen);
  const auto changed = [this] { RecordsChanged(); };
  connect(FDegreeBox, &QComboBox::currentIndexChanged, this, changed);
  connect(FDifficultyBox, &QComboBox::currentIndexChanged, this, changed);
}

QLabel* TRecordsForm::AddLabel(const char* AName, const QString& AText) {
  auto* label = new QLabel(AText, this);
  label->setObjectName(QString::fromLatin1(AName));
  label->setTextFormat(Qt::PlainText);
  return label;
}

QString TRecordsForm::Text(const char* AKey, const char* ADesignText) const {
  if (FLocalizationStoreLink == nullptr || !FLocalizationStoreLink->KeyIsPresent(AKey)) {
    return QString::fromUtf8(ADesignText);
  }
  return FLocalizationStoreLink->GetString(QString::fromLatin1(AKey));
}

void TRecordsForm::SetRecordsFile(TRecordsFile AValue) {
  FRecordsFile = std::move(AValue);
  if (FShowing) {
    FitToRecords();
  }
  RecordsChanged();
}

void TRecordsForm::SetChoice(int32_t ADegree, const std::string& ADifficulty) {
  const int32_t degree = std::clamp(ADegree, kMinVexilCubeDegree, kMaxVexilCubeDegree);
  const auto known =
      std::find_if(kDifficulties.begin(), kDifficulties.end(),
                   [&](const TDifficultyItem& AItem) { return ADifficulty == AItem.Text; });
  const auto difficulty = known != kDifficulties.end() ? known : kDifficulties.end() - 1;
  {
    // One refresh for both changes.
    const QSignalBlocker degreeBlocker(FDegreeBox);
    const QSignalBlocker difficultyBlocker(FDifficultyBox);
    FDegreeBox->setCurrentIndex(degree - kMinVexilCubeDegree);
    FDifficultyBox->setCurrentIndex(static_cast<int>(difficulty - kDifficulties.begin()));
  }
  RecordsChanged();
}

int32_t TRecordsForm::ChosenDegree() const {
  return FDegreeBox->currentData().toInt();
}

std::string TRecordsForm::ChosenDifficulty() const {
  return FDifficultyBox->currentData().toString().toStdString();
}

void TRecordsForm::setVisible(bool AVisible) {
  // Before the window shows, so it is centred at the size it opens with.
  if (AVisible && !isVisible()) {
    FormShow();
  }
  QDialog::setVisible(AVisible);
}

void TRecordsForm::hideEvent(QHideEvent* AEvent) {
  if (!AEvent->spontaneous()) {
    FShowing = false;
  }
  QDialog::hideEvent(AEvent);
}

void TRecordsForm::FormShow() {
  if (FLocalizationStoreLink != nullptr) {
    FLocalizationStoreLink->LocalizeForm(this);
  }
  LocalizeLists();
  FitToRecords();
  ShowRecords();
  FShowing = true;
}

void TRecordsForm::RecordsChanged() {
  if (FShowing) {
    ShowRecords();
  }
}

void TRecordsForm::FitToRecords() {
  const QString days = Text("RECORDS_DAYS", "%1 дн. %2");
  FitTable(days);
  FitFigures(days);
  // Wide enough for the table and the plot at the size it likes.
  layout()->activate();
  const int liked =
      minimumSizeHint().width() + FPlot->sizeHint().width() - FPlot->minimumSizeHint().width();
  resize(std::max({width(), kStartSize.width(), liked}), height());
}

void TRecordsForm::FitTable(const QString& ADaysTemplate) {
  const std::vector<TSolveRecord>& records = FRecordsFile.Records;
  // The best row is bold: every width is taken in bold.
  QFont boldFont = FTable->font();
  boldFont.setBold(true);
  const QFontMetrics bold(boldFont);
  const int padding =
      2 * (FTable->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, FTable) + 1) +
      kCellPadding;
  int tableWidth = 0;
  for (int column = 0; column < TRecordsTableModel::kColumnCount; ++column) {
    const int cells = bold.horizontalAdvance(LongestCell(records, column, ADaysTemplate));
    const int width =
        std::max(FTable->horizontalHeader()->sectionSizeHint(column), cells + padding);
    FTable->horizontalHeader()->resizeSection(column, width);
    tableWidth += width;
  }
  // The number column holds the star of the best solve by the highest number.
  QHeaderView* numbers = FTable->verticalHeader();
  const int headerMargin = FTable->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, numbers);
  QFont numberFont = numbers->font();
  numberFont.setBold(true);
  numbers->setMinimumWidth(
      QFontMetrics(numberFont)
          .horizontalAdvance(QStringLiteral("\u2605 ") + QString::number(records.size())) +
      2 * headerMargin + kCellPadding);
  tableWidth += numbers->minimumWidth() + 2 * FTable->frameWidth() +
                FTable->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, FTable);
  FTable->setMinimumWidth(tableWidth);
}

void TRecordsForm::FitFigures(const QString& ADaysTemplate) {
  const std::vector<TSolveRecord>& records = FRecordsFile.Records;
  // The slowest time as an average is the widest time any figure can show.
  int64_t slowest = 0;
  int32_t mostMoves = 0;
  for (const TSolveRecord& record : records) {
    slowest = std::max(slowest, record.TotalSeconds());
    mostMoves = std::max(mostMoves, record.Moves);
  }
  const QFontMetrics figure(FBestTimeValue->font());
  const int figureWidth = WidestText(
      figure, {NoFigureText(), AverageTimeText(static_cast<double>(slowest), ADaysTemplate),
               SolveTimeText(slowest, ADaysTemplate), QString::number(mostMoves),
               QString::number(records.size())});
  FFigures->setColumnMinimumWidth(1, figureWidth);
  FFigures->setColumnMinimumWidth(4, figureWidth);
}

void TRecordsForm::LocalizeLists() {
  for (size_t i = 0; i < kDifficulties.size(); ++i) {
    // The menu's captions may carry an accelerator.
    QString name = Text(kDifficulties[i].Key, kDifficulties[i].DesignName);
    FDifficultyBox->setItemText(static_cast<int>(i), name.remove(QLatin1Char('&')));
  }
  FTableModel->SetColumnNames({Text("RECORDS_DATE_COLUMN", "Дата"),
                               Text("RECORDS_TIME_COLUMN", "Время"),
                               Text("RECORDS_MOVES_COLUMN", "Ходы")});
  FPlot->SetEmptyText(Text("RECORDS_NO_SOLVES", "Сборок этого размера и этой сложности пока нет."));
  FPlot->SetBestSoFarText(Text("RECORDS_BEST_SO_FAR", "Лучшее к тому времени"));
}

void TRecordsForm::ShowRecords() {
  const std::vector<TSolveRecord> records =
      RecordsOf(FRecordsFile.Records, ChosenDegree(), ChosenDifficulty());
  const TRecordStats stats = ComputeStats(records);
  const QString days = Text("RECORDS_DAYS", "%1 дн. %2");
  FBestSolve = FirstBest(records);
  FBestTimeValue->setText(stats.BestSeconds ? SolveTimeText(*stats.BestSeconds, days)
                                            : NoFigureText());
  FBestMovesValue->setText(stats.BestMoves ? QString::number(*stats.BestMoves) : NoFigureText());
  FSolvesValue->setText(QString::number(stats.Solves));
  FAverageOf5Value->setText(AverageTimeText(stats.AverageOf5, days));
  FAverageOf12Value->setText(AverageTimeText(stats.AverageOf12, days));

  std::vector<int64_t> times;
  std::vector<std::string> dates;
  times.reserve(records.size());
  dates.reserve(records.size());
  for (const TSolveRecord& record : records) {
    times.push_back(record.TotalSeconds());
    dates.push_back(record.Date);
  }
  FPlot->SetSolves(std::move(times), SolveMoments(dates), FBestSolve);
  FTableModel->SetRecords(records, FBestSolve, days, Text("RECORDS_BEST_SOLVE", "Лучшая сборка"));

  FDamagedLabel->setVisible(FRecordsFile.DamagedLines > 0);
  FDamagedLabel->setText(
      Text("RECORDS_DAMAGED_LINES", "Пропущено повреждённых строк в файле рекордов: %1")
          .arg(FRecordsFile.DamagedLines));
}

} // namespace vexil

namespace vexil {

const TSolveRecord* TRecordsForm::ChosenSolve() const {
  const QModelIndexList rows = FTable->selectionModel()->selectedRows();
  return rows.isEmpty() ? nullptr : FTableModel->RecordOfRow(rows.first().row());
}

} // namespace vexil
