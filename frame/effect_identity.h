// What every effect of the module announces about itself: version, out-flags,
// match names and about-text descriptions.
#pragma once
#include "AE_Effect.h"

namespace vlam {

inline constexpr int kVersionMajor = 1;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionBugfix = 3;
inline constexpr int kVersionStage = PF_Stage_RELEASE;
inline constexpr int kVersionBuild = 1;
inline constexpr A_u_long kEffectVersion =
    PF_VERSION(kVersionMajor, kVersionMinor, kVersionBugfix, kVersionStage, kVersionBuild);

inline constexpr const char *kProductWord = "Vlam";
inline constexpr const char *kCreditLine = "Orvane Pictures";

// One record per effect; the PiPL resources, global setup and the about
// text all read from here so the announced values cannot drift apart.
struct EffectIdentity {
  const char *name;
  const char *match_name;
  const char *entry_point;
  const char *description;
  A_long out_flags;
  A_long out_flags2;
  A_long resource_id;
};

inline constexpr A_long kModuleEffectOutFlags = PF_OutFlag_DEEP_COLOR_AWARE |
                                                PF_OutFlag_I_AM_OBSOLETE | PF_OutFlag_CUSTOM_UI |
                                                PF_OutFlag_PIX_INDEPENDENT;
// The effects whose controls enable, disable, show or hide one another ask
// with this flag for PF_Cmd_UPDATE_PARAMS_UI, which the host sends whenever
// it brings their controls up to date.
inline constexpr A_long kUpdatesParamsUi = PF_OutFlag_SEND_UPDATE_PARAMS_UI;
inline constexpr A_long kModuleEffectOutFlags2 = PF_OutFlag2_FLOAT_COLOR_AWARE |
                                                 PF_OutFlag2_SUPPORTS_SMART_RENDER |
                                                 PF_OutFlag2_PARAM_GROUP_START_COLLAPSED_FLAG;

inline constexpr EffectIdentity kRenderIdentity{
    "Vlam",
    "zk_Vlam",
    "EntryPoint_VlamRender",
    "Renders 3D muzzle flashes",
    PF_OutFlag_DEEP_COLOR_AWARE | PF_OutFlag_I_USE_SHUTTER_ANGLE | PF_OutFlag_CUSTOM_UI |
        PF_OutFlag_NON_PARAM_VARY | kUpdatesParamsUi,
    PF_OutFlag2_FLOAT_COLOR_AWARE | PF_OutFlag2_SUPPORTS_SMART_RENDER |
        PF_OutFlag2_PARAM_GROUP_START_COLLAPSED_FLAG | PF_OutFlag2_I_USE_3D_CAMERA |
        PF_OutFlag2_SUPPORTS_QUERY_DYNAMIC_FLAGS,
    16001};

inline constexpr EffectIdentity kSelectorIdentity{"Vlam Module Selector",
                                                  "zk_VlamMod",
                                                  "EntryPoint_VlamMod",
                                                  "Adds module effects to make muzzle flashes",
                                                  kModuleEffectOutFlags,
                                                  kModuleEffectOutFlags2,
                                                  16002};

inline constexpr EffectIdentity kBuilderIdentity{"Vlam Flash Builder",
                                                 "zk_VlamFlash",
                                                 "EntryPoint_VlamFlash",
                                                 "Muzzle flash design module",
                                                 kModuleEffectOutFlags | kUpdatesParamsUi,
                                                 kModuleEffectOutFlags2,
                                                 16003};

inline constexpr EffectIdentity kInstanceIdentity{"Vlam Flash Instance",
                                                  "zk_VlamInstance",
                                                  "EntryPoint_VlamInstancer",
                                                  "Creates an instance of a muzzle flash",
                                                  kModuleEffectOutFlags | PF_OutFlag_NON_PARAM_VARY |
                                                      kUpdatesParamsUi,
                                                  kModuleEffectOutFlags2,
                                                  16004};

inline constexpr EffectIdentity kRelighterIdentity{
    "Vlam Relighter",
    "zk_VlamRelighter",
    "EntryPoint_VlamRelighter",
    "Relights an environment with your muzzle flashes",
    PF_OutFlag_DEEP_COLOR_AWARE | PF_OutFlag_I_AM_OBSOLETE | PF_OutFlag_PIX_INDEPENDENT |
        kUpdatesParamsUi,
    kModuleEffectOutFlags2 | PF_OutFlag2_I_USE_3D_CAMERA,
    16005};

inline constexpr const char *kCategory = "Orvane Pictures";

inline constexpr const char *kUtilityName = "zkVlamUtil";
inline constexpr const char *kUtilityCategory = "General Plugin";
inline constexpr const char *kUtilityEntryPoint = "EntryPointFunc_VlamUtils";
inline constexpr A_long kUtilityResourceId = 16000;
inline constexpr A_u_long kUtilityPiplVersion = 0x00030000;

}  // namespace vlam
