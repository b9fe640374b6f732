#include "render/flash_collector.h"

#include <cstring>

#include "AE_EffectCB.h"
#include "AE_GeneralPlug.h"
#include "frame/aegp_refs.h"
#include "frame/effect_identity.h"
#include "frame/host_error.h"
#include "frame/scoped_suite.h"

namespace vlam {

namespace {

enum class CollectedKind { kOther, kDesign, kInstance, kRender };

CollectedKind KindOf(const A_char *matchName) {
  if (std::strcmp(matchName, kRenderIdentity.match_name) == 0) {
    return CollectedKind::kRender;
  }
  if (std::strcmp(matchName, kBuilderIdentity.match_name) == 0) {
    return CollectedKind::kDesign;
  }
  if (std::strcmp(matchName, kInstanceIdentity.match_name) == 0) {
    return CollectedKind::kInstance;
  }
  return CollectedKind::kOther;
}

void PlaceInstanceLimitMessage(const PF_InData *in_data, PF_OutData *out_data) {
  if (out_data == nullptr || in_data->utils == nullptr || in_data->utils->ansi.sprintf == nullptr) {
    return;
  }
  in_data->utils->ansi.sprintf(out_data->return_msg, "Vlam supports a maximum of %d instance%s",
                               kMaxInstances, "s");
}

// Asks one effect of the layer, if it is an active builder or instance.
A_Err CollectOne(const PF_InData *in_data, PF_OutData *out_data, const AEGP_EffectSuite3 &effects,
                 AEGP_EffectRefH effect, ExchangeBlock &block, const CollectOptions &options) {
  AEGP_EffectFlags flags = AEGP_EffectFlags_NONE;
  if (const A_Err err = effects.AEGP_GetEffectFlags(effect, &flags)) {
    return err;
  }
  if ((flags & AEGP_EffectFlags_ACTIVE) == 0) {
    return A_Err_NONE;
  }
  AEGP_InstalledEffectKey key = AEGP_InstalledEffectKey_NONE;
  if (const A_Err err = effects.AEGP_GetInstalledKeyFromLayerEffect(effect, &key)) {
    return err;
  }
  A_char matchName[AEGP_MAX_EFFECT_MATCH_NAME_SIZE + 1] = {};
  if (const A_Err err = effects.AEGP_GetEffectMatchName(key, matchName)) {
    return err;
  }
  matchName[AEGP_MAX_EFFECT_MATCH_NAME_SIZE] = '\0';

  const CollectedKind kind = KindOf(matchName);
  if (kind == CollectedKind::kOther || (kind == CollectedKind::kRender && !options.askRender)) {
    return A_Err_NONE;
  }
  if (kind == CollectedKind::kInstance) {
    if (block.table.instanceCount >= kMaxInstances) {
      if (options.reportLimit) PlaceInstanceLimitMessage(in_data, out_data);
      return A_Err_NONE;
    }
    // The instance writes slot (count - 1).
    block.table.instanceCount += 1;
  }
  const A_Time time{in_data->current_time, in_data->time_scale};
  return effects.AEGP_EffectCallGeneric(0, effect, &time, PF_Cmd_COMPLETELY_GENERAL, &block);
}

}  // namespace

void ClearExchangeBlock(ExchangeBlock &block) {
  block.table.head = 0;
  // Whole slots, not only their valid flags: a builder without petals writes
  // no barrel radius or horizontal offset, and the drawing reads both, so
  // leftovers of the stack must not reach it (a huge one stalls the barrel
  // pass; any other makes the frame depend on what ran before).
  std::memset(static_cast<void *>(block.table.designs), 0, sizeof block.table.designs);
  block.table.instanceCount = 0;
  std::memset(static_cast<void *>(block.instances), 0, sizeof block.instances);
}

PF_Err CollectFlashes(const PF_InData *in_data, PF_OutData *out_data, ExchangeBlock &block,
                      const CollectOptions &options) {
  const SPBasicSuite *basic = in_data->pica_basicP;
  ScopedSuite<AEGP_PFInterfaceSuite1> pfInterface(basic, kAEGPPFInterfaceSuite,
                                                  kAEGPPFInterfaceSuiteVersion1);
  ScopedSuite<AEGP_EffectSuite3> effects(basic, kAEGPEffectSuite, kAEGPEffectSuiteVersion3);

  AEGP_LayerH layer = nullptr;
  A_Err err = pfInterface->AEGP_GetEffectLayer(in_data->effect_ref, &layer);
  A_long count = 0;
  if (err == A_Err_NONE) {
    err = effects->AEGP_GetLayerNumEffects(layer, &count);
  }
  for (A_long index = 0; index < count && err == A_Err_NONE; ++index) {
    ScopedEffectRef effect(effects.get());
    err = effects->AEGP_GetLayerEffectByIndex(0, layer, index, effect.Receive());
    if (err == A_Err_NONE && effect.get() != nullptr) {
      err = CollectOne(in_data, out_data, *effects.get(), effect.get(), block, options);
    }
    KeepFirstError(err, effect.Release());
  }
  return err;
}

}  // namespace vlam
