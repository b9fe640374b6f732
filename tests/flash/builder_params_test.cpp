#include "flash/builder_params.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <tuple>

#include "builder_host_support.h"
#include "flash/builder_globals.h"
#include "flash/default_curves.h"
#include "flash/shape_arb_handlers.h"

namespace vlam {
namespace {

// Name, type, disk id, flags and UI flags.
using Expected = std::tuple<const char*, PF_ParamType, A_long, PF_ParamFlags, PF_ParamUIFlags>;

constexpr PF_ParamFlags C = PF_ParamFlag_COLLAPSE_TWIRLY;
constexpr PF_ParamFlags T = PF_ParamFlag_CANNOT_TIME_VARY;
constexpr PF_ParamUIFlags CTRL = PF_PUI_CONTROL | PF_PUI_DONT_ERASE_CONTROL;
constexpr PF_ParamUIFlags HID = PF_PUI_INVISIBLE | PF_PUI_NO_ECW_UI;

constexpr PF_ParamType Fs = PF_Param_FLOAT_SLIDER, Gs = PF_Param_GROUP_START;
constexpr PF_ParamType Ge = PF_Param_GROUP_END, Arb = PF_Param_ARBITRARY_DATA;

const Expected kExpected[] = {
    {"", PF_Param_NO_DATA, 129, 0, PF_PUI_TOPIC | PF_PUI_DONT_ERASE_CONTROL},
    {"Flash Identifier", PF_Param_POPUP, 100, PF_ParamFlag_SUPERVISE, 0},
    {"Main Shape", Gs, 101, 0, 0}, {"Length", Fs, 102, 0, 0}, {"Diameter", Fs, 103, 0, HID},
    {"Flash Shape Profile", Arb, 104, T, CTRL}, {"", Ge, 101, 0, 0}, {"Petals", Gs, 110, 0, 0},
    {"Petal Configuration", PF_Param_POPUP, 112, T, CTRL}, {"Length", Fs, 113, C, 0},
    {"Diameter", Fs, 114, 0, HID}, {"Petal Shape Profile", Arb, 115, T, CTRL},
    {"Barrel Radius", Fs, 117, C, 0}, {"Horizontal Offset", Fs, 116, C, 0},
    {"Angle", PF_Param_ANGLE, 118, C, 0}, {"Relative Brightness", Fs, 123, C, 0},
    {"", Ge, 110, 0, 0}, {"Sparks", Gs, 142, PF_ParamFlag_START_COLLAPSED, 0},
    {"Max Sparks", Fs, 143, C, 0}, {"Spark Dispersion", Fs, 144, C, 0},
    {"Spark Brightness", Fs, 145, C, 0}, {"", Ge, 142, 0, 0}, {"Flash Properties", Gs, 105, 0, 0},
    {"Flash Colour", PF_Param_COLOR, 121, 0, 0}, {"Energy Affects Colour Temp", Fs, 146, 0, 0},
    {"Brightness Falloff", Fs, 109, 0, 0}, {"Displacement Complexity", Fs, 147, 0, 0},
    {"Displacement Amount", Fs, 127, 0, 0}, {"", Ge, 105, 0, 0}, {"Randomisation", Gs, 134, 0, 0},
    {"Randomise Flash Shape", Fs, 135, 0, 0}, {"Randomise Petals", Fs, 136, C, 0},
    {"Randomise Brightness", Fs, 137, 0, 0}, {"", Ge, 134, 0, 0}};

class BuilderParamsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(host.Run(PF_Cmd_GLOBAL_SETUP), PF_Err_NONE);
    ASSERT_EQ(host.Run(PF_Cmd_PARAMS_SETUP), PF_Err_NONE);
    ASSERT_EQ(host.added.size(), 34u);
  }
  void TearDown() override { EXPECT_EQ(host.Run(PF_Cmd_GLOBAL_SETDOWN), PF_Err_NONE); }
  const PF_ParamDef& Added(PF_ParamIndex index) { return host.added[index - 1]; }

  FakeBuilderHost host;
};

// Every parameter: name, type, disk id and flags; then popups, angle, colour,
// control sizes and the profiles' handlers and defaults.
TEST_F(BuilderParamsTest, NamesTypesIdsFlagsPopupsAngleColourSizesAndProfiles) {
  EXPECT_EQ(host.OutData()->num_params, 35);
  for (PF_ParamIndex i = 1; i <= 34; ++i) {
    const auto& [name, type, id, flags, ui] = kExpected[i - 1];
    const PF_ParamDef& d = Added(i);
    EXPECT_STREQ(d.name, name) << i;
    EXPECT_EQ(std::tuple(d.param_type, d.uu.id, d.flags, d.ui_flags),
              std::tuple(type, id, flags, ui))
        << i;
  }
  ASSERT_EQ(host.registeredUi.size(), 1u);
  PF_CustomUIInfo ui;  // effect controls only, every other field zero
  std::memset(&ui, 0, sizeof ui);
  ui.events = PF_CustomEFlag_EFFECT;
  EXPECT_EQ(std::memcmp(&host.registeredUi[0], &ui, sizeof ui), 0);

  EXPECT_EQ(std::tuple(Added(2).u.pd.num_choices, Added(2).u.pd.dephault), std::tuple(4, 1));
  EXPECT_STREQ(Added(2).u.pd.u.namesptr, "Flash A|Flash B|Flash C|Flash D");
  EXPECT_EQ(std::tuple(Added(9).u.pd.num_choices, Added(9).u.pd.dephault), std::tuple(10, 1));
  EXPECT_STREQ(Added(9).u.pd.u.namesptr,
               "None|One Up|Two Across|Three Star|Three T|Four Star|Four X-Wing|Five Star|Six Star|Eight Star");
  using Size = std::pair<A_short, A_short>;
  EXPECT_EQ(Size(Added(1).ui_width, Added(1).ui_height), Size(300, 5));
  for (PF_ParamIndex i : {6, 9, 12}) {
    EXPECT_EQ(Size(Added(i).ui_width, Added(i).ui_height), Size(320, 120)) << i;
  }

  // The profiles carry their handler and default curve; the arbitrary data
  // callback reaches the handler through the entry point.
  BuilderGlobals* g = host.Globals();
  const ArbitraryHandler* handlers[] = {g->mainHandler, g->petalHandler};
  for (const PF_ParamIndex i : {6, 12}) {
    ShapeCurve expected;
    i == 6 ? MakeDefaultMainCurve(expected) : MakeDefaultPetalCurve(expected);
    EXPECT_EQ(Added(i).u.arb_d.refconPV, handlers[i / 12]);
    ASSERT_NE(Added(i).u.arb_d.dephault, nullptr);
    EXPECT_EQ(std::memcmp(*Added(i).u.arb_d.dephault, &expected, sizeof expected), 0) << i;
  }

  PF_ArbitraryH value = nullptr;
  PF_ArbParamsExtra extra;
  std::memset(&extra, 0, sizeof extra);
  extra.which_function = PF_Arbitrary_NEW_FUNC;
  extra.u.new_func_params.refconPV = Added(12).u.arb_d.refconPV;
  extra.u.new_func_params.arbPH = &value;
  ASSERT_EQ(host.Run(PF_Cmd_ARBITRARY_CALLBACK, &extra), PF_Err_NONE);
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(static_cast<ShapeCurve*>(*value)->capacity, 8);
  extra.which_function = 42;
  EXPECT_EQ(host.Run(PF_Cmd_ARBITRARY_CALLBACK, &extra), PF_Err_UNRECOGNIZED_PARAM_TYPE);
}

}  // namespace
}  // namespace vlam
