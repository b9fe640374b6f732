#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "frame/fake_host_support.h"
#include "frame/effect_entries.h"
#include "instance/instance_param_ids.h"

namespace vlam {
namespace {

using vlam_test::FakeEffectHost;

PF_Err ParamsSetup(FakeEffectHost &host) {
  return CallEffect(EntryPoint_VlamInstancer, PF_Cmd_PARAMS_SETUP, host);
}

struct Expected {
  const char *name;
  PF_ParamType type;
  A_long diskId;
  PF_ParamFlags flags;
};

TEST(InstanceParams, NamesTypesDiskIdsAndFlagsInHostOrder) {
  FakeEffectHost host;
  ASSERT_EQ(ParamsSetup(host), PF_Err_NONE);
  EXPECT_EQ(host.out_data.num_params, 29);

  constexpr PF_ParamFlags S = PF_ParamFlag_SUPERVISE;
  constexpr PF_ParamFlags C = PF_ParamFlag_COLLAPSE_TWIRLY;
  constexpr PF_ParamFlags T = PF_ParamFlag_CANNOT_TIME_VARY;
  const std::vector<Expected> expected = {
      {"", PF_Param_NO_DATA, 119, 0},
      {"Flash Identifier", PF_Param_POPUP, 100, 0},
      {"Transform", PF_Param_GROUP_START, 101, 0},
      {"Aim System", PF_Param_POPUP, 126, S},
      {"Barrel Shape (UI only)", PF_Param_POPUP, 129, S},
      {"Position", PF_Param_POINT_3D, 122, S},
      {"Aim", PF_Param_POINT, 123, S},
      {"Point Away", PF_Param_CHECKBOX, 125, 0},
      {"Sweep", PF_Param_ANGLE, 103, S | C},
      {"Tilt", PF_Param_ANGLE, 104, S | C},
      {"Roll", PF_Param_ANGLE, 105, C},
      {"Post Scale", PF_Param_FLOAT_SLIDER, 128, 0},
      {"", PF_Param_GROUP_END, 101, 0},
      {"Keyframer", PF_Param_GROUP_START, 107, 0},
      {"Rate of Fire (Rounds Per Second)", PF_Param_FLOAT_SLIDER, 108, S | T},
      {"Number of Rounds", PF_Param_FLOAT_SLIDER, 109, S | T},
      {"Add Keyframes", PF_Param_BUTTON, 112, S},
      {"Trigger", PF_Param_CHECKBOX, 113, 0},
      {"", PF_Param_GROUP_END, 107, 0},
      {"Instance Options", PF_Param_GROUP_START, 114, 0},
      {"Random Seed", PF_Param_FLOAT_SLIDER, 127, 0},
      {"Randomness Override", PF_Param_FLOAT_SLIDER, 121, 0},
      {"Brightness", PF_Param_FLOAT_SLIDER, 115, 0},
      {"Defocus", PF_Param_FLOAT_SLIDER, 116, 0},
      {"", PF_Param_GROUP_END, 114, 0},
      {"Mask", PF_Param_GROUP_START, 117, 0},
      {"Mask Path", PF_Param_PATH, 118, 0},
      {"", PF_Param_GROUP_END, 117, 0},
  };
  ASSERT_EQ(host.added.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const PF_ParamDef &def = host.added[i];
    SCOPED_TRACE("parameter " + std::to_string(i + 1));
    // Names are read as the host reads them: at most the 32 bytes of the field.
    EXPECT_EQ(std::string(def.name, std::find(def.name, def.name + sizeof def.name, '\0')),
              expected[i].name);
    EXPECT_EQ(def.param_type, expected[i].type);
    EXPECT_EQ(def.uu.id, expected[i].diskId);
    EXPECT_EQ(def.flags, expected[i].flags);
  }
  // Custom UI for comp, layer and effect controls.
  ASSERT_EQ(host.registeredUi.size(), 1u);
  PF_CustomUIInfo ui;
  std::memset(&ui, 0, sizeof ui);
  ui.events = PF_CustomEFlag_COMP | PF_CustomEFlag_LAYER | PF_CustomEFlag_EFFECT;
  EXPECT_EQ(std::memcmp(&host.registeredUi[0], &ui, sizeof ui), 0);
}

// A failed add ends the setup at once; a host without parameter callbacks
// is refused; a registration error is the result after every add.
TEST(InstanceParams, SetupFailures) {
  struct Case {
    const char *what;
    void (*fail)(FakeEffectHost &);
    PF_Err expected;
    std::size_t added;
    std::size_t registered;
    A_long num_params;
  };
  const Case cases[] = {
      {"add fails", [](FakeEffectHost &h) { h.Fail("add_param", PF_Err_OUT_OF_MEMORY, 6); },
       PF_Err_OUT_OF_MEMORY, 5, 0, 0},
      {"no register_ui", [](FakeEffectHost &h) { h.in_data.inter.register_ui = nullptr; },
       PF_Err_INVALID_CALLBACK, 0, 0, 0},
      {"registration fails",
       [](FakeEffectHost &h) { h.Fail("register_ui", PF_Err_INVALID_CALLBACK); },
       PF_Err_INVALID_CALLBACK, 28, 1, 29},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.what);
    FakeEffectHost host;
    c.fail(host);
    EXPECT_EQ(ParamsSetup(host), c.expected);
    EXPECT_EQ(host.added.size(), c.added);
    EXPECT_EQ(host.registeredUi.size(), c.registered);
    EXPECT_EQ(host.out_data.num_params, c.num_params);
  }
}

}  // namespace
}  // namespace vlam
