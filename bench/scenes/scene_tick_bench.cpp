// One whole frame of each saver at 1920 x 1080 on the headless back end: clearing the back buffer, advancing and
// drawing the thirty sprites, and presenting 1:1 (full screen) or stretched (a preview).
#include <benchmark/benchmark.h>

#include "flyby/scr_api.h"
#include "kestrova_resources/flyby.h"
#include "kestrova_resources/tumbler.h"
#include "tests/scenes/running_saver.h"
#include "tumbler/scr_api.h"

namespace {

template <class ScrAPI>
void BM_Frame(benchmark::State& state, HMODULE resources, const char* mode) {
  RunningSaver<ScrAPI> saver(Screen(1920, 1080), resources, mode, 320, 240);
  DWORD time = 0;
  for (auto _ : state) saver.backend.TickTimersAt(time += 10);
  saver.backend.ClearPresentations();
}

void BM_FlybyFullScreen(benchmark::State& state) { BM_Frame<flyby::ScrAPI>(state, KestrovaResourceModule_flyby(), "/s"); }
void BM_FlybyPreview(benchmark::State& state) { BM_Frame<flyby::ScrAPI>(state, KestrovaResourceModule_flyby(), "/p"); }
void BM_TumblerFullScreen(benchmark::State& state) {
  BM_Frame<tumbler::ScrAPI>(state, KestrovaResourceModule_tumbler(), "/s");
}

BENCHMARK(BM_FlybyFullScreen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FlybyPreview)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TumblerFullScreen)->Unit(benchmark::kMicrosecond);

}  // namespace
