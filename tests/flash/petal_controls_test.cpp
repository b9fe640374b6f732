#include "flash/petal_controls.h"
#include "flash/petal_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "builder_host_support.h"

namespace vlam {
namespace {

class PetalControlsTest : public ::testing::Test {
 protected:
  PF_Err Update(A_long configuration) {
    host.SetPopup(kBuilderPetalConfiguration, configuration);
    pointers.clear();
    for (PF_ParamDef& def : host.values) pointers.push_back(&def);
    return UpdatePetalControls(host.InData(), pointers.data());
  }
  static std::vector<std::string> Expected(bool on) {
    const std::string flags = on ? "0" : std::to_string(PF_PUI_DISABLED);
    const std::string ui = "PF_UpdateParamUI ";
    const std::string stream = "SetDynamicStreamFlag " +
                               std::to_string(AEGP_DynStreamFlag_DISABLED) +
                               (on ? " 12 cleared" : " 12 set");
    return {ui + "32 " + flags, ui + "10 " + flags, stream, ui + "14 " + flags,
            ui + "13 " + flags, ui + "15 " + flags, ui + "16 " + flags};
  }
  std::vector<std::string> UiCalls() const {
    return host.CallsOf({"PF_UpdateParamUI", "SetDynamicStreamFlag"});
  }

  FakeBuilderHost host;
  std::vector<PF_ParamDef*> pointers;
};

// None or a value outside the items disables the petal controls in order,
// keeping the profile collapsed; the first petal item, one in the middle and
// the last ("Eight Star") enable them and uncollapse the profile.
TEST_F(PetalControlsTest, PetalsEnableTheControlsAndNoneDisablesThem) {
  const A_long none = kPetalConfigurationNone, last = kPetalConfigurationCount;
  for (A_long configuration : {none, A_long{0}, A_long{11}, A_long{-3}, none + 1, A_long{4}, last}) {
    const bool on = configuration > none && configuration <= last;
    host.values[kBuilderPetalProfile].flags |= PF_ParamFlag_COLLAPSE_TWIRLY;
    host.calls.clear();
    ASSERT_EQ(Update(configuration), PF_Err_NONE) << configuration;
    EXPECT_EQ(UiCalls(), Expected(on)) << configuration;
    EXPECT_EQ((host.values[kBuilderPetalProfile].flags & PF_ParamFlag_COLLAPSE_TWIRLY) != 0, !on) << configuration;
    EXPECT_TRUE(host.values[kBuilderPetalProfile].flags & PF_ParamFlag_CANNOT_TIME_VARY);
    EXPECT_EQ(host.values[kBuilderBarrelRadius].ui_flags, on ? 0 : PF_PUI_DISABLED) << configuration;
  }

  // The first failure ends the command.
  host.calls.clear();
  host.Fail("PF_UpdateParamUI " + std::to_string(kBuilderPetalLength), PF_Err_OUT_OF_MEMORY);
  EXPECT_EQ(Update(2), PF_Err_OUT_OF_MEMORY);
  ASSERT_EQ(UiCalls().size(), 2u);
  EXPECT_EQ(UiCalls()[1], "PF_UpdateParamUI 10 0");
}

}  // namespace
}  // namespace vlam
