// TRecordsPlot: the solve times of one size and difficulty drawn against the days they were
// made, oldest on the left: a small point per solve, the running averages of 5 and of 12 as
// lines, the best time so far as a step line, and the best solve marked. The time scale starts
// at zero; round dates are marked under the time axis (with one solve, its date stands under
// its point). Without solves it shows its empty text on an empty frame.
//
//   plot->SetSolves(times, moments, best);   // seconds, and moments from SolveMoments()
#pragma once

#include <QColor>
#include <QPointF>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <vector>

class QPainter;

namespace vexil {

struct TDateTick;

class TRecordsPlot : public QWidget {
  Q_OBJECT

public:
  // The fill of the best solve's mark.
  static constexpr QColor kBestColor = QColor(255, 176, 0);
  static constexpr QColor kPointColor = QColor(60, 110, 180);
  static constexpr QColor kAverageOf5Color = QColor(214, 64, 40);
  static constexpr QColor kAverageOf12Color = QColor(30, 140, 60);
  static constexpr QColor kBestSoFarColor = QColor(150, 90, 0);

  explicit TRecordsPlot(QWidget* AParent = nullptr);

  // ATimes in seconds, oldest first; AMoments when each was made (SolveMoments()), or none to
  // space them evenly; ABest is the index of the solve to mark (none, or one past the end,
  // marks nothing).
  void SetSolves(std::vector<int64_t> ATimes, std::vector<int64_t> AMoments,
                 std::optional<size_t> ABest);
  // Shown in the middle when there are no solves.
  void SetEmptyText(const QString& AValue);
  // The legend's name of the step line of the best time so far.
  void SetBestSoFarText(const QString& AValue);

  size_t SolveCount() const { return FTimes.size(); }
  std::optional<size_t> Best() const { return FBest; }
  // Where solve AIndex is drawn at the widget's present size; none beyond the solves.
  std::optional<QPointF> PointOf(size_t AIndex) const;
  // Where the running averages of 5 and of 12 and the best time so far stand at solve AIndex;
  // none where there is none yet.
  std::optional<QPointF> AverageOf5At(size_t AIndex) const;
  std::optional<QPointF> AverageOf12At(size_t AIndex) const;
  std::optional<QPointF> BestSoFarAt(size_t AIndex) const;
  // The dates written under the time axis at the present size, with where each stands.
  std::vector<std::pair<double, QString>> DateLabels() const;
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
  double XOf(size_t AIndex, const QRectF& AArea) const;
  double YOf(double ASeconds, const QRectF& AArea) const;
  std::optional<QPointF> Place(size_t AIndex, const std::optional<double>& ASeconds) const;
  void ChooseScale();
  void DrawScale(QPainter& APainter, const QRectF& AArea) const;
  void DrawDates(QPainter& APainter, const QRectF& AArea) const;
  void DrawSolves(QPainter& APainter, const QRectF& AArea) const;
  void DrawAverage(QPainter& APainter, const std::vector<std::optional<double>>& AAverages,
                   const QPen& APen, const QRectF& AArea) const;
  void DrawBestSoFar(QPainter& APainter, const QRectF& AArea) const;
  void DrawBest(QPainter& APainter, const QRectF& AArea) const;
  void DrawLegend(QPainter& APainter, const QRectF& AArea) const;

  std::vector<int64_t> FTimes;
  std::vector<int64_t> FMoments;
  std::vector<std::optional<double>> FAveragesOf5;
  std::vector<std::optional<double>> FAveragesOf12;
  std::vector<int64_t> FBestsSoFar;
  std::optional<size_t> FBest;
  QString FEmptyText;
  QString FBestSoFarText;
  int64_t FScaleTop = 60;
  int64_t FScaleStep = 15;
};

} // namespace vexil
