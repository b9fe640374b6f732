// Constants of the host API declarations whose values the host and the
// module must agree on bit for bit.
#include <gtest/gtest.h>

#include <cstddef>

#include "AE_Effect.h"
#include "AE_EffectCB.h"
#include "PF_ModuleResources.h"
#include "PiPL.h"
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

TEST(SdkValues, StagesIndexTheAboutStageTable) {
  EXPECT_EQ(PF_Stage_DEVELOP, 0);
  EXPECT_EQ(PF_Stage_ALPHA, 1);
  EXPECT_EQ(PF_Stage_BETA, 2);
  EXPECT_EQ(PF_Stage_RELEASE, 3);
}

TEST(SdkValues, ErrorCodes) {
  EXPECT_EQ(PF_Err_NONE, 0);
  EXPECT_EQ(PF_Err_OUT_OF_MEMORY, 4);
  EXPECT_EQ(A_Err_MISSING_SUITE, 13);
  EXPECT_EQ(PF_Err_INTERNAL_STRUCT_DAMAGED, 512);
  EXPECT_EQ(PF_Err_INVALID_INDEX, 513);
  EXPECT_EQ(PF_Err_UNRECOGNIZED_PARAM_TYPE, 514);
  EXPECT_EQ(PF_Err_BAD_CALLBACK_PARAM, 516);
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

TEST(SdkValues, RenderOutFlagWords) {
  EXPECT_EQ(PF_OutFlag_DEEP_COLOR_AWARE | PF_OutFlag_I_USE_SHUTTER_ANGLE | PF_OutFlag_CUSTOM_UI |
                PF_OutFlag_NON_PARAM_VARY,
            0x02088004);
  EXPECT_EQ(PF_OutFlag2_FLOAT_COLOR_AWARE | PF_OutFlag2_SUPPORTS_SMART_RENDER |
                PF_OutFlag2_PARAM_GROUP_START_COLLAPSED_FLAG | PF_OutFlag2_I_USE_3D_CAMERA |
                PF_OutFlag2_SUPPORTS_QUERY_DYNAMIC_FLAGS,
            0x0000140B);
}

TEST(SdkValues, ModuleEffectOutFlagWords) {
  const A_long selector = PF_OutFlag_DEEP_COLOR_AWARE | PF_OutFlag_I_AM_OBSOLETE |
                          PF_OutFlag_CUSTOM_UI | PF_OutFlag_PIX_INDEPENDENT;
  EXPECT_EQ(selector, 0x02208400);                              // Module Selector, Flash Builder
  EXPECT_EQ(selector | PF_OutFlag_NON_PARAM_VARY, 0x02208404);  // Flash Instance
  EXPECT_EQ(PF_OutFlag_DEEP_COLOR_AWARE | PF_OutFlag_I_AM_OBSOLETE | PF_OutFlag_PIX_INDEPENDENT,
            0x02200400);  // Relighter
  const A_long flags2 = PF_OutFlag2_FLOAT_COLOR_AWARE | PF_OutFlag2_SUPPORTS_SMART_RENDER |
                        PF_OutFlag2_PARAM_GROUP_START_COLLAPSED_FLAG;
  EXPECT_EQ(flags2, 0x00001408);
  EXPECT_EQ(flags2 | PF_OutFlag2_I_USE_3D_CAMERA, 0x0000140A);
  EXPECT_EQ(PF_OutFlag_DISPLAY_ERROR_MESSAGE, 0x100);
}

TEST(SdkValues, PiplCodesReadWithFirstCharInHighByte) {
  EXPECT_EQ(PIEffectKind, 0x65464B54u);     // 'eFKT'
  EXPECT_EQ(PIAdobeVendorID, 0x3842494Du);  // '8BIM'
  EXPECT_EQ(PIAEVendorID, 0x41444245u);     // 'ADBE'
  EXPECT_EQ(PIPropertyListType, PF_ModuleResourceType_PiPL);
  EXPECT_EQ(PF_ModuleResourceType_PiPL, 0x5069504Cu);
  EXPECT_EQ(PIWin64X86CodeProperty, 0x38363634u);  // '8664'
}

TEST(SdkValues, AddSuiteIsTheThirdEntryOfTheSuitesSuite) {
  EXPECT_EQ(offsetof(SPSuitesSuite, AddSuite), 2 * sizeof(void *));
}
