// "AEGP Layer Suite" v13, "AEGP Comp Suite" v19 and "AEGP Item Suite" v13: layers, compositions and their items.
#include "host/suites/HostCall.h"
#include "host/suites/HostSuites.h"
#include "host/suites/NotOffered.h"

#include <AE_GeneralPlug.h>

#include <cstring>

namespace vlam::host {
namespace {

Composition *compOf(Host &host, AEGP_CompH compH) {
  for (const auto &comp : host.project().comps)
    if (reinterpret_cast<AEGP_CompH>(comp.get()) == compH) return comp.get();
  return nullptr;
}

A_Err compNumLayers(AEGP_CompH compH, A_long *count) {
  return hostCall("AEGP_GetCompNumLayers", [&](Host &host) -> A_Err {
    Composition *comp = compOf(host, compH);
    if (!comp || !count) return A_Err_PARAMETER;
    *count = static_cast<A_long>(comp->layers.size());
    return A_Err_NONE;
  });
}

A_Err compLayerByIndex(AEGP_CompH compH, A_long index, AEGP_LayerH *layer) {
  return hostCall("AEGP_GetCompLayerByIndex", [&](Host &host) -> A_Err {
    Composition *comp = compOf(host, compH);
    if (!comp || !layer || index < 0 || static_cast<std::size_t>(index) >= comp->layers.size()) return A_Err_PARAMETER;
    *layer = reinterpret_cast<AEGP_LayerH>(comp->layers[static_cast<std::size_t>(index)].get());
    return A_Err_NONE;
  });
}

A_Err activeLayer(AEGP_LayerH *layer) {
  return hostCall("AEGP_GetActiveLayer", [&](Host &) -> A_Err {
    if (!layer) return A_Err_PARAMETER;
    *layer = nullptr; // no layer is selected in a headless host
    return A_Err_NONE;
  });
}

A_Err layerIndex(AEGP_LayerH layerH, A_long *index) {
  return hostCall("AEGP_GetLayerIndex", [&](Host &host) -> A_Err {
    Layer *layer = host.project().findLayer(layerH);
    if (!layer || !index) return A_Err_PARAMETER;
    *index = layer->comp().indexOf(*layer);
    return A_Err_NONE;
  });
}

A_Err layerSourceItemId(AEGP_LayerH layerH, A_long *id) {
  return hostCall("AEGP_GetLayerSourceItemID", [&](Host &host) -> A_Err {
    Layer *layer = host.project().findLayer(layerH);
    if (!layer || !id) return A_Err_PARAMETER;
    *id = static_cast<A_long>(layer->id());
    return A_Err_NONE;
  });
}

A_Err layerParentComp(AEGP_LayerH layerH, AEGP_CompH *comp) {
  return hostCall("AEGP_GetLayerParentComp", [&](Host &host) -> A_Err {
    Layer *layer = host.project().findLayer(layerH);
    if (!layer || !comp) return A_Err_PARAMETER;
    *comp = reinterpret_cast<AEGP_CompH>(&layer->comp());
    return A_Err_NONE;
  });
}

// A zero-terminated copy of `text` in a new memory handle.
AEGP_MemHandle textHandle(Host &host, const std::string &text) {
  void **h = host.memHandles().allocate(text.size() + 1);
  if (h) std::memcpy(*h, text.c_str(), text.size() + 1);
  return reinterpret_cast<AEGP_MemHandle>(h);
}

A_Err layerName(AEGP_PluginID, AEGP_LayerH layerH, AEGP_MemHandle *name, AEGP_MemHandle *sourceName) {
  return hostCall("AEGP_GetLayerName", [&](Host &host) -> A_Err {
    Layer *layer = host.project().findLayer(layerH);
    if (!layer) return A_Err_PARAMETER;
    if (name && !(*name = textHandle(host, layer->name))) return A_Err_ALLOC;
    if (sourceName && !(*sourceName = textHandle(host, layer->name))) return A_Err_ALLOC;
    return A_Err_NONE;
  });
}

A_Err videoReallyOn(AEGP_LayerH layerH, A_Boolean *on) {
  return hostCall("AEGP_IsLayerVideoReallyOn", [&](Host &host) -> A_Err {
    Layer *layer = host.project().findLayer(layerH);
    if (!layer || !on) return A_Err_PARAMETER;
    *on = layer->enabled;
    return A_Err_NONE;
  });
}

A_Err layerCurrentTime(AEGP_LayerH layerH, AEGP_LTimeMode, A_Time *time) {
  return hostCall("AEGP_GetLayerCurrentTime", [&](Host &host) -> A_Err {
    Layer *layer = host.project().findLayer(layerH);
    if (!layer || !time) return A_Err_PARAMETER;
    *time = {static_cast<A_long>(host.currentTicks), static_cast<A_u_long>(layer->comp().frameRate.perSecond)};
    return A_Err_NONE;
  });
}

VLAM_NOT_OFFERED(layerSourceItem, AEGP_LayerH, AEGP_ItemH *)
VLAM_NOT_OFFERED(layerQuality, AEGP_LayerH, A_long *)
VLAM_NOT_OFFERED(setLayerQuality, AEGP_LayerH, A_long)
VLAM_NOT_OFFERED(layerFlags, AEGP_LayerH, A_long *)
VLAM_NOT_OFFERED(setLayerFlag, AEGP_LayerH, A_long, A_Boolean)
VLAM_NOT_OFFERED(audioReallyOn, AEGP_LayerH, A_Boolean *)

const AEGP_LayerSuite13 kLayerSuite{compNumLayers,  compLayerByIndex, activeLayer,   layerIndex,
                                    layerSourceItem, layerSourceItemId, layerParentComp, layerName,
                                    layerQuality,   setLayerQuality,  layerFlags,    setLayerFlag,
                                    videoReallyOn,  audioReallyOn,    layerCurrentTime};

A_Err compFramerate(AEGP_CompH compH, A_FpLong *fps) {
  return hostCall("AEGP_GetCompFramerate", [&](Host &host) -> A_Err {
    Composition *comp = compOf(host, compH);
    if (!comp || !fps) return A_Err_PARAMETER;
    *fps = comp->frameRate.fps();
    return A_Err_NONE;
  });
}

A_Err compDownsampleFactor(AEGP_CompH compH, A_long *factor) {
  return hostCall("AEGP_GetCompDownsampleFactor", [&](Host &host) -> A_Err {
    if (!compOf(host, compH) || !factor) return A_Err_PARAMETER;
    *factor = host.activeRender.downsample;
    return A_Err_NONE;
  });
}

VLAM_NOT_OFFERED(compFromItem, AEGP_ItemH, AEGP_CompH *)
// A composition is the only kind of item this host has: its item handle is the composition itself.
A_Err itemFromComp(AEGP_CompH compH, AEGP_ItemH *item) {
  return hostCall("AEGP_GetItemFromComp", [&](Host &host) -> A_Err {
    if (!compOf(host, compH) || !item) return A_Err_PARAMETER;
    *item = reinterpret_cast<AEGP_ItemH>(compH);
    return A_Err_NONE;
  });
}
VLAM_NOT_OFFERED(setCompDownsampleFactor, AEGP_CompH, A_long)
VLAM_NOT_OFFERED(compBGColor, AEGP_CompH, AEGP_ColorVal *)
VLAM_NOT_OFFERED(setCompBGColor, AEGP_CompH, const AEGP_ColorVal *)
VLAM_NOT_OFFERED(compFlags, AEGP_CompH, A_long *)
VLAM_NOT_OFFERED(showLayerNames, AEGP_CompH, A_Boolean *)
VLAM_NOT_OFFERED(setShowLayerNames, AEGP_CompH, A_Boolean)
VLAM_NOT_OFFERED(showBlendModes, AEGP_CompH, A_Boolean *)
VLAM_NOT_OFFERED(setShowBlendModes, AEGP_CompH, A_Boolean)

const AEGP_CompSuite19 kCompSuite{compFromItem,   itemFromComp,      compDownsampleFactor, setCompDownsampleFactor,
                                  compBGColor,    setCompBGColor,    compFlags,            showLayerNames,
                                  setShowLayerNames, showBlendModes, setShowBlendModes,    compFramerate};

Composition *compOfItem(Host &host, AEGP_ItemH itemH) {
  return compOf(host, reinterpret_cast<AEGP_CompH>(itemH));
}

A_Err itemDimensions(AEGP_ItemH itemH, A_long *width, A_long *height) {
  return hostCall("AEGP_GetItemDimensions", [&](Host &host) -> A_Err {
    Composition *comp = compOfItem(host, itemH);
    if (!comp || !width || !height) return A_Err_PARAMETER;
    *width = comp->width;
    *height = comp->height;
    return A_Err_NONE;
  });
}

A_Err itemPixelAspect(AEGP_ItemH itemH, A_Ratio *ratio) {
  return hostCall("AEGP_GetItemPixelAspectRatio", [&](Host &host) -> A_Err {
    Composition *comp = compOfItem(host, itemH);
    if (!comp || !ratio) return A_Err_PARAMETER;
    *ratio = comp->pixelAspect;
    return A_Err_NONE;
  });
}

VLAM_NOT_OFFERED(firstProjItem, AEGP_ProjectH, AEGP_ItemH *)
VLAM_NOT_OFFERED(nextProjItem, AEGP_ProjectH, AEGP_ItemH, AEGP_ItemH *)
VLAM_NOT_OFFERED(activeItem, AEGP_ItemH *)
VLAM_NOT_OFFERED(isItemSelected, AEGP_ItemH, A_Boolean *)
VLAM_NOT_OFFERED(selectItem, AEGP_ItemH, A_Boolean, A_Boolean)
VLAM_NOT_OFFERED(itemType, AEGP_ItemH, A_long *)
VLAM_NOT_OFFERED(typeName, A_long, A_char *)
VLAM_NOT_OFFERED(itemName, AEGP_PluginID, AEGP_ItemH, AEGP_MemHandle *)
VLAM_NOT_OFFERED(setItemName, AEGP_ItemH, const A_UTF16Char *)
VLAM_NOT_OFFERED(itemId, AEGP_ItemH, A_long *)
VLAM_NOT_OFFERED(itemFlags, AEGP_ItemH, A_long *)
VLAM_NOT_OFFERED(setItemUseProxy, AEGP_ItemH, A_Boolean)
VLAM_NOT_OFFERED(itemParentFolder, AEGP_ItemH, AEGP_ItemH *)
VLAM_NOT_OFFERED(setItemParentFolder, AEGP_ItemH, AEGP_ItemH)
VLAM_NOT_OFFERED(itemDuration, AEGP_ItemH, A_Time *)
VLAM_NOT_OFFERED(itemCurrentTime, AEGP_ItemH, A_Time *)

const AEGP_ItemSuite13 kItemSuite{firstProjItem, nextProjItem,   activeItem,       isItemSelected,
                                  selectItem,    itemType,       typeName,         itemName,
                                  setItemName,   itemId,         itemFlags,        setItemUseProxy,
                                  itemParentFolder, setItemParentFolder, itemDuration, itemCurrentTime,
                                  itemDimensions, itemPixelAspect};

} // namespace

void publishLayerSuites(SuiteRegistry &registry) {
  registry.add(kAEGPLayerSuite, kAEGPLayerSuiteVersion13, &kLayerSuite, "host");
  registry.add(kAEGPCompSuite, kAEGPCompSuiteVersion19, &kCompSuite, "host");
  registry.add(kAEGPItemSuite, kAEGPItemSuiteVersion13, &kItemSuite, "host");
}

} // namespace vlam::host
