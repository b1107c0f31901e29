#include "dialogs/RecordsText.h"

#include <QDateTime>

#include <cmath>

namespace vexil {

namespace {

constexpr int64_t kSecondsPerDay = 86400;

QString TwoDigits(int64_t AValue) {
  return QStringLiteral("%1").arg(AValue, 2, 10, QLatin1Char('0'));
}

QString ClockText(int64_t ASecondsOfDay) {
  return TwoDigits(ASecondsOfDay / 3600) + QLatin1Char(':') + TwoDigits(ASecondsOfDay / 60 % 60) +
         QLatin1Char(':') + TwoDigits(ASecondsOfDay % 60);
}

QString WithDays(int64_t ADays, const QString& AClock, const QString& ADaysTemplate) {
  return ADays > 0 ? ADaysTemplate.arg(ADays).arg(AClock) : AClock;
}

QDateTime ParseDate(const std::string& AIsoDate) {
  return QDateTime::fromString(QString::fromStdString(AIsoDate), Qt::ISODate);
}

} // namespace

QString NoFigureText() {
  return QStringLiteral("\u2014");
}

QString SolveTimeText(int64_t ATotalSeconds, const QString& ADaysTemplate) {
  const int64_t seconds = std::max<int64_t>(ATotalSeconds, 0);
  return WithDays(seconds / kSecondsPerDay, ClockText(seconds % kSecondsPerDay), ADaysTemplate);
}

QString AverageTimeText(const std::optional<double>& ASeconds, const QString& ADaysTemplate) {
  // Beyond the longest time a record can hold, the tenths would not fit in a number.
  constexpr double kLongest = 1e17;
  if (!ASeconds || !std::isfinite(*ASeconds) || *ASeconds < 0 || *ASeconds > kLongest) {
    return NoFigureText();
  }
  // Rounded once, to tenths, so 59.96 seconds reads 00:01:00.0 and never 00:00:60.0.
  const auto tenths = static_cast<int64_t>(std::llround(*ASeconds * 10));
  const int64_t seconds = tenths / 10;
  const QString clock =
      ClockText(seconds % kSecondsPerDay) + QLatin1Char('.') + QString::number(tenths % 10);
  return WithDays(seconds / kSecondsPerDay, clock, ADaysTemplate);
}

QString ScaleTimeText(int64_t ASeconds) {
  const int64_t seconds = std::max<int64_t>(ASeconds, 0);
  const QString minutesAndSeconds =
      TwoDigits(seconds / 60 % 60) + QLatin1Char(':') + TwoDigits(seconds % 60);
  if (seconds < 3600) {
    return QString::number(seconds / 60) + QLatin1Char(':') + TwoDigits(seconds % 60);
  }
  return QString::number(seconds / 3600) + QLatin1Char(':') + minutesAndSeconds;
}

QString SolveDateText(const std::string& AIsoDate) {
  const QDateTime date = ParseDate(AIsoDate);
  return date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd HH:mm"))
                        : QString::fromStdString(AIsoDate);
}

QString SolveDayText(const std::string& AIsoDate) {
  const QDateTime date = ParseDate(AIsoDate);
  return date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd"))
                        : QString::fromStdString(AIsoDate);
}

} // namespace vexil
