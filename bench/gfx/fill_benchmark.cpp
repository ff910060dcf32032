// Clearing a full-HD back buffer, which every frame does.
#include <benchmark/benchmark.h>

#include "gfx/surface.h"

namespace {

void BM_FillFullHd(benchmark::State& state) {
  Surface backBuffer;
  HBITMAP bitmap = backBuffer.CreateDibSection(nullptr, 1920, 1080);
  if (bitmap == nullptr) {
    state.SkipWithError("no DIB section");
    return;
  }
  for (auto _ : state) {
    backBuffer.Fill(0);
    benchmark::DoNotOptimize(backBuffer.pixels);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * std::int64_t{backBuffer.Stride()} * backBuffer.Height());
  DeleteObject(bitmap);
}
BENCHMARK(BM_FillFullHd);

}  // namespace
