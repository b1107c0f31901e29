// The floor under the game's first frame: the least a Qt program on this machine can do to put
// one OpenGL frame on the screen, in the game's surface format (OpenGL 2.1 compatibility, depth,
// 4 samples) in a window of the game's size that only clears. The game's own first frame
// (window_bench's start) cannot come sooner than this.
//
//   xvfb-run -a -s '-screen 0 1280x800x24 -noreset' build/bench/gl_window_floor [--starts 5]
//       [--samples 4]
//
// Each start execs this program afresh and prints the seconds from exec to the first frame
// swapped.
#include <QGuiApplication>
#include <QOpenGLFunctions>
#include <QOpenGLWindow>
#include <QSurfaceFormat>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char* kExecTimeVariable = "GL_WINDOW_FLOOR_EXEC_TIME";
constexpr const char* kSamplesVariable = "GL_WINDOW_FLOOR_SAMPLES";

double MonotonicSeconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

class TClearingWindow : public QOpenGLWindow {
protected:
  void paintGL() override {
    QOpenGLFunctions* const gl = context()->functions();
    gl->glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    gl->glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }
};

int StartChild(int& AArgc, char** AArgv) {
  const double exec = std::atof(std::getenv(kExecTimeVariable));
  QSurfaceFormat format;
  format.setVersion(2, 1);
  format.setProfile(QSurfaceFormat::CompatibilityProfile);
  format.setDepthBufferSize(24);
  format.setSamples(std::atoi(std::getenv(kSamplesVariable)));
  QGuiApplication application(AArgc, AArgv);
  TClearingWindow window;
  window.setFormat(format);
  window.resize(716, 466);
  QObject::connect(&window, &QOpenGLWindow::frameSwapped, &application, [&] {
    std::printf("%.4f\n", MonotonicSeconds() - exec);
    std::fflush(stdout);
    QGuiApplication::quit();
  });
  window.show();
  return QGuiApplication::exec();
}

} // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--start-child") == 0) {
    return StartChild(argc, argv);
  }
  int starts = 5;
  const char* samples = "4";
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--starts") == 0) {
      starts = std::atoi(argv[i + 1]);
    } else if (std::strcmp(argv[i], "--samples") == 0) {
      samples = argv[i + 1];
    }
  }
  setenv(kSamplesVariable, samples, 1);
  std::vector<double> seconds;
  for (int i = 0; i < starts; ++i) {
    int ends[2];
    if (pipe(ends) != 0) {
      return 1;
    }
    const pid_t child = fork();
    if (child == 0) {
      dup2(ends[1], STDOUT_FILENO);
      close(ends[0]);
      close(ends[1]);
      const std::string now = std::to_string(MonotonicSeconds());
      setenv(kExecTimeVariable, now.c_str(), 1);
      char self[] = "/proc/self/exe";
      char flag[] = "--start-child";
      char* const args[] = {self, flag, nullptr};
      execv(self, args);
      _exit(127);
    }
    close(ends[1]);
    char buffer[64] = {};
    const ssize_t count = read(ends[0], buffer, sizeof(buffer) - 1);
    close(ends[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (count <= 0) {
      std::fprintf(stderr, "start %d gave no frame\n", i + 1);
      return 1;
    }
    seconds.push_back(std::atof(buffer));
    std::printf("start %d: first frame %.3f s\n", i + 1, seconds.back());
  }
  std::sort(seconds.begin(), seconds.end());
  std::printf("median of %d: first frame %.3f s\n", starts, seconds[seconds.size() / 2]);
  return 0;
}
