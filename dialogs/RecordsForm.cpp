#include "dialogs/RecordsForm.h"

#include "dialogs/FormFont.h"
#include "dialogs/RecordsPlot.h"
#include "dialogs/RecordsText.h"
#include "engine/CubeSizes.h"
#include "localization/LocalizationStore.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

namespace vexil {

namespace {

constexpr QSize kStartSize(720, 500);
constexpr QColor kBestRowColor(255, 236, 179);
constexpr char kStar[] = "\u2605";

enum TColumn { kDateColumn, kTimeColumn, kMovesColumn, kColumnCount };

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

QTableWidgetItem* Cell(const QString& AText, Qt::Alignment AAlignment) {
  auto* item = new QTableWidgetItem(AText);
  item->setTextAlignment(AAlignment | Qt::AlignVCenter);
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  return item;
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
  FTable = new QTableWidget(0, kColumnCount, this);
  FTable->setObjectName(QStringLiteral("RecordsTable"));
  FTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  FTable->setSelectionBehavior(QAbstractItemView::SelectRows);
  FTable->setSelectionMode(QAbstractItemView::SingleSelection);
  FTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  FTable->horizontalHeader()->setStretchLastSection(true);
  FTable->verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
  FTable->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  tableColumn->addWidget(FTable);
  body->addLayout(tableColumn, 1);
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

  const auto changed = [this] { ShowRecords(); };
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
  ShowRecords();
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
  ShowRecords();
}

int32_t TRecordsForm::ChosenDegree() const {
  return FDegreeBox->currentData().toInt();
}

std::string TRecordsForm::ChosenDifficulty() const {
  return FDifficultyBox->currentData().toString().toStdString();
}

void TRecordsForm::showEvent(QShowEvent* AEvent) {
  if (!AEvent->spontaneous()) {
    FormShow();
  }
  QDialog::showEvent(AEvent);
}

void TRecordsForm::FormShow() {
  if (FLocalizationStoreLink != nullptr) {
    FLocalizationStoreLink->LocalizeForm(this);
  }
  LocalizeLists();
  ShowRecords();
}

void TRecordsForm::LocalizeLists() {
  for (size_t i = 0; i < kDifficulties.size(); ++i) {
    // The menu's captions may carry an accelerator.
    QString name = Text(kDifficulties[i].Key, kDifficulties[i].DesignName);
    FDifficultyBox->setItemText(static_cast<int>(i), name.remove(QLatin1Char('&')));
  }
  FTable->setHorizontalHeaderLabels({Text("RECORDS_DATE_COLUMN", "Дата"),
                                     Text("RECORDS_TIME_COLUMN", "Время"),
                                     Text("RECORDS_MOVES_COLUMN", "Ходы")});
  FPlot->SetEmptyText(Text("RECORDS_NO_SOLVES", "Сборок этого размера и этой сложности пока нет."));
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
  FillTable(records, days);

  std::vector<int64_t> times;
  times.reserve(records.size());
  for (const TSolveRecord& record : records) {
    times.push_back(record.TotalSeconds());
  }
  FPlot->SetSolves(std::move(times),
                   records.empty() ? QString() : SolveDayText(records.front().Date),
                   records.empty() ? QString() : SolveDayText(records.back().Date), FBestSolve);

  FDamagedLabel->setVisible(FRecordsFile.DamagedLines > 0);
  FDamagedLabel->setText(
      Text("RECORDS_DAMAGED_LINES", "Пропущено повреждённых строк в файле рекордов: %1")
          .arg(FRecordsFile.DamagedLines));
}

void TRecordsForm::FillTable(const std::vector<TSolveRecord>& ARecords,
                             const QString& ADaysTemplate) {
  const QString bestTip = Text("RECORDS_BEST_SOLVE", "Лучшая сборка");
  FTable->clearContents();
  FTable->setRowCount(static_cast<int>(ARecords.size()));
  for (size_t i = 0; i < ARecords.size(); ++i) {
    // Newest first.
    const int row = static_cast<int>(ARecords.size() - 1 - i);
    const TSolveRecord& record = ARecords[i];
    const bool best = FBestSolve == i;
    auto* number = new QTableWidgetItem(QString::number(i + 1));
    std::array<QTableWidgetItem*, kColumnCount> cells = {
        Cell(SolveDateText(record.Date), Qt::AlignLeft),
        Cell(SolveTimeText(record.TotalSeconds(), ADaysTemplate), Qt::AlignRight),
        Cell(QString::number(record.Moves), Qt::AlignRight)};
    if (best) {
      number->setText(QString::fromUtf8(kStar) + QLatin1Char(' ') + number->text());
      number->setToolTip(bestTip);
      for (QTableWidgetItem* cell : cells) {
        QFont font = FTable->font();
        font.setBold(true);
        cell->setFont(font);
        cell->setBackground(kBestRowColor);
        cell->setForeground(QColor(Qt::black));
        cell->setToolTip(bestTip);
      }
    }
    FTable->setVerticalHeaderItem(row, number);
    for (int column = 0; column < kColumnCount; ++column) {
      FTable->setItem(row, column, cells[static_cast<size_t>(column)]);
    }
  }
}

} // namespace vexil
