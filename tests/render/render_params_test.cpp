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
// mode.
TEST_F(RenderParamsTest, AddsNineteenParametersUnderTheirDiskIds) {
  ASSERT_EQ(CallRender(PF_Cmd_PARAMS_SETUP, host), PF_Err_NONE);
  EXPECT_EQ(host.out_data.num_params, 20);
  ASSERT_EQ(host.added.size(), 19u);

  struct Expected {
    const char *name;
    PF_ParamType type;
    A_long id;
  };
  const Expected expected[] = {
      {"Displacement Evolution Speed", PF_Param_FLOAT_SLIDER, 105},
      {"Glow", PF_Param_GROUP_START, 111},
      {"Glow Radius", PF_Param_FLOAT_SLIDER, 114},
      {"Glow Brightness", PF_Param_FLOAT_SLIDER, 115},
      {"", PF_Param_GROUP_END, 111},
      {"Render Options", PF_Param_GROUP_START, 107},
      {"Compositing Mode", PF_Param_POPUP, 120},
      {"Max Brightness", PF_Param_FLOAT_SLIDER, 121},
      {"Comp on Black", PF_Param_CHECKBOX, 133},
      {"Toon Options", PF_Param_GROUP_START, 122},
      {"Colours", PF_Param_FLOAT_SLIDER, 123},
      {"Thickness", PF_Param_FLOAT_SLIDER, 124},
      {"Outline Colour", PF_Param_COLOR, 125},
      {"", PF_Param_GROUP_END, 122},
      {"", PF_Param_GROUP_END, 107},
      {"Grain", PF_Param_GROUP_START, 130},
      {"Grain Layer", PF_Param_LAYER, 131},
      {"Grain Mix", PF_Param_FLOAT_SLIDER, 132},
      {"", PF_Param_GROUP_END, 130},
  };
  for (PF_ParamIndex i = 1; i <= 19; ++i) {
    SCOPED_TRACE(i);
    EXPECT_STREQ(Added(i).name, expected[i - 1].name);
    EXPECT_EQ(Added(i).param_type, expected[i - 1].type);
    EXPECT_EQ(Added(i).uu.id, expected[i - 1].id);
  }
  // The render and the pre-render rely on these two indices.
  EXPECT_EQ(Added(kRenderGrainLayerParam).param_type, PF_Param_LAYER);
  EXPECT_EQ(Added(kRenderGrainLayerParam).u.ld.dephault, PF_LayerDefault_NONE);

  EXPECT_EQ(Added(1).flags, PF_ParamFlag_COLLAPSE_TWIRLY);
  EXPECT_EQ(Added(7).flags, PF_ParamFlag_SUPERVISE);
  EXPECT_EQ(Added(12).flags, PF_ParamFlag_SUPERVISE);
  EXPECT_EQ(Added(18).flags, PF_ParamFlag_SUPERVISE);
  for (PF_ParamIndex i : {2, 3, 4, 5, 6, 8, 9, 10, 11, 13, 14, 15, 16, 17, 19}) {
    EXPECT_EQ(Added(i).flags, 0) << i;
  }

  EXPECT_EQ(Added(kRenderCompositingMode).u.pd.dephault, kCompositeNormalised);
}

TEST_F(RenderParamsTest, AFailedAddStopsTheSetup) {
  host.failAddAt = 6;  // "Compositing Mode"
  EXPECT_EQ(CallRender(PF_Cmd_PARAMS_SETUP, host), PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(host.added.size(), 6u);
  EXPECT_EQ(host.out_data.num_params, 0);
}

TEST_F(RenderParamsTest, MaxBrightnessFollowsTheNormalisedMode) {
  SetMode(kCompositeNormalised);
  ASSERT_EQ(UpdateUi(), PF_Err_NONE);
  EXPECT_FALSE(host.hidden.at(kRenderMaxBrightness));

  SetMode(kCompositeScreen);
  ASSERT_EQ(UpdateUi(), PF_Err_NONE);
  EXPECT_TRUE(host.hidden.at(kRenderMaxBrightness));

  SetMode(kCompositeNormalised);
  ASSERT_EQ(UpdateUi(), PF_Err_NONE);
  EXPECT_FALSE(host.hidden.at(kRenderMaxBrightness));
  EXPECT_EQ(host.liveEffectRefs, 0);
  EXPECT_EQ(host.liveStreams, 0);
}

// The toon parameters never show; without a parameter array only the toon
// group is touched.
TEST_F(RenderParamsTest, ToonParametersNeverShow) {
  for (A_long mode = kCompositeAdd; mode <= kCompositeNormalised; ++mode) {
    SetMode(mode);
    host.hidden.clear();
    ASSERT_EQ(UpdateUi(), PF_Err_NONE);
    for (PF_ParamIndex i : {kRenderToonGroup, kRenderToonColours, kRenderToonThickness,
                            kRenderToonOutlineColour}) {
      EXPECT_TRUE(host.hidden.at(i)) << "mode " << mode << " param " << i;
    }
    // Nothing else is touched.
    EXPECT_EQ(host.hidden.size(), 5u);
  }

  SetMode(kCompositeAdd);
  host.hidden.clear();
  host.checkouts = 0;
  ASSERT_EQ(CallRender(PF_Cmd_UPDATE_PARAMS_UI, host), PF_Err_NONE);
  EXPECT_EQ(host.hidden.count(kRenderMaxBrightness), 0u);
  EXPECT_TRUE(host.hidden.at(kRenderToonGroup));
  EXPECT_EQ(host.checkouts, 0);
}

TEST_F(RenderParamsTest, TheFirstStreamErrorStopsTheUpdate) {
  SetMode(kCompositeNormalised);
  host.streamError = A_Err_GENERIC;
  EXPECT_EQ(UpdateUi(), A_Err_GENERIC);
  EXPECT_TRUE(host.hidden.empty());
  EXPECT_EQ(host.liveEffectRefs, 0);
}

}  // namespace
}  // namespace vlam_render_test
