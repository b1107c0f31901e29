#include "dialogs/RecordsPlot.h"

#include "dialogs/RecordsText.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>

namespace vexil {

namespace {

// Round steps of the time scale, in seconds; past the last, whole multiples of a day.
constexpr std::array<int64_t, 18> kSteps = {1,   2,   5,    10,   15,   30,    60,    120,   300,
                                            600, 900, 1800, 3600, 7200, 10800, 21600, 43200, 86400};
constexpr int64_t kMostLines = 5;
constexpr int kGap = 6;
// Room between the frame and the first and last solve.
constexpr double kInset = 10.0;
constexpr double kBestRadius = 6.0;
constexpr QColor kLineColor(60, 110, 180);
constexpr QColor kGridColor(222, 222, 222);
constexpr QColor kBestEdge(150, 90, 0);

} // namespace

TRecordsPlot::TRecordsPlot(QWidget* AParent) : QWidget(AParent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  ChooseScale();
}

void TRecordsPlot::SetSolves(std::vector<int64_t> ATimes, const QString& AFirstDay,
                             const QString& ALastDay, std::optional<size_t> ABest) {
  FTimes = std::move(ATimes);
  FFirstDay = AFirstDay;
  FLastDay = ALastDay;
  FBest = ABest && *ABest < FTimes.size() ? ABest : std::nullopt;
  ChooseScale();
  update();
}

void TRecordsPlot::SetEmptyText(const QString& AValue) {
  FEmptyText = AValue;
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
  return {360, 220};
}

QSize TRecordsPlot::minimumSizeHint() const {
  return {200, 120};
}

QRectF TRecordsPlot::Area() const {
  const QFontMetrics metrics(font());
  const int labelWidth = std::max(metrics.horizontalAdvance(ScaleTimeText(FScaleTop)),
                                  metrics.horizontalAdvance(ScaleTimeText(0)));
  const double left = labelWidth + 2 * kGap;
  const double top = metrics.height() / 2.0 + kGap;
  const double bottom = height() - metrics.height() - kGap;
  return QRectF(left, top, width() - left - kGap, bottom - top);
}

std::optional<QPointF> TRecordsPlot::PointOf(size_t AIndex) const {
  if (AIndex >= FTimes.size()) {
    return std::nullopt;
  }
  const QRectF area = Area();
  const double usable = area.width() - 2 * kInset;
  const double x = FTimes.size() == 1 ? area.center().x()
                                      : area.left() + kInset +
                                            usable * static_cast<double>(AIndex) /
                                                static_cast<double>(FTimes.size() - 1);
  const double y = area.bottom() - area.height() * static_cast<double>(FTimes[AIndex]) /
                                       static_cast<double>(FScaleTop);
  return QPointF(x, y);
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
  DrawSolves(painter);
}

void TRecordsPlot::DrawScale(QPainter& APainter, const QRectF& AArea) const {
  const QFontMetrics metrics(font());
  const QColor text = palette().color(QPalette::Text);
  for (int64_t time = 0; time <= FScaleTop; time += FScaleStep) {
    const double y = AArea.bottom() -
                     AArea.height() * static_cast<double>(time) / static_cast<double>(FScaleTop);
    APainter.setPen(time == 0 ? palette().color(QPalette::Mid) : kGridColor);
    APainter.drawLine(QPointF(AArea.left(), y), QPointF(AArea.right(), y));
    APainter.setPen(text);
    const QRectF label(0, y - metrics.height() / 2.0, AArea.left() - kGap, metrics.height());
    APainter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, ScaleTimeText(time));
  }
  APainter.setPen(palette().color(QPalette::Mid));
  APainter.drawLine(AArea.topLeft(), AArea.bottomLeft());
  // The days of the first and the last solve under the ends.
  APainter.setPen(text);
  const QRectF days(AArea.left(), AArea.bottom() + kGap / 2.0, AArea.width(), metrics.height());
  APainter.drawText(days, Qt::AlignLeft | Qt::AlignTop, FFirstDay);
  if (FTimes.size() > 1 && FLastDay != FFirstDay) {
    APainter.drawText(days, Qt::AlignRight | Qt::AlignTop, FLastDay);
  }
}

void TRecordsPlot::DrawSolves(QPainter& APainter) const {
  APainter.setRenderHint(QPainter::Antialiasing);
  QPainterPath line;
  for (size_t i = 0; i < FTimes.size(); ++i) {
    const QPointF point = *PointOf(i);
    if (i == 0) {
      line.moveTo(point);
    } else {
      line.lineTo(point);
    }
  }
  APainter.setPen(QPen(kLineColor, 1.5));
  APainter.setBrush(Qt::NoBrush);
  APainter.drawPath(line);
  // Points get smaller as they crowd.
  const double radius = FTimes.size() > 100 ? 1.5 : 3.0;
  APainter.setPen(Qt::NoPen);
  APainter.setBrush(kLineColor);
  for (size_t i = 0; i < FTimes.size(); ++i) {
    APainter.drawEllipse(*PointOf(i), radius, radius);
  }
  if (const auto best = FBest ? PointOf(*FBest) : std::nullopt) {
    // A dashed level across the plot and a large mark over the solve.
    APainter.setPen(QPen(kBestEdge, 1, Qt::DashLine));
    const QRectF area = Area();
    APainter.drawLine(QPointF(area.left(), best->y()), QPointF(area.right(), best->y()));
    APainter.setPen(QPen(kBestEdge, 1.5));
    APainter.setBrush(kBestColor);
    APainter.drawEllipse(*best, kBestRadius, kBestRadius);
  }
}

} // namespace vexil
