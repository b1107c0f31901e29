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
#include "render/GLForm.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QOpenGLWidget>
#include <QTimer>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
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
  timespec Now{};
  clock_gettime(AClock, &Now);
  return static_cast<double>(Now.tv_sec) + static_cast<double>(Now.tv_nsec) / 1e9;
}

double MonotonicSeconds() {
  return Seconds(CLOCK_MONOTONIC);
}

double ProcessCpuSeconds() {
  return Seconds(CLOCK_PROCESS_CPUTIME_ID);
}

// A field of /proc/self/status ("RssAnon:", "voluntary_ctxt_switches:"), 0 when absent.
long StatusField(const std::string& AName) {
  std::ifstream Status("/proc/self/status");
  std::string Line;
  while (std::getline(Status, Line)) {
    if (Line.compare(0, AName.size(), AName) == 0) {
      return std::atol(Line.c_str() + AName.size());
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
  TOptions Options;
  for (int I = 1; I < AArgc; ++I) {
    const std::string Arg = AArgv[I];
    const bool HasValue = I + 1 < AArgc;
    if (Arg == "--sizes" && HasValue) {
      Options.Sizes.clear();
      std::stringstream List(AArgv[++I]);
      std::string Size;
      while (std::getline(List, Size, ',')) {
        Options.Sizes.push_back(std::atoi(Size.c_str()));
      }
    } else if (Arg == "--runs" && HasValue) {
      Options.Runs = std::max(1, std::atoi(AArgv[++I]));
    } else if (Arg == "--starts" && HasValue) {
      Options.Starts = std::max(0, std::atoi(AArgv[++I]));
    } else if (Arg == "--no-samples") {
      Options.Multisampling = TMultisampling::Off;
    } else if (Arg == "--start-child") {
      Options.StartChild = true;
    } else {
      std::cerr << "window_bench [--sizes 3,6,10] [--runs 2] [--starts 5] [--no-samples]\n";
      std::exit(2);
    }
  }
  return Options;
}

// Settings, records and the online services kept away from the player's.
void PrivateEnvironment() {
  char Folder[] = "/tmp/vexil-window-bench-XXXXXX";
  if (mkdtemp(Folder) == nullptr) {
    std::perror("mkdtemp");
    std::exit(1);
  }
  setenv("XDG_CONFIG_HOME", Folder, 1);
  setenv("XDG_DATA_HOME", Folder, 1);
  setenv("VEXIL_CUBE_SITE", "", 1);
}

// Runs the event loop until AForm swaps a frame for which ADone() holds, or ATimeoutMs pass.
template <typename TDone> bool WaitForSwap(TMainForm& AForm, int ATimeoutMs, TDone ADone) {
  QEventLoop Loop;
  bool Done = false;
  const QMetaObject::Connection Swapped =
      QObject::connect(AForm.GLWidget(), &QOpenGLWidget::frameSwapped, &Loop, [&] {
        if (ADone()) {
          Done = true;
          Loop.quit();
        }
      });
  QTimer::singleShot(ATimeoutMs, &Loop, &QEventLoop::quit);
  Loop.exec();
  QObject::disconnect(Swapped);
  return Done;
}

void Rest(int AMs) {
  QEventLoop Loop;
  QTimer::singleShot(AMs, &Loop, &QEventLoop::quit);
  Loop.exec();
}

QAction* Item(TMainForm& AForm, const QString& AName) {
  QAction* const Action = AForm.findChild<QAction*>(AName);
  if (Action == nullptr) {
    std::cerr << "no menu item " << AName.toStdString() << '\n';
    std::exit(1);
  }
  return Action;
}

// One start in a child process: prints "first_frame_s rss_anon_kb rest_cpu_ms rest_frames
// rest_wakeups".
int StartChild(int& AArgc, char** AArgv, const TOptions& AOptions) {
  const char* const ExecTime = std::getenv(kExecTimeVariable);
  const double ExecSeconds = ExecTime != nullptr ? std::atof(ExecTime) : 0.0;
  const auto Application = StartApplication(AArgc, AArgv, AOptions.Multisampling);
  TMainForm Form;
  Form.show();
  double FirstFrame = 0.0;
  if (!WaitForSwap(Form, 30000, [&] {
        FirstFrame = MonotonicSeconds() - ExecSeconds;
        return true;
      })) {
    std::cerr << "no frame within 30 s\n";
    return 1;
  }
  const long RssAnon = StatusField("RssAnon:");
  const double Cpu = ProcessCpuSeconds();
  const long long Frames = Form.FrameCount();
  const long Wakeups =
      StatusField("voluntary_ctxt_switches:") + StatusField("nonvoluntary_ctxt_switches:");
  Rest(kRestMs);
  std::printf("%.4f %ld %.1f %lld %ld\n", FirstFrame, RssAnon, (ProcessCpuSeconds() - Cpu) * 1e3,
              Form.FrameCount() - Frames,
              StatusField("voluntary_ctxt_switches:") + StatusField("nonvoluntary_ctxt_switches:") -
                  Wakeups);
  return 0;
}

// Starts a child and reads its line; false when it failed.
bool RunStart(const char* ASelf, const TOptions& AOptions, std::string& ALine) {
  int Pipe[2];
  if (pipe(Pipe) != 0) {
    return false;
  }
  const pid_t Child = fork();
  if (Child == 0) {
    dup2(Pipe[1], STDOUT_FILENO);
    close(Pipe[0]);
    close(Pipe[1]);
    std::vector<const char*> Args{ASelf, "--start-child"};
    if (AOptions.Multisampling == TMultisampling::Off) {
      Args.push_back("--no-samples");
    }
    Args.push_back(nullptr);
    const std::string Now = std::to_string(MonotonicSeconds());
    setenv(kExecTimeVariable, Now.c_str(), 1);
    execv("/proc/self/exe", const_cast<char* const*>(Args.data()));
    _exit(127);
  }
  close(Pipe[1]);
  std::string Output;
  char Buffer[256];
  ssize_t Count = 0;
  while ((Count = read(Pipe[0], Buffer, sizeof(Buffer))) > 0) {
    Output.append(Buffer, static_cast<size_t>(Count));
  }
  close(Pipe[0]);
  int Status = 0;
  waitpid(Child, &Status, 0);
  ALine = Output;
  return WIFEXITED(Status) && WEXITSTATUS(Status) == 0 && !Output.empty();
}

void MeasureStarts(const char* ASelf, const TOptions& AOptions) {
  std::vector<double> FirstFrames, Rss, RestCpu, RestFrames, RestWakeups;
  for (int I = 0; I < AOptions.Starts; ++I) {
    std::string Line;
    if (!RunStart(ASelf, AOptions, Line)) {
      std::cerr << "start " << I + 1 << " failed\n";
      continue;
    }
    std::istringstream Fields(Line);
    double Values[5] = {};
    for (double& Value : Values) {
      Fields >> Value;
    }
    FirstFrames.push_back(Values[0]);
    Rss.push_back(Values[1] / 1024.0);
    RestCpu.push_back(Values[2]);
    RestFrames.push_back(Values[3]);
    RestWakeups.push_back(Values[4]);
    std::printf("start %d: first frame %.3f s, anonymous resident %.1f MB, at rest over %d ms: "
                "%.1f ms CPU, %.0f frames, %.0f wake-ups of the main thread\n",
                I + 1, Values[0], Values[1] / 1024.0, kRestMs, Values[2], Values[3], Values[4]);
  }
  if (!FirstFrames.empty()) {
    std::printf("start (median of %zu): first frame %.3f s, anonymous resident %.1f MB, "
                "at rest %.1f ms CPU / %.0f frames / %.0f wake-ups in %d ms\n",
                FirstFrames.size(), Median(FirstFrames), Median(Rss), Median(RestCpu),
                Median(RestFrames), Median(RestWakeups), kRestMs);
  }
  std::fflush(stdout);
}

void MeasureScramble(TMainForm& AForm, int ASize, int ARun) {
  Item(AForm, QStringLiteral("MenuItemDegree%1").arg(ASize))->trigger();
  // The new size is drawn once before the scramble starts, so its set-up is not counted.
  WaitForSwap(AForm, 10000, [] { return true; });
  const long long Frames = AForm.FrameCount();
  const double Cpu = ProcessCpuSeconds();
  const double Start = MonotonicSeconds();
  double LastSwap = Start;
  Item(AForm, QStringLiteral("HardGameModeMenuItem"))->trigger();
  const bool Ended = WaitForSwap(AForm, kScrambleTimeoutMs, [&] {
    LastSwap = MonotonicSeconds();
    return AForm.Game() != nullptr && !AForm.Game()->Scrambling();
  });
  const double CpuSeconds = ProcessCpuSeconds() - Cpu;
  const double Elapsed = LastSwap - Start;
  const long long Drawn = AForm.FrameCount() - Frames;
  if (!Ended || Drawn <= 0 || Elapsed <= 0.0) {
    std::printf("%2d x %-2d run %d: the scramble did not end\n", ASize, ASize, ARun);
    return;
  }
  std::printf("%2d x %-2d run %d, %d samples: %lld frames in %.2f s = %.1f fps, CPU %.2f ms a "
              "frame, %.0f %% of a core\n",
              ASize, ASize, ARun, AForm.Samples(), Drawn, Elapsed,
              static_cast<double>(Drawn) / Elapsed, CpuSeconds * 1e3 / static_cast<double>(Drawn),
              CpuSeconds / Elapsed * 100.0);
  std::fflush(stdout);
}

int RunBench(int& AArgc, char** AArgv, const TOptions& AOptions) {
  MeasureStarts(AArgv[0], AOptions);
  if (AOptions.Sizes.empty()) {
    return 0;
  }
  const auto Application = StartApplication(AArgc, AArgv, AOptions.Multisampling);
  TMainForm Form;
  Form.show();
  if (!WaitForSwap(Form, 30000, [] { return true; })) {
    std::cerr << "no frame within 30 s\n";
    return 1;
  }
  std::printf("window %d x %d device pixels\n", Form.ClientWidth(), Form.ClientHeight());
  for (const int Size : AOptions.Sizes) {
    for (int Run = 1; Run <= AOptions.Runs; ++Run) {
      MeasureScramble(Form, Size, Run);
    }
  }
  return 0;
}

} // namespace
} // namespace vexil

int main(int argc, char** argv) {
  const vexil::TOptions Options = vexil::ParseOptions(argc, argv);
  if (Options.StartChild) {
    return vexil::StartChild(argc, argv, Options);
  }
  vexil::PrivateEnvironment();
  return vexil::RunBench(argc, argv, Options);
}
