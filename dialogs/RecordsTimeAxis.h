// The time axis of the records plot: where each solve stands in time, and which round dates are
// marked under the axis. Moments are milliseconds from 1970-01-01 00:00 of the dates as written
// in the records file, with no time zone: a solve stands at the hour the file names.
#pragma once

#include <QString>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vexil {

// The moment of each solve. A date that cannot be read, or one earlier than the solve before it
// (a file put together by hand), stands with the solve before it, so the solves keep the file's
// order from left to right; dates before the first readable one stand with it. None readable:
// every moment is 0.
std::vector<int64_t> SolveMoments(const std::vector<std::string>& AIsoDates);

// A date written for the moment AMoment: "2026-12-09 14:05".
QString MomentText(int64_t AMoment);

struct TDateTick {
  int64_t Moment = 0;
  QString Text;
};

// Round dates between AFirst and ALast, both included, as many as fit side by side in
// AAxisWidth pixels but no more than AMostTicks: whole years, months, days or hours, each
// written as much as tells it apart ("2026", "2026-12", "2026-12-09", "12-09 14:00").
// AMeasure gives the width of a text in pixels. Empty when no round date falls between them.
std::vector<TDateTick> DateTicks(int64_t AFirst, int64_t ALast, double AAxisWidth, int AMostTicks,
                                 const std::function<double(const QString&)>& AMeasure);

} // namespace vexil
