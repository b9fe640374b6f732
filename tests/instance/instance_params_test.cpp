// The Flash Instance's parameters, and the instance record it writes when
// the Render effect asks.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "frame/effect_entries.h"
#include "frame/fake_host_support.h"
#include "instance/exchange_block.h"
#include "instance/ez_aim.h"
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
// A failed add ends the setup at once; a host without parameter callbacks
// is refused; a registration error is the result after every add.
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


constexpr double kPi = 3.141592653589793;
constexpr double kDegree = kPi / 180.0;

class RecordAnswerTest : public ::testing::Test {
 protected:
  RecordAnswerTest() {
    host.Param(kInstanceFlashIdentifier, PF_Param_POPUP).u.pd.value = 3;
    host.Param(kInstanceTrigger, PF_Param_CHECKBOX);
    host.Param(kInstanceAimSystem, PF_Param_POPUP).u.pd.value = 2;
    host.Param(kInstancePosition, PF_Param_POINT_3D).u.point3d_d = {400.0, 300.0, -50.0, 0, 0, 0, {}};
    PF_PointDef &aim = host.Param(kInstanceAim, PF_Param_POINT).u.td;
    aim.x_value = 550 * 65536;
    aim.y_value = 250 * 65536;
    host.Param(kInstancePointAway, PF_Param_CHECKBOX).u.bd.value = 1;
    host.Param(kInstanceSweep, PF_Param_ANGLE).u.ad.value = 30 * 65536;
    host.Param(kInstanceTilt, PF_Param_ANGLE).u.ad.value = -15 * 65536;
    host.Param(kInstanceRoll, PF_Param_ANGLE);
    const std::pair<PF_ParamIndex, double> sliders[] = {{kInstancePostScale, 250.0},
                                                        {kInstanceRandomSeed, 12.9},
                                                        {kInstanceRandomness, 100.0},
                                                        {kInstanceBrightness, 150.0},
                                                        {kInstanceDefocus, 3.5}};
    for (const auto &[index, value] : sliders) host.Param(index, PF_Param_FLOAT_SLIDER).u.fs_d.value = value;
    host.Param(kInstanceMaskPath, PF_Param_PATH).u.path_d.path_id = 42;
    // "Trigger" is keyed on at frame 10 only.
    host.valueAtTime = [](PF_ParamIndex index, A_long time, PF_ParamDef &def) {
      if (index == kInstanceTrigger) def.u.bd.value = (time == 10) ? 1 : 0;
    };
    std::memset(&block, 0xAB, sizeof block);
  }

  PF_Err Ask(std::int32_t count) {
    block.table.instanceCount = count;
    return CallEffect(EntryPoint_VlamInstancer, PF_Cmd_COMPLETELY_GENERAL, host, &block);
  }

  // The slots the call must not touch still hold the fill pattern.
  void ExpectOnlySlotWritten(int slot) {
    const auto *bytes = reinterpret_cast<const unsigned char *>(&block);
    for (std::size_t i = 0; i < sizeof block; ++i) {
      const std::size_t begin = offsetof(ExchangeBlock, instances) + slot * sizeof(InstanceRecord);
      const bool inSlot = slot >= 0 && i >= begin && i < begin + sizeof(InstanceRecord);
      const bool isCount = i >= offsetof(FlashDesignTable, instanceCount) &&
                           i < offsetof(FlashDesignTable, instanceCount) + 4;
      if (!inSlot && !isCount) {
        ASSERT_EQ(bytes[i], 0xAB) << "byte " << i;
      }
    }
  }

  FakeEffectHost host;
  ExchangeBlock block;
};

TEST_F(RecordAnswerTest, WritesTheSlotOfTheCallersCount) {
  ASSERT_EQ(Ask(3), PF_Err_NONE);
  ExpectOnlySlotWritten(2);
  // Packed doubles are compared by value: a reference to one may be misaligned.
  const InstanceRecord &r = block.instances[2];
  EXPECT_EQ(r.designIndex, 2u);
  EXPECT_EQ(r.randomSeed, 12);
  EXPECT_EQ(double{r.randomness}, 1.0);
  EXPECT_EQ(double{r.triggerLevel}, 0.4);
  EXPECT_EQ(r.ezAim, 0);
  EXPECT_EQ(double{r.position[0]}, 400.0);
  EXPECT_EQ(double{r.position[1]}, 300.0);
  EXPECT_EQ(double{r.position[2]}, -50.0);
  EXPECT_EQ(r.pointAway, 1);
  EXPECT_NEAR(double{r.aimA}, 30 * kDegree, 1e-12);
  EXPECT_NEAR(double{r.aimB}, -15 * kDegree, 1e-12);
  EXPECT_EQ(double{r.roll}, kPi + 0.22689280275926285);
  EXPECT_EQ(double{r.postScale}, 2.5);
  EXPECT_EQ(double{r.brightness}, 1.5);
  EXPECT_EQ(double{r.defocus}, 3.5);
  EXPECT_EQ(r.maskId, 42u);
  const auto *bytes = reinterpret_cast<const unsigned char *>(&r);
  EXPECT_EQ(bytes[25], 0);  // padding is not left with stale bytes
  EXPECT_EQ(bytes[53], 0);
  // Read at the asked time, every parameter checked out and back in.
  host.checkouts.clear();
  host.in_data.current_time = 11;
  ASSERT_EQ(Ask(1), PF_Err_NONE);
  EXPECT_EQ(double{block.instances[0].triggerLevel}, 0.0);
  std::vector<PF_ParamIndex> order;
  for (const auto &c : host.checkouts) {
    order.push_back(c.index);
    EXPECT_EQ(c.time, 11);
    EXPECT_EQ(c.time_step, 1);
    EXPECT_EQ(c.time_scale, 24u);
  }
  EXPECT_EQ(order,
            (std::vector<PF_ParamIndex>{2, 18, 4, 6, 7, 8, 9, 10, 11, 12, 21, 22, 23, 24, 27}));
  EXPECT_EQ(host.checkedIn.size(), 30u);
  EXPECT_EQ(host.registry.outstanding(), 0);
}

// EZ Aim angles come from the position and aim point; a seed from a damaged
// project saturates.
TEST_F(RecordAnswerTest, EzAimAnglesAndSaturatedSeed) {
  host.values[kInstanceAimSystem].u.pd.value = 1;
  host.values[kInstanceRandomSeed].u.fs_d.value = 1e30;
  ASSERT_EQ(Ask(1), PF_Err_NONE);
  const AimAngles expected = EzAimAngles(400.0, 300.0, 550.0, 250.0, true);
  EXPECT_EQ(block.instances[0].ezAim, 1);
  EXPECT_DOUBLE_EQ(double{block.instances[0].aimA}, expected.sweep);
  EXPECT_DOUBLE_EQ(double{block.instances[0].aimB}, expected.tilt);
  EXPECT_GT(double{block.instances[0].aimA}, kPi);  // aim to the right, pointing away
  EXPECT_EQ(block.instances[0].randomSeed, 2147483647);
}

TEST_F(RecordAnswerTest, UnreadableParametersFailAndTheCountChoosesTheSlot) {
  for (const PF_ParamIndex index : {kInstanceAimSystem, kInstanceAim, kInstanceRoll, kInstanceDefocus}) {
    host.Fail("checkout_param " + std::to_string(index), PF_Err_INVALID_INDEX);
  }
  EXPECT_EQ(Ask(2), PF_Err_INVALID_INDEX);
  ExpectOnlySlotWritten(-1);
  EXPECT_EQ(host.checkedIn.size(), 11u);  // only what was checked out goes back
// The first and last slots are written; a count outside the sixteen slots
// writes nothing and reads no parameter.
  const std::pair<std::int32_t, int> cases[] = {{1, 0}, {16, 15}, {0, -1}, {-1, -1}, {17, -1}, {1000, -1}};
  for (const auto &[count, slot] : cases) {
    SCOPED_TRACE(count);
    host.checkouts.clear();
    std::memset(&block, 0xAB, sizeof block);
    EXPECT_EQ(Ask(count), slot < 0 ? PF_Err_BAD_CALLBACK_PARAM : PF_Err_NONE);
    ExpectOnlySlotWritten(slot);
    EXPECT_EQ(host.checkouts.empty(), slot < 0);
    if (slot >= 0) {
      EXPECT_EQ(block.instances[slot].maskId, 42u);
    }
  }
  EXPECT_EQ(CallEffect(EntryPoint_VlamInstancer, PF_Cmd_COMPLETELY_GENERAL, host),
            PF_Err_BAD_CALLBACK_PARAM);
}

}  // namespace
}  // namespace vlam
