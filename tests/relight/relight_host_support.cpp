// The Render effect's fake host and design fixtures are shared with its tests.
#include "render/render_host_support.cpp"    // NOLINT(bugprone-suspicious-include)

#include "relight/relight_host_support.h"

#include <atomic>
#include <thread>

#include "relight/relighter_params.h"

namespace vlam_relight_test {

using vlam_render_test::PixelPtr;

namespace {

RelightTestHost &Host() { return static_cast<RelightTestHost &>(vlam_render_test::RenderTestHost::Current()); }

// The 8-bit, 16-bit and float iterate suites' iterate: rows are shared
// between two threads by parity, as a host may split them.
template <typename Pixel, typename Fn>
PF_Err IterateRows(PF_InData *, A_long, A_long, PF_EffectWorld *src, const PF_Rect *, void *refcon,
                   Fn fn, PF_EffectWorld *dst) {
  ++Host().pixelIterateCalls;
  std::atomic<PF_Err> first{PF_Err_NONE};
  auto rows = [&](A_long parity) {
    for (A_long y = parity; y < dst->height; y += 2)
      for (A_long x = 0; x < dst->width; ++x) {
        const PF_Err err = fn(refcon, x, y, PixelPtr<Pixel>(*src, x, y), PixelPtr<Pixel>(*dst, x, y));
        PF_Err none = PF_Err_NONE;
        if (err != PF_Err_NONE) first.compare_exchange_strong(none, err);
      }
  };
  std::thread other(rows, 1);
  rows(0);
  other.join();
  return first.load();
}

// Whole buffers: bytes when the sizes agree, nearest float pixel when they
// differ (the host scales to fit).
PF_Err ScalingCopy(PF_ProgPtr ref, PF_EffectWorld *src, PF_EffectWorld *dst, PF_Rect *sr,
                   PF_Rect *dr) {
  if (src->width == dst->width && src->height == dst->height) return vlam_render_test::Copy(ref, src, dst, sr, dr);
  for (A_long y = 0; y < dst->height; ++y) {
    for (A_long x = 0; x < dst->width; ++x) {
      *PixelPtr<PF_PixelFloat>(*dst, x, y) = *PixelPtr<PF_PixelFloat>(
          *src, x * src->width / dst->width, y * src->height / dst->height);
    }
  }
  return PF_Err_NONE;
}

// A few different values in every pixel of the image.
void FillPattern(TestImage &image) {
  for (A_long y = 0; y < image.height; ++y)
    for (A_long x = 0; x < image.width; ++x) {
      const float v = static_cast<float>((x * 7 + y * 13) % 23) / 23.0f;
      SetPixel(image, x, y, PF_PixelFloat{1.0f - v * 0.5f, v, 1.0f - v, v * 0.25f});
    }
}

PF_Iterate8Suite1 g_iterate8{.iterate = IterateRows<PF_Pixel8, PF_IteratePixel8Func>};
PF_iterate16Suite1 g_iterate16{.iterate = IterateRows<PF_Pixel16, PF_IteratePixel16Func>};
PF_iterateFloatSuite1 g_iterateFloat{
    .iterate = IterateRows<PF_PixelFloat, PF_IteratePixelFloatFunc>};

}  // namespace

RelightTestHost::RelightTestHost() : matte(8, 6, PF_PixelFormat_ARGB128) {
  design = vlam_render_test::DefaultDesign(storage);
  design.flashColour = PF_PixelFloat{1.0f, 0.8f, 0.4f, 0.2f};
  UseDefaultParams(vlam::RelighterParamDefs());
  utils.copy = ScalingCopy;
  registry.Publish(kPFIterate8Suite, kPFIterate8SuiteVersion1, &g_iterate8);
  registry.Publish(kPFIterate16Suite, kPFIterate16SuiteVersion1, &g_iterate16);
  registry.Publish(kPFIterateFloatSuite, kPFIterateFloatSuiteVersion1, &g_iterateFloat);
  UseImages(PF_PixelFormat_ARGB128, false, false);
}

void RelightTestHost::UseImages(PF_PixelFormat format, bool patternedInput, bool patternedMatte) {
  SetImages(40, 20, format);
  matte.Reset(40, 20, format);
  formats[&matte.world] = format;
  grain = &matte;
  if (patternedInput) FillPattern(input);
  if (patternedMatte) FillPattern(matte);
}

PF_Err RelightTestHost::SmartRender() {
  return EntryPoint_VlamRelighter(PF_Cmd_SMART_RENDER, &in_data, &out_data, nullptr, nullptr,
                                  &smart_extra);
}

}  // namespace vlam_relight_test
