// Test fixture: the utility plug-in loaded into a fresh fake host.
#pragma once
#include <gtest/gtest.h>

#include "modules/fake_aegp_support.h"
#include "modules/utility_plugin.h"

namespace vlam_test {

class LoadedUtilityPlugin : public ::testing::Test {
 protected:
  void SetUp() override {
    AEGP_GlobalRefcon refcon = nullptr;
    ASSERT_EQ(EntryPointFunc_VlamUtils(host.basic(), 13, 28, 7, &refcon), A_Err_NONE);
    suite = host.UtilsSuite();
    ASSERT_NE(suite, nullptr);
  }
  FakeAegpHost host;
  const VlamUtilsSuite1 *suite = nullptr;
};

}  // namespace vlam_test
