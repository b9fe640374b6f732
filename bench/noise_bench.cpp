// Throughput of the gradient noise the body pass calls nine times per splat.
#include <benchmark/benchmark.h>

#include "flash/noise_field.h"

namespace vlam {
namespace {

void Noise3(benchmark::State& state) {
  const NoiseField f = NoiseField::MakeSeeded(7);
  double x = 0.123, sum = 0;
  for (auto _ : state) {
    for (int i = 0; i < 1000; ++i) {
      sum += f.Noise3(x, x * 0.7 + 3.1, 11.3 - x);
      x += 0.0173;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.counters["calls/s"] = benchmark::Counter(1000, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(Noise3);

}  // namespace
}  // namespace vlam
