#include "dialogs/RecordsTableModel.h"

#include "dialogs/RecordsText.h"

#include <QColor>

namespace vexil {

namespace {

constexpr char kStar[] = "\u2605";

} // namespace

TRecordsTableModel::TRecordsTableModel(QObject* AParent) : QAbstractTableModel(AParent) {}

void TRecordsTableModel::SetRecords(std::vector<TSolveRecord> ARecords, std::optional<size_t> ABest,
                                    const QString& ADaysTemplate, const QString& ABestTip) {
  beginResetModel();
  FRecords = std::move(ARecords);
  FBest = ABest;
  FDaysTemplate = ADaysTemplate;
  FBestTip = ABestTip;
  endResetModel();
}

void TRecordsTableModel::SetColumnNames(const QStringList& ANames) {
  FColumnNames = ANames;
  emit headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
}

QString TRecordsTableModel::CellText(const TSolveRecord& ARecord, int AColumn,
                                     const QString& ADaysTemplate) {
  switch (AColumn) {
  case kDateColumn:
    return SolveDateText(ARecord.Date);
  case kTimeColumn:
    return SolveTimeText(ARecord.TotalSeconds(), ADaysTemplate);
  default:
    return QString::number(ARecord.Moves);
  }
}

QString TRecordsTableModel::NumberText(size_t AIndex) const {
  const QString number = QString::number(AIndex + 1);
  return FBest == AIndex ? QString::fromUtf8(kStar) + QLatin1Char(' ') + number : number;
}

int TRecordsTableModel::rowCount(const QModelIndex& AParent) const {
  return AParent.isValid() ? 0 : static_cast<int>(FRecords.size());
}

int TRecordsTableModel::columnCount(const QModelIndex& AParent) const {
  return AParent.isValid() ? 0 : kColumnCount;
}

QVariant TRecordsTableModel::data(const QModelIndex& AIndex, int ARole) const {
  if (!AIndex.isValid() || AIndex.row() >= rowCount()) {
    return {};
  }
  const size_t solve = SolveOf(AIndex.row());
  const bool best = FBest == solve;
  switch (ARole) {
  case Qt::DisplayRole:
    return CellText(FRecords[solve], AIndex.column(), FDaysTemplate);
  case Qt::TextAlignmentRole:
    return static_cast<int>((AIndex.column() == kDateColumn ? Qt::AlignLeft : Qt::AlignRight) |
                            Qt::AlignVCenter);
  case Qt::FontRole:
    if (best) {
      QFont font = FFont;
      font.setBold(true);
      return font;
    }
    return {};
  case Qt::BackgroundRole:
    return best ? QVariant(kBestRowColor) : QVariant();
  case Qt::ForegroundRole:
    return best ? QVariant(QColor(Qt::black)) : QVariant();
  case Qt::ToolTipRole:
    return best ? QVariant(FBestTip) : QVariant();
  default:
    return {};
  }
}

QVariant TRecordsTableModel::headerData(int ASection, Qt::Orientation AOrientation,
                                        int ARole) const {
  if (AOrientation == Qt::Horizontal) {
    if (ARole == Qt::DisplayRole && ASection >= 0 && ASection < FColumnNames.size()) {
      return FColumnNames[ASection];
    }
    return QAbstractTableModel::headerData(ASection, AOrientation, ARole);
  }
  if (ASection < 0 || ASection >= rowCount()) {
    return {};
  }
  const size_t solve = SolveOf(ASection);
  switch (ARole) {
  case Qt::DisplayRole:
    return NumberText(solve);
  case Qt::TextAlignmentRole:
    return static_cast<int>(Qt::AlignRight | Qt::AlignVCenter);
  case Qt::ToolTipRole:
    return FBest == solve ? QVariant(FBestTip) : QVariant();
  default:
    return {};
  }
}

} // namespace vexil
