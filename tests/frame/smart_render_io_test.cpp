// Smart pre-render checkouts, rect union and the pass-through render.
#include <gtest/gtest.h>

#include "frame/effect_entries.h"
#include "frame/fake_host_support.h"
#include "frame/rect_union.h"

namespace vlam_test {
namespace {

using Entry = PF_Err (*)(PF_Cmd, PF_InData *, PF_OutData *, PF_ParamDef *[], PF_LayerDef *, void *);

bool Same(const PF_LRect &a, const PF_LRect &b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(RectUnion, EmptySidesAndBoundingRect) {
  struct Case {
    PF_LRect src, dst, expected;
  };
  const Case cases[] = {
      {{1, 2, 3, 4}, {5, 5, 5, 9}, {1, 2, 3, 4}},            // empty destination takes the source
      {{0, 0, 0, 0}, {10, 10, 0, 0}, {0, 0, 0, 0}},          // even an empty source is copied
      {{-5, 3, 4, 20}, {0, 0, 10, 10}, {-5, 0, 10, 20}},     // both non-empty: bounding rect
      {{-50, -50, -60, 100}, {0, 0, 10, 10}, {0, 0, 10, 10}}  // empty source changes nothing
  };
  for (const Case &c : cases) {
    PF_LRect dst = c.dst;
    vlam::UnionLRect(c.src, &dst);
    EXPECT_TRUE(Same(dst, c.expected)) << dst.left << "," << dst.top << "," << dst.right << "," << dst.bottom;
  }
}

class PassThroughPreRender : public ::testing::TestWithParam<Entry> {};

TEST_P(PassThroughPreRender, ChecksOutTheInputAndUnitesItsRectsOrFails) {
  FakeEffectHost host;
  host.pre_render_input.output_request.rect = PF_LRect{1, 2, 30, 40};
  host.pre_render_input.output_request.channel_mask = PF_ChannelMask_ARGB;
  host.pre_render_output.result_rect = PF_LRect{0, 0, 10, 10};
  PF_CheckoutResult input{};
  input.result_rect = PF_LRect{5, 5, 20, 30};
  input.max_result_rect = PF_LRect{0, 0, 64, 48};
  host.checkout_results[0] = input;
  ASSERT_EQ(CallEffect(GetParam(), PF_Cmd_SMART_PRE_RENDER, host, &host.pre_render_extra),
            PF_Err_NONE);
  ASSERT_EQ(host.layer_checkouts.size(), 1u);
  const CheckoutCall &call = host.layer_checkouts[0];
  EXPECT_EQ(call.index, 0);
  EXPECT_EQ(call.checkout_id, 0);
  EXPECT_TRUE(Same(call.request.rect, PF_LRect{1, 2, 30, 40}));
  EXPECT_EQ(call.request.channel_mask, PF_ChannelMask_ARGB);
  EXPECT_EQ(call.time, 10);
  EXPECT_EQ(call.time_step, 1);
  EXPECT_EQ(call.time_scale, 24u);
  EXPECT_TRUE(Same(host.pre_render_output.result_rect, PF_LRect{0, 0, 20, 30}));
  EXPECT_TRUE(Same(host.pre_render_output.max_result_rect, PF_LRect{0, 0, 64, 48}));
  // A failed checkout is the pre-render's result.
  host.Fail("checkout_layer", PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(CallEffect(GetParam(), PF_Cmd_SMART_PRE_RENDER, host, &host.pre_render_extra),
            PF_Err_OUT_OF_MEMORY);
}

INSTANTIATE_TEST_SUITE_P(ModuleEffects, PassThroughPreRender,
                         ::testing::Values(EntryPoint_VlamFlash, EntryPoint_VlamInstancer,
                                           EntryPoint_VlamMod));

// The input first, then the grain layer (never united into the result); a
// failed input skips the grain layer, whose own error comes after the union.
TEST(RenderPreRender, ChecksOutInputThenGrainLayer) {
  struct Case {
    PF_Err input_error, grain_error, expected;
    std::size_t checkouts;
    PF_LRect result;
  };
  const Case cases[] = {
      {PF_Err_NONE, PF_Err_NONE, PF_Err_NONE, 2, {0, 0, 8, 8}},
      {PF_Err_INVALID_INDEX, PF_Err_NONE, PF_Err_INVALID_INDEX, 1, {0, 0, 0, 0}},
      {PF_Err_NONE, PF_Err_OUT_OF_MEMORY, PF_Err_OUT_OF_MEMORY, 2, {0, 0, 8, 8}},
  };
  for (const Case &c : cases) {
    FakeEffectHost host;
    PF_CheckoutResult input{};
    input.result_rect = input.max_result_rect = PF_LRect{0, 0, 8, 8};
    PF_CheckoutResult grain{};
    grain.result_rect = PF_LRect{0, 0, 100, 100};
    host.checkout_results[0] = input;
    host.checkout_results[17] = grain;
    host.Fail("checkout_layer 0", c.input_error);
    host.Fail("checkout_layer 17", c.grain_error);
    EXPECT_EQ(
        CallEffect(EntryPoint_VlamRender, PF_Cmd_SMART_PRE_RENDER, host, &host.pre_render_extra),
        c.expected);
    ASSERT_EQ(host.layer_checkouts.size(), c.checkouts);
    EXPECT_EQ(host.layer_checkouts.back().index, c.checkouts == 2 ? 17 : 0);
    EXPECT_EQ(host.layer_checkouts.back().checkout_id, c.checkouts == 2 ? 17 : 0);
    EXPECT_TRUE(Same(host.pre_render_output.result_rect, c.result));
  }
}

TEST(RelighterPreRender, ChecksOutTheMatteMarksNotSolidAndNeedsItsExtra) {
  FakeEffectHost host;
  host.pre_render_output.solid = true;
  ASSERT_EQ(
      CallEffect(EntryPoint_VlamRelighter, PF_Cmd_SMART_PRE_RENDER, host, &host.pre_render_extra),
      PF_Err_NONE);
  ASSERT_EQ(host.layer_checkouts.size(), 2u);
  EXPECT_EQ(host.layer_checkouts[1].index, 1);
  EXPECT_EQ(host.layer_checkouts[1].checkout_id, 1);
  EXPECT_FALSE(host.pre_render_output.solid);
  // A missing extra is an error, not a crash.
  EXPECT_EQ(CallEffect(EntryPoint_VlamMod, PF_Cmd_SMART_PRE_RENDER, host, nullptr),
            PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(CallEffect(EntryPoint_VlamRelighter, PF_Cmd_SMART_PRE_RENDER, host, nullptr),
            PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(CallEffect(EntryPoint_VlamFlash, PF_Cmd_SMART_RENDER, host, nullptr),
            PF_Err_BAD_CALLBACK_PARAM);
}

class PassThroughRender : public ::testing::TestWithParam<Entry> {};

// The whole input is copied to the output; the first error wins and only a
// checked-out input is checked back in.
TEST_P(PassThroughRender, CopiesWholeInputAndFirstErrorWins) {
  struct Case {
    PF_Err pixels, output, copy, checkin, expected;
    bool copied;
    std::size_t checkins;
  };
  const Case cases[] = {
      {PF_Err_NONE, PF_Err_NONE, PF_Err_NONE, PF_Err_NONE, PF_Err_NONE, true, 1},
      {PF_Err_NONE, PF_Err_NONE, PF_Err_OUT_OF_MEMORY, PF_Err_INVALID_INDEX, PF_Err_OUT_OF_MEMORY, true, 1},
      {PF_Err_NONE, PF_Err_NONE, PF_Err_NONE, PF_Err_INVALID_INDEX, PF_Err_INVALID_INDEX, true, 1},
      {PF_Err_NONE, PF_Err_OUT_OF_MEMORY, PF_Err_NONE, PF_Err_NONE, PF_Err_OUT_OF_MEMORY, false, 1},
      {PF_Err_OUT_OF_MEMORY, PF_Err_NONE, PF_Err_NONE, PF_Err_NONE, PF_Err_OUT_OF_MEMORY, false, 0},
  };
  for (const Case &c : cases) {
    FakeEffectHost host;
    host.Fail("checkout_layer_pixels", c.pixels);
    host.Fail("checkout_output", c.output);
    host.Fail("copy", c.copy);
    host.Fail("checkin_layer_pixels", c.checkin);
    EXPECT_EQ(CallEffect(GetParam(), PF_Cmd_SMART_RENDER, host, &host.smart_extra), c.expected);
    using Calls = std::vector<std::string>;
    EXPECT_EQ(host.CallsOf("copy"), Calls(c.copied ? 1 : 0, "copy input to output"));
    EXPECT_EQ(host.CallsOf("checkin_layer_pixels"), Calls(c.checkins, "checkin_layer_pixels 0"));
  }
}

INSTANTIATE_TEST_SUITE_P(ModuleEffects, PassThroughRender,
                         ::testing::Values(EntryPoint_VlamFlash, EntryPoint_VlamInstancer,
                                           EntryPoint_VlamMod));

}  // namespace
}  // namespace vlam_test
