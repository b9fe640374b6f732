#include "flash/builder_params.h"

#include <gtest/gtest.h>

#include <vector>
#include <cstring>
#include <string>
#include <tuple>

#include "builder_host_support.h"
#include "flash/builder_globals.h"
#include "flash/default_curves.h"
#include "flash/shape_arb_handlers.h"

namespace vlam {
namespace {

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

// Every parameter's name and disk id (what saved projects and scenes rely
// on; the types and flags would restate the declarations); then popups,
// control sizes and the profiles' handlers and defaults.
TEST_F(BuilderParamsTest, NamesIdsPopupsSizesAndProfiles) {
  EXPECT_EQ(host.OutData()->num_params, 35);
  // "disk id name|" for each parameter, in host order.
  std::string listing;
  for (const PF_ParamDef& d : host.added) listing += std::to_string(d.uu.id) + " " + d.name + "|";
  EXPECT_EQ(listing,
            "129 |100 Flash Identifier|101 Main Shape|102 Length|103 Diameter|"
            "104 Flash Shape Profile|101 |110 Petals|112 Petal Configuration|113 Length|"
            "114 Diameter|115 Petal Shape Profile|117 Barrel Radius|116 Horizontal Offset|"
            "118 Angle|123 Relative Brightness|110 |142 Sparks|143 Max Sparks|144 Spark Dispersion|"
            "145 Spark Brightness|142 |105 Flash Properties|121 Flash Colour|"
            "146 Energy Affects Colour Temp|109 Brightness Falloff|147 Displacement Complexity|"
            "127 Displacement Amount|105 |134 Randomisation|135 Randomise Flash Shape|"
            "136 Randomise Petals|137 Randomise Brightness|134 |");
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
