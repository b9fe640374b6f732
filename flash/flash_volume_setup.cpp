#include <cmath>
#include <limits>

#include "flash/flash_volume.h"
#include "render/world_buffer.h"

namespace vlam {

namespace {

constexpr double kFiveThirds = 1.6666666666666667;

// Truncation toward zero into a slice or cell count, saturating instead of
// overflowing for absurd lengths.
A_long TruncCount(double v) {
  if (!(v == v)) return 0;
  if (v > 1.0e9) return 1000000000;
  if (v < -1.0e9) return -1000000000;
  return static_cast<A_long>(v);
}

A_long RoundUpToEven(A_long v) { return (v % 2 != 0) ? v + 1 : v; }

}  // namespace

FlashVolume::FlashVolume() {
  for (int k = 0; k < 4; ++k) octaveWeight[k] = octaveFreq[k] = 0.0;
  view_ = petal_ = Matrix4::Identity();
}

void FlashVolume::Reset() {
  view_ = petal_ = Matrix4::Identity();
  marks_.Clear();
  reach_ = SplatReach{};
}

void FlashVolume::Init(WorldBuffer* target, double scale, A_u_long renderQuality) {
  target_ = target;
  scale_ = scale;
  brushMode_ = renderQuality;
  const PF_EffectWorld& w = target->World();
  width_ = w.width > 0 ? static_cast<A_u_long>(w.width) : 0;
  height_ = w.height > 0 ? static_cast<A_u_long>(w.height) : 0;
  cx_ = w.width * 0.5 / scale - w.origin_x;
  cy_ = w.height * 0.5 / scale - w.origin_y;
  marks_.Reset(static_cast<A_long>(width_), static_cast<A_long>(height_));
  reach_ = SplatReach{};
}

void FlashVolume::SetDistTable(const uint16_t* table, int size) {
  distTable_ = table;
  distTableSize_ = size;
  // Past the table the distance is the rounded length, never below either
  // offset; inside it the table is checked.
  distAtLeastOffsets_ = table != nullptr;
  for (int i = 0; i < size && distAtLeastOffsets_; ++i)
    for (int j = 0; j < size; ++j)
      if (table[i * size + j] < (i > j ? i : j)) {
        distAtLeastOffsets_ = false;
        break;
      }
}

void FlashVolume::SetGrid(A_u_short step, A_u_short baseBrush) {
  step_ = step < 1 ? 1 : step;
  baseBrush_ = baseBrush;
}

void FlashVolume::SetColour(const PF_PixelFloat* colour, A_long mode, double tempAmount) {
  colour_ = colour;
  colourMode_ = mode;
  tempAmount_ = tempAmount;
}

void FlashVolume::SetShape(const ShapeCurve* profile, float energy, double length,
                           double diameter, A_u_long seed) {
  profileA_ = profile;
  energy_ = energy;
  seed_ = seed;
  const double e = energy, L = length, D = diameter;
  double lp, dp;
  if (e > 0.4) {
    lp = e <= 1.0 ? L + 0.6 * L * (e - 0.4) * kFiveThirds : 1.6 * L;
    dp = e <= 1.0 ? D + 0.2 * D * (e - 0.4) * kFiveThirds : 1.2 * D;
  } else {
    lp = e >= 0.0 ? 0.025 * L + 0.975 * L * e * 2.5 : 0.025 * L;
    dp = e >= 0.0 ? 0.05 * D + 0.95 * D * e * 2.5 : 0.05 * D;
  }
  sliceCount_ = RoundUpToEven(TruncCount(lp));
  baseSliceCount_ = sliceCount_;
  diameterCells_ = TruncCount(dp);
}

void FlashVolume::SetFalloff(double a, double b, double c, double d) {
  const double e = energy_;
  double ap;
  if (e < 0.4)
    ap = a;
  else if (e <= 1.0)
    ap = a + (0.5 * a - a) * (e - 0.4) * kFiveThirds;
  else
    ap = 0.5 * a;
  coreA_ = ap;
  coreEnd_ = b;
  coreMid_ = ((1.0 - ap) * 0.9 + 0.4 * ap) * b;
  coreStart_ = b - coreMid_;
  falloff_ = c;
  startT_ = d;
}

void FlashVolume::SetBlend(double w, const ShapeCurve* profileB) {
  blendWeight_ = w < 1.0 ? w : 1.0;
  profileB_ = profileB;
}

void FlashVolume::JitterLength(double delta) {
  sliceCount_ = RoundUpToEven(TruncCount(baseSliceCount_ + delta));
}

void FlashVolume::SetSparks(A_u_long count, double length, double spread,
                            const PF_PixelFloat* colour, double brightness, double brightRandom,
                            const NoiseField* noise) {
  sparkCount_ = count;
  sliceCount_ = TruncCount(length);
  sparkSpread_ = spread;
  colour_ = colour;
  sparkBrightness_ = brightness;
  sparkBrightRandom_ = brightRandom;
  sparkNoise_ = noise;
}

A_long FlashVolume::BodySliceCount() const { return sliceCount_ / step_; }

MarksCopy FlashVolume::CopyMarksOut() const {
  MarksCopy out{};
  marks_.DirtyRectangle(out.rect);
  out.columns = marks_.ColumnBits();
  out.rows = marks_.RowBits();
  return out;
}

bool FlashVolume::Ready() const {
  return target_ && target_->World().data && camera_ && distTable_ && colour_ && scale_ > 0.0;
}

DirectSink FlashVolume::Direct() {
  DirectSink sink;
  sink.target = RasterTarget::Whole(target_->World());
  sink.marks = &marks_;
  sink.reach = &reach_;
  return sink;
}

PF_Rect FlashVolume::ReachedRect() const {
  const A_long w = static_cast<A_long>(width_), h = static_cast<A_long>(height_);
  PF_Rect r{0, 0, 0, 0};
  if (reach_.Empty() || reach_.x1 < 0 || reach_.y1 < 0 || reach_.x0 >= w || reach_.y0 >= h)
    return r;
  r.left = reach_.x0 > 0 ? reach_.x0 : 0;
  r.top = reach_.y0 > 0 ? reach_.y0 : 0;
  r.right = reach_.x1 < w ? reach_.x1 + 1 : w;
  r.bottom = reach_.y1 < h ? reach_.y1 + 1 : h;
  return r;
}

}  // namespace vlam
