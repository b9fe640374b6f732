// Global and sequence records in host handles.
#include <gtest/gtest.h>

#include <cstring>

#include "frame/effect_entries.h"
#include "frame/fake_host_support.h"
#include "modules/selector_state.h"

namespace vlam_test {
namespace {

std::vector<A_long> Longs(const std::vector<char> &bytes) {
  std::vector<A_long> out(bytes.size() / sizeof(A_long));
  std::memcpy(out.data(), bytes.data(), out.size() * sizeof(A_long));
  return out;
}

// Setup makes a record with no button active; resetup replaces the old
// record (here one with a hovered button) by a fresh one.
TEST(SequenceRecord, SelectorSetupResetupAndFailures) {
  FakeEffectHost host;
  ASSERT_EQ(CallEffect(EntryPoint_VlamMod, PF_Cmd_SEQUENCE_SETUP, host), PF_Err_NONE);
  PF_Handle old = host.out_data.sequence_data;
  ASSERT_NE(old, nullptr);
  EXPECT_EQ(Longs(host.handles.Bytes(old)), (std::vector<A_long>{0, -1, 0, -1}));
  EXPECT_EQ(host.handles.lockCalls, host.handles.unlockCalls);
  EXPECT_EQ(host.registry.outstanding(), 0);
  const vlam::SelectorState hovered{{1, 3}, {2, 0}};
  std::memcpy(*old, &hovered, sizeof hovered);
  host.in_data.sequence_data = old;
  ASSERT_EQ(CallEffect(EntryPoint_VlamMod, PF_Cmd_SEQUENCE_RESETUP, host), PF_Err_NONE);
  ASSERT_EQ(host.handles.disposed, std::vector<PF_Handle>{old});
  ASSERT_NE(host.out_data.sequence_data, nullptr);
  EXPECT_EQ(Longs(host.handles.Bytes(host.out_data.sequence_data)), (std::vector<A_long>{0, -1, 0, -1}));
  EXPECT_EQ(host.handles.LiveHandles(), 1);
// A failed allocation or lock is shown, with the selector's own messages,
// and releases the suites; a handle that could not be locked is kept.
  using Entry = PF_Err (*)(PF_Cmd, PF_InData *, PF_OutData *, PF_ParamDef *[], PF_LayerDef *, void *);
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
      {EntryPoint_VlamFlash, false, PF_Err_INTERNAL_STRUCT_DAMAGED, "Could not initialise sequence data"},
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
      EXPECT_EQ(host.out_data.sequence_data != nullptr, c.lockFails);
      if (c.lockFails) {
        EXPECT_TRUE(host.handles.Owns(host.out_data.sequence_data));
      }
    }
    EXPECT_EQ(host.registry.outstanding(), 0);
  }
}

TEST(HandleRecords, BuilderSequenceRecordAndGlobalRecords) {
  FakeEffectHost host;
  ASSERT_EQ(CallEffect(EntryPoint_VlamFlash, PF_Cmd_SEQUENCE_SETUP, host), PF_Err_NONE);
  PF_Handle record = host.out_data.sequence_data;
  EXPECT_EQ(host.handles.Bytes(record), std::vector<char>(16, 0));
  host.in_data.sequence_data = record;
  ASSERT_EQ(CallEffect(EntryPoint_VlamFlash, PF_Cmd_SEQUENCE_SETDOWN, host), PF_Err_NONE);
  EXPECT_EQ(host.handles.disposed, std::vector<PF_Handle>{record});
  EXPECT_EQ(host.out_data.sequence_data, nullptr);
  // A second setdown finds nothing to dispose.
  ASSERT_EQ(CallEffect(EntryPoint_VlamFlash, PF_Cmd_SEQUENCE_SETDOWN, host), PF_Err_NONE);
  EXPECT_EQ(host.handles.disposed.size(), 1u);
// Render and builder records have their sizes (the builder's keeps a lock
// until setdown); setdown disposes the record and clears both fields, and
// without one does nothing.
  using Entry =
      PF_Err (*)(PF_Cmd, PF_InData *, PF_OutData *, PF_ParamDef *[], PF_LayerDef *, void *);
  const std::pair<Entry, std::size_t> cases[] = {
      {EntryPoint_VlamRender, 10332}, {EntryPoint_VlamFlash, 13924}, {EntryPoint_VlamInstancer, 0}};
  for (const auto &[entry, size] : cases) {
    SCOPED_TRACE(size);
    FakeEffectHost host;
    if (size != 0) {
      ASSERT_EQ(CallEffect(entry, PF_Cmd_GLOBAL_SETUP, host), PF_Err_NONE);
      ASSERT_NE(host.out_data.global_data, nullptr);
      EXPECT_EQ(host.handles.Bytes(host.out_data.global_data).size(), size);
    } else {
      host.out_data.global_data = host.handles.MakeHandle("x", 1);
    }
    PF_Handle global = host.in_data.global_data = host.out_data.global_data;
    ASSERT_EQ(CallEffect(entry, PF_Cmd_GLOBAL_SETDOWN, host), PF_Err_NONE);
    EXPECT_EQ(host.handles.disposed.back(), global);
    EXPECT_FALSE(host.handles.Owns(global));
    EXPECT_EQ(host.in_data.global_data, nullptr);
    EXPECT_EQ(host.out_data.global_data, nullptr);
    EXPECT_EQ(host.handles.lockCalls, host.handles.unlockCalls);
    const std::size_t disposed = host.handles.disposed.size();
    ASSERT_EQ(CallEffect(entry, PF_Cmd_GLOBAL_SETDOWN, host), PF_Err_NONE);
    EXPECT_EQ(host.handles.disposed.size(), disposed);
  }
}

}  // namespace
}  // namespace vlam_test
