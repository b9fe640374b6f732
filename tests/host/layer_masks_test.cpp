// Layer masks: the matte rasteriser, the mask and path suites an effect
// calls, mask streams, and masks in scene files.
#include "host/HostError.h"
#include "host/image/MaskRaster.h"
#include "host_support.h"

#include <PF_Masks.h>
#include <AE_EffectSuites.h>
#include <AE_GeneralPlug.h>

#include <cmath>
#include <tuple>

using namespace vlam;
using namespace vlam::test;
using host::MaskShape;
using host::PixelDepth;

namespace {

MaskShape rectangle(double l, double t, double r, double b, bool closed = true) {
  return {{{l, t}, {r, t}, {r, b}, {l, b}}, closed};
}

host::Image matte(const MaskShape &shape, const host::MatteLook &look, int w = 20, int h = 20) {
  host::Image image(w, h, PixelDepth::Float32);
  host::ThreadPool pool(2);
  host::rasterMatte(shape, look, viewOf(image), {0, 0, w, h}, pool);
  return image;
}

// Closed outlines cover their inside with antialiased edges, open ones
// nothing; Bezier tangents bend the outline; feather softens the edge.
TEST(MaskRaster, OutlinesCurvesOpacityInversionAndFeather) {
  const host::Image m = matte(rectangle(2.5, 3, 10, 8.25), {});
  EXPECT_EQ(m.pixel(5, 5), (host::PixelF{1, 1, 1, 1}));
  // Half of pixel (2, 5) is inside horizontally; of (5, 8), one of four sub-rows.
  for (auto [x, y, alpha] : {std::tuple{12, 5, 0.0f}, {5, 2, 0.0f}, {2, 5, 0.5f}, {5, 8, 0.25f}})
    EXPECT_NEAR(m.pixel(x, y).alpha, alpha, 1e-6f) << x << "," << y;
  EXPECT_EQ(matte(rectangle(0, 0, 20, 20, false), {}).pixel(10, 10).alpha, 0.0f);
  host::MatteLook look;
  look.opacity = 0.4f; // (the module never inverts a mask)
  EXPECT_NEAR(matte(rectangle(0, 0, 10, 20), look).pixel(5, 5).alpha, 0.4f, 1e-6f);

  // A circle of radius 8 from four cubic arcs.
  const double r = 8, k = 0.5523 * r, c = 10;
  MaskShape circle{{{c + r, c, 0, -k, 0, k}, {c, c + r, k, 0, -k, 0}, {c - r, c, 0, k, 0, -k}, {c, c - r, -k, 0, k, 0}},
                   true};
  const host::Image round = matte(circle, {});
  double area = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) area += round.pixel(x, y).alpha;
  EXPECT_NEAR(area, M_PI * r * r, 0.01 * M_PI * r * r);
  EXPECT_EQ(round.pixel(10, 10).alpha, 1.0f);
  EXPECT_EQ(round.pixel(3, 3).alpha, 0.0f) << "the corner of the bounding square is outside";

  host::MatteLook soft;
  soft.featherX = soft.featherY = 8;
  const host::Image feathered = matte(rectangle(10, -100, 100, 100), soft, 30, 4);
  // Half way at the outline, rising smoothly across it.
  EXPECT_NEAR(feathered.pixel(9, 1).alpha + feathered.pixel(10, 1).alpha, 1.0f, 0.02f);
  float previous = -1;
  for (int x = 6; x < 15; ++x) {
    const float v = feathered.pixel(x, 1).alpha;
    EXPECT_GT(v, previous) << x;
    previous = v;
  }
  EXPECT_GT(feathered.pixel(7, 1).alpha, 0.02f);
  EXPECT_LT(feathered.pixel(12, 1).alpha, 0.98f);
  EXPECT_NEAR(feathered.pixel(25, 1).alpha, 1.0f, 1e-4f);
  EXPECT_NEAR(feathered.pixel(0, 1).alpha, 0.0f, 1e-4f);
  // Beyond its cap a wider feather softens no further.
  soft.featherY = 0;
  soft.featherX = 2000;
  const host::Image capped = matte(rectangle(10, -100, 100, 100), soft, 30, 4);
  soft.featherX = 2400;
  EXPECT_EQ(matte(rectangle(10, -100, 100, 100), soft, 30, 4).pixel(12, 1), capped.pixel(12, 1));
  soft.featherX = 1600;
  EXPECT_NE(matte(rectangle(10, -100, 100, 100), soft, 30, 4).pixel(12, 1), capped.pixel(12, 1)) << "below the cap";
}

class MaskSuites : public HostTest {
protected:
  host::Layer *plate = &openSolidProject(host, 20, 10);
  std::unique_ptr<InsideEffectCall> call;

  void SetUp() override {
    host::LayerMask mask;
    mask.id = host::Project::nextId();
    mask.name = "Door";
    mask.shape = host::MaskShapeStream(rectangle(0, 0, 10, 10));
    mask.shape.setKey({0, rectangle(0, 0, 10, 10), host::Interpolation::Linear});
    mask.shape.setKey({10, rectangle(0, 0, 20, 10), host::Interpolation::Linear});
    mask.shape.setKey({20, rectangle(0, 0, 40, 10), host::Interpolation::Linear});
    mask.feather.setStaticValue(host::ParamValue{{3, 4, 0, 0}, nullptr, nullptr});
    mask.opacity.setKey({0, host::ParamValue::scalar(0), host::Interpolation::Linear});
    mask.opacity.setKey({10, host::ParamValue::scalar(100), host::Interpolation::Linear});
    plate->masks.push_back(mask);
    call = std::make_unique<InsideEffectCall>(host, *plate, "masker");
  }
  PF_Err run(InsideEffectCall::Body body, std::int64_t ticks = 0, int downsample = 1) {
    return call->run(std::move(body), ticks, downsample);
  }
};

TEST_F(MaskSuites, OutlinesCheckedOutRasteriseAtTheRendersResolutionAndMaskStreamsAnswerAtATime) {
  auto *query = suite<PF_PathQuerySuite1>(kPFPathQuerySuite, kPFPathQuerySuiteVersion1);
  auto *data = suite<PF_PathDataSuite1>(kPFPathDataSuite, kPFPathDataSuiteVersion1);
  auto *masks = suite<PF_MaskSuite1>(kPF_MaskSuite, kPF_MaskSuiteVersion1);
  ASSERT_TRUE(query && data && masks);
  const PF_PathID id = static_cast<PF_PathID>(plate->masks[0].id);
  PF_EffectWorld world{};
  auto image = host.worlds().create(20, 10, PixelDepth::Float32, world);
  ASSERT_EQ(run([&](PF_InData *in) -> PF_Err {
              PF_PathOutlinePtr path = nullptr;
              // Half way between the keys: the right edge at 15.
              PF_Err err = query->PF_CheckoutPath(in->effect_ref, id, in->current_time, in->time_step,
                                                  in->time_scale, &path);
              if (err) return err;
              PF_Boolean open = true;
              EXPECT_EQ(data->PF_PathIsOpen(in->effect_ref, path, &open), PF_Err_NONE);
              EXPECT_FALSE(open);
              err = masks->PF_MaskWorldWithPath(in->effect_ref, &path, 0, 0, false, 0.5, PF_Quality_HI, &world,
                                                nullptr);
              EXPECT_EQ(query->PF_CheckinPath(in->effect_ref, id, false, path), PF_Err_NONE);
              EXPECT_NE(query->PF_CheckinPath(in->effect_ref, id, false, path), PF_Err_NONE) << "checked in twice";
              PF_PathOutlinePtr none = nullptr;
              EXPECT_NE(query->PF_CheckoutPath(in->effect_ref, id + 1000, 0, 1, 24, &none), PF_Err_NONE);
              EXPECT_EQ(none, nullptr);
              return err;
            },
            5),
            PF_Err_NONE);
  EXPECT_NEAR(image->pixel(14, 5).alpha, 0.5f, 1e-6f);
  EXPECT_EQ(image->pixel(16, 5).alpha, 0.0f);

  // Downsampled renders get the outline at their resolution.
  PF_EffectWorld half{};
  image = host.worlds().create(10, 5, PixelDepth::Float32, half);
  ASSERT_EQ(run([&](PF_InData *in) -> PF_Err {
              PF_PathOutlinePtr path = nullptr;
              if (PF_Err err = query->PF_CheckoutPath(in->effect_ref, id, 0, 1, 24, &path)) return err;
              PF_Err err = masks->PF_MaskWorldWithPath(in->effect_ref, &path, 0, 0, false, 1.0, PF_Quality_HI, &half,
                                                       nullptr);
              query->PF_CheckinPath(in->effect_ref, id, false, path);
              return err;
            },
            0, 2),
            PF_Err_NONE);
  EXPECT_EQ(image->pixel(4, 2).alpha, 1.0f) << "layer x 0..10 is buffer x 0..5";
  EXPECT_EQ(image->pixel(5, 2).alpha, 0.0f);
  host.worlds().dispose(world);
  host.worlds().dispose(half);
  // Between the second and third keys: right edge half way from 20 to 40.
  EXPECT_EQ(plate->masks[0].shape.valueAt(15).vertices[1].x, 30.0);
  // The layer mask suite and mask streams answer at a time.
  auto *layerMasks = suite<AEGP_MaskSuite5>(kAEGPMaskSuite, kAEGPMaskSuiteVersion5);
  auto *streams = suite<AEGP_StreamSuite4>(kAEGPStreamSuite, kAEGPStreamSuiteVersion4);
  ASSERT_TRUE(layerMasks && streams);
  auto layerH = reinterpret_cast<AEGP_LayerH>(plate);
  A_long count = 0;
  ASSERT_EQ(layerMasks->AEGP_GetLayerNumMasks(layerH, &count), A_Err_NONE);
  EXPECT_EQ(count, 1);
  AEGP_MaskRefH mask = nullptr;
  EXPECT_NE(layerMasks->AEGP_GetLayerMaskByIndex(layerH, 1, &mask), A_Err_NONE);
  ASSERT_EQ(layerMasks->AEGP_GetLayerMaskByIndex(layerH, 0, &mask), A_Err_NONE);
  AEGP_MaskIDVal maskId = 0;
  EXPECT_EQ(layerMasks->AEGP_GetMaskID(mask, &maskId), A_Err_NONE);
  EXPECT_EQ(static_cast<std::uint32_t>(maskId), plate->masks[0].id);

  AEGP_StreamRefH feather = nullptr, opacity = nullptr, outline = nullptr;
  ASSERT_EQ(streams->AEGP_GetNewMaskStream(1, mask, AEGP_MaskStream_FEATHER, &feather), A_Err_NONE);
  ASSERT_EQ(streams->AEGP_GetNewMaskStream(1, mask, AEGP_MaskStream_OPACITY, &opacity), A_Err_NONE);
  EXPECT_NE(streams->AEGP_GetNewMaskStream(1, mask, AEGP_MaskStream_OUTLINE, &outline), A_Err_NONE);
  const A_Time frame5{5, 24}; // frame 5 at 24 fps
  AEGP_StreamValue2 value{};
  ASSERT_EQ(streams->AEGP_GetNewStreamValue(1, feather, AEGP_LTimeMode_CompTime, &frame5, true, &value), A_Err_NONE);
  EXPECT_EQ(value.val.two_d.x, 3.0);
  EXPECT_EQ(value.val.two_d.y, 4.0);
  streams->AEGP_DisposeStreamValue(&value);
  ASSERT_EQ(streams->AEGP_GetNewStreamValue(1, opacity, AEGP_LTimeMode_CompTime, &frame5, true, &value), A_Err_NONE);
  EXPECT_DOUBLE_EQ(value.val.one_d, 50.0) << "half way from 0 to 100";
  EXPECT_EQ(streams->AEGP_DisposeStream(feather), A_Err_NONE);
  EXPECT_EQ(streams->AEGP_DisposeStream(opacity), A_Err_NONE);
  EXPECT_EQ(layerMasks->AEGP_DisposeMask(mask), A_Err_NONE);
  EXPECT_NE(layerMasks->AEGP_DisposeMask(mask), A_Err_NONE) << "disposed twice";
}

} // namespace
