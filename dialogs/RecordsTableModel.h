// TRecordsTableModel: the solves of the records window's table, newest first, numbered from the
// oldest, the best one marked (a star by its number, bold on a light gold ground, a tip). The
// texts are made when a row is looked at, so thousands of solves cost nothing until shown.
#pragma once

#include "engine/Records.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QStringList>

#include <optional>
#include <vector>

namespace vexil {

class TRecordsTableModel : public QAbstractTableModel {
  Q_OBJECT

public:
  enum TColumn { kDateColumn, kTimeColumn, kMovesColumn, kColumnCount };

  // The ground of the best solve's row.
  static constexpr QColor kBestRowColor = QColor(255, 236, 179);

  explicit TRecordsTableModel(QObject* AParent = nullptr);

  // ARecords oldest first; ABest the index of the best among them; ADaysTemplate writes times
  // of a day and more, ABestTip is the tip of the best row.
  void SetRecords(std::vector<TSolveRecord> ARecords, std::optional<size_t> ABest,
                  const QString& ADaysTemplate, const QString& ABestTip);
  void SetColumnNames(const QStringList& ANames);
  // The font of the table, made bold for the best row.
  void SetFont(const QFont& AFont) { FFont = AFont; }

  // The text of AColumn for ARecord, as the table writes it.
  static QString CellText(const TSolveRecord& ARecord, int AColumn, const QString& ADaysTemplate);
  // The solve shown in ARow, or none for a row beyond the table.
  const TSolveRecord* RecordOfRow(int ARow) const {
    return ARow >= 0 && static_cast<size_t>(ARow) < FRecords.size() ? &FRecords[SolveOf(ARow)]
                                                                    : nullptr;
  }
  // The text of the number of the solve AIndex (oldest first) among ACount.
  QString NumberText(size_t AIndex) const;

  int rowCount(const QModelIndex& AParent = QModelIndex()) const override;
  int columnCount(const QModelIndex& AParent = QModelIndex()) const override;
  QVariant data(const QModelIndex& AIndex, int ARole) const override;
  QVariant headerData(int ASection, Qt::Orientation AOrientation, int ARole) const override;

private:
  // The solve shown in ARow, as an index oldest first.
  size_t SolveOf(int ARow) const { return FRecords.size() - 1 - static_cast<size_t>(ARow); }

  std::vector<TSolveRecord> FRecords;
  std::optional<size_t> FBest;
  QString FDaysTemplate;
  QString FBestTip;
  QStringList FColumnNames;
  QFont FFont;
};

} // namespace vexil
