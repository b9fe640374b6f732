// Command tables of the five effect entry functions: what each answers, what
// it leaves alone, and that nothing escapes an entry function.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "AE_EffectCBSuites.h"
#include "frame/effect_entries.h"
#include "frame/effect_identity.h"
#include "frame/fake_host_support.h"

namespace vlam_test {
namespace {

using Entry = PF_Err (*)(PF_Cmd, PF_InData *, PF_OutData *, PF_ParamDef *[], PF_LayerDef *, void *);

struct EffectCase {
  const char *name;
  Entry entry;
  const vlam::EffectIdentity *identity;
  const char *about;  // the line between version and credit in the about box
};

const EffectCase kEffects[] = {
    {"Render", EntryPoint_VlamRender, &vlam::kRenderIdentity, "Renders 3D muzzle flashes"},
    {"Builder", EntryPoint_VlamFlash, &vlam::kBuilderIdentity, "Muzzle flash design module"},
    {"Instance", EntryPoint_VlamInstancer, &vlam::kInstanceIdentity,
     "Creates an instance of a muzzle flash"},
    {"Selector", EntryPoint_VlamMod, &vlam::kSelectorIdentity,
     "Adds module effects to make muzzle flashes"},
    {"Relighter", EntryPoint_VlamRelighter, &vlam::kRelighterIdentity,
     "Relights an environment with your muzzle flashes"},
};

class EntryDispatch : public ::testing::TestWithParam<EffectCase> {};

TEST_P(EntryDispatch, UnlistedCommandsTouchNothingSetupAnnouncesVersionFlagsParams) {
  FakeEffectHost host;
  std::memset(&host.out_data, 0xA5, sizeof host.out_data);
  PF_OutData before;
  std::memcpy(&before, &host.out_data, sizeof before);
  const EffectCase &effect = GetParam();
  for (PF_Cmd cmd :
       {PF_Cmd{25}, PF_Cmd{-1}, PF_Cmd{1000}, PF_Cmd{PF_Cmd_RENDER}, PF_Cmd{PF_Cmd_FRAME_SETUP},
        PF_Cmd{PF_Cmd_DO_DIALOG}, PF_Cmd{PF_Cmd_QUERY_DYNAMIC_FLAGS}}) {
    // A nonsense extra pointer: it must not even be looked at.
    EXPECT_EQ(CallEffect(effect.entry, cmd, host, reinterpret_cast<void *>(0x10)), PF_Err_NONE)
        << effect.name << " command " << cmd;
  }
  EXPECT_EQ(std::memcmp(&before, &host.out_data, sizeof before), 0) << effect.name;
  EXPECT_EQ(host.registry.outstanding(), 0);
  EXPECT_EQ(host.handles.LiveHandles(), 0);
  // About, global and params setup announce the version, flags and parameters.
  host.out_data = PF_OutData{};
  ASSERT_EQ(CallEffect(effect.entry, PF_Cmd_ABOUT, host), PF_Err_NONE);
  EXPECT_EQ(std::string(host.out_data.return_msg),
            std::string("Vlam v1.0.3 \r\r") + effect.about + "\r\rOrvane Pictures");
  ASSERT_EQ(CallEffect(effect.entry, PF_Cmd_GLOBAL_SETUP, host), PF_Err_NONE);
  EXPECT_EQ(host.out_data.my_version, 0x00081E01u);
  EXPECT_EQ(host.out_data.out_flags, effect.identity->out_flags);
  EXPECT_EQ(host.out_data.out_flags2, effect.identity->out_flags2);
  host.in_data.global_data = host.out_data.global_data;
  ASSERT_EQ(CallEffect(effect.entry, PF_Cmd_PARAMS_SETUP, host), PF_Err_NONE);
  EXPECT_EQ(host.added.size() + 1, static_cast<std::size_t>(host.out_data.num_params));
  // What global setup holds (the builder's curve handlers keep a suite each)
  // is released at global setdown.
  EXPECT_EQ(CallEffect(effect.entry, PF_Cmd_GLOBAL_SETDOWN, host), PF_Err_NONE);
  EXPECT_EQ(host.registry.outstanding(), 0);
}

INSTANTIATE_TEST_SUITE_P(AllEffects, EntryDispatch, ::testing::ValuesIn(kEffects),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(EntryDispatchTable, SequenceSetdownOnlyWhereHandledRenderAnswersTheRelighter) {
  FakeEffectHost host;
  host.in_data.sequence_data = host.handles.MakeHandle("0123456789abcdef", 16);
  host.out_data.sequence_data = host.in_data.sequence_data;
  // The Module Selector does not handle sequence setdown: its record stays.
  EXPECT_EQ(CallEffect(EntryPoint_VlamMod, PF_Cmd_SEQUENCE_SETDOWN, host), PF_Err_NONE);
  EXPECT_TRUE(host.handles.disposed.empty());
  // Neither Render nor Relighter nor Instance keep sequence data.
  for (Entry entry : {Entry{EntryPoint_VlamRender}, Entry{EntryPoint_VlamRelighter},
                      Entry{EntryPoint_VlamInstancer}}) {
    EXPECT_EQ(CallEffect(entry, PF_Cmd_SEQUENCE_SETDOWN, host), PF_Err_NONE);
  }
  EXPECT_TRUE(host.handles.disposed.empty());
  EXPECT_EQ(host.out_data.sequence_data, host.in_data.sequence_data);
  // Render answers the Relighter's query.
  A_u_char record[8] = {};
  EXPECT_EQ(CallEffect(EntryPoint_VlamRender, PF_Cmd_COMPLETELY_GENERAL, host, record),
            PF_Err_NONE);
  EXPECT_EQ(record[0], 1);
  EXPECT_EQ(record[1], 0);
  // Without a record nothing is written and nothing fails.
  EXPECT_EQ(CallEffect(EntryPoint_VlamRender, PF_Cmd_COMPLETELY_GENERAL, host, nullptr),
            PF_Err_NONE);
}

// A non-integer exception from the host stops at the entry, with the suite
// acquired before the throw released; a missing suite ends the command with
// code 13 and no message.
TEST(EntryGuard, HostFaultsAndUnlistedEventsEndTheCommandAtTheEntry) {
  FakeEffectHost host;
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
  // Events outside an effect's list return at once.
  PF_EventExtra event{};
  event.e_type = PF_Event_DO_CLICK;
  EXPECT_EQ(CallEffect(EntryPoint_VlamInstancer, PF_Cmd_EVENT, host, &event), PF_Err_NONE);
  event.e_type = PF_Event_KEYDOWN;
  EXPECT_EQ(CallEffect(EntryPoint_VlamMod, PF_Cmd_EVENT, host, &event), PF_Err_NONE);
  // No event record at all is not a crash.
  EXPECT_EQ(CallEffect(EntryPoint_VlamMod, PF_Cmd_EVENT, host, nullptr), PF_Err_NONE);
  EXPECT_EQ(CallEffect(EntryPoint_VlamInstancer, PF_Cmd_EVENT, host, nullptr), PF_Err_NONE);
}

}  // namespace
}  // namespace vlam_test
