// Whole frames of the built-in scene through the host, as `vlam render`
// makes them: the busiest frame at full and half resolution, one and two
// worker threads, 8-bit and float. Each run reports, besides the wall time:
// the processor time of all threads per frame split into the effects' code
// and the host's (sampled), the minor page faults per frame (fresh memory touched),
// the peak resident memory, and the ratio of the frame's wall time to a
// memory-speed reference measured in the same process (a streaming add over
// a full-size float frame).
#include "host/Host.h"
#include "host/render/CompRenderer.h"
#include "host/scene/DefaultScene.h"
#include "host/threads/CodeTime.h"

#include <benchmark/benchmark.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <vector>

namespace {

// The frame with the most to draw: the right gun's long flash and its sparks.
constexpr std::int64_t kBusiestFrame = 17;
constexpr std::size_t kFrameFloats = std::size_t{1920} * 1080 * 4;

rusage usage() {
  rusage u{};
  ::getrusage(RUSAGE_SELF, &u);
  return u;
}

double peakMiB() { return static_cast<double>(usage().ru_maxrss) / 1024.0; }

double msSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Splits the process's processor time between the effects' code and the
// host's by sampling: every millisecond of processor time the profiling
// timer interrupts the thread that is running, which notes whose code it
// was in. Reading the threads' processor clocks at every switch would cost
// more than some of the calls it measures.
class CodeSampler {
public:
  CodeSampler() {
    struct sigaction action {};
    action.sa_handler = onSample;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGPROF, &action, &previous_);
    module = 0;
    host = 0;
    const itimerval every{{0, 1000}, {0, 1000}};
    ::setitimer(ITIMER_PROF, &every, nullptr);
  }
  ~CodeSampler() {
    const itimerval off{};
    ::setitimer(ITIMER_PROF, &off, nullptr);
    ::sigaction(SIGPROF, &previous_, nullptr);
  }
  CodeSampler(const CodeSampler &) = delete;
  CodeSampler &operator=(const CodeSampler &) = delete;
  double moduleShare() const {
    const double total = static_cast<double>(module + host);
    return total > 0 ? static_cast<double>(module) / total : 0.0;
  }

private:
  static void onSample(int) {
    if (vlam::host::runningModuleCode()) ++module;
    else ++host;
  }
  static inline std::atomic<long> module{0}, host{0};
  struct sigaction previous_ {};
};

// dst += src over every channel of a full-size float frame, on one thread:
// two frames read and one written, the least any pass over a frame costs.
void streamingAdd(std::vector<float> &dst, const std::vector<float> &src) {
  float *d = dst.data();
  const float *s = src.data();
  for (std::size_t i = 0; i < kFrameFloats; ++i) d[i] += s[i];
  benchmark::ClobberMemory();
}

// Median of repeated streaming adds, measured once per process.
double streamingAddMs() {
  static const double median = [] {
    std::vector<float> dst(kFrameFloats, 0.25f), src(kFrameFloats, 0.5f);
    streamingAdd(dst, src); // pages touched before timing
    std::vector<double> times;
    for (int i = 0; i < 21; ++i) {
      const auto start = std::chrono::steady_clock::now();
      streamingAdd(dst, src);
      times.push_back(msSince(start));
    }
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    return times[times.size() / 2];
  }();
  return median;
}

void StreamingAddReference(benchmark::State &state) {
  std::vector<float> dst(kFrameFloats, 0.25f), src(kFrameFloats, 0.5f);
  streamingAdd(dst, src);
  for (auto _ : state) streamingAdd(dst, src);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 3 *
                          static_cast<std::int64_t>(kFrameFloats * sizeof(float)));
}

// Arguments: downsample factor, worker threads, bits per channel.
void DefaultSceneFrame(benchmark::State &state) {
  const double referenceMs = streamingAddMs();
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
  renderer.renderFrame(kBusiestFrame); // the host's kept buffers filled
  const CodeSampler sampler;
  const std::clock_t cpuStart = std::clock();
  const long faultsStart = usage().ru_minflt;
  const auto wallStart = std::chrono::steady_clock::now();
  for (auto _ : state) {
    vlam::host::Image frame = renderer.renderFrame(kBusiestFrame);
    benchmark::DoNotOptimize(frame.data());
  }
  const double frames = static_cast<double>(state.iterations());
  const double wallMs = msSince(wallStart) / frames;
  // Processor time of every thread of the process per frame: the work done,
  // whatever else the machine is running.
  const double cpuMs = 1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC / frames;
  const double effectMs = cpuMs * sampler.moduleShare();
  state.counters["cpu_ms_all_threads"] = cpuMs;
  state.counters["effect_cpu_ms"] = effectMs;
  state.counters["host_cpu_ms"] = cpuMs - effectMs;
  state.counters["page_faults"] = static_cast<double>(usage().ru_minflt - faultsStart) / frames;
  state.counters["peak_MiB"] = peakMiB();
  state.counters["stream_add_ms"] = referenceMs;
  state.counters["x_stream_add"] = wallMs / referenceMs;
}

BENCHMARK(StreamingAddReference)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK(DefaultSceneFrame)
    ->ArgNames({"downsample", "threads", "bits"})
    ->ArgsProduct({{1, 2}, {1, 2}, {8, 32}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);

} // namespace

BENCHMARK_MAIN();
