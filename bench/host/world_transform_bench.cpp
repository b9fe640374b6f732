// The host's transform_world pixels at the size the Render effect uses them:
// a 1920 x 1080 float buffer zoom-blurred between two scales (the motion
// blur pass) and scaled by one matrix (the post scale pass), 1 and 2 threads.
#include <benchmark/benchmark.h>

#include "host/image/WorldTransform.h"
#include "host/threads/ThreadPool.h"

#include <cmath>

namespace vlam::host {
namespace {

PF_FloatMatrix scaleAbout(double s, double cx, double cy) {
  PF_FloatMatrix m{};
  m.mat[0][0] = m.mat[1][1] = s;
  m.mat[2][2] = 1;
  m.mat[2][0] = cx - s * cx;
  m.mat[2][1] = cy - s * cy;
  return m;
}

// A flash-like blob of light around (cx, cy) on a black frame.
void paintLight(Image &image, double cx, double cy) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const double d = std::hypot(x - cx, y - cy);
      const float v = static_cast<float>(std::exp(-d / 120.0));
      image.setPixel(x, y, {1, v, 0.8f * v, 0.5f * v});
    }
}

WorldView viewOf(Image &i) {
  return {i.data(), i.width(), i.height(), static_cast<std::ptrdiff_t>(i.rowBytes()), i.depth()};
}

void Transform(benchmark::State &state, std::vector<double> scales, int threads, bool wholeFrame) {
  Image src(1920, 1080, PixelDepth::Float32), dst(1920, 1080, PixelDepth::Float32);
  const double cx = 700, cy = 540;
  paintLight(src, cx, cy);
  TransformJob job;
  job.src = viewOf(src);
  job.dst = viewOf(dst);
  // The pass's rectangle: the light's region, or the whole frame.
  job.area = wholeFrame ? PF_Rect{0, 0, 1920, 1080} : PF_Rect{300, 140, 1100, 940};
  for (double s : scales) job.toSource.push_back(*RowMatrix::from(scaleAbout(s, cx, cy)).inverse());
  ThreadPool pool(threads);
  for (auto _ : state) {
    transformPixels(job, pool);
    benchmark::ClobberMemory();
  }
}

// The default shutter with the layer's motion blur off: scales 0.9875 and 1.0125.
void MotionBlurRegion(benchmark::State &s) { Transform(s, {0.9875, 1.0125}, static_cast<int>(s.range(0)), false); }
void MotionBlurFrame(benchmark::State &s) { Transform(s, {0.9875, 1.0125}, static_cast<int>(s.range(0)), true); }
void PostScaleFrame(benchmark::State &s) { Transform(s, {1.5}, static_cast<int>(s.range(0)), true); }
BENCHMARK(MotionBlurRegion)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(MotionBlurFrame)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(PostScaleFrame)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace vlam::host

BENCHMARK_MAIN();
