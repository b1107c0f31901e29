#include "dialogs/RecordsPlot.h"

#include "dialogs/RecordsText.h"
#include "dialogs/RecordsTimeAxis.h"
#include "engine/Records.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <array>
#include <cmath>

namespace vexil {

namespace {

// Round steps of the time scale, in seconds; past the last, whole multiples of a day.
constexpr std::array<int64_t, 18> kSteps = {1,   2,   5,    10,   15,   30,    60,    120,   300,
                                            600, 900, 1800, 3600, 7200, 10800, 21600, 43200, 86400};
constexpr int64_t kMostLines = 5;
constexpr int kMostDateTicks = 6;
constexpr int kGap = 6;
constexpr int kTickLength = 3;
// Room between the frame and the first and last solve.
constexpr double kInset = 10.0;
constexpr double kBestRadius = 6.0;
constexpr double kLegendLine = 18.0;
constexpr QColor kGridColor(222, 222, 222);

// Points get smaller and lighter as they crowd, so where they lie thickest reads darkest.
double PointRadius(size_t ACount) {
  return ACount <= 100 ? 3.0 : ACount <= 1000 ? 2.0 : 1.5;
}

int PointAlpha(size_t ACount) {
  const double alpha = 255.0 * std::sqrt(150.0 / static_cast<double>(std::max<size_t>(ACount, 1)));
  return static_cast<int>(std::clamp(alpha, 60.0, 255.0));
}

} // namespace

TRecordsPlot::TRecordsPlot(QWidget* AParent) : QWidget(AParent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  ChooseScale();
}

void TRecordsPlot::SetSolves(std::vector<int64_t> ATimes, std::vector<int64_t> AMoments,
                             std::optional<size_t> ABest) {
  FTimes = std::move(ATimes);
  FMoments = AMoments.size() == FTimes.size() ? std::move(AMoments) : std::vector<int64_t>();
  FAveragesOf5 = RunningTrimmedAverages(FTimes, 5);
  FAveragesOf12 = RunningTrimmedAverages(FTimes, 12);
  FBestsSoFar = BestTimesSoFar(FTimes);
  FBest = ABest && *ABest < FTimes.size() ? ABest : std::nullopt;
  ChooseScale();
  update();
}

void TRecordsPlot::SetEmptyText(const QString& AValue) {
  FEmptyText = AValue;
  update();
}

void TRecordsPlot::SetBestSoFarText(const QString& AValue) {
  FBestSoFarText = AValue;
  update();
}

void TRecordsPlot::ChooseScale() {
  const int64_t slowest =
      FTimes.empty() ? 60 : std::max<int64_t>(1, *std::max_element(FTimes.begin(), FTimes.end()));
  int64_t step = kSteps.back();
  for (const int64_t candidate : kSteps) {
    if ((slowest + candidate - 1) / candidate <= kMostLines) {
      step = candidate;
      break;
    }
  }
  // Slower than five days: a whole number of days.
  if ((slowest + step - 1) / step > kMostLines) {
    const int64_t days = kMostLines * kSteps.back();
    step = (slowest + days - 1) / days * kSteps.back();
  }
  FScaleStep = step;
  FScaleTop = std::max<int64_t>(1, (slowest + step - 1) / step) * step;
}

QSize TRecordsPlot::sizeHint() const {
  return {360, 240};
}

QSize TRecordsPlot::minimumSizeHint() const {
  return {220, 150};
}

QRectF TRecordsPlot::Area() const {
  const QFontMetrics metrics(font());
  const int labelWidth = std::max(metrics.horizontalAdvance(ScaleTimeText(FScaleTop)),
                                  metrics.horizontalAdvance(ScaleTimeText(0)));
  const double left = labelWidth + 2 * kGap;
  // The legend's line above, the dates below.
  const double top = metrics.height() + kGap + metrics.height() / 2.0;
  const double bottom = height() - metrics.height() - kGap - kTickLength;
  return QRectF(left, top, width() - left - kGap, bottom - top);
}

double TRecordsPlot::XOf(size_t AIndex, const QRectF& AArea) const {
  const double usable = AArea.width() - 2 * kInset;
  const bool byMoment = !FMoments.empty() && FMoments.back() > FMoments.front();
  if (FTimes.size() == 1) {
    return AArea.center().x();
  }
  const double share = byMoment
                           ? static_cast<double>(FMoments[AIndex] - FMoments.front()) /
                                 static_cast<double>(FMoments.back() - FMoments.front())
                           : static_cast<double>(AIndex) / static_cast<double>(FTimes.size() - 1);
  return AArea.left() + kInset + usable * share;
}

double TRecordsPlot::YOf(double ASeconds, const QRectF& AArea) const {
  return AArea.bottom() - AArea.height() * ASeconds / static_cast<double>(FScaleTop);
}

std::optional<QPointF> TRecordsPlot::Place(size_t AIndex,
                                           const std::optional<double>& ASeconds) const {
  if (AIndex >= FTimes.size() || !ASeconds) {
    return std::nullopt;
  }
  const QRectF area = Area();
  return QPointF(XOf(AIndex, area), YOf(*ASeconds, area));
}

std::optional<QPointF> TRecordsPlot::PointOf(size_t AIndex) const {
  return Place(AIndex, AIndex < FTimes.size()
                           ? std::optional<double>(static_cast<double>(FTimes[AIndex]))
                           : std::nullopt);
}

std::optional<QPointF> TRecordsPlot::AverageOf5At(size_t AIndex) const {
  return Place(AIndex, AIndex < FAveragesOf5.size() ? FAveragesOf5[AIndex] : std::nullopt);
}

std::optional<QPointF> TRecordsPlot::AverageOf12At(size_t AIndex) const {
  return Place(AIndex, AIndex < FAveragesOf12.size() ? FAveragesOf12[AIndex] : std::nullopt);
}

std::optional<QPointF> TRecordsPlot::BestSoFarAt(size_t AIndex) const {
  return Place(AIndex, AIndex < FBestsSoFar.size()
                           ? std::optional<double>(static_cast<double>(FBestsSoFar[AIndex]))
                           : std::nullopt);
}

std::vector<std::pair<double, QString>> TRecordsPlot::DateLabels() const {
  std::vector<std::pair<double, QString>> labels;
  if (FMoments.empty()) {
    return labels;
  }
  const QRectF area = Area();
  const int64_t first = FMoments.front();
  const int64_t last = FMoments.back();
  if (last == first) {
    // One moment, however many solves: its date under the middle.
    labels.emplace_back(area.center().x(), MomentText(first));
    return labels;
  }
  const QFontMetrics metrics(font());
  const auto measure = [&metrics](const QString& AText) {
    return static_cast<double>(metrics.horizontalAdvance(AText));
  };
  const double usable = area.width() - 2 * kInset;
  const auto xOf = [&](int64_t AMoment) {
    return area.left() + kInset +
           usable * static_cast<double>(AMoment - first) / static_cast<double>(last - first);
  };
  for (const TDateTick& tick : DateTicks(first, last, usable, kMostDateTicks, measure)) {
    labels.emplace_back(xOf(tick.Moment), tick.Text);
  }
  if (labels.empty()) {
    // Solves closer together than any round date: when the first one was made.
    labels.emplace_back(xOf(first), MomentText(first));
  }
  return labels;
}

void TRecordsPlot::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Base));
  const QRectF area = Area();
  if (FTimes.empty()) {
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(area);
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, FEmptyText);
    return;
  }
  DrawScale(painter, area);
  DrawDates(painter, area);
  painter.setRenderHint(QPainter::Antialiasing);
  DrawSolves(painter, area);
  DrawAverage(painter, FAveragesOf5, QPen(kAverageOf5Color, 1.2), area);
  DrawAverage(painter, FAveragesOf12, QPen(kAverageOf12Color, 2.0), area);
  DrawBestSoFar(painter, area);
  // The best solve's mark over every line.
  DrawBest(painter, area);
  DrawLegend(painter, area);
}

void TRecordsPlot::DrawScale(QPainter& APainter, const QRectF& AArea) const {
  const QFontMetrics metrics(font());
  const QColor text = palette().color(QPalette::Text);
  for (int64_t time = 0; time <= FScaleTop; time += FScaleStep) {
    const double y = YOf(static_cast<double>(time), AArea);
    APainter.setPen(time == 0 ? palette().color(QPalette::Mid) : kGridColor);
    APainter.drawLine(QPointF(AArea.left(), y), QPointF(AArea.right(), y));
    APainter.setPen(text);
    const QRectF label(0, y - metrics.height() / 2.0, AArea.left() - kGap, metrics.height());
    APainter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, ScaleTimeText(time));
  }
  APainter.setPen(palette().color(QPalette::Mid));
  APainter.drawLine(AArea.topLeft(), AArea.bottomLeft());
}

void TRecordsPlot::DrawDates(QPainter& APainter, const QRectF& AArea) const {
  const QFontMetrics metrics(font());
  for (const auto& [x, text] : DateLabels()) {
    APainter.setPen(palette().color(QPalette::Mid));
    APainter.drawLine(QPointF(x, AArea.bottom()), QPointF(x, AArea.bottom() + kTickLength));
    // Centred under its place, kept inside the widget.
    const double textWidth = metrics.horizontalAdvance(text);
    const double left = std::clamp(x - textWidth / 2, 0.0, std::max(0.0, width() - textWidth));
    APainter.setPen(palette().color(QPalette::Text));
    APainter.drawText(
        QRectF(left, AArea.bottom() + kTickLength + kGap / 2.0, textWidth + 1, metrics.height()),
        Qt::AlignLeft | Qt::AlignTop, text);
  }
}

void TRecordsPlot::DrawSolves(QPainter& APainter, const QRectF& AArea) const {
  const double radius = PointRadius(FTimes.size());
  QColor color = kPointColor;
  color.setAlpha(PointAlpha(FTimes.size()));
  APainter.setPen(Qt::NoPen);
  APainter.setBrush(color);
  for (size_t i = 0; i < FTimes.size(); ++i) {
    APainter.drawEllipse(QPointF(XOf(i, AArea), YOf(static_cast<double>(FTimes[i]), AArea)), radius,
                         radius);
  }
}

void TRecordsPlot::DrawBest(QPainter& APainter, const QRectF& AArea) const {
  if (FBest) {
    const QPointF best(XOf(*FBest, AArea), YOf(static_cast<double>(FTimes[*FBest]), AArea));
    APainter.setPen(QPen(kBestSoFarColor, 1.5));
    APainter.setBrush(kBestColor);
    APainter.drawEllipse(best, kBestRadius, kBestRadius);
  }
}

void TRecordsPlot::DrawAverage(QPainter& APainter,
                               const std::vector<std::optional<double>>& AAverages,
                               const QPen& APen, const QRectF& AArea) const {
  QPolygonF line;
  for (size_t i = 0; i < AAverages.size(); ++i) {
    if (AAverages[i]) {
      line.append(QPointF(XOf(i, AArea), YOf(*AAverages[i], AArea)));
    }
  }
  APainter.setPen(APen);
  APainter.setBrush(Qt::NoBrush);
  APainter.drawPolyline(line);
}

void TRecordsPlot::DrawBestSoFar(QPainter& APainter, const QRectF& AArea) const {
  // Level until a solve beats it, then down to the new best; on to the right end.
  QPolygonF steps;
  for (size_t i = 0; i < FBestsSoFar.size(); ++i) {
    const QPointF point(XOf(i, AArea), YOf(static_cast<double>(FBestsSoFar[i]), AArea));
    if (!steps.isEmpty() && steps.back().y() != point.y()) {
      steps.append(QPointF(point.x(), steps.back().y()));
    }
    if (steps.isEmpty() || steps.back().y() != point.y()) {
      steps.append(point);
    }
  }
  steps.append(QPointF(AArea.right(), steps.back().y()));
  APainter.setPen(QPen(kBestSoFarColor, 1.5, Qt::DashLine));
  APainter.setBrush(Qt::NoBrush);
  APainter.drawPolyline(steps);
}

void TRecordsPlot::DrawLegend(QPainter& APainter, const QRectF& AArea) const {
  const QFontMetrics metrics(font());
  const double y = metrics.height() / 2.0 + 1;
  double x = AArea.left();
  const auto entry = [&](const QPen& APen, const QString& AText) {
    APainter.setPen(APen);
    APainter.drawLine(QPointF(x, y), QPointF(x + kLegendLine, y));
    x += kLegendLine + 4;
    APainter.setPen(palette().color(QPalette::Text));
    APainter.drawText(QPointF(x, y + metrics.ascent() / 2.0 - 1), AText);
    x += metrics.horizontalAdvance(AText) + 2 * kGap;
  };
  entry(QPen(kAverageOf5Color, 1.2), QStringLiteral("ao5"));
  entry(QPen(kAverageOf12Color, 2.0), QStringLiteral("ao12"));
  entry(QPen(kBestSoFarColor, 1.5, Qt::DashLine), FBestSoFarText);
}

} // namespace vexil
