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
  EXPECT_STREQ(Added(18).name, "Grain Mix");
}

TEST_F(RenderParamsTest, SlidersCarryRangesDefaultsPrecisionAndDisplay) {
  ASSERT_EQ(CallRender(PF_Cmd_PARAMS_SETUP, host), PF_Err_NONE);
  struct Slider {
    PF_ParamIndex index;
    float validMin, validMax, sliderMin, sliderMax, dephault;
    A_short precision;
    bool percent;
  };
  const Slider sliders[] = {
      {1, 0, 10, 0, 10, 1.0f, 1, false},       {3, 0, 1000, 0, 500, 200, 0, false},
      {4, 0, 100, 0, 100, 10, 0, true},        {8, 75, 100, 75, 100, 95, 0, true},
      {11, 1, 8, 1, 8, 4, 0, false},           {12, 0, 10, 0, 10, 2.5f, 1, true},
      {18, 0, 100, 0, 100, 100, 0, true},
  };
  for (const Slider &s : sliders) {
    SCOPED_TRACE(s.index);
    const PF_FloatSliderDef &fs = Added(s.index).u.fs_d;
    EXPECT_EQ(fs.valid_min, s.validMin);
    EXPECT_EQ(fs.valid_max, s.validMax);
    EXPECT_EQ(fs.slider_min, s.sliderMin);
    EXPECT_EQ(fs.slider_max, s.sliderMax);
    EXPECT_EQ(fs.dephault, s.dephault);
    EXPECT_EQ(fs.value, s.dephault);
    EXPECT_EQ(fs.precision, s.precision);
    EXPECT_EQ((fs.display_flags & PF_ValueDisplayFlag_PERCENT) != 0, s.percent);
    EXPECT_FLOAT_EQ(fs.curve_tolerance, 0.05f);
  }
}

TEST_F(RenderParamsTest, FlagsPopupCheckboxAndColour) {
  ASSERT_EQ(CallRender(PF_Cmd_PARAMS_SETUP, host), PF_Err_NONE);
  EXPECT_EQ(Added(1).flags, PF_ParamFlag_COLLAPSE_TWIRLY);
  EXPECT_EQ(Added(7).flags, PF_ParamFlag_SUPERVISE);
  EXPECT_EQ(Added(12).flags, PF_ParamFlag_SUPERVISE);
  EXPECT_EQ(Added(18).flags, PF_ParamFlag_SUPERVISE);
  for (PF_ParamIndex i : {2, 3, 4, 5, 6, 8, 9, 10, 11, 13, 14, 15, 16, 17, 19}) {
    EXPECT_EQ(Added(i).flags, 0) << i;
  }

  const PF_PopupDef &mode = Added(kRenderCompositingMode).u.pd;
  EXPECT_EQ(mode.num_choices, 4);
  EXPECT_EQ(mode.dephault, kCompositeNormalised);
  EXPECT_STREQ(mode.u.namesptr, "Add|Luma Premultiplied|Screen|Normalised");

  EXPECT_EQ(Added(kRenderCompOnBlack).u.bd.dephault, 0);
  EXPECT_STREQ(Added(kRenderCompOnBlack).u.bd.u.nameptr, "");

  const PF_Pixel outline = Added(kRenderToonOutlineColour).u.cd.dephault;
  EXPECT_EQ(outline.alpha, 255);
  EXPECT_EQ(outline.red + outline.green + outline.blue, 0);
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
}

TEST_F(RenderParamsTest, WithoutAParameterArrayOnlyTheToonGroupIsTouched) {
  SetMode(kCompositeAdd);
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
