#include "frame/about_text.h"

#include <gtest/gtest.h>

#include <string>

#include "frame/effect_entries.h"
#include "frame/fake_host_support.h"

namespace vlam_test {
namespace {

std::string AboutOf(PF_Err (*entry)(PF_Cmd, PF_InData *, PF_OutData *, PF_ParamDef *[],
                                    PF_LayerDef *, void *)) {
  FakeEffectHost host;
  EXPECT_EQ(CallEffect(entry, PF_Cmd_ABOUT, host), PF_Err_NONE);
  return host.out_data.return_msg;
}

TEST(AboutText, EveryEffectHasItsDescription) {
  const std::string prefix = "Vlam v1.0.3 \r\r";
  const std::string credit = "\r\rOrvane Pictures";
  EXPECT_EQ(AboutOf(EntryPoint_VlamMod), prefix + "Adds module effects to make muzzle flashes" + credit);
  EXPECT_EQ(AboutOf(EntryPoint_VlamRender), prefix + "Renders 3D muzzle flashes" + credit);
  EXPECT_EQ(AboutOf(EntryPoint_VlamFlash), prefix + "Muzzle flash design module" + credit);
  EXPECT_EQ(AboutOf(EntryPoint_VlamInstancer),
            prefix + "Creates an instance of a muzzle flash" + credit);
  EXPECT_EQ(AboutOf(EntryPoint_VlamRelighter),
            prefix + "Relights an environment with your muzzle flashes" + credit);
}

}  // namespace
}  // namespace vlam_test
