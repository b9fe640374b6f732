// The body of a flash shape: slices along its axis, each a disc of cells
// whose density, displacement, brush and colour follow the profile, the
// falloff and the noise.
#include <cmath>
#include <vector>

#include "flash/flash_volume.h"
#include "flash/shape_curve.h"
#include "render/world_buffer.h"

namespace vlam {

namespace {

constexpr double kThird = 0.333333333;

double Clamp01(double v) { return v > 0.0 ? (v < 1.0 ? v : 1.0) : 0.0; }

}  // namespace

void FlashVolume::EmitBodySlices(A_long first, A_long count, RecordSink& sink) const {
  if (!Ready() || !profileA_ || !field_) return;
  const A_long N = BodySliceCount();
  const A_long D = diameterCells_;
  const double R = D * 0.5;
  const A_long o = -static_cast<A_long>(R - 0.5);
  const float F = static_cast<float>(camera_->zoom);
  const double e = energy_, c = falloff_, d = startT_;
  const double step = step_;

  const double t0 = (1.0 - c) * 0.8 + c * 0.125;
  const double tStart = d * 0.5;
  const double theta = c < 0.0 ? 0.9 : (c <= 1.0 ? 0.9 - 0.4 * c : 0.5);
  const double bigBrush = baseBrush_ * 2.5;
  double E;
  if (e >= 0.4)
    E = e <= 1.0 ? 1.0 - (e - 0.4) * 1.5 : 0.1;
  else
    E = e < 0.0 ? 10.0 : 10.0 - e * 22.5;
  double kappa0;
  if (e < 0.4)
    kappa0 = 1.5;
  else
    kappa0 = e <= 1.0 ? 1.5 - (e - 0.4) * 0.8333333333333334 : 1.0;
  const double coreSpan = coreEnd_ - coreStart_;

  const NoiseField& field = *field_;
  const double h = noiseOffsetIndex_ * 67.0 + field.row;
  const double A = field.octaveAmp, B = field.largeAmp;
  const double f = field.baseFreq, g = field.largeFreq;
  const ShapeCurve* profileB = profileB_ ? profileB_ : profileA_;
  const PF_PixelFloat& base = *colour_;
  const PF_PixelFloat hot{1.0f, static_cast<float>(0.6 * base.red),
                          static_cast<float>(3.0 * base.green), static_cast<float>(12.0 * base.blue)};
  const PF_PixelFloat cool{1.0f, base.red, static_cast<float>(0.4 * base.green),
                           static_cast<float>(0.2 * base.blue)};

  // The displacement noise reads each cell index a (and b) scaled by the four
  // octave frequencies and by g, and each slice at one coordinate per
  // frequency: those coordinates are placed on the noise lattice once.
  constexpr int kFreqs = 5;  // four octaves, then the large scale
  double freq[kFreqs];
  for (int k = 0; k < 4; ++k) freq[k] = f * octaveFreq[k];
  freq[4] = g;
  std::vector<LatticeCoord> cells(static_cast<size_t>(D > 0 ? D : 0) * kFreqs);
  for (A_long a = 0; a < D; ++a) {
    const double ai = a / step;
    for (int k = 0; k < kFreqs; ++k) cells[static_cast<size_t>(a) * kFreqs + k] = PlaceOnLattice(ai * freq[k]);
  }
  LatticeCoord slice[kFreqs];
  // Cells off the sampling grid draw only inside the core.
  std::vector<unsigned char> onGrid(static_cast<size_t>(D > 0 ? D : 0));
  for (A_long a = 0; a < D; ++a) onGrid[static_cast<size_t>(a)] = a % step_ == 0;

  const A_long end = first + count < N ? first + count : N;
  for (A_long s = first < 0 ? 0 : first; s < end; ++s) {
    // A body of one slice sits at t = 0.
    const double t = N > 1 ? static_cast<double>(s) / (N - 1) : 0.0;
    double omega;
    if (t < 0.0)
      omega = 0.0;
    else
      omega = t <= 0.25 ? (2.0 - 4.0 * t) * 4.0 * t * blendWeight_ : blendWeight_;
    const double profile =
        (1.0 - omega) * EvaluateShapeCurve(*profileA_, t) + omega * EvaluateShapeCurve(*profileB, t);
    const double RsReal = std::round(profile * R);
    if (!(RsReal >= 1.0) || t < tStart) continue;
    const A_long Rs = static_cast<A_long>(RsReal < 1.0e6 ? RsReal : 1.0e6);

    // Tip fade.
    double phi;
    if (t < t0) {
      phi = 1.0;
    } else if (t <= 1.0) {
      const double u = 1.0 - (t - t0) / (1.0 - t0);
      phi = u < 0.5 ? 2.0 * u * u : (4.0 - 2.0 * u) * u - 1.0;
    } else {
      phi = 0.0;
    }
    if (tStart > 0.0 && t <= d) phi *= (t - tStart) / (d - tStart);

    // Core weight and shrink; a core of zero length keeps its start values.
    double kappa = kappa0, psi = 1.0;
    if (t >= coreStart_) {
      if (t <= coreEnd_) {
        if (coreSpan > 0.0) {
          kappa += (t - coreStart_) * (kThird - kappa) / coreSpan;
          psi = 1.0 - (t - coreStart_) * 0.66667 / coreSpan;
        }
      } else {
        kappa = kThird;
        psi = 0.33333;
      }
    }
    const A_long Rc = static_cast<A_long>(((1.0 - coreA_) + coreA_ * 0.25) * Rs * psi);
    const double ramp = t < 0.1 ? 0.0 : (t > 0.3 ? 1.0 : (t - 0.1) / 0.2);
    const bool inCoreRange = t <= coreEnd_;
    for (int k = 0; k < kFreqs; ++k) slice[k] = PlaceOnLattice(s * freq[k] - h);

    // Only cells with both offsets below Rs can lie within the slice's radius.
    A_long first = 0, last = D - 1;
    if (distAtLeastOffsets_) {
      first = -Rs + 1 - o > 0 ? -Rs + 1 - o : 0;
      last = Rs - 1 - o < D - 1 ? Rs - 1 - o : D - 1;
    }
    for (A_long a = first; a <= last; ++a) {
      const A_long y = o + a;
      const bool aOnGrid = onGrid[static_cast<size_t>(a)] != 0;
      for (A_long b = first; b <= last; ++b) {
        const A_long z = o + b;
        const A_long r = Distance(y, z);
        // The cell on the axis has no direction to be displaced in: no splat.
        if (r >= Rs || r == 0) continue;
        double lambda;
        if (r <= Rc && inCoreRange) {
          lambda = kThird * kappa;
        } else {
          lambda = kThird;
          if (!aOnGrid || !onGrid[static_cast<size_t>(b)]) continue;
        }
        const double rr = static_cast<double>(r) / Rs;
        const double rho = rr < theta ? 1.0 : (rr <= 1.0 ? 1.0 - (rr - theta) * 0.75 / (1.0 - theta) : 0.25);
        const double delta = lambda * phi * rho * E;
        if (!(delta > 0.00625)) continue;
        const double dc = Clamp01(delta);

        // Displacement.
        const double q = r / R;
        const double radialWeight = (1.0 - q) * 0.25 + q;
        const double densityWeight = dc * 0.25 + (1.0 - dc);
        // ai = a / step and bj = b / step at each frequency, from the tables.
        const LatticeCoord* ai = &cells[static_cast<size_t>(a) * kFreqs];
        const LatticeCoord* bj = &cells[static_cast<size_t>(b) * kFreqs];
        double sumR = 0.0, sumX = 0.0;
        if (B > 0.0 && delta < 0.5 && radialWeight > 0.35)
          sumR = field.Noise3Paired(ai[4], bj[4], slice[4]) * B * ramp;
        if (A > 0.0) {
          const double amplitude = A * radialWeight * densityWeight;
          for (int k = 0; k < 4; ++k) {
            const double wk = amplitude * octaveWeight[k];
            sumR += field.Noise3Paired(slice[k], bj[k], ai[k]) * wk;
            sumX += std::fabs(field.Noise3Paired(bj[k], ai[k], slice[k]) * wk * 0.6);
          }
        }
        const double spread = 1.0 + sumR / r;
        const Placed at = Place((s + sumX + axialStart_) * step, y * spread, z * spread, F);
        const Vec3f& p = at.p;
        const A_long px = TruncToPixel(at.X), py = TruncToPixel(at.Y);
        sink.Mark(px, py);

        // Brush size from the brightness noise at the camera-space point.
        const double nu = Clamp01(field.Noise3Paired(PlaceOnLattice(p.x), PlaceOnLattice(p.y), PlaceOnLattice(p.z)));
        double b0 = (2.0 * nu + (1.0 - nu) * 0.25) * bigBrush;
        b0 = (baseBrush_ - b0) * dc + b0;
        const double b0q = b0 * at.q > 3.0 ? b0 * at.q : 3.0;
        const double size = TruncToPixel(F * b0q / (p.z + static_cast<double>(F))) * scale_;
        const A_long brush = TruncToPixel(size);

        // Colour: hot towards the dense core, cool at the thin edges.
        PF_PixelFloat col = base;
        if (colourMode_ == 1) {
          double tau;
          if (delta < 0.5)
            tau = 0.0;
          else
            tau = delta <= 3.0 ? (delta - 0.5) * tempAmount_ * 0.4 : tempAmount_;
          MixColours(col, hot, col, tau);
        }
        if (colourMode_ == 1 || colourMode_ == 2) {
          const double tau = dc <= 0.25 ? tempAmount_ * (1.0 - 4.0 * dc) : 0.0;
          MixColours(col, cool, col, tau);
        }
        ScaleInPlace(col, ((nu > dc ? nu : dc) + 1.0) * 0.5 * delta);

        Stamp(sink, px, py, brush, col, static_cast<float>(1.0 - dc));
      }
    }
  }
}

void FlashVolume::BodySlices(A_long first, A_long count) {
  if (!Ready()) return;
  SplatSlot slot;
  slot.Reset(static_cast<A_long>(width_), static_cast<A_long>(height_));
  RecordSink sink{&slot};
  EmitBodySlices(first, count, sink);
  DrawSlotNow(slot);
}

void FlashVolume::CollectBodyIteration(A_long i, A_long iterations, SplatSlot& slot) const {
  const A_long N = BodySliceCount();
  if (iterations < 1 || N <= 0) return;
  const A_long per = (N + iterations - 1) / iterations;
  RecordSink sink{&slot};
  EmitBodySlices(i * per, per, sink);
}

}  // namespace vlam
