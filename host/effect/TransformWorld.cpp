// transform_world (utility callbacks and the PF World Transform suite): the
// source resampled through one matrix, or averaged over several (motion
// blur), into a rectangle of the destination, copied or added at the
// mode's opacity.
#include "host/effect/CallFrame.h"
#include "host/effect/WorldOperations.h"
#include "host/image/PixelOps.h"
#include "host/suites/HostCall.h"
#include "host/suites/NotOffered.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vlam::host {
namespace {

// More matrices than this are refused (motion blur uses a handful).
constexpr A_long kMaxMatrices = 256;

struct Affine {
  double a, b, c, d, tx, ty; // x' = a x + c y + tx, y' = b x + d y + ty
};

// Row vectors: [x y 1] times the matrix. False when the matrix is not affine
// or cannot be inverted.
bool affineOf(const PF_FloatMatrix &m, bool invert, Affine &out) {
  for (const auto &row : m.mat)
    for (double v : row)
      if (!std::isfinite(v)) return false;
  if (m.mat[0][2] != 0 || m.mat[1][2] != 0 || m.mat[2][2] == 0) return false;
  const double w = m.mat[2][2];
  Affine f{m.mat[0][0] / w, m.mat[0][1] / w, m.mat[1][0] / w, m.mat[1][1] / w, m.mat[2][0] / w, m.mat[2][1] / w};
  if (!invert) {
    out = f;
    return true;
  }
  const double det = f.a * f.d - f.b * f.c;
  if (!(std::fabs(det) > 1e-12)) return false;
  out.a = f.d / det;
  out.b = -f.b / det;
  out.c = -f.c / det;
  out.d = f.a / det;
  out.tx = -(f.tx * out.a + f.ty * out.c);
  out.ty = -(f.tx * out.b + f.ty * out.d);
  return true;
}

PixelF sampleAt(const WorldView &src, double x, double y, bool bilinear) {
  auto at = [&](int px, int py) -> PixelF {
    if (px < 0 || py < 0 || px >= src.width || py >= src.height) return {};
    return readPixel(src, px, py);
  };
  if (!bilinear) return at(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));
  const double fx = x - 0.5, fy = y - 0.5;
  const int x0 = static_cast<int>(std::floor(fx)), y0 = static_cast<int>(std::floor(fy));
  const float wx = static_cast<float>(fx - x0), wy = static_cast<float>(fy - y0);
  const PixelF p00 = at(x0, y0), p10 = at(x0 + 1, y0), p01 = at(x0, y0 + 1), p11 = at(x0 + 1, y0 + 1);
  auto mix = [&](float v00, float v10, float v01, float v11) {
    return (v00 * (1 - wx) + v10 * wx) * (1 - wy) + (v01 * (1 - wx) + v11 * wx) * wy;
  };
  return {mix(p00.alpha, p10.alpha, p01.alpha, p11.alpha), mix(p00.red, p10.red, p01.red, p11.red),
          mix(p00.green, p10.green, p01.green, p11.green), mix(p00.blue, p10.blue, p01.blue, p11.blue)};
}

} // namespace

PF_Err transformWorldCallback(PF_ProgPtr ref, PF_Quality quality, PF_ModeFlags, PF_Field, const PF_EffectWorld *src,
                              const PF_CompositeMode *mode, const PF_MaskWorld *mask, const PF_FloatMatrix *matrices,
                              A_long count, PF_Boolean srcToDst, const PF_Rect *destRect, PF_EffectWorld *dst) {
  return hostCall("transform_world", [&](Host &host) -> PF_Err {
    if (!frameFromRef(ref) || !matrices || count < 1 || count > kMaxMatrices) return PF_Err_BAD_CALLBACK_PARAM;
    const PF_TransferMode xfer = mode ? mode->xfer : PF_Xfer_COPY;
    if (mask || (xfer != PF_Xfer_COPY && xfer != PF_Xfer_ADD))
      return callbackNotOffered("transform_world with a mask or that transfer mode");
    // The 16-bit opacity is the finer one; 32768 is fully opaque.
    const float opacity = mode ? std::min(1.0f, mode->opacitySu / 32768.0f) : 1.0f;
    const bool rgbOnly = mode && mode->rgb_only;
    auto s = host.worlds().view(const_cast<PF_EffectWorld *>(src));
    auto d = host.worlds().view(dst);
    if (!s || !d) return PF_Err_BAD_CALLBACK_PARAM;
    const auto rect = clipRect(*d, destRect);
    if (!rect) return PF_Err_BAD_CALLBACK_PARAM;
    std::vector<Affine> toSource(static_cast<std::size_t>(count));
    for (A_long i = 0; i < count; ++i)
      if (!affineOf(matrices[i], srcToDst != 0, toSource[static_cast<std::size_t>(i)])) return PF_Err_BAD_CALLBACK_PARAM;
    const bool bilinear = quality != PF_Quality_LO;
    const float share = 1.0f / static_cast<float>(count);
    for (int y = rect->top; y < rect->bottom; ++y)
      for (int x = rect->left; x < rect->right; ++x) {
        PixelF sum{};
        for (const Affine &f : toSource) {
          const double cx = x + 0.5, cy = y + 0.5;
          const PixelF p = sampleAt(*s, f.a * cx + f.c * cy + f.tx, f.b * cx + f.d * cy + f.ty, bilinear);
          sum.alpha += p.alpha * share;
          sum.red += p.red * share;
          sum.green += p.green * share;
          sum.blue += p.blue * share;
        }
        const PixelF was = readPixel(*d, x, y);
        PixelF out;
        if (xfer == PF_Xfer_ADD) {
          out = {std::min(1.0f, was.alpha + sum.alpha * opacity), was.red + sum.red * opacity,
                 was.green + sum.green * opacity, was.blue + sum.blue * opacity};
        } else {
          auto mix = [&](float a, float b) { return a + (b - a) * opacity; };
          out = {mix(was.alpha, sum.alpha), mix(was.red, sum.red), mix(was.green, sum.green), mix(was.blue, sum.blue)};
        }
        if (rgbOnly) out.alpha = was.alpha;
        writePixel(*d, x, y, out);
      }
    return PF_Err_NONE;
  });
}

} // namespace vlam::host
