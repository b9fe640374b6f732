// The two ways the module gets host suites.
#include <gtest/gtest.h>

#include "AE_EffectCBSuites.h"
#include "frame/fake_host_support.h"
#include "frame/scoped_suite.h"
#include "frame/suite_handler.h"

namespace vlam_test {
namespace {

template <typename Body>
A_long ThrownCode(Body body) {
  try {
    body();
  } catch (A_long code) {
    return code;
  }
  return 0;
}

TEST(SuiteHandler, AcquiresEachVersionOnceReleasesAllRefusedThrows516) {
  FakeEffectHost host;
  {
    vlam::SuiteHandler suites(host.registry.basic());
    const auto *first = suites.Get<PF_HandleSuite1>(kPFHandleSuite, kPFHandleSuiteVersion1);
    const auto *again = suites.Get<PF_HandleSuite1>(kPFHandleSuite, kPFHandleSuiteVersion1);
    EXPECT_EQ(first, host.handles.Handles());
    EXPECT_EQ(first, again);
    suites.Get<AEGP_IterateSuite1>(kAEGPIterateSuite, kAEGPIterateSuiteVersion1);
    EXPECT_EQ(host.registry.acquired(kPFHandleSuite, kPFHandleSuiteVersion1), 1);
    EXPECT_EQ(host.registry.outstanding(), 2);
    // Versions are distinct suites.
    const auto *v3 = suites.Get<AEGP_PersistentDataSuite3>(kAEGPPersistentDataSuite,
                                                           kAEGPPersistentDataSuiteVersion3);
    const auto *v4 = suites.Get<AEGP_PersistentDataSuite4>(kAEGPPersistentDataSuite,
                                                           kAEGPPersistentDataSuiteVersion4);
    EXPECT_NE(static_cast<const void *>(v3), static_cast<const void *>(v4));
  }
  EXPECT_EQ(host.registry.outstanding(), 0);
  // A refused suite throws 516 and leaves the others releasable.
  EXPECT_EQ(ThrownCode([&] {
              vlam::SuiteHandler suites(host.registry.basic());
              suites.Get<PF_HandleSuite1>(kPFHandleSuite, kPFHandleSuiteVersion1);
              suites.Get<PF_HandleSuite1>("PF Nonexistent Suite", 1);
            }),
            PF_Err_BAD_CALLBACK_PARAM);
  EXPECT_EQ(host.registry.outstanding(), 0);
}

// Released at scope end; a refused suite throws 13 and only the message
// variant shows a message.
TEST(ScopedSuite, ReleasesAtScopeEndRefusedThrows13) {
  FakeEffectHost host;
  {
    vlam::ScopedSuite<PF_HandleSuite1> suite(host.registry.basic(), kPFHandleSuite,
                                             kPFHandleSuiteVersion1);
    EXPECT_EQ(suite.get(), host.handles.Handles());
    EXPECT_EQ(host.registry.outstanding(), 1);
  }
  EXPECT_EQ(host.registry.outstanding(), 0);
  EXPECT_EQ(ThrownCode([&] {
              vlam::ScopedSuite<PF_HandleSuite1> suite(host.registry.basic(), "PF Nonexistent Suite", 1);
            }),
            A_Err_MISSING_SUITE);
  EXPECT_EQ(host.out_data.out_flags, 0);
  EXPECT_EQ(ThrownCode([&] {
              vlam::ScopedSuite<PF_HandleSuite1> suite(&host.in_data, &host.out_data, "PF Nonexistent Suite",
                                                       1, "Couldn't load it");
            }),
            A_Err_MISSING_SUITE);
  EXPECT_STREQ(host.out_data.return_msg, "Couldn't load it");
  EXPECT_NE(host.out_data.out_flags & PF_OutFlag_DISPLAY_ERROR_MESSAGE, 0);
}

}  // namespace
}  // namespace vlam_test
