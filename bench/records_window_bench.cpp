// The records window opened on a large records file, measured as Game > Records opens it: the
// file read, the window made, filled and shown, up to its first picture on the screen.
//
//   records_window_bench [--lines 5000] [--runs 5] [--screenshot FILE]
//
// Prints the process's CPU time (CLOCK_PROCESS_CPUTIME_ID) of each opening, the first apart
// (fonts and styles are loaded then), and the median of the others. The file holds --lines
// solves of the 3 x 3 x 3 at Normal, a player getting faster over a year, and is written to a
// private folder. Run it under a display (xvfb-run for a headless one).
#include "dialogs/RecordsForm.h"
#include "engine/Records.h"

#include <QApplication>
#include <QPixmap>
#include <QTemporaryDir>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

namespace vexil {
namespace {

constexpr int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

double ProcessCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// ALines solves from 2026-01-01 on, a few a day, from about three minutes down to one, with
// the scatter of real solves and now and then a slow one.
void WriteRecordsFile(const std::string& AFileName, int ALines) {
  std::ofstream file(AFileName);
  uint32_t seed = 12345;
  const auto random = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<double>(seed >> 8) / static_cast<double>(1u << 24);
  };
  for (int i = 0; i < ALines; ++i) {
    const double progress = static_cast<double>(i) / std::max(1, ALines - 1);
    const int64_t minuteOfYear = static_cast<int64_t>(progress * 364 * 24 * 60);
    int day = static_cast<int>(minuteOfYear / (24 * 60));
    const int minute = static_cast<int>(minuteOfYear % (24 * 60));
    int month = 0;
    while (day >= kMonthDays[month]) {
      day -= kMonthDays[month++];
    }
    char date[32];
    std::snprintf(date, sizeof date, "2026-%02d-%02dT%02d:%02d:00", month + 1, day + 1, minute / 60,
                  minute % 60);
    double seconds = 180 - 120 * progress + 25 * (random() - 0.5);
    if (random() < 0.02) {
      seconds *= 3;
    }
    TSolveRecord record;
    record.Date = date;
    record.Degree = 3;
    record.Difficulty = "normal";
    record.Seconds = static_cast<int32_t>(seconds);
    record.Moves = 40 + static_cast<int32_t>(60 * random());
    file << FormatRecordLine(record) << '\n';
  }
}

// One opening: CPU seconds from reading the file to the window's first picture.
double OpenOnce(const std::string& AFileName, const QString& AScreenshot) {
  const double start = ProcessCpuSeconds();
  TRecordsForm form;
  form.SetRecordsFile(ReadRecordsFile(AFileName));
  form.SetChoice(3, "normal");
  form.show();
  while (form.windowHandle() == nullptr || !form.windowHandle()->isExposed()) {
    QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  QApplication::processEvents();
  form.repaint();
  const double cpu = ProcessCpuSeconds() - start;
  if (!AScreenshot.isEmpty()) {
    form.grab().save(AScreenshot);
  }
  return cpu;
}

int Run(int AArgc, char** AArgv) {
  QApplication application(AArgc, AArgv);
  int lines = 5000;
  int runs = 5;
  QString screenshot;
  const QStringList arguments = QApplication::arguments();
  for (int i = 1; i + 1 < arguments.size(); i += 2) {
    if (arguments[i] == QLatin1String("--lines")) {
      lines = arguments[i + 1].toInt();
    } else if (arguments[i] == QLatin1String("--runs")) {
      runs = std::max(2, arguments[i + 1].toInt());
    } else if (arguments[i] == QLatin1String("--screenshot")) {
      screenshot = arguments[i + 1];
    }
  }
  const QTemporaryDir folder;
  const std::string name = folder.filePath(QStringLiteral("records.tsv")).toStdString();
  WriteRecordsFile(name, lines);
  std::vector<double> later;
  for (int run = 0; run < runs; ++run) {
    const double cpu = OpenOnce(name, run == runs - 1 ? screenshot : QString());
    std::printf("opening %d of %d lines: %.1f ms CPU\n", run + 1, lines, cpu * 1000);
    if (run > 0) {
      later.push_back(cpu);
    }
  }
  std::sort(later.begin(), later.end());
  std::printf("median of the later openings: %.1f ms CPU\n", later[later.size() / 2] * 1000);
  return 0;
}

} // namespace
} // namespace vexil

int main(int AArgc, char** AArgv) {
  return vexil::Run(AArgc, AArgv);
}
