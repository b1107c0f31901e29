// The end of a turn (moving the sticker data and the solved test) and one frame step of the
// largest cube, N = 10.
#include "engine/VexilCube.h"
#include "tests/engine/CommittedMesh.h"

#include <benchmark/benchmark.h>

using namespace vexil;
using vexil::test::CommittedCubeMesh;

namespace {

TMatrix View() {
  return ToSingleMatrix(RotationMatrix(35.0, TVertex3f{1.0f, 0.7f, 0.2f}));
}

// AArgs: sticker, direction. Sticker 0 direction 0 turns an outer slice (N² + 4N stickers),
// sticker 5 direction 0 an inner one (4N).
void BM_EndOfTurn(benchmark::State& AState) {
  TVexilCube cube(10, CommittedCubeMesh());
  const auto sticker = static_cast<int32_t>(AState.range(0));
  const auto direction = static_cast<int32_t>(AState.range(1));
  const TMatrix view = View();
  for (auto _ : AState) {
    AState.PauseTiming();
    cube.RotateSide(sticker, direction);
    cube.SetRotateSpeed(90.0f);
    const TCubeFrame frame = cube.BeginFrame(view);
    AState.ResumeTiming();
    cube.EndFrame(frame); // ApplySideRotation, the reset of the turn state, IsCubeSolved
  }
}
BENCHMARK(BM_EndOfTurn)->Args({0, 0})->Args({5, 0})->Unit(benchmark::kMicrosecond);

void BM_SolvedTest(benchmark::State& AState) {
  TVexilCube cube(10, CommittedCubeMesh());
  for (auto _ : AState) {
    benchmark::DoNotOptimize(cube.IsCubeSolved());
  }
}
BENCHMARK(BM_SolvedTest)->Unit(benchmark::kMicrosecond);

void BM_FrameAtRest(benchmark::State& AState) {
  TVexilCube cube(10, CommittedCubeMesh());
  const TMatrix view = View();
  for (auto _ : AState) {
    const TCubeFrame frame = cube.BeginFrame(view);
    cube.EndFrame(frame);
    benchmark::DoNotOptimize(frame.Cubies.data());
  }
}
BENCHMARK(BM_FrameAtRest)->Unit(benchmark::kMicrosecond);

// Every cubie is drawn while a layer stands at an angle; the turn never ends at speed 0.001.
void BM_FrameDuringTurn(benchmark::State& AState) {
  TVexilCube cube(10, CommittedCubeMesh());
  cube.RotateSide(0, 0);
  cube.SetRotateSpeed(0.001f);
  const TMatrix view = View();
  for (auto _ : AState) {
    const TCubeFrame frame = cube.BeginFrame(view);
    cube.EndFrame(frame);
    benchmark::DoNotOptimize(frame.Cubies.data());
  }
}
BENCHMARK(BM_FrameDuringTurn)->Unit(benchmark::kMicrosecond);

} // namespace
