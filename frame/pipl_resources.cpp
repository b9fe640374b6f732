#include "frame/pipl_resources.h"

#include "PiPL.h"
#include "frame/pipl_writer.h"

namespace vlam {
namespace {

constexpr A_short kPiplVersionMajor = 2;
constexpr A_short kPiplVersionMinor = 0;
constexpr A_short kSpecVersionMajor = 13;
constexpr A_short kSpecVersionMinor = 14;
constexpr A_short kInfoFlags = 0;
constexpr A_long kReservedInfo = 8;

struct StoredResource {
  A_long id;
  std::vector<A_u_char> bytes;
};

std::vector<StoredResource> BuildAll() {
  std::vector<StoredResource> all;
  all.push_back({kUtilityResourceId, BuildUtilityPipl()});
  for (const EffectIdentity *identity : {&kRenderIdentity, &kSelectorIdentity, &kBuilderIdentity,
                                         &kInstanceIdentity, &kRelighterIdentity}) {
    all.push_back({identity->resource_id, BuildEffectPipl(*identity)});
  }
  return all;
}

}  // namespace

std::vector<A_u_char> BuildEffectPipl(const EffectIdentity &identity) {
  PiplWriter pipl;
  pipl.AddU32(PIAdobeVendorID, PIKindProperty, PIEffectKind);
  pipl.AddPascalString(PIAdobeVendorID, PINameProperty, identity.name);
  pipl.AddPascalString(PIAdobeVendorID, PICategoryProperty, kCategory);
  pipl.AddCString(PIAdobeVendorID, PIWin64X86CodeProperty, identity.entry_point);
  pipl.AddI16Pair(PIAEVendorID, AE_PiPL_Version, kPiplVersionMajor, kPiplVersionMinor);
  pipl.AddI16Pair(PIAEVendorID, AE_Effect_Spec_Version, kSpecVersionMajor, kSpecVersionMinor);
  pipl.AddU32(PIAEVendorID, AE_Effect_Version, kEffectVersion);
  pipl.AddI16(PIAEVendorID, AE_Effect_Info_Flags, kInfoFlags);
  pipl.AddU32(PIAEVendorID, AE_Effect_Global_OutFlags, static_cast<A_u_long>(identity.out_flags));
  pipl.AddU32(PIAEVendorID, AE_Effect_Global_OutFlags_2,
              static_cast<A_u_long>(identity.out_flags2));
  pipl.AddPascalString(PIAEVendorID, AE_Effect_Match_Name, identity.match_name);
  pipl.AddI32(PIAEVendorID, AE_Reserved_Info, kReservedInfo);
  return pipl.Finish();
}

std::vector<A_u_char> BuildUtilityPipl() {
  PiplWriter pipl;
  pipl.AddU32(PIAdobeVendorID, PIKindProperty, PIGeneralKind);
  pipl.AddPascalString(PIAdobeVendorID, PINameProperty, kUtilityName);
  pipl.AddPascalString(PIAdobeVendorID, PICategoryProperty, kUtilityCategory);
  pipl.AddU32(PIAdobeVendorID, PIVersionProperty, kUtilityPiplVersion);
  pipl.AddCString(PIAdobeVendorID, PIWin64X86CodeProperty, kUtilityEntryPoint);
  return pipl.Finish();
}

const std::vector<PF_ModuleResource> &ModuleResources() {
  static const std::vector<StoredResource> stored = BuildAll();
  static const std::vector<PF_ModuleResource> resources = [] {
    std::vector<PF_ModuleResource> list;
    for (const StoredResource &resource : stored) {
      list.push_back(PF_ModuleResource{PF_ModuleResourceType_PiPL, resource.id,
                                       static_cast<A_u_long>(resource.bytes.size()),
                                       resource.bytes.data()});
    }
    return list;
  }();
  return resources;
}

}  // namespace vlam

#if !defined(_WIN32)
#include "entry.h"

extern "C" DllExport const PF_ModuleResource *PF_GetModuleResources(A_long *countP) {
  try {
    const std::vector<PF_ModuleResource> &resources = vlam::ModuleResources();
    if (countP != nullptr) {
      *countP = static_cast<A_long>(resources.size());
    }
    return resources.data();
  } catch (...) {
    if (countP != nullptr) {
      *countP = 0;
    }
    return nullptr;
  }
}
#endif
