// Throughput of the gradient noise the body pass calls nine times per splat:
// from plain coordinates along a line, and from coordinates already on the
// lattice in the random order of the body pass's cells.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

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

// The body pass reads each noise at a cell of its own: the lattice cells,
// and so the gradient hashes, change from call to call. Enough coordinates
// that the branch predictor cannot learn the sequence.
void Noise3OnLattice(benchmark::State& state) {
  const bool paired = state.range(0) != 0;
  constexpr int kCalls = 20000;
  const NoiseField f = NoiseField::MakeSeeded(7);
  std::mt19937 rng(3);
  std::uniform_real_distribution<double> d(-40.0, 40.0);
  std::vector<LatticeCoord> coords(3 * kCalls);
  for (LatticeCoord& c : coords) c = PlaceOnLattice(d(rng));
  double sum = 0;
  for (auto _ : state) {
    for (size_t i = 0; i + 2 < coords.size(); i += 3) {
      sum += paired ? f.Noise3Paired(coords[i], coords[i + 1], coords[i + 2])
                    : f.Noise3(coords[i], coords[i + 1], coords[i + 2]);
    }
    benchmark::DoNotOptimize(sum);
  }
  state.counters["calls/s"] = benchmark::Counter(kCalls, benchmark::Counter::kIsIterationInvariantRate);
}
// Arg 0: one corner at a time; 1: two corners at a time.
BENCHMARK(Noise3OnLattice)->Arg(0)->Arg(1);

}  // namespace
}  // namespace vlam
