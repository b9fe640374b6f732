// transform_world, behind the utility callbacks and "PF World Transform
// Suite": checks what the effect passes and hands the pixels to
// transformPixels on the host's worker threads.
#include "host/effect/CallFrame.h"
#include "host/effect/WorldOperations.h"
#include "host/image/PixelOps.h"
#include "host/image/WorldTransform.h"
#include "host/suites/HostCall.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace vlam::host {

namespace {

// The matrices as destination-to-source maps; false when one cannot be
// inverted or holds something that is not a number.
bool destinationToSource(const PF_FloatMatrix *matrices, A_long count, bool srcToDst, std::vector<RowMatrix> &out) {
  out.clear();
  for (A_long i = 0; i < count; ++i) {
    const RowMatrix m = RowMatrix::from(matrices[i]);
    if (!srcToDst) {
      for (const auto &row : m.m)
        for (double v : row)
          if (!std::isfinite(v)) return false;
      out.push_back(m);
      continue;
    }
    const std::optional<RowMatrix> inverse = m.inverse();
    if (!inverse) return false;
    out.push_back(*inverse);
  }
  return true;
}

} // namespace

PF_Err transformWorldCallback(PF_ProgPtr ref, PF_Quality quality, PF_ModeFlags flags, PF_Field,
                              const PF_EffectWorld *srcWorld, const PF_CompositeMode *mode,
                              const PF_MaskWorld *maskWorld, const PF_FloatMatrix *matrices, A_long count,
                              PF_Boolean srcToDst, const PF_Rect *destRect, PF_EffectWorld *dstWorld) {
  return hostCall("transform_world", [&](Host &host) -> PF_Err {
    if (!frameFromRef(ref) || !mode || !matrices || count < 1) return PF_Err_BAD_CALLBACK_PARAM;
    if (!transferModeOffered(mode->xfer)) {
      host.monitor().note("transform_world: transfer mode " + std::to_string(mode->xfer) + " is not offered");
      return PF_Err_BAD_CALLBACK_PARAM;
    }
    auto src = host.worlds().view(srcWorld);
    auto dst = host.worlds().view(dstWorld);
    if (!src || !dst) return PF_Err_BAD_CALLBACK_PARAM;
    auto area = clipRect(*dst, destRect);
    if (!area) return PF_Err_BAD_CALLBACK_PARAM;

    TransformJob job;
    job.src = *src;
    job.dst = *dst;
    job.area = *area;
    if (!destinationToSource(matrices, count, srcToDst != 0, job.toSource)) return PF_Err_BAD_CALLBACK_PARAM;
    job.bilinear = quality == PF_Quality_HI;
    job.straightAlpha = (flags & PF_MF_Alpha_STRAIGHT) != 0;
    job.xfer = mode->xfer;
    // 8-bit buffers take the 8-bit opacity, deeper ones the 16-bit one.
    job.opacity = dst->depth == PixelDepth::Bits8 ? mode->opacity / 255.0f
                                                  : std::min(1.0f, mode->opacitySu / static_cast<float>(kMax16));
    job.rgbOnly = mode->rgb_only != 0;
    if (maskWorld) {
      job.mask = host.worlds().view(&maskWorld->mask);
      if (!job.mask) return PF_Err_BAD_CALLBACK_PARAM;
      job.maskOffset = maskWorld->offset;
      job.maskFlags = maskWorld->what_is_mask;
    }
    transformPixels(job, host.threads());
    return PF_Err_NONE;
  });
}

} // namespace vlam::host
