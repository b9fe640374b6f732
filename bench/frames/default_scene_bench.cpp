// Whole frames of the built-in scene through the host, as `vlam render`
// makes them: the busiest frame at full and half resolution, one and two
// worker threads, 8-bit and float. Peak memory (resident set) is reported
// with each run.
#include "host/Host.h"
#include "host/render/CompRenderer.h"
#include "host/scene/DefaultScene.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <ctime>
#include <filesystem>

namespace {

// The frame with the most to draw: the right gun's long flash and its sparks.
constexpr std::int64_t kBusiestFrame = 17;

double peakMiB() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Arguments: downsample factor, worker threads, bits per channel.
void DefaultSceneFrame(benchmark::State &state) {
  vlam::host::HostOptions options;
  options.modulePath = VLAM_MODULE_PATH;
  options.settingsPath = std::filesystem::temp_directory_path() / "vlam-frame-bench-settings.json";
  options.threads = static_cast<int>(state.range(1));
  vlam::host::Host host(options);
  vlam::host::openDefaultScene(host);
  vlam::host::RenderSettings settings;
  settings.downsample = static_cast<int>(state.range(0));
  settings.depth = vlam::host::pixelDepthFromBits(static_cast<int>(state.range(2)));
  settings.quality = PF_Quality_HI;
  vlam::host::CompRenderer renderer(host, *host.project().comps.front(), settings);
  renderer.renderFrame(kBusiestFrame); // the plate and the effects' setup
  const std::clock_t cpuStart = std::clock();
  for (auto _ : state) {
    vlam::host::Image frame = renderer.renderFrame(kBusiestFrame);
    benchmark::DoNotOptimize(frame.data());
  }
  // Processor time of every thread of the process per frame: the work done,
  // whatever else the machine is running.
  const double cpuMs = 1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
  state.counters["cpu_ms_all_threads"] = cpuMs / static_cast<double>(state.iterations());
  state.counters["peak_MiB"] = peakMiB();
}

BENCHMARK(DefaultSceneFrame)
    ->ArgNames({"downsample", "threads", "bits"})
    ->ArgsProduct({{1, 2}, {1, 2}, {8, 32}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
