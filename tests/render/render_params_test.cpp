#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "render/render_commands.h"
#include "render/render_host_support.h"

namespace vlam_render_test {
namespace {

using namespace vlam;

class RenderParamsTest : public ::testing::Test {
 protected:
  RenderTestHost host;

  const PF_ParamDef &Added(PF_ParamIndex index) {
    return host.added.at(static_cast<std::size_t>(index - 1));
  }
  void SetMode(A_long mode) {
    host.UseDefaultParams(RenderParamDefs());
    host.params[kRenderCompositingMode].u.pd.value = mode;
  }
  PF_Err UpdateUi() {
    std::vector<PF_ParamDef *> pointers;
    for (PF_ParamDef &p : host.params) pointers.push_back(&p);
    return CallRender(PF_Cmd_UPDATE_PARAMS_UI, host, nullptr, pointers.data());
  }
};

// Nineteen parameters under their disk ids, with their flags and the default
// mode; a failed add stops the setup.
TEST_F(RenderParamsTest, AddsNineteenParametersUnderTheirDiskIds) {
  ASSERT_EQ(CallRender(PF_Cmd_PARAMS_SETUP, host), PF_Err_NONE);
  EXPECT_EQ(host.out_data.num_params, 20);
  ASSERT_EQ(host.added.size(), 19u);

  constexpr A_long kSup = PF_ParamFlag_SUPERVISE;
  const struct {
    const char *name;
    PF_ParamType type;
    A_long id, flags;
  } expected[] = {
      {"Displacement Evolution Speed", PF_Param_FLOAT_SLIDER, 105, PF_ParamFlag_COLLAPSE_TWIRLY},
      {"Glow", PF_Param_GROUP_START, 111, 0},
      {"Glow Radius", PF_Param_FLOAT_SLIDER, 114, 0},
      {"Glow Brightness", PF_Param_FLOAT_SLIDER, 115, 0},
      {"", PF_Param_GROUP_END, 111, 0},
      {"Render Options", PF_Param_GROUP_START, 107, 0},
      {"Compositing Mode", PF_Param_POPUP, 120, kSup},
      {"Max Brightness", PF_Param_FLOAT_SLIDER, 121, 0},
      {"Comp on Black", PF_Param_CHECKBOX, 133, 0},
      {"Toon Options", PF_Param_GROUP_START, 122, 0},
      {"Colours", PF_Param_FLOAT_SLIDER, 123, 0},
      {"Thickness", PF_Param_FLOAT_SLIDER, 124, kSup},
      {"Outline Colour", PF_Param_COLOR, 125, 0},
      {"", PF_Param_GROUP_END, 122, 0},
      {"", PF_Param_GROUP_END, 107, 0},
      {"Grain", PF_Param_GROUP_START, 130, 0},
      {"Grain Layer", PF_Param_LAYER, 131, 0},
      {"Grain Mix", PF_Param_FLOAT_SLIDER, 132, kSup},
      {"", PF_Param_GROUP_END, 130, 0},
  };
  for (PF_ParamIndex i = 1; i <= 19; ++i) {
    SCOPED_TRACE(i);
    EXPECT_STREQ(Added(i).name, expected[i - 1].name);
    EXPECT_EQ(Added(i).param_type, expected[i - 1].type);
    EXPECT_EQ(Added(i).uu.id, expected[i - 1].id);
    EXPECT_EQ(Added(i).flags, expected[i - 1].flags);
  }
  // The render and the pre-render rely on these two indices.
  EXPECT_EQ(Added(kRenderGrainLayerParam).param_type, PF_Param_LAYER);
  EXPECT_EQ(Added(kRenderGrainLayerParam).u.ld.dephault, PF_LayerDefault_NONE);
  EXPECT_EQ(Added(kRenderCompositingMode).u.pd.dephault, kCompositeNormalised);

  // A failed add stops the setup.
  host.added.clear();
  host.out_data = PF_OutData{};
  host.failAddAt = 6;  // "Compositing Mode"
  EXPECT_EQ(CallRender(PF_Cmd_PARAMS_SETUP, host), PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(host.added.size(), 6u);
  EXPECT_EQ(host.out_data.num_params, 0);
}

// Max Brightness shows in the "Normalised" mode only, and shows again when
// that mode comes back; the toon parameters never show. Without a parameter
// array only the toon group is touched; the first stream error stops the
// update.
TEST_F(RenderParamsTest, MaxBrightnessFollowsTheNormalisedModeAndToonParametersNeverShow) {
  for (A_long mode : {kCompositeNormalised, kCompositeAdd, kCompositeScreen,
                      kCompositeLumaPremultiplied, kCompositeNormalised}) {
    SetMode(mode);
    host.hidden.clear();
    ASSERT_EQ(UpdateUi(), PF_Err_NONE);
    EXPECT_EQ(host.hidden.at(kRenderMaxBrightness), mode != kCompositeNormalised) << mode;
    for (PF_ParamIndex i : {kRenderToonGroup, kRenderToonColours, kRenderToonThickness,
                            kRenderToonOutlineColour}) {
      EXPECT_TRUE(host.hidden.at(i)) << "mode " << mode << " param " << i;
    }
    EXPECT_EQ(host.hidden.size(), 5u);  // nothing else is touched
  }
  EXPECT_EQ(host.liveEffectRefs, 0);
  EXPECT_EQ(host.liveStreams, 0);

  SetMode(kCompositeAdd);
  host.hidden.clear();
  host.checkouts = 0;
  ASSERT_EQ(CallRender(PF_Cmd_UPDATE_PARAMS_UI, host), PF_Err_NONE);
  EXPECT_EQ(host.hidden.count(kRenderMaxBrightness), 0u);
  EXPECT_TRUE(host.hidden.at(kRenderToonGroup));
  EXPECT_EQ(host.checkouts, 0);

  SetMode(kCompositeNormalised);
  host.hidden.clear();
  host.streamError = A_Err_GENERIC;
  EXPECT_EQ(UpdateUi(), A_Err_GENERIC);
  EXPECT_TRUE(host.hidden.empty());
  EXPECT_EQ(host.liveEffectRefs, 0);
}

}  // namespace
}  // namespace vlam_render_test
