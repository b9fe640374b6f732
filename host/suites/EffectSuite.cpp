// "AEGP Effect Suite" v3: the installed effects and the effects on layers.
#include "host/effect/EffectRunner.h"
#include "host/project/ParamCodec.h"
#include "host/suites/SuiteIdentity.h"
#include "host/suites/HostCall.h"
#include "host/suites/HostSuites.h"
#include "host/suites/NotOffered.h"

#include <AE_GeneralPlug.h>

#include <cstring>

namespace vlam::host {
namespace {

Layer *layerOf(Host &host, AEGP_LayerH layer) { return host.project().findLayer(layer); }

EffectInstance *effectOf(Host &host, AEGP_EffectRefH ref) {
  const EffectRef *r = host.effectRefs().find(ref);
  return r ? host.project().findEffect(r->effectId) : nullptr;
}

AEGP_EffectRefH newRef(Host &host, const EffectInstance &effect) {
  return reinterpret_cast<AEGP_EffectRefH>(host.effectRefs().make({effect.id()}));
}

// Copies `text` into a caller's buffer of `capacity` bytes, cut if needed.
void copyName(const std::string &text, A_char *out, std::size_t capacity) {
  const std::size_t n = std::min(text.size(), capacity - 1);
  std::memcpy(out, text.data(), n);
  out[n] = 0;
}

A_Err layerNumEffects(AEGP_LayerH layerH, A_long *count) {
  return hostCall("AEGP_GetLayerNumEffects", [&](Host &host) -> A_Err {
    Layer *layer = layerOf(host, layerH);
    if (!layer || !count) return A_Err_PARAMETER;
    *count = static_cast<A_long>(layer->effects.size());
    return A_Err_NONE;
  });
}

A_Err layerEffectByIndex(AEGP_PluginID, AEGP_LayerH layerH, AEGP_EffectIndex index, AEGP_EffectRefH *effect) {
  return hostCall("AEGP_GetLayerEffectByIndex", [&](Host &host) -> A_Err {
    Layer *layer = layerOf(host, layerH);
    if (!layer || !effect) return A_Err_PARAMETER;
    *effect = nullptr;
    if (index < 0 || static_cast<std::size_t>(index) >= layer->effects.size()) return A_Err_PARAMETER;
    *effect = newRef(host, *layer->effects[static_cast<std::size_t>(index)]);
    return A_Err_NONE;
  });
}

A_Err installedKeyFromLayerEffect(AEGP_EffectRefH ref, AEGP_InstalledEffectKey *key) {
  return hostCall("AEGP_GetInstalledKeyFromLayerEffect", [&](Host &host) -> A_Err {
    EffectInstance *effect = effectOf(host, ref);
    if (!effect || !key) return A_Err_PARAMETER;
    *key = effect->installed().key;
    return A_Err_NONE;
  });
}

A_Err paramUnionByIndex(AEGP_PluginID, AEGP_EffectRefH ref, PF_ParamIndex index, PF_ParamType *type,
                        PF_ParamDefUnion *value) {
  return hostCall("AEGP_GetEffectParamUnionByIndex", [&](Host &host) -> A_Err {
    EffectInstance *effect = effectOf(host, ref);
    if (!effect || !type || index < 0 || static_cast<std::size_t>(index) >= effect->paramCount())
      return A_Err_PARAMETER;
    const PF_ParamDef def = host.runner().paramAt(*effect, static_cast<std::size_t>(index), host.currentTicks);
    *type = def.param_type;
    if (value) *value = def.u;
    return A_Err_NONE;
  });
}

A_Err effectFlags(AEGP_EffectRefH ref, AEGP_EffectFlags *flags) {
  return hostCall("AEGP_GetEffectFlags", [&](Host &host) -> A_Err {
    EffectInstance *effect = effectOf(host, ref);
    if (!effect || !flags) return A_Err_PARAMETER;
    *flags = effect->active ? AEGP_EffectFlags_ACTIVE : AEGP_EffectFlags_NONE;
    return A_Err_NONE;
  });
}

A_Err setEffectFlags(AEGP_EffectRefH ref, AEGP_EffectFlags mask, AEGP_EffectFlags flags) {
  return hostCall("AEGP_SetEffectFlags", [&](Host &host) -> A_Err {
    EffectInstance *effect = effectOf(host, ref);
    if (!effect) return A_Err_PARAMETER;
    if (mask & AEGP_EffectFlags_ACTIVE) effect->active = (flags & AEGP_EffectFlags_ACTIVE) != 0;
    return A_Err_NONE;
  });
}

A_Err reorderEffect(AEGP_EffectRefH ref, A_long index) {
  return hostCall("AEGP_ReorderEffect", [&](Host &host) -> A_Err {
    EffectInstance *effect = effectOf(host, ref);
    if (!effect) return A_Err_PARAMETER;
    Layer &layer = effect->layer();
    if (index < 0 || static_cast<std::size_t>(index) >= layer.effects.size()) return A_Err_PARAMETER;
    const int from = layer.indexOf(*effect);
    auto moving = std::move(layer.effects[static_cast<std::size_t>(from)]);
    layer.effects.erase(layer.effects.begin() + from);
    layer.effects.insert(layer.effects.begin() + index, std::move(moving));
    return A_Err_NONE;
  });
}

A_Err effectCallGeneric(AEGP_PluginID, AEGP_EffectRefH ref, const A_Time *time, PF_Cmd cmd, void *extra) {
  return hostCall("AEGP_EffectCallGeneric", [&](Host &host) -> A_Err {
    EffectInstance *effect = effectOf(host, ref);
    if (!effect || !time || time->scale == 0) return A_Err_PARAMETER;
    if (cmd != PF_Cmd_COMPLETELY_GENERAL) return A_Err_PARAMETER; // the only command effects may send
    if (PF_Err err = host.runner().ensureReady(effect->installed())) return err;
    CallOptions options;
    if (!EffectRunner::toTicks(effect, time->value, time->scale, options.ticks)) return A_Err_PARAMETER;
    options.settings = host.activeRender;
    options.extra = extra;
    return host.runner().call(effect->installed(), effect, cmd, options).err;
  });
}

A_Err disposeEffect(AEGP_EffectRefH ref) {
  return hostCall("AEGP_DisposeEffect",
                  [&](Host &host) -> A_Err { return host.effectRefs().dispose(ref) ? A_Err_NONE : A_Err_PARAMETER; });
}

A_Err applyEffect(AEGP_PluginID, AEGP_LayerH layerH, AEGP_InstalledEffectKey key, AEGP_EffectRefH *effect) {
  return hostCall("AEGP_ApplyEffect", [&](Host &host) -> A_Err {
    Layer *layer = layerOf(host, layerH);
    InstalledEffect *installed = host.findInstalled(key);
    if (!layer || !installed || !effect) return A_Err_PARAMETER;
    *effect = nullptr;
    EffectInstance *created = nullptr;
    if (PF_Err err = host.applyInstalled(*layer, *installed, &created)) return err;
    *effect = newRef(host, *created);
    return A_Err_NONE;
  });
}

A_Err deleteLayerEffect(AEGP_EffectRefH ref) {
  return hostCall("AEGP_DeleteLayerEffect", [&](Host &host) -> A_Err {
    EffectInstance *effect = effectOf(host, ref);
    if (!effect) return A_Err_PARAMETER;
    host.removeEffect(*effect);
    return A_Err_NONE;
  });
}

A_Err numInstalledEffects(A_long *count) {
  return hostCall("AEGP_GetNumInstalledEffects", [&](Host &host) -> A_Err {
    if (!count) return A_Err_PARAMETER;
    *count = static_cast<A_long>(host.installedEffects().size());
    return A_Err_NONE;
  });
}

A_Err nextInstalledEffect(AEGP_InstalledEffectKey key, AEGP_InstalledEffectKey *next) {
  return hostCall("AEGP_GetNextInstalledEffect", [&](Host &host) -> A_Err {
    if (!next) return A_Err_PARAMETER;
    const auto count = static_cast<AEGP_InstalledEffectKey>(host.installedEffects().size());
    if (key != AEGP_InstalledEffectKey_NONE && !host.findInstalled(key)) return A_Err_PARAMETER;
    *next = key < count ? key + 1 : AEGP_InstalledEffectKey_NONE;
    return A_Err_NONE;
  });
}

template <class Field>
A_Err installedText(const char *name, AEGP_InstalledEffectKey key, A_char *out, std::size_t capacity, Field field) {
  return hostCall(name, [&](Host &host) -> A_Err {
    InstalledEffect *effect = host.findInstalled(key);
    if (!effect || !out) return A_Err_PARAMETER;
    copyName(field(*effect), out, capacity);
    return A_Err_NONE;
  });
}

A_Err effectName(AEGP_InstalledEffectKey key, A_char *name) {
  return installedText("AEGP_GetEffectName", key, name, AEGP_MAX_EFFECT_NAME_SIZE + 1,
                       [](const InstalledEffect &e) { return e.pipl.name; });
}
A_Err effectMatchName(AEGP_InstalledEffectKey key, A_char *name) {
  return installedText("AEGP_GetEffectMatchName", key, name, AEGP_MAX_EFFECT_MATCH_NAME_SIZE + 1,
                       [](const InstalledEffect &e) { return e.pipl.matchName; });
}
A_Err effectCategory(AEGP_InstalledEffectKey key, A_char *name) {
  return installedText("AEGP_GetEffectCategory", key, name, AEGP_MAX_EFFECT_CATEGORY_NAME_SIZE + 1,
                       [](const InstalledEffect &e) { return e.pipl.category; });
}


const AEGP_EffectSuite3 kEffectSuite{
    .AEGP_GetLayerNumEffects = layerNumEffects,
    .AEGP_GetLayerEffectByIndex = layerEffectByIndex,
    .AEGP_GetInstalledKeyFromLayerEffect = installedKeyFromLayerEffect,
    .AEGP_GetEffectParamUnionByIndex = paramUnionByIndex,
    .AEGP_GetEffectFlags = effectFlags,
    .AEGP_SetEffectFlags = setEffectFlags,
    .AEGP_ReorderEffect = reorderEffect,
    .AEGP_EffectCallGeneric = effectCallGeneric,
    .AEGP_DisposeEffect = disposeEffect,
    .AEGP_ApplyEffect = applyEffect,
    .AEGP_DeleteLayerEffect = deleteLayerEffect,
    .AEGP_GetNumInstalledEffects = numInstalledEffects,
    .AEGP_GetNextInstalledEffect = nextInstalledEffect,
    .AEGP_GetEffectName = effectName,
    .AEGP_GetEffectMatchName = effectMatchName,
    .AEGP_GetEffectCategory = effectCategory,
    VLAM_UNOFFERED(AEGP_DuplicateEffect),
};

} // namespace

void publishEffectSuite(SuiteRegistry &registry) {
  publishTable(registry, kEffectSuite);
}

} // namespace vlam::host
