// The real main window under the current display (xvfb-run for a headless one), measured as the
// player sees it:
//
//   window_bench [--sizes 3,6,10] [--runs 2] [--starts 5] [--no-samples]
//
// - start: the program started afresh --starts times (this same binary, exec'd, starting the
//   way the game's main does): seconds from exec to the first frame swapped, the anonymous
//   resident memory then, and the CPU time, frames and main-thread wake-ups over the two
//   seconds after it, when the window rests.
// - scramble: per size, --runs Hard scrambles in one window, each measured from the command to
//   the frame that ends its last turn: frames a second from the window's frame counter and the
//   swap timestamps, and the process's CPU time per frame (all threads, the driver's rasteriser
//   threads included; 100 % is one core).
// Settings and records go to a private folder, and online services stay off.
#include "app/MainForm.h"
#include "app/ProgramStart.h"
#include "render/CubeView.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QOpenGLWindow>
#include <QTimer>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace vexil {
namespace {

const char* const kExecTimeVariable = "VEXIL_WINDOW_BENCH_EXEC_NS";
constexpr int kRestMs = 2000;
constexpr int kScrambleTimeoutMs = 120000;

double Seconds(clockid_t AClock) {
  timespec now{};
  clock_gettime(AClock, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

double MonotonicSeconds() {
  return Seconds(CLOCK_MONOTONIC);
}

double ProcessCpuSeconds() {
  return Seconds(CLOCK_PROCESS_CPUTIME_ID);
}

// A field of /proc/self/status ("RssAnon:", "voluntary_ctxt_switches:"), 0 when absent.
long StatusField(const std::string& AName) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.compare(0, AName.size(), AName) == 0) {
      return std::atol(line.c_str() + AName.size());
    }
  }
  return 0;
}

double Median(std::vector<double> AValues) {
  if (AValues.empty()) {
    return 0.0;
  }
  std::sort(AValues.begin(), AValues.end());
  return AValues[AValues.size() / 2];
}

struct TOptions {
  std::vector<int> Sizes{3, 6, 10};
  int Runs = 2;
  int Starts = 5;
  TMultisampling Multisampling = TMultisampling::Probe;
  bool StartChild = false;
};

TOptions ParseOptions(int AArgc, char** AArgv) {
  TOptions options;
  for (int I = 1; I < AArgc; ++I) {
    const std::string arg = AArgv[I];
    const bool hasValue = I + 1 < AArgc;
    if (arg == "--sizes" && hasValue) {
      options.Sizes.clear();
      std::stringstream list(AArgv[++I]);
      std::string size;
      while (std::getline(list, size, ',')) {
        options.Sizes.push_back(std::atoi(size.c_str()));
      }
    } else if (arg == "--runs" && hasValue) {
      options.Runs = std::max(1, std::atoi(AArgv[++I]));
    } else if (arg == "--starts" && hasValue) {
      options.Starts = std::max(0, std::atoi(AArgv[++I]));
    } else if (arg == "--no-samples") {
      options.Multisampling = TMultisampling::Off;
    } else if (arg == "--start-child") {
      options.StartChild = true;
    } else {
      std::cerr << "window_bench [--sizes 3,6,10] [--runs 2] [--starts 5] [--no-samples]\n";
      std::exit(2);
    }
  }
  return options;
}

// Settings, records and the online services kept away from the player's; returns the folder.
std::string PrivateEnvironment() {
  char folder[] = "/tmp/vexil-window-bench-XXXXXX";
  if (mkdtemp(folder) == nullptr) {
    std::perror("mkdtemp");
    std::exit(1);
  }
  setenv("XDG_CONFIG_HOME", folder, 1);
  setenv("XDG_DATA_HOME", folder, 1);
  setenv("VEXIL_CUBE_SITE", "", 1);
  return folder;
}

// Runs the event loop until AForm swaps a frame for which ADone() holds, or ATimeoutMs pass.
template <typename TDone> bool WaitForSwap(TMainForm& AForm, int ATimeoutMs, TDone ADone) {
  QEventLoop loop;
  bool done = false;
  const QMetaObject::Connection swapped =
      QObject::connect(AForm.View(), &QOpenGLWindow::frameSwapped, &loop, [&] {
        if (ADone()) {
          done = true;
          loop.quit();
        }
      });
  QTimer::singleShot(ATimeoutMs, &loop, &QEventLoop::quit);
  loop.exec();
  QObject::disconnect(swapped);
  return done;
}

void Rest(int AMs) {
  QEventLoop loop;
  QTimer::singleShot(AMs, &loop, &QEventLoop::quit);
  loop.exec();
}

QAction* Item(TMainForm& AForm, const QString& AName) {
  QAction* const action = AForm.findChild<QAction*>(AName);
  if (action == nullptr) {
    std::cerr << "no menu item " << AName.toStdString() << '\n';
    std::exit(1);
  }
  return action;
}

// One start in a child process: prints "first_frame_s rss_anon_kb rest_cpu_ms rest_frames
// rest_wakeups".
int StartChild(int& AArgc, char** AArgv, const TOptions& AOptions) {
  const char* const execTime = std::getenv(kExecTimeVariable);
  const double execSeconds = execTime != nullptr ? std::atof(execTime) : 0.0;
  const auto application = StartApplication(AArgc, AArgv, AOptions.Multisampling);
  TMainForm form;
  form.show();
  double firstFrame = 0.0;
  if (!WaitForSwap(form, 30000, [&] {
        firstFrame = MonotonicSeconds() - execSeconds;
        return true;
      })) {
    std::cerr << "no frame within 30 s\n";
    return 1;
  }
  const long rssAnon = StatusField("RssAnon:");
  const double cpu = ProcessCpuSeconds();
  const long long frames = form.View()->FrameCount();
  const long wakeups =
      StatusField("voluntary_ctxt_switches:") + StatusField("nonvoluntary_ctxt_switches:");
  Rest(kRestMs);
  std::printf("%.4f %ld %.1f %lld %ld\n", firstFrame, rssAnon, (ProcessCpuSeconds() - cpu) * 1e3,
              form.View()->FrameCount() - frames,
              StatusField("voluntary_ctxt_switches:") + StatusField("nonvoluntary_ctxt_switches:") -
                  wakeups);
  return 0;
}

// Starts a child and reads its line; false when it failed.
bool RunStart(const char* ASelf, const TOptions& AOptions, std::string& ALine) {
  int ends[2];
  if (pipe(ends) != 0) {
    return false;
  }
  const pid_t child = fork();
  if (child == 0) {
    dup2(ends[1], STDOUT_FILENO);
    close(ends[0]);
    close(ends[1]);
    std::vector<const char*> args{ASelf, "--start-child"};
    if (AOptions.Multisampling == TMultisampling::Off) {
      args.push_back("--no-samples");
    }
    args.push_back(nullptr);
    const std::string now = std::to_string(MonotonicSeconds());
    setenv(kExecTimeVariable, now.c_str(), 1);
    execv("/proc/self/exe", const_cast<char* const*>(args.data()));
    _exit(127);
  }
  close(ends[1]);
  std::string output;
  char buffer[256];
  ssize_t count = 0;
  while ((count = read(ends[0], buffer, sizeof(buffer))) > 0) {
    output.append(buffer, static_cast<size_t>(count));
  }
  close(ends[0]);
  int status = 0;
  waitpid(child, &status, 0);
  ALine = output;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 && !output.empty();
}

void MeasureStarts(const char* ASelf, const TOptions& AOptions) {
  std::vector<double> firstFrames, rss, restCpu, restFrames, restWakeups;
  for (int I = 0; I < AOptions.Starts; ++I) {
    std::string line;
    if (!RunStart(ASelf, AOptions, line)) {
      std::cerr << "start " << I + 1 << " failed\n";
      continue;
    }
    std::istringstream fields(line);
    double values[5] = {};
    for (double& value : values) {
      fields >> value;
    }
    firstFrames.push_back(values[0]);
    rss.push_back(values[1] / 1024.0);
    restCpu.push_back(values[2]);
    restFrames.push_back(values[3]);
    restWakeups.push_back(values[4]);
    std::printf("start %d: first frame %.3f s, anonymous resident %.1f MB, at rest over %d ms: "
                "%.1f ms CPU, %.0f frames, %.0f wake-ups of the main thread\n",
                I + 1, values[0], values[1] / 1024.0, kRestMs, values[2], values[3], values[4]);
  }
  if (!firstFrames.empty()) {
    std::printf("start (median of %zu): first frame %.3f s, anonymous resident %.1f MB, "
                "at rest %.1f ms CPU / %.0f frames / %.0f wake-ups in %d ms\n",
                firstFrames.size(), Median(firstFrames), Median(rss), Median(restCpu),
                Median(restFrames), Median(restWakeups), kRestMs);
  }
  std::fflush(stdout);
}

void MeasureScramble(TMainForm& AForm, int ASize, int ARun) {
  Item(AForm, QStringLiteral("MenuItemDegree%1").arg(ASize))->trigger();
  // The new size is drawn once before the scramble starts, so its set-up is not counted.
  WaitForSwap(AForm, 10000, [] { return true; });
  const long long frames = AForm.View()->FrameCount();
  const double cpu = ProcessCpuSeconds();
  const double start = MonotonicSeconds();
  double lastSwap = start;
  Item(AForm, QStringLiteral("HardGameModeMenuItem"))->trigger();
  const bool ended = WaitForSwap(AForm, kScrambleTimeoutMs, [&] {
    lastSwap = MonotonicSeconds();
    return AForm.Game() != nullptr && !AForm.Game()->Scrambling();
  });
  const double cpuSeconds = ProcessCpuSeconds() - cpu;
  const double elapsed = lastSwap - start;
  const long long drawn = AForm.View()->FrameCount() - frames;
  if (!ended || drawn <= 0 || elapsed <= 0.0) {
    std::printf("%2d x %-2d run %d: the scramble did not end\n", ASize, ASize, ARun);
    return;
  }
  std::printf("%2d x %-2d run %d, %d samples: %lld frames in %.2f s = %.1f fps, CPU %.2f ms a "
              "frame, %.0f %% of a core\n",
              ASize, ASize, ARun, AForm.View()->Samples(), drawn, elapsed,
              static_cast<double>(drawn) / elapsed, cpuSeconds * 1e3 / static_cast<double>(drawn),
              cpuSeconds / elapsed * 100.0);
  std::fflush(stdout);
}

int RunBench(int& AArgc, char** AArgv, const TOptions& AOptions) {
  MeasureStarts(AArgv[0], AOptions);
  if (AOptions.Sizes.empty()) {
    return 0;
  }
  const auto application = StartApplication(AArgc, AArgv, AOptions.Multisampling);
  TMainForm form;
  form.show();
  if (!WaitForSwap(form, 30000, [] { return true; })) {
    std::cerr << "no frame within 30 s\n";
    return 1;
  }
  std::printf("window %d x %d device pixels\n", form.View()->DeviceWidth(), form.View()->DeviceHeight());
  for (const int size : AOptions.Sizes) {
    for (int run = 1; run <= AOptions.Runs; ++run) {
      MeasureScramble(form, size, run);
    }
  }
  return 0;
}

} // namespace
} // namespace vexil

int main(int argc, char** argv) {
  const vexil::TOptions options = vexil::ParseOptions(argc, argv);
  if (options.StartChild) {
    return vexil::StartChild(argc, argv, options);
  }
  const std::string folder = vexil::PrivateEnvironment();
  const int result = vexil::RunBench(argc, argv, options);
  std::error_code error;
  std::filesystem::remove_all(folder, error);
  return result;
}
