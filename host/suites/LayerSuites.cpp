// "AEGP Layer Suite" v13, "AEGP Comp Suite" v19 and "AEGP Item Suite" v13: layers, compositions and their items.
#include "host/suites/SuiteIdentity.h"
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


const AEGP_LayerSuite7 kLayerSuite{
    .AEGP_GetCompNumLayers = compNumLayers,
    .AEGP_GetCompLayerByIndex = compLayerByIndex,
    .AEGP_GetActiveLayer = activeLayer,
    .AEGP_GetLayerIndex = layerIndex,
    VLAM_UNOFFERED(AEGP_GetLayerSourceItem),
    .AEGP_GetLayerSourceItemID = layerSourceItemId,
    .AEGP_GetLayerParentComp = layerParentComp,
    .AEGP_GetLayerName = layerName,
    VLAM_UNOFFERED(AEGP_GetLayerQuality),
    VLAM_UNOFFERED(AEGP_SetLayerQuality),
    VLAM_UNOFFERED(AEGP_GetLayerFlags),
    VLAM_UNOFFERED(AEGP_SetLayerFlag),
    .AEGP_IsLayerVideoReallyOn = videoReallyOn,
    VLAM_UNOFFERED(AEGP_IsLayerAudioReallyOn),
    .AEGP_GetLayerCurrentTime = layerCurrentTime,
    VLAM_UNOFFERED(AEGP_GetLayerInPoint),
    VLAM_UNOFFERED(AEGP_GetLayerDuration),
    VLAM_UNOFFERED(AEGP_SetLayerInPointAndDuration),
    VLAM_UNOFFERED(AEGP_GetLayerOffset),
    VLAM_UNOFFERED(AEGP_SetLayerOffset),
    VLAM_UNOFFERED(AEGP_GetLayerStretch),
    VLAM_UNOFFERED(AEGP_SetLayerStretch),
    VLAM_UNOFFERED(AEGP_GetLayerTransferMode),
    VLAM_UNOFFERED(AEGP_SetLayerTransferMode),
    VLAM_UNOFFERED(AEGP_IsAddLayerValid),
    VLAM_UNOFFERED(AEGP_AddLayer),
    VLAM_UNOFFERED(AEGP_ReorderLayer),
    VLAM_UNOFFERED(AEGP_GetLayerMaskedBounds),
    VLAM_UNOFFERED(AEGP_GetLayerObjectType),
    VLAM_UNOFFERED(AEGP_IsLayer3D),
    VLAM_UNOFFERED(AEGP_IsLayer2D),
    VLAM_UNOFFERED(AEGP_IsVideoActive),
    VLAM_UNOFFERED(AEGP_IsLayerUsedAsTrackMatte),
    VLAM_UNOFFERED(AEGP_DoesLayerHaveTrackMatte),
    VLAM_UNOFFERED(AEGP_ConvertCompToLayerTime),
    VLAM_UNOFFERED(AEGP_ConvertLayerToCompTime),
    VLAM_UNOFFERED(AEGP_GetLayerDancingRandValue),
    VLAM_UNOFFERED(AEGP_GetLayerID),
    VLAM_UNOFFERED(AEGP_GetLayerToWorldXform),
    VLAM_UNOFFERED(AEGP_GetLayerToWorldXformFromView),
    VLAM_UNOFFERED(AEGP_SetLayerName),
    VLAM_UNOFFERED(AEGP_GetLayerParent),
    VLAM_UNOFFERED(AEGP_SetLayerParent),
    VLAM_UNOFFERED(AEGP_DeleteLayer),
    VLAM_UNOFFERED(AEGP_DuplicateLayer),
    VLAM_UNOFFERED(AEGP_GetLayerFromLayerID),
    VLAM_UNOFFERED(AEGP_GetLayerLabel),
    VLAM_UNOFFERED(AEGP_SetLayerLabel),
};

A_Err compFramerate(AEGP_CompH compH, A_FpLong *fps) {
  return hostCall("AEGP_GetCompFramerate", [&](Host &host) -> A_Err {
    Composition *comp = compOf(host, compH);
    if (!comp || !fps) return A_Err_PARAMETER;
    *fps = comp->frameRate.fps();
    return A_Err_NONE;
  });
}

A_Err compDownsampleFactor(AEGP_CompH compH, AEGP_DownsampleFactor *factor) {
  return hostCall("AEGP_GetCompDownsampleFactor", [&](Host &host) -> A_Err {
    if (!compOf(host, compH) || !factor) return A_Err_PARAMETER;
    const auto downsample = static_cast<A_short>(host.activeRender.downsample);
    *factor = AEGP_DownsampleFactor{downsample, downsample};
    return A_Err_NONE;
  });
}

// A composition is the only kind of item this host has: its item handle is the composition itself.
A_Err itemFromComp(AEGP_CompH compH, AEGP_ItemH *item) {
  return hostCall("AEGP_GetItemFromComp", [&](Host &host) -> A_Err {
    if (!compOf(host, compH) || !item) return A_Err_PARAMETER;
    *item = reinterpret_cast<AEGP_ItemH>(compH);
    return A_Err_NONE;
  });
}

const AEGP_CompSuite9 kCompSuite{
    VLAM_UNOFFERED(AEGP_GetCompFromItem),
    .AEGP_GetItemFromComp = itemFromComp,
    .AEGP_GetCompDownsampleFactor = compDownsampleFactor,
    VLAM_UNOFFERED(AEGP_SetCompDownsampleFactor),
    VLAM_UNOFFERED(AEGP_GetCompBGColor),
    VLAM_UNOFFERED(AEGP_SetCompBGColor),
    VLAM_UNOFFERED(AEGP_GetCompFlags),
    .AEGP_GetCompFramerate = compFramerate,
    VLAM_UNOFFERED(AEGP_SetCompFrameRate),
    VLAM_UNOFFERED(AEGP_GetCompShutterAnglePhase),
    VLAM_UNOFFERED(AEGP_GetCompShutterFrameRange),
    VLAM_UNOFFERED(AEGP_GetCompSuggestedMotionBlurSamples),
    VLAM_UNOFFERED(AEGP_SetCompSuggestedMotionBlurSamples),
    VLAM_UNOFFERED(AEGP_GetCompWorkAreaStart),
    VLAM_UNOFFERED(AEGP_GetCompWorkAreaDuration),
    VLAM_UNOFFERED(AEGP_SetCompWorkAreaStartAndDuration),
    VLAM_UNOFFERED(AEGP_CreateSolidInComp),
    VLAM_UNOFFERED(AEGP_CreateCameraInComp),
    VLAM_UNOFFERED(AEGP_CreateLightInComp),
    VLAM_UNOFFERED(AEGP_CreateComp),
    VLAM_UNOFFERED(AEGP_GetNewCollectionFromCompSelection),
    VLAM_UNOFFERED(AEGP_SetSelection),
    VLAM_UNOFFERED(AEGP_GetCompDisplayStartTime),
    VLAM_UNOFFERED(AEGP_SetCompDisplayStartTime),
    VLAM_UNOFFERED(AEGP_SetCompDuration),
    VLAM_UNOFFERED(AEGP_CreateNullInComp),
    VLAM_UNOFFERED(AEGP_SetCompPixelAspectRatio),
    VLAM_UNOFFERED(AEGP_CreateTextLayerInComp),
    VLAM_UNOFFERED(AEGP_CreateBoxTextLayerInComp),
    VLAM_UNOFFERED(AEGP_SetCompDimensions),
    VLAM_UNOFFERED(AEGP_DuplicateComp),
    VLAM_UNOFFERED(AEGP_GetCompFrameDuration),
    VLAM_UNOFFERED(AEGP_GetMostRecentlyUsedComp),
    VLAM_UNOFFERED(AEGP_CreateVectorLayerInComp),
    VLAM_UNOFFERED(AEGP_GetNewCompMarkerStream),
    VLAM_UNOFFERED(AEGP_GetCompDisplayDropFrame),
    VLAM_UNOFFERED(AEGP_SetCompDisplayDropFrame),
};

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


const AEGP_ItemSuite8 kItemSuite{
    VLAM_UNOFFERED(AEGP_GetFirstProjItem),
    VLAM_UNOFFERED(AEGP_GetNextProjItem),
    VLAM_UNOFFERED(AEGP_GetActiveItem),
    VLAM_UNOFFERED(AEGP_IsItemSelected),
    VLAM_UNOFFERED(AEGP_SelectItem),
    VLAM_UNOFFERED(AEGP_GetItemType),
    VLAM_UNOFFERED(AEGP_GetTypeName),
    VLAM_UNOFFERED(AEGP_GetItemName),
    VLAM_UNOFFERED(AEGP_SetItemName),
    VLAM_UNOFFERED(AEGP_GetItemID),
    VLAM_UNOFFERED(AEGP_GetItemFlags),
    VLAM_UNOFFERED(AEGP_SetItemUseProxy),
    VLAM_UNOFFERED(AEGP_GetItemParentFolder),
    VLAM_UNOFFERED(AEGP_SetItemParentFolder),
    VLAM_UNOFFERED(AEGP_GetItemDuration),
    VLAM_UNOFFERED(AEGP_GetItemCurrentTime),
    .AEGP_GetItemDimensions = itemDimensions,
    .AEGP_GetItemPixelAspectRatio = itemPixelAspect,
    VLAM_UNOFFERED(AEGP_DeleteItem),
    VLAM_UNOFFERED(AEGP_CreateNewFolder),
    VLAM_UNOFFERED(AEGP_SetItemCurrentTime),
    VLAM_UNOFFERED(AEGP_GetItemCommentLength),
    VLAM_UNOFFERED(AEGP_GetItemComment),
    VLAM_UNOFFERED(AEGP_SetItemComment),
    VLAM_UNOFFERED(AEGP_GetItemLabel),
    VLAM_UNOFFERED(AEGP_SetItemLabel),
    VLAM_UNOFFERED(AEGP_GetItemMRUView),
};

} // namespace

void publishLayerSuites(SuiteRegistry &registry) {
  publishTable(registry, kLayerSuite);
  publishTable(registry, kCompSuite);
  publishTable(registry, kItemSuite);
}

} // namespace vlam::host
