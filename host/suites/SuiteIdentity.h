#pragma once
// The name and version under which each suite table type is published. A
// table can only be registered under its own version, so a host table can
// never be handed out for a version whose layout differs from it.
#include "host/suites/SuiteRegistry.h"

#include <AE_EffectCBSuites.h>
#include <AE_EffectSuites.h>
#include <AE_GeneralPlug.h>
#include <PF_Masks.h>
#include <SPSuites.h>
#include <adobesdk/DrawbotSuite.h>

#include <cstdint>

namespace vlam::host {

template <class Suite> struct SuiteIdentity; // only the suites below are published

#define VLAM_SUITE_IDENTITY(Suite, Name, Version)                                                                      \
  template <> struct SuiteIdentity<Suite> {                                                                            \
    static constexpr const char *name = Name;                                                                          \
    static constexpr std::int32_t version = Version;                                                                   \
  };

VLAM_SUITE_IDENTITY(SPSuitesSuite, kSPSuitesSuite, kSPSuitesSuiteVersion)
VLAM_SUITE_IDENTITY(PF_HandleSuite1, kPFHandleSuite, kPFHandleSuiteVersion1)
VLAM_SUITE_IDENTITY(PF_WorldSuite2, kPFWorldSuite, kPFWorldSuiteVersion2)
VLAM_SUITE_IDENTITY(PF_FillMatteSuite2, kPFFillMatteSuite, kPFFillMatteSuiteVersion2)
VLAM_SUITE_IDENTITY(PF_WorldTransformSuite1, kPFWorldTransformSuite, kPFWorldTransformSuiteVersion1)
VLAM_SUITE_IDENTITY(PF_Iterate8Suite1, kPFIterate8Suite, kPFIterate8SuiteVersion1)
VLAM_SUITE_IDENTITY(PF_iterate16Suite1, kPFIterate16Suite, kPFIterate16SuiteVersion1)
VLAM_SUITE_IDENTITY(PF_iterateFloatSuite1, kPFIterateFloatSuite, kPFIterateFloatSuiteVersion1)
VLAM_SUITE_IDENTITY(PF_ParamUtilsSuite3, kPFParamUtilsSuite, kPFParamUtilsSuiteVersion3)
VLAM_SUITE_IDENTITY(PF_AngleParamSuite1, kPFAngleParamSuite, kPFAngleParamSuiteVersion1)
VLAM_SUITE_IDENTITY(PF_ColorParamSuite1, kPFColorParamSuite, kPFColorParamSuiteVersion1)
VLAM_SUITE_IDENTITY(PF_PointParamSuite1, kPFPointParamSuite, kPFPointParamSuiteVersion1)
VLAM_SUITE_IDENTITY(PF_PathQuerySuite1, kPFPathQuerySuite, kPFPathQuerySuiteVersion1)
VLAM_SUITE_IDENTITY(PF_PathDataSuite1, kPFPathDataSuite, kPFPathDataSuiteVersion1)
VLAM_SUITE_IDENTITY(PF_MaskSuite1, kPF_MaskSuite, kPF_MaskSuiteVersion1)
VLAM_SUITE_IDENTITY(PFAppSuite4, kPFAppSuite, kPFAppSuiteVersion4)
VLAM_SUITE_IDENTITY(PF_EffectCustomUISuite1, kPFEffectCustomUISuite, kPFEffectCustomUISuiteVersion1)
VLAM_SUITE_IDENTITY(AEGP_PFInterfaceSuite1, kAEGPPFInterfaceSuite, kAEGPPFInterfaceSuiteVersion1)
VLAM_SUITE_IDENTITY(AEGP_EffectSuite3, kAEGPEffectSuite, kAEGPEffectSuiteVersion3)
VLAM_SUITE_IDENTITY(AEGP_StreamSuite3, kAEGPStreamSuite, kAEGPStreamSuiteVersion3)
VLAM_SUITE_IDENTITY(AEGP_StreamSuite4, kAEGPStreamSuite, kAEGPStreamSuiteVersion4)
VLAM_SUITE_IDENTITY(AEGP_DynamicStreamSuite3, kAEGPDynamicStreamSuite, kAEGPDynamicStreamSuiteVersion3)
VLAM_SUITE_IDENTITY(AEGP_DynamicStreamSuite4, kAEGPDynamicStreamSuite, kAEGPDynamicStreamSuiteVersion4)
VLAM_SUITE_IDENTITY(AEGP_LayerSuite7, kAEGPLayerSuite, kAEGPLayerSuiteVersion7)
VLAM_SUITE_IDENTITY(AEGP_CompSuite9, kAEGPCompSuite, kAEGPCompSuiteVersion9)
VLAM_SUITE_IDENTITY(AEGP_ItemSuite8, kAEGPItemSuite, kAEGPItemSuiteVersion8)
VLAM_SUITE_IDENTITY(AEGP_CameraSuite2, kAEGPCameraSuite, kAEGPCameraSuiteVersion2)
VLAM_SUITE_IDENTITY(AEGP_KeyframeSuite4, kAEGPKeyframeSuite, kAEGPKeyframeSuiteVersion4)
VLAM_SUITE_IDENTITY(AEGP_MaskSuite5, kAEGPMaskSuite, kAEGPMaskSuiteVersion5)
VLAM_SUITE_IDENTITY(AEGP_UtilitySuite3, kAEGPUtilitySuite, kAEGPUtilitySuiteVersion3)
VLAM_SUITE_IDENTITY(AEGP_UtilitySuite5, kAEGPUtilitySuite, kAEGPUtilitySuiteVersion5)
VLAM_SUITE_IDENTITY(AEGP_RegisterSuite5, kAEGPRegisterSuite, kAEGPRegisterSuiteVersion5)
VLAM_SUITE_IDENTITY(AEGP_MemorySuite1, kAEGPMemorySuite, kAEGPMemorySuiteVersion1)
VLAM_SUITE_IDENTITY(AEGP_IterateSuite1, kAEGPIterateSuite, kAEGPIterateSuiteVersion1)
VLAM_SUITE_IDENTITY(AEGP_PersistentDataSuite3, kAEGPPersistentDataSuite, kAEGPPersistentDataSuiteVersion3)
VLAM_SUITE_IDENTITY(AEGP_PersistentDataSuite4, kAEGPPersistentDataSuite, kAEGPPersistentDataSuiteVersion4)
VLAM_SUITE_IDENTITY(DRAWBOT_DrawbotSuite1, kDRAWBOT_DrawSuite, kDRAWBOT_DrawSuite_Version1)
VLAM_SUITE_IDENTITY(DRAWBOT_SupplierSuite1, kDRAWBOT_SupplierSuite, kDRAWBOT_SupplierSuite_Version1)
VLAM_SUITE_IDENTITY(DRAWBOT_SurfaceSuite2, kDRAWBOT_SurfaceSuite, kDRAWBOT_SurfaceSuite_Version2)
VLAM_SUITE_IDENTITY(DRAWBOT_PathSuite1, kDRAWBOT_PathSuite, kDRAWBOT_PathSuite_Version1)

#undef VLAM_SUITE_IDENTITY

// Publishes one of the host's own tables under its name and version.
template <class Suite> bool publishTable(SuiteRegistry &registry, const Suite &table) {
  return registry.add(SuiteIdentity<Suite>::name, SuiteIdentity<Suite>::version, &table, "host");
}

} // namespace vlam::host
