// The module's entry functions: the command tables of the five effects (what
// each answers, what it leaves alone, and that nothing escapes an entry
// function), global and sequence records in host handles, smart pre-render
// checkouts and the pass-through render.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "AE_EffectCBSuites.h"
#include "frame/effect_entries.h"
#include "frame/fake_host_support.h"
#include "modules/selector_state.h"

namespace vlam_test {
namespace {

using Entry = PF_Err (*)(PF_Cmd, PF_InData *, PF_OutData *, PF_ParamDef *[], PF_LayerDef *, void *);

// The five effects, with the flags their property lists announce (the host
// warns when global setup disagrees) and their about box lines.
struct EffectCase {
  const char *match_name;
  Entry entry;
  A_u_long flags, flags2;
  const char *about;  // the line between version and credit
};

const EffectCase kEffects[] = {
    {"zk_Vlam", EntryPoint_VlamRender, 0x06088004, 0x140B, "Renders 3D muzzle flashes"},
    {"zk_VlamMod", EntryPoint_VlamMod, 0x02208400, 0x1408,
     "Adds module effects to make muzzle flashes"},
    {"zk_VlamFlash", EntryPoint_VlamFlash, 0x06208400, 0x1408, "Muzzle flash design module"},
    {"zk_VlamInstance", EntryPoint_VlamInstancer, 0x06208404, 0x1408,
     "Creates an instance of a muzzle flash"},
    {"zk_VlamRelighter", EntryPoint_VlamRelighter, 0x06200400, 0x140A,
     "Relights an environment with your muzzle flashes"},
};

class EntryDispatch : public ::testing::TestWithParam<EffectCase> {};

TEST_P(EntryDispatch, UnlistedCommandsTouchNothingSetupAnnouncesVersionFlagsParams) {
  FakeEffectHost host;
  std::memset(&host.out_data, 0xA5, sizeof host.out_data);
  const PF_OutData before = host.out_data;
  const EffectCase &effect = GetParam();
  for (PF_Cmd cmd :
       {PF_Cmd{25}, PF_Cmd{-1}, PF_Cmd{1000}, PF_Cmd{PF_Cmd_RENDER}, PF_Cmd{PF_Cmd_FRAME_SETUP},
        PF_Cmd{PF_Cmd_DO_DIALOG}, PF_Cmd{PF_Cmd_QUERY_DYNAMIC_FLAGS}}) {
    // A nonsense extra pointer: it must not even be looked at.
    EXPECT_EQ(CallEffect(effect.entry, cmd, host, reinterpret_cast<void *>(0x10)), PF_Err_NONE)
        << effect.match_name << " command " << cmd;
  }
  EXPECT_EQ(std::memcmp(&before, &host.out_data, sizeof before), 0) << effect.match_name;
  EXPECT_EQ(host.registry.outstanding(), 0);
  EXPECT_EQ(host.handles.LiveHandles(), 0);
  // About, global and params setup announce the version, flags and parameters.
  host.out_data = PF_OutData{};
  ASSERT_EQ(CallEffect(effect.entry, PF_Cmd_ABOUT, host), PF_Err_NONE);
  EXPECT_EQ(std::string(host.out_data.return_msg),
            std::string("Vlam v1.0.3 \r\r") + effect.about + "\r\rOrvane Pictures");
  ASSERT_EQ(CallEffect(effect.entry, PF_Cmd_GLOBAL_SETUP, host), PF_Err_NONE);
  EXPECT_EQ(host.out_data.my_version, 0x00081E01u);
  EXPECT_EQ(host.out_data.out_flags, effect.flags);
  EXPECT_EQ(host.out_data.out_flags2, effect.flags2);
  host.in_data.global_data = host.out_data.global_data;
  ASSERT_EQ(CallEffect(effect.entry, PF_Cmd_PARAMS_SETUP, host), PF_Err_NONE);
  EXPECT_EQ(host.added.size() + 1, static_cast<std::size_t>(host.out_data.num_params));
  // What global setup holds (the builder's curve handlers keep a suite each)
  // is released at global setdown.
  EXPECT_EQ(CallEffect(effect.entry, PF_Cmd_GLOBAL_SETDOWN, host), PF_Err_NONE);
  EXPECT_EQ(host.registry.outstanding(), 0);
}

INSTANTIATE_TEST_SUITE_P(AllEffects, EntryDispatch, ::testing::ValuesIn(kEffects),
                         [](const auto &info) { return std::string(info.param.match_name); });

// (That the Module Selector leaves its record at sequence setdown, for the
// host to free, is seen by the host's module tests.)
TEST(EntryDispatchTable, RelighterQueryAndHostFaultsAtTheEntry) {
  FakeEffectHost host;
  // Render answers the Relighter's query.
  A_u_char record[8] = {};
  EXPECT_EQ(CallEffect(EntryPoint_VlamRender, PF_Cmd_COMPLETELY_GENERAL, host, record),
            PF_Err_NONE);
  EXPECT_EQ(record[0], 1);
  EXPECT_EQ(record[1], 0);
  // Without a record nothing is written and nothing fails.
  EXPECT_EQ(CallEffect(EntryPoint_VlamRender, PF_Cmd_COMPLETELY_GENERAL, host, nullptr),
            PF_Err_NONE);
  // A non-integer exception from the host stops at the entry, with the suite
  // acquired before the throw released; a missing suite ends the command with
  // code 13 and no message.
  host.handles.throwOnNewHandle = true;
  EXPECT_EQ(CallEffect(EntryPoint_VlamRender, PF_Cmd_GLOBAL_SETUP, host),
            PF_Err_INTERNAL_STRUCT_DAMAGED);
  EXPECT_EQ(CallEffect(EntryPoint_VlamMod, PF_Cmd_SEQUENCE_SETUP, host),
            PF_Err_INTERNAL_STRUCT_DAMAGED);
  EXPECT_EQ(host.registry.outstanding(), 0);
  host.registry.Withdraw(kPFHandleSuite, kPFHandleSuiteVersion1);
  EXPECT_EQ(CallEffect(EntryPoint_VlamFlash, PF_Cmd_SEQUENCE_SETUP, host), A_Err_MISSING_SUITE);
  EXPECT_EQ(CallEffect(EntryPoint_VlamRender, PF_Cmd_GLOBAL_SETUP, host), A_Err_MISSING_SUITE);
  EXPECT_EQ(host.out_data.out_flags & PF_OutFlag_DISPLAY_ERROR_MESSAGE, 0);
  // Events outside an effect's list return at once; no event record at all
  // is not a crash.
  PF_EventExtra event{};
  event.e_type = PF_Event_KEYDOWN;
  for (void *extra : {static_cast<void *>(&event), static_cast<void *>(nullptr)}) {
    EXPECT_EQ(CallEffect(EntryPoint_VlamMod, PF_Cmd_EVENT, host, extra), PF_Err_NONE);
    EXPECT_EQ(CallEffect(EntryPoint_VlamInstancer, PF_Cmd_EVENT, host, extra), PF_Err_NONE);
  }
}

// Smart pre-render checkouts, the union of their rects (empty destination
// and bounding rect) and the pass-through render.

bool Same(const PF_LRect &a, const PF_LRect &b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The three effects that pass their input through.
class PassThrough : public ::testing::TestWithParam<Entry> {};

TEST_P(PassThrough, PreRenderChecksOutTheInputAndUnitesItsRectsOrFails) {
  FakeEffectHost host;
  host.pre_render_input.output_request.rect = PF_LRect{1, 2, 30, 40};
  host.pre_render_input.output_request.channel_mask = PF_ChannelMask_ARGB;
  host.pre_render_output.result_rect = PF_LRect{0, 0, 10, 10};
  PF_CheckoutResult &input = host.checkout_results[0];
  input.result_rect = PF_LRect{5, 5, 20, 30};
  input.max_result_rect = PF_LRect{0, 0, 64, 48};
  ASSERT_EQ(CallEffect(GetParam(), PF_Cmd_SMART_PRE_RENDER, host, &host.pre_render_extra),
            PF_Err_NONE);
  ASSERT_EQ(host.layer_checkouts.size(), 1u);
  const CheckoutCall &c = host.layer_checkouts[0];
  EXPECT_EQ(std::tuple(c.index, c.checkout_id, c.request.channel_mask, c.time, c.time_step),
            std::tuple(0, 0, PF_ChannelMask_ARGB, 10, 1));
  EXPECT_EQ(c.time_scale, 24u);
  EXPECT_TRUE(Same(c.request.rect, PF_LRect{1, 2, 30, 40}));
  EXPECT_TRUE(Same(host.pre_render_output.result_rect, PF_LRect{0, 0, 20, 30}));
  EXPECT_TRUE(Same(host.pre_render_output.max_result_rect, PF_LRect{0, 0, 64, 48}));
  // A failed checkout is the pre-render's result.
  host.Fail("checkout_layer", PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(CallEffect(GetParam(), PF_Cmd_SMART_PRE_RENDER, host, &host.pre_render_extra),
            PF_Err_OUT_OF_MEMORY);
}

// The input first, then the grain layer (never united into the result); a
// failed input skips the grain layer, whose own error comes after the union.
TEST(PreRender, RenderChecksOutInputThenGrainRelighterTheMatte) {
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
    PF_CheckoutResult &input = host.checkout_results[0];
    input.result_rect = input.max_result_rect = PF_LRect{0, 0, 8, 8};
    host.checkout_results[17].result_rect = PF_LRect{0, 0, 100, 100};  // the grain layer
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

// The whole input is copied to the output; the first error wins and only a
// checked-out input is checked back in.
TEST_P(PassThrough, RenderCopiesTheWholeInputAndTheFirstErrorWins) {
  struct Case {
    PF_Err pixels, output, copy, checkin, expected;
    bool copied;
    std::size_t checkins;
  };
  const PF_Err kNone = PF_Err_NONE, kMemory = PF_Err_OUT_OF_MEMORY, kIndex = PF_Err_INVALID_INDEX;
  const Case cases[] = {
      {kNone, kNone, kNone, kNone, kNone, true, 1},
      {kNone, kNone, kMemory, kIndex, kMemory, true, 1},
      {kNone, kNone, kNone, kIndex, kIndex, true, 1},
      {kNone, kMemory, kNone, kNone, kMemory, false, 1},
      {kMemory, kNone, kNone, kNone, kMemory, false, 0},
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

INSTANTIATE_TEST_SUITE_P(ModuleEffects, PassThrough,
                         ::testing::Values(EntryPoint_VlamFlash, EntryPoint_VlamInstancer,
                                           EntryPoint_VlamMod));

// Global and sequence records in host handles, and the Render effect's
// sequence setup asking the utility plug-in for the module stack.
std::vector<A_long> Longs(const std::vector<char> &bytes) {
  std::vector<A_long> out(bytes.size() / sizeof(A_long));
  std::memcpy(out.data(), bytes.data(), out.size() * sizeof(A_long));
  return out;
}

// Setup makes a record with no button active; resetup replaces the old
// record (here one with a hovered button) by a fresh one.
TEST(HandleRecords, SelectorAndBuilderSequenceRecordsAndGlobalRecords) {
  FakeEffectHost host;
  ASSERT_EQ(CallEffect(EntryPoint_VlamMod, PF_Cmd_SEQUENCE_SETUP, host), PF_Err_NONE);
  PF_Handle old = host.out_data.sequence_data;  // Bytes() throws for no handle
  EXPECT_EQ(Longs(host.handles.Bytes(old)), (std::vector<A_long>{0, -1, 0, -1}));
  EXPECT_EQ(host.handles.lockCalls, host.handles.unlockCalls);
  EXPECT_EQ(host.registry.outstanding(), 0);
  const vlam::SelectorState hovered{{1, 3}, {2, 0}};
  std::memcpy(*old, &hovered, sizeof hovered);
  host.in_data.sequence_data = old;
  ASSERT_EQ(CallEffect(EntryPoint_VlamMod, PF_Cmd_SEQUENCE_RESETUP, host), PF_Err_NONE);
  ASSERT_EQ(host.handles.disposed, std::vector<PF_Handle>{old});
  EXPECT_EQ(Longs(host.handles.Bytes(host.out_data.sequence_data)),
            (std::vector<A_long>{0, -1, 0, -1}));
  EXPECT_EQ(host.handles.LiveHandles(), 1);
  // A failed allocation or lock is shown, with the selector's own messages,
  // and releases the suites; a handle that could not be locked is kept.
  struct Case {
    Entry entry;
    bool lockFails;
    PF_Err expected;
    const char *message;
  };
  const Case cases[] = {
      {EntryPoint_VlamMod, false, PF_Err_INTERNAL_STRUCT_DAMAGED,
       "Could not initialise sequence data in zkVlamMod (1)"},
      {EntryPoint_VlamMod, true, PF_Err_OUT_OF_MEMORY,
       "Could not initialise sequence data in zkVlamMod (2)"},
      {EntryPoint_VlamFlash, false, PF_Err_INTERNAL_STRUCT_DAMAGED,
       "Could not initialise sequence data"},
      {EntryPoint_VlamFlash, true, PF_Err_OUT_OF_MEMORY, "Could not initialise sequence data"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.message);
    FakeEffectHost host;
    host.handles.failNewHandle = !c.lockFails;
    host.handles.failLock = c.lockFails;
    EXPECT_EQ(CallEffect(c.entry, PF_Cmd_SEQUENCE_SETUP, host), c.expected);
    EXPECT_NE(host.out_data.out_flags & PF_OutFlag_DISPLAY_ERROR_MESSAGE, 0);
    EXPECT_STREQ(host.out_data.return_msg, c.message);
    if (c.entry == EntryPoint_VlamMod) {
      EXPECT_EQ(host.handles.Owns(host.out_data.sequence_data), c.lockFails);
    }
    EXPECT_EQ(host.registry.outstanding(), 0);
  }
  // The builder's sequence record is sixteen zero bytes, disposed at setdown.
  FakeEffectHost builder;
  ASSERT_EQ(CallEffect(EntryPoint_VlamFlash, PF_Cmd_SEQUENCE_SETUP, builder), PF_Err_NONE);
  PF_Handle record = builder.out_data.sequence_data;
  EXPECT_EQ(builder.handles.Bytes(record), std::vector<char>(16, 0));
  builder.in_data.sequence_data = record;
  ASSERT_EQ(CallEffect(EntryPoint_VlamFlash, PF_Cmd_SEQUENCE_SETDOWN, builder), PF_Err_NONE);
  EXPECT_EQ(builder.handles.disposed, std::vector<PF_Handle>{record});
  EXPECT_EQ(builder.out_data.sequence_data, nullptr);
  // A second setdown finds nothing to dispose.
  ASSERT_EQ(CallEffect(EntryPoint_VlamFlash, PF_Cmd_SEQUENCE_SETDOWN, builder), PF_Err_NONE);
  EXPECT_EQ(builder.handles.disposed.size(), 1u);
  // Global setdown disposes the record and clears both fields, and without
  // one does nothing (the Render's and builder's records are checked with
  // their own setup tests).
  FakeEffectHost instance;
  PF_Handle global = instance.handles.MakeHandle("x", 1);
  instance.in_data.global_data = instance.out_data.global_data = global;
  for (int setdown = 0; setdown < 2; ++setdown) {
    ASSERT_EQ(CallEffect(EntryPoint_VlamInstancer, PF_Cmd_GLOBAL_SETDOWN, instance), PF_Err_NONE);
    EXPECT_EQ(instance.handles.disposed, std::vector<PF_Handle>{global});
    EXPECT_EQ(instance.in_data.global_data, nullptr);
    EXPECT_EQ(instance.out_data.global_data, nullptr);
  }
}

// The Render effect's sequence setup asks the utility plug-in for the
// module stack on its layer.
TEST(ModuleStackRequest, AsksForTheEffectsOwnLayerAtSetupOnlyAndFailuresAskNothing) {
  FakeEffectHost host;
  ASSERT_EQ(CallEffect(EntryPoint_VlamRender, PF_Cmd_SEQUENCE_SETUP, host), PF_Err_NONE);
  EXPECT_EQ(host.CallsOf("RequestModuleStack"),
            std::vector<std::string>{"RequestModuleStack own layer"});
  EXPECT_EQ(host.registry.outstanding(), 0);
  // Only at setup, not at resetup.
  ASSERT_EQ(CallEffect(EntryPoint_VlamRender, PF_Cmd_SEQUENCE_RESETUP, host), PF_Err_NONE);
  EXPECT_EQ(host.CallsOf("RequestModuleStack").size(), 1u);
  // Without the utility plug-in the setup reports and returns 13; with the
  // layer unknown it asks for nothing.
  for (const bool noUtilityPlugin : {true, false}) {
    FakeEffectHost host;
    if (noUtilityPlugin) {
      host.registry.Withdraw(kVlamUtilsSuite, kVlamUtilsSuiteVersion1);
    } else {
      host.Fail("GetEffectLayer", A_Err_PARAMETER);
    }
    EXPECT_EQ(CallEffect(EntryPoint_VlamRender, PF_Cmd_SEQUENCE_SETUP, host),
              noUtilityPlugin ? A_Err_MISSING_SUITE : A_Err_PARAMETER);
    if (noUtilityPlugin) {
      EXPECT_STREQ(host.out_data.return_msg, "Couldn't load Vlam Utils Suite");
      EXPECT_NE(host.out_data.out_flags & PF_OutFlag_DISPLAY_ERROR_MESSAGE, 0);
    }
    EXPECT_TRUE(host.CallsOf("RequestModuleStack").empty());
    EXPECT_EQ(host.registry.outstanding(), 0);
  }
}

}  // namespace
}  // namespace vlam_test
