#include "frame/pipl_resources.h"

#include "SPPiPL.h"
#include "frame/pipl_keys.h"
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
  pipl.AddU32(kPiplVendor, PIKindProperty, kPiplEffectKind);
  pipl.AddPascalString(kPiplVendor, kPiplNameKey, identity.name);
  pipl.AddPascalString(kPiplVendor, kPiplCategoryKey, kCategory);
  pipl.AddCString(kPiplVendor, PIWin64X86CodeProperty, identity.entry_point);
  pipl.AddI16Pair(kPiplVendor, kPiplEffectPiplVersionKey, kPiplVersionMajor, kPiplVersionMinor);
  pipl.AddI16Pair(kPiplVendor, kPiplEffectSpecVersionKey, kSpecVersionMajor, kSpecVersionMinor);
  pipl.AddU32(kPiplVendor, kPiplEffectVersionKey, kEffectVersion);
  pipl.AddI16(kPiplVendor, kPiplEffectInfoFlagsKey, kInfoFlags);
  pipl.AddU32(kPiplVendor, kPiplEffectOutFlagsKey, static_cast<A_u_long>(identity.out_flags));
  pipl.AddU32(kPiplVendor, kPiplEffectOutFlags2Key, static_cast<A_u_long>(identity.out_flags2));
  pipl.AddPascalString(kPiplVendor, kPiplEffectMatchNameKey, identity.match_name);
  pipl.AddI32(kPiplVendor, kPiplEffectReservedInfoKey, kReservedInfo);
  return pipl.Finish();
}

std::vector<A_u_char> BuildUtilityPipl() {
  PiplWriter pipl;
  pipl.AddU32(kPiplVendor, PIKindProperty, kPiplGeneralPluginKind);
  pipl.AddPascalString(kPiplVendor, kPiplNameKey, kUtilityName);
  pipl.AddPascalString(kPiplVendor, kPiplCategoryKey, kUtilityCategory);
  pipl.AddU32(kPiplVendor, kPiplVersionKey, kUtilityPiplVersion);
  pipl.AddCString(kPiplVendor, PIWin64X86CodeProperty, kUtilityEntryPoint);
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
