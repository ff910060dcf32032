// The cost of one draw, regenerations included (one in 624).
#include <benchmark/benchmark.h>

#include "rng/mersenne_twister.h"

namespace {

void BM_NextInt(benchmark::State& state) {
  MersenneTwister generator(4357);
  for (auto _ : state) {
    benchmark::DoNotOptimize(generator.NextInt());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_NextInt);

}  // namespace
