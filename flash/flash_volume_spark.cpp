// Sparks: thin wiggling streaks leaving the muzzle, each splatted bilinearly
// point by point.
#include <cmath>

#include "flash/flash_volume.h"
#include "render/world_buffer.h"

namespace vlam {

namespace {

constexpr double kPi = 3.14159265358979323846;

// Adds the colour to the four pixels around (X, Y) by the bilinear weights;
// a neighbour is used only when the point lies noticeably towards it.
void BilinearSplat(RecordSink& sink, double X, double Y, const PF_PixelFloat& c) {
  const A_long x0 = RoundToPixel(X), y0 = RoundToPixel(Y);
  if (x0 == INT32_MIN || y0 == INT32_MIN) return;
  const double fx = X - x0, fy = Y - y0;
  const A_long dx = fx > 0.01 ? 1 : (fx < -0.01 ? -1 : 0);
  const A_long dy = fy > 0.01 ? 1 : (fy < -0.01 ? -1 : 0);
  const double ax = std::fabs(fx), ay = std::fabs(fy);
  sink.Point(x0, y0, c, static_cast<float>((1.0 - ax) * (1.0 - ay)));
  if (dx != 0) sink.Point(x0 + dx, y0, c, static_cast<float>(ax * (1.0 - ay)));
  if (dy != 0) sink.Point(x0, y0 + dy, c, static_cast<float>((1.0 - ax) * ay));
  if (dx != 0 && dy != 0) sink.Point(x0 + dx, y0 + dy, c, static_cast<float>(ax * ay));
}

}  // namespace

void FlashVolume::EmitSpark(A_u_long i, RecordSink& sink) const {
  if (!Ready() || !sparkNoise_ || !field_) return;
  const NoiseField& noise = *sparkNoise_;
  const double sigma = SparkPhase(i);

  const double gamma = noise.N1(sigma * 246.13579) * 0.0872664625997165 + sparkSpread_;
  const double ry = noise.N1(sigma * 123.742593) * gamma;
  const double rz = noise.N1(sigma * 816.742593) * gamma;
  Matrix4 rotation = Matrix4::Identity();
  rotation.SetRotation(0.0, ry, rz);

  const double tau = noise.N01(sigma * 423.124412);
  const PF_PixelFloat& base = *colour_;
  const PF_PixelFloat warm{1.0f, static_cast<float>(1.75 * base.red), base.green, base.blue};
  PF_PixelFloat sparkColour;
  MixColours(base, warm, sparkColour, tau);

  const double beta =
      noise.Range(sigma * 741.538926, 1.0 - 0.75 * sparkBrightRandom_, 1.0) * sparkBrightness_ * scale_;
  const double n = noise.N01(sigma * 513.2498706);
  const double phi0 = (1.0 - n) * 0.65 + n * 0.95;
  const A_long S = SparkSteps(i);

  const double seedValue = sigma * 890.1230412;
  // Seeds beyond 32 bits keep their low 32 bits.
  const NoiseField path = NoiseField::MakeSeeded(
      seedValue > 0.0 && seedValue < 1.8e19
          ? static_cast<uint32_t>(static_cast<uint64_t>(seedValue))
          : 0u);
  const double W = 2.75 * field_->octaveAmp;

  for (A_long k = static_cast<A_long>(S * phi0); k < S; ++k) {
    Vec3f p;
    p.Set(k, path.Noise3(k * 0.02, 0.0, 0.0) * W, path.Noise3(k * 0.02, 1.0, 1.0) * W);
    p.Transform(rotation);
    p.Transform(view_);
    double X, Y;
    float depth;
    ToBuffer(p, X, Y, depth);
    sink.Mark(TruncToPixel(X), TruncToPixel(Y));
    const double g = std::sin(static_cast<double>(k) / S * kPi / 2.0 - kPi / 2.0) + 1.0;
    double alpha;
    if (g < phi0)
      alpha = 0.0;
    else
      alpha = g > 1.0 ? 100.0 : (g - phi0) * 100.0 / (1.0 - phi0);
    PF_PixelFloat c;
    ScaleColour(sparkColour, alpha * beta, c);
    BilinearSplat(sink, X, Y, c);
  }
}

double FlashVolume::SparkPhase(A_u_long i) const {
  return i * 0.0036499782556742894 + 3.5527031625994696 + seed_;
}

A_long FlashVolume::SparkSteps(A_u_long i) const {
  if (!sparkNoise_) return 0;
  // Every sixth spark may run twice the flash length, the others 1.5 times.
  const double lMax = sliceCount_ * (i % 6 == 0 ? 2.0 : 1.5);
  return sparkNoise_->Int(SparkPhase(i) * 456.742593, static_cast<int32_t>(lMax));
}

void FlashVolume::Spark(A_u_long i) {
  if (!Ready()) return;
  SplatSlot slot;
  slot.Reset(static_cast<A_long>(width_), static_cast<A_long>(height_));
  RecordSink sink{&slot};
  EmitSpark(i, sink);
  DrawSlotNow(slot);
}

void FlashVolume::CollectSpark(A_u_long i, SplatSlot& slot) const {
  RecordSink sink{&slot};
  EmitSpark(i, sink);
}

}  // namespace vlam
