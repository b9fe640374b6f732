// The version word's bit fields and the four-character codes as numbers.
// (Error codes, command numbers and record layouts are checked at compile
// time against the measured interface in frame/sdk_layout_checks.cpp.)
#include <gtest/gtest.h>

#include "AE_Effect.h"
#include "AE_EffectCB.h"
#include "PF_ModuleResources.h"
#include "SPPiPL.h"
#include "frame/pipl_keys.h"

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

TEST(SdkValues, PiplCodesReadWithFirstCharInHighByte) {
  EXPECT_EQ(vlam::kPiplEffectKind, 0x65464B54u);  // 'eFKT'
  EXPECT_EQ(vlam::kPiplVendor, 0x3842494Du);      // '8BIM'
  EXPECT_EQ(PIKindProperty, 0x6B696E64u);         // 'kind'
  EXPECT_EQ(PF_ModuleResourceType_PiPL, 0x5069504Cu);
  EXPECT_EQ(PIWin64X86CodeProperty, 0x38363634u);  // '8664'
}
