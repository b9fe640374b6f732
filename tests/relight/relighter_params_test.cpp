#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "relight/relight_host_support.h"
#include "relight/relighter_params.h"

namespace vlam_relight_test {
namespace {

PF_Err Call(RelightTestHost &host, PF_Cmd cmd, PF_ParamDef **params = nullptr) {
  return EntryPoint_VlamRelighter(cmd, &host.in_data, &host.out_data, params, nullptr, nullptr);
}

// The setup adds eleven parameters under their names, disk ids and types, and
// stops at a refusal.
TEST(RelighterParams, SetupAddsElevenUnderTheirDiskIdsAndStopsAtARefusal) {
  RelightTestHost host;
  host.added.clear();
  ASSERT_EQ(Call(host, PF_Cmd_PARAMS_SETUP), PF_Err_NONE);
  EXPECT_EQ(host.out_data.num_params, 12);
  const std::vector<PF_ParamDef> &defs = host.added;
  ASSERT_EQ(defs.size(), 11u);
  struct Expected {
    const char *name;
    PF_ParamType type;
    A_long id;
  };
  const Expected expected[] = {
      {"Relight Matte", PF_Param_LAYER, 100},     {"Process Matte", PF_Param_GROUP_START, 107},
      {"Crush Matte", PF_Param_FLOAT_SLIDER, 108}, {"Invert Matte", PF_Param_CHECKBOX, 110},
      {"View", PF_Param_POPUP, 109},              {"", PF_Param_GROUP_END, 107},
      {"Use Flash Colour", PF_Param_CHECKBOX, 101}, {"Relight Colour", PF_Param_COLOR, 102},
      {"Light Spread", PF_Param_FLOAT_SLIDER, 103}, {"Relight Gain", PF_Param_FLOAT_SLIDER, 104},
      {"Relight Ambient", PF_Param_FLOAT_SLIDER, 105}};
  for (std::size_t i = 0; i < defs.size(); ++i) {
    SCOPED_TRACE(expected[i].name);
    EXPECT_EQ(std::string(defs[i].name), expected[i].name);
    EXPECT_EQ(defs[i].param_type, expected[i].type);
    EXPECT_EQ(defs[i].uu.id, expected[i].id);
  }
  EXPECT_EQ(defs[0].u.ld.dephault, PF_LayerDefault_MYSELF);
  EXPECT_EQ(defs[6].flags, PF_ParamFlag_SUPERVISE | PF_ParamFlag_CANNOT_TIME_VARY |
                               PF_ParamFlag_CANNOT_INTERP);

  RelightTestHost refusing;
  refusing.failAddAt = 4;
  EXPECT_EQ(Call(refusing, PF_Cmd_PARAMS_SETUP), PF_Err_OUT_OF_MEMORY);
}

TEST(RelighterParams, RelightColourEnabledOnlyWithoutFlashColour) {
  RelightTestHost host;
  std::vector<PF_ParamDef *> array;
  for (PF_ParamDef &p : host.params) array.push_back(&p);
  host.params[vlam::kRelightColour].ui_flags = PF_PUI_DISABLED;
  for (const bool useFlashColour : {false, true}) {
    host.params[vlam::kRelightUseFlashColour].u.bd.value = useFlashColour;
    ASSERT_EQ(Call(host, PF_Cmd_UPDATE_PARAMS_UI, array.data()), PF_Err_NONE);
    EXPECT_EQ(host.uiFlags.at(vlam::kRelightColour), useFlashColour ? PF_PUI_DISABLED : 0);
  }
  EXPECT_EQ(host.paramUiUpdates, 2);
}

}  // namespace
}  // namespace vlam_relight_test
