#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "frame/fake_host_support.h"
#include "frame/effect_entries.h"
#include "instance/exchange_block.h"
#include "instance/ez_aim.h"
#include "instance/instance_param_ids.h"

namespace vlam {
namespace {

using vlam_test::FakeEffectHost;

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

TEST_F(RecordAnswerTest, UnreadableParametersFailTheAnswerAndWriteNothing) {
  for (const PF_ParamIndex index : {kInstanceAimSystem, kInstanceAim, kInstanceRoll, kInstanceDefocus}) {
    host.Fail("checkout_param " + std::to_string(index), PF_Err_INVALID_INDEX);
  }
  EXPECT_EQ(Ask(2), PF_Err_INVALID_INDEX);
  ExpectOnlySlotWritten(-1);
  EXPECT_EQ(host.checkedIn.size(), 11u);  // only what was checked out goes back
}

// The first and last slots are written; a count outside the sixteen slots
// writes nothing and reads no parameter.
TEST_F(RecordAnswerTest, CountChoosesTheSlot) {
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
