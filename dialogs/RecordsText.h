// How the records window writes times, averages and dates: the time as the game clock shows it
// ("hh:mm:ss", with the days in front when there are any), averages to a tenth of a second, and
// dates as year, month, day, hour and minute whatever the desktop's language.
#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <string>

namespace vexil {

// The text shown where a figure needs more solves than there are.
QString NoFigureText();

// ATotalSeconds as the clock shows it: "01:01:01"; from the first day on ADaysTemplate with the
// days for %1 and the clock's text for %2 ("2 d 01:01:01").
QString SolveTimeText(int64_t ATotalSeconds, const QString& ADaysTemplate);
// An average time to a tenth of a second ("00:01:23.3"), days as in SolveTimeText, or
// NoFigureText() for none.
QString AverageTimeText(const std::optional<double>& ASeconds, const QString& ADaysTemplate);
// A short time for the plot's scale: "m:ss" under an hour, "h:mm:ss" above (hours past 24).
QString ScaleTimeText(int64_t ASeconds);
// "2026-12-09 14:05" for an ISO 8601 date and time; a text that is none is shown as it is.
QString SolveDateText(const std::string& AIsoDate);
// Only the day: "2026-12-09".
QString SolveDayText(const std::string& AIsoDate);

} // namespace vexil
