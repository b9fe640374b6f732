// Drawing the default flash design at 1920 x 1080 under the default comp
// camera: the body pass on one and two threads, its splat generation alone,
// and a plain streaming add over the same buffer as the memory limit.
#include <benchmark/benchmark.h>

#include <ctime>
#include <vector>

#include "flash/brushes.h"
#include "flash/default_curves.h"
#include "flash/flash_volume.h"
#include "frame/comp_camera.h"
#include "render/render_host_support.h"
#include "render/world_buffer.h"

namespace vlam {
namespace {

constexpr A_long kWidth = 1920;
constexpr A_long kHeight = 1080;

// The default design of a new Flash Builder fired at energy 0.4 with no
// randomness, as the Render effect sets it up.
class DefaultFlash {
 public:
  explicit DefaultFlash(A_long threads) {
    host_.host_threads = threads;
    target_.Create(&host_.in_data, kWidth, kHeight, PF_PixelFormat_ARGB128, "FLASH_WORLD");
    target_.Clear();

    const double zoom = MakeCompCamera(kWidth, kHeight, 1.0, 1.0, nullptr, false).zoom;
    const Matrix4 hostCamera = Matrix4::FromHost(vlam_render_test::DefaultCameraMatrix(kWidth, kHeight, zoom));
    camera_ = MakeCompCamera(kWidth, kHeight, 1.0, 1.0, &hostCamera, false);
    table_.resize(kRenderDistanceTableSize * kRenderDistanceTableSize);
    FillDistanceTable(table_.data(), kRenderDistanceTableSize);
    MakeDefaultMainCurve(profile_);

    // Colour 255, 186, 118 at the colour factor 0.25 of full brightness.
    colour_ = PF_PixelFloat{0.25f, 0.25f, 0.25f * 186 / 255, 0.25f * 118 / 255};
    field_ = NoiseField::MakeSeeded(0);
    field_.row = 0.0;
    field_.baseFreq = 0.01 * (5 - 10 * 0.4);
    field_.octaveAmp = 0.8 * 0.04 * 2.5 * 0.4;
    field_.largeAmp = 0.0;
    field_.largeFreq = 0.05;
    const double x = 0.25;  // displacement complexity
    const double weights[4] = {1.0, 5.0 * x + 5.0 * (1 - x), 5.5, 5.0 * x + 1.9 * (1 - x)};
    const double freqs[4] = {1.0, 2.3, 8.2 * x + 4.6 * (1 - x), 14.4 * x + 9.2 * (1 - x)};

    // The instance at the layer centre, aimed along x.
    const Matrix4 view = Matrix4::Product(ViewTranslation(camera_), ViewRotation(camera_));
    volume_.Reset();
    volume_.Init(&target_, 1.0, 1);
    volume_.SetCamera(&camera_);
    volume_.SetDistTable(table_.data());
    volume_.SetGrid(2, 11);
    volume_.SetColour(&colour_, 1, 0.5);
    volume_.SetNoise(&field_);
    for (int k = 0; k < 4; ++k) {
      volume_.octaveWeight[k] = weights[k];
      volume_.octaveFreq[k] = freqs[k];
    }
    volume_.SetView(view);
    volume_.SetShape(&profile_, 0.4f, 250, 100, 0);
    const double f = 0.75;  // brightness falloff
    volume_.SetFalloff(f * 0.9 + (1 - f), (1 - f) * 0.3 + f * 0.25, f, 0);
    volume_.SetBlend(0.0, &profile_);
    volume_.BarrelPass(16, 30);
    volume_.SetAxialStart(8);
    volume_.CorePass(5, 10);
  }

  FlashVolume& Volume() { return volume_; }
  WorldBuffer& Target() { return target_; }

  // Splats and pixel additions of one body pass.
  void Count(double& splats, double& additions) {
    SplatSlot slot;
    slot.Reset(kWidth, kHeight);
    volume_.CollectBodyIteration(0, 1, slot);
    splats = static_cast<double>(slot.splats.size());
    additions = 0;
    for (const Splat& s : slot.splats) additions += SoftBrushFootprint(s.size);
  }

 private:
  vlam_render_test::RenderTestHost host_;
  WorldBuffer target_;
  CompCamera camera_{};
  std::vector<uint16_t> table_;
  ShapeCurve profile_{};
  PF_PixelFloat colour_{};
  NoiseField field_{};
  FlashVolume volume_;
};

// Arguments: host threads, iterations of the pass (the Render effect asks for
// eight per thread, which balances the uneven slices).
void BodyPass(benchmark::State& state) {
  const A_long threads = static_cast<A_long>(state.range(0));
  const A_long iterations = static_cast<A_long>(state.range(1));
  DefaultFlash flash(threads);
  double splats, additions;
  flash.Count(splats, additions);
  // Processor time of every thread of the process, per pass: on a busy
  // machine wall time includes waiting for a core, this does not.
  const std::clock_t start = std::clock();
  for (auto _ : state) {
    if (flash.Volume().RunBodyPass(iterations) != PF_Err_NONE) state.SkipWithError("body pass failed");
  }
  const double cpu = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
  state.counters["cpu_ms_all_threads"] = 1000.0 * cpu / static_cast<double>(state.iterations());
  state.counters["splats"] = splats;
  state.counters["additions"] = additions;
  state.counters["splats/s"] = benchmark::Counter(splats, benchmark::Counter::kIsIterationInvariantRate);
  state.counters["additions/s"] =
      benchmark::Counter(additions, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BodyPass)->Args({1, 1})->Args({2, 2})->Args({2, 16})->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

// The splats of the body pass without drawing them: the noise and geometry.
void BodySplatsOnly(benchmark::State& state) {
  DefaultFlash flash(1);
  SplatSlot slot;
  for (auto _ : state) {
    slot.Reset(kWidth, kHeight);
    flash.Volume().CollectBodyIteration(0, 1, slot);
    benchmark::DoNotOptimize(slot.splats.size());
  }
  state.counters["splats/s"] = benchmark::Counter(static_cast<double>(slot.splats.size()),
                                                  benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BodySplatsOnly)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

// The memory limit: red, green and blue of every pixel of the same buffer
// plus a constant, one pass.
void StreamingAdd(benchmark::State& state) {
  DefaultFlash flash(1);
  PF_EffectWorld& w = flash.Target().World();
  const float c = 1e-3f;
  for (auto _ : state) {
    for (A_long y = 0; y < w.height; ++y) {
      PF_PixelFloat* row = reinterpret_cast<PF_PixelFloat*>(reinterpret_cast<char*>(w.data) + y * w.rowbytes);
      for (A_long x = 0; x < w.width; ++x) {
        row[x].red += c;
        row[x].green += c;
        row[x].blue += c;
      }
    }
    benchmark::ClobberMemory();
  }
  state.counters["additions/s"] = benchmark::Counter(static_cast<double>(w.width) * w.height,
                                                     benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(StreamingAdd)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

}  // namespace
}  // namespace vlam

BENCHMARK_MAIN();
