// TRecordsPlot: the solve times of one size and difficulty drawn over the solves, oldest on the
// left, with the best solve marked: a line through a point per solve on a time scale that
// starts at zero, the first and the last day under the ends. Without solves it shows its empty
// text on an empty frame.
//
//   plot->SetSolves(times, days, best);   // times in seconds, days as "2026-12-09"
#pragma once

#include <QColor>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <vector>

class QPainter;

namespace vexil {

class TRecordsPlot : public QWidget {
  Q_OBJECT

public:
  // The fill of the best solve's mark.
  static constexpr QColor kBestColor = QColor(255, 176, 0);

  explicit TRecordsPlot(QWidget* AParent = nullptr);

  // ATimes in seconds, oldest first; AFirstDay and ALastDay label the ends; ABest is the index
  // of the solve to mark (none, or one past the end, marks nothing).
  void SetSolves(std::vector<int64_t> ATimes, const QString& AFirstDay, const QString& ALastDay,
                 std::optional<size_t> ABest);
  // Shown in the middle when there are no solves.
  void SetEmptyText(const QString& AValue);

  size_t SolveCount() const { return FTimes.size(); }
  std::optional<size_t> Best() const { return FBest; }
  // Where solve AIndex is drawn at the widget's present size; none beyond the solves.
  std::optional<QPointF> PointOf(size_t AIndex) const;
  // The highest time of the scale: a round step above the slowest solve.
  int64_t ScaleTop() const { return FScaleTop; }
  int64_t ScaleStep() const { return FScaleStep; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

protected:
  void paintEvent(QPaintEvent* AEvent) override;

private:
  // The drawing area inside the scale's labels.
  QRectF Area() const;
  void ChooseScale();
  void DrawScale(QPainter& APainter, const QRectF& AArea) const;
  void DrawSolves(QPainter& APainter) const;

  std::vector<int64_t> FTimes;
  QString FFirstDay;
  QString FLastDay;
  std::optional<size_t> FBest;
  QString FEmptyText;
  int64_t FScaleTop = 60;
  int64_t FScaleStep = 15;
};

} // namespace vexil
