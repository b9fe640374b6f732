// Constants of the host API declarations whose values the host and the
// module must agree on bit for bit.
#include <gtest/gtest.h>

#include <cstddef>

#include "AE_Effect.h"
#include "AE_EffectCB.h"
#include "PF_ModuleResources.h"
#include "SPPiPL.h"
#include "frame/pipl_keys.h"
#include "SPSuites.h"

TEST(SdkValues, VersionWordOfRelease103Build1) {
  EXPECT_EQ(PF_VERSION(1, 0, 3, PF_Stage_RELEASE, 1), 0x00081E01u);
  // Each field lands in its own bits.
  EXPECT_EQ(PF_VERSION(0, 0, 0, 0, 0x1ff), 0x1ffu);
  EXPECT_EQ(PF_VERSION(0, 0, 0, PF_Stage_BETA, 0), 2u << 9);
  EXPECT_EQ(PF_VERSION(0, 0, 15, 0, 0), 15u << 11);
  EXPECT_EQ(PF_VERSION(0, 15, 0, 0, 0), 15u << 15);
  EXPECT_EQ(PF_VERSION(7, 0, 0, 0, 0), 7u << 19);
  EXPECT_EQ(PF_VERSION(8, 0, 0, 0, 0), 1u << 26);
}

TEST(SdkValues, ErrorCodesAndTheErrorMessageFlag) {
  EXPECT_EQ(PF_Err_NONE, 0);
  EXPECT_EQ(PF_Err_OUT_OF_MEMORY, 4);
  EXPECT_EQ(A_Err_MISSING_SUITE, 13);
  EXPECT_EQ(PF_Err_INTERNAL_STRUCT_DAMAGED, 512);
  EXPECT_EQ(PF_Err_INVALID_INDEX, 513);
  EXPECT_EQ(PF_Err_UNRECOGNIZED_PARAM_TYPE, 514);
  EXPECT_EQ(PF_Err_BAD_CALLBACK_PARAM, 516);
  EXPECT_EQ(PF_OutFlag_DISPLAY_ERROR_MESSAGE, 0x100);
}

TEST(SdkValues, CommandNumbers) {
  EXPECT_EQ(PF_Cmd_ABOUT, 0);
  EXPECT_EQ(PF_Cmd_GLOBAL_SETUP, 1);
  EXPECT_EQ(PF_Cmd_PARAMS_SETUP, 4);
  EXPECT_EQ(PF_Cmd_SEQUENCE_SETUP, 5);
  EXPECT_EQ(PF_Cmd_SEQUENCE_RESETUP, 6);
  EXPECT_EQ(PF_Cmd_SEQUENCE_SETDOWN, 8);
  EXPECT_EQ(PF_Cmd_RENDER, 11);
  EXPECT_EQ(PF_Cmd_USER_CHANGED_PARAM, 13);
  EXPECT_EQ(PF_Cmd_UPDATE_PARAMS_UI, 14);
  EXPECT_EQ(PF_Cmd_EVENT, 15);
  EXPECT_EQ(PF_Cmd_COMPLETELY_GENERAL, 17);
  EXPECT_EQ(PF_Cmd_ARBITRARY_CALLBACK, 22);
  EXPECT_EQ(PF_Cmd_SMART_PRE_RENDER, 23);
  EXPECT_EQ(PF_Cmd_SMART_RENDER, 24);
}

TEST(SdkValues, PiplCodesReadWithFirstCharInHighByte) {
  EXPECT_EQ(vlam::kPiplEffectKind, 0x65464B54u);  // 'eFKT'
  EXPECT_EQ(vlam::kPiplVendor, 0x3842494Du);      // '8BIM'
  EXPECT_EQ(PIKindProperty, 0x6B696E64u);         // 'kind'
  EXPECT_EQ(PF_ModuleResourceType_PiPL, 0x5069504Cu);
  EXPECT_EQ(PIWin64X86CodeProperty, 0x38363634u);  // '8664'
}

TEST(SdkValues, AddSuiteIsTheThirdEntryOfTheSuitesSuite) {
  EXPECT_EQ(offsetof(SPSuitesSuite, AddSuite), 2 * sizeof(void *));
}
