// Frame time of the cube scene at the window's client size (716 x 466), as the window draws a
// frame: clear, depth test, multisampling, every cubie's body and faces. Each iteration is one
// frame finished by glFinish, so the time includes rasterisation on the driver's threads.
//
//   render_bench [--benchmark_filter=...]
//
// Counters (milliseconds, medians over the iterations):
//   median_ms  the whole frame; the goal for N = 10 with 4 samples is 33.3 (30 frames a second)
//   submit_ms  until the draw calls have returned: the CPU building and handing over the frame
//   finish_ms  glFinish afterwards: what the driver still had to rasterise
//   cpu_ms     CPU time of all the process's threads for the frame: the work itself, which other
//              load on the machine does not inflate (on 2 cores a frame takes at least half)
//   triangles  the primitives one frame hands the rasteriser (quads count twice), before culling
// Arguments: degree N, samples (0 or 4), 1 when a layer is turning (every cubie drawn), and the
// views: 0 the opening view turning slowly about the vertical (towards a side seen square-on),
// 1 a different view every frame, tumbling about a slanted axis so that the median is that of
// views all round the cube. At rest a frame's cost depends on the view: when no side is seen
// nearly square-on, the cubies behind the shell are left out.
#include "render/GLIncludes.h"
#include "render/GLMatrix.h"
#include "render/headless/HeadlessScene.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <memory>
#include <vector>

namespace vexil {
namespace {

constexpr int kWidth = 716;
constexpr int kHeight = 466;

// CPU time of the whole process (the calling thread and the driver's rasteriser threads), which
// other load on the machine does not inflate.
double ProcessCpuMs() {
  timespec Now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &Now);
  return Now.tv_sec * 1e3 + Now.tv_nsec / 1e6;
}

// The primitives one frame of AScene hands the driver, counted by the driver itself.
double TrianglesOfFrame(THeadlessScene& AScene, const TMatrix& AView) {
  GLuint query = 0;
  glGenQueries(1, &query);
  glBeginQuery(GL_PRIMITIVES_GENERATED, query);
  AScene.DrawFrame(AView);
  glEndQuery(GL_PRIMITIVES_GENERATED);
  GLuint64 count = 0;
  glGetQueryObjectui64v(query, GL_QUERY_RESULT, &count);
  glDeleteQueries(1, &query);
  return static_cast<double>(count);
}

double Median(std::vector<double> AValues) {
  if (AValues.empty()) {
    return 0.0;
  }
  const auto Middle = AValues.begin() + static_cast<std::ptrdiff_t>(AValues.size() / 2);
  std::nth_element(AValues.begin(), Middle, AValues.end());
  return *Middle;
}

void BM_Frame(benchmark::State& AState) {
  const int Degree = static_cast<int>(AState.range(0));
  const int Samples = static_cast<int>(AState.range(1));
  const bool Turning = AState.range(2) != 0;
  const bool Tumbling = AState.range(3) != 0;
  std::unique_ptr<THeadlessScene> Scene;
  try {
    Scene = std::make_unique<THeadlessScene>(Degree, kWidth, kHeight, Samples);
  } catch (const EOffscreenContextError& E) {
    AState.SkipWithError(E.what());
    return;
  }
  Scene->SetMode(true, false);
  if (Turning) {
    Scene->Cube().Randomize(1);
    Scene->Cube().RotateRandomSide();
    // One frame brings the layer to 30 degrees, where a turn shows the most of its gaps and
    // inner faces; then it stays at that angle for the whole run.
    Scene->Cube().SetRotateSpeed(30.0f);
    Scene->DrawFrame(
        MultiplyMatrix(GLRotationMatrix(35, 1, 0, 0), GLRotationMatrix(52.5, 0, 1, 0)));
    Scene->Cube().SetRotateSpeed(0.0001f);
  }
  TMatrix View = MultiplyMatrix(GLRotationMatrix(35, 1, 0, 0), GLRotationMatrix(52.5, 0, 1, 0));
  const TMatrix Spin =
      Tumbling ? GLRotationMatrix(11.3, 1, 2, 0.5) : GLRotationMatrix(0.5, 0, 1, 0);
  using TClock = std::chrono::steady_clock;
  std::vector<double> Frames, Submits, Finishes, Cpu;
  for (auto _ : AState) {
    View = MultiplyMatrix(Spin, View);
    const double CpuStart = ProcessCpuMs();
    const auto Start = TClock::now();
    Scene->DrawFrame(View);
    const auto Submitted = TClock::now();
    glFinish();
    const auto Finished = TClock::now();
    Cpu.push_back(ProcessCpuMs() - CpuStart);
    const auto Ms = [](auto ADuration) {
      return std::chrono::duration<double, std::milli>(ADuration).count();
    };
    Frames.push_back(Ms(Finished - Start));
    Submits.push_back(Ms(Submitted - Start));
    Finishes.push_back(Ms(Finished - Submitted));
  }
  AState.counters["median_ms"] = Median(Frames);
  AState.counters["submit_ms"] = Median(Submits);
  AState.counters["finish_ms"] = Median(Finishes);
  AState.counters["cpu_ms"] = Median(Cpu);
  AState.counters["triangles"] = TrianglesOfFrame(*Scene, View);
  AState.counters["samples"] = Scene->Framebuffer().Samples();
  AState.counters["fps"] = Median(Frames) > 0 ? 1000.0 / Median(Frames) : 0.0;
}

BENCHMARK(BM_Frame)
    ->ArgNames({"N", "samples", "turning", "tumbling"})
    ->Args({3, 0, 0, 0})
    ->Args({3, 4, 0, 0})
    ->Args({10, 0, 0, 0})
    ->Args({10, 4, 0, 0})
    ->Args({10, 4, 0, 1})
    ->Args({10, 4, 1, 0})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);

// A layer turning, as while a scramble or a player's turn runs, at the sizes the window's
// goals name; the view tumbles so that the median is that of turns seen from all round.
BENCHMARK(BM_Frame)
    ->Name("BM_Turning")
    ->ArgNames({"N", "samples", "turning", "tumbling"})
    ->Args({3, 0, 1, 1})
    ->Args({3, 4, 1, 1})
    ->Args({6, 0, 1, 1})
    ->Args({6, 4, 1, 1})
    ->Args({10, 0, 1, 1})
    ->Args({10, 4, 1, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);

} // namespace
} // namespace vexil
