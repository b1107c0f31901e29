#include "dialogs/RecordsTimeAxis.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include <algorithm>
#include <optional>

namespace vexil {

namespace {

constexpr int64_t kMinute = 60 * 1000;
constexpr int64_t kHour = 60 * kMinute;
constexpr int64_t kDay = 24 * kHour;
// The room between two neighbouring tick texts, in pixels.
constexpr double kTickGap = 12.0;

const qint64 kEpochDay = QDate(1970, 1, 1).toJulianDay();

std::optional<int64_t> MomentOf(const std::string& AIsoDate) {
  const QDateTime date = QDateTime::fromString(QString::fromStdString(AIsoDate), Qt::ISODate);
  if (!date.isValid()) {
    return std::nullopt;
  }
  // The date and the hour as written, whatever zone the desktop is in.
  return (date.date().toJulianDay() - kEpochDay) * kDay + date.time().msecsSinceStartOfDay();
}

QDate DateOf(int64_t AMoment) {
  const int64_t day = AMoment >= 0 ? AMoment / kDay : -((-AMoment + kDay - 1) / kDay);
  return QDate::fromJulianDay(kEpochDay + day);
}

int64_t MomentOf(const QDate& ADate) {
  return (ADate.toJulianDay() - kEpochDay) * kDay;
}

// One kind of round date: every ACount months (0 for none), or every AStep milliseconds
// counted from the start of a day, written in AFormat.
struct TTickStep {
  int Months;
  int64_t Step;
  const char* Format;
};

constexpr TTickStep kTickSteps[] = {
    {0, 15 * kMinute, "MM-dd HH:mm"},
    {0, 30 * kMinute, "MM-dd HH:mm"},
    {0, kHour, "MM-dd HH:mm"},
    {0, 2 * kHour, "MM-dd HH:mm"},
    {0, 3 * kHour, "MM-dd HH:mm"},
    {0, 6 * kHour, "MM-dd HH:mm"},
    {0, 12 * kHour, "MM-dd HH:mm"},
    {0, kDay, "yyyy-MM-dd"},
    {0, 2 * kDay, "yyyy-MM-dd"},
    {0, 3 * kDay, "yyyy-MM-dd"},
    {0, 4 * kDay, "yyyy-MM-dd"},
    {0, 5 * kDay, "yyyy-MM-dd"},
    {0, 7 * kDay, "yyyy-MM-dd"},
    {0, 10 * kDay, "yyyy-MM-dd"},
    {0, 14 * kDay, "yyyy-MM-dd"},
    {1, 0, "yyyy-MM"},
    {2, 0, "yyyy-MM"},
    {3, 0, "yyyy-MM"},
    {6, 0, "yyyy-MM"},
    {12, 0, "yyyy"},
    {24, 0, "yyyy"},
    {60, 0, "yyyy"},
    {120, 0, "yyyy"},
    {600, 0, "yyyy"},
};

QString TickText(int64_t AMoment, const char* AFormat) {
  const QDateTime date(DateOf(AMoment), QTime::fromMSecsSinceStartOfDay(
                                            static_cast<int>(AMoment - MomentOf(DateOf(AMoment)))));
  return date.toString(QString::fromLatin1(AFormat));
}

// The round dates of AKind between AFirst and ALast; stops past ALimit of them.
std::vector<int64_t> RoundMoments(const TTickStep& AKind, int64_t AFirst, int64_t ALast,
                                  size_t ALimit) {
  std::vector<int64_t> moments;
  if (AKind.Months > 0) {
    const QDate first = DateOf(AFirst);
    const int monthIndex = first.year() * 12 + first.month() - 1;
    int index = (monthIndex + AKind.Months - 1) / AKind.Months * AKind.Months;
    for (;; index += AKind.Months) {
      const int64_t moment = MomentOf(QDate(index / 12, index % 12 + 1, 1));
      if (moment < AFirst) {
        continue;
      }
      if (moment > ALast || moments.size() > ALimit) {
        break;
      }
      moments.push_back(moment);
    }
    return moments;
  }
  // Days and weeks are counted from the first day of the epoch, hours from midnight.
  int64_t moment = MomentOf(DateOf(AFirst));
  if (AKind.Step >= kDay) {
    const int64_t days = moment / kDay;
    const int64_t stepDays = AKind.Step / kDay;
    moment = (days - ((days % stepDays) + stepDays) % stepDays) * kDay;
  }
  for (; moment <= ALast && moments.size() <= ALimit; moment += AKind.Step) {
    if (moment >= AFirst) {
      moments.push_back(moment);
    }
  }
  return moments;
}

} // namespace

std::vector<int64_t> SolveMoments(const std::vector<std::string>& AIsoDates) {
  std::vector<std::optional<int64_t>> read;
  read.reserve(AIsoDates.size());
  std::optional<int64_t> firstRead;
  for (const std::string& date : AIsoDates) {
    read.push_back(MomentOf(date));
    if (!firstRead && read.back()) {
      firstRead = read.back();
    }
  }
  std::vector<int64_t> moments;
  moments.reserve(read.size());
  int64_t last = firstRead.value_or(0);
  for (const std::optional<int64_t>& moment : read) {
    last = std::max(last, moment.value_or(last));
    moments.push_back(last);
  }
  return moments;
}

QString MomentText(int64_t AMoment) {
  return TickText(AMoment, "yyyy-MM-dd HH:mm");
}

std::vector<TDateTick> DateTicks(int64_t AFirst, int64_t ALast, double AAxisWidth, int AMostTicks,
                                 const std::function<double(const QString&)>& AMeasure) {
  if (ALast <= AFirst || AMostTicks < 1) {
    return {};
  }
  // The finest kind whose texts fit side by side; a coarser one has fewer.
  for (const TTickStep& kind : kTickSteps) {
    const double textWidth = AMeasure(TickText(AFirst, kind.Format)) + kTickGap;
    const auto fitting = static_cast<size_t>(
        std::clamp(AAxisWidth / std::max(textWidth, 1.0), 0.0, static_cast<double>(AMostTicks)));
    const std::vector<int64_t> moments = RoundMoments(kind, AFirst, ALast, fitting);
    if (moments.empty() || moments.size() > fitting) {
      continue;
    }
    std::vector<TDateTick> ticks;
    for (const int64_t moment : moments) {
      ticks.push_back({moment, TickText(moment, kind.Format)});
    }
    return ticks;
  }
  return {};
}

} // namespace vexil
