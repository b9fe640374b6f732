// General plug-in (AEGP) API: earlier versions of suites, still published by
// the host under their own version numbers.
#pragma once
#include "AE_GeneralPlug.h"

#define kAEGPEffectSuiteVersion3 3

typedef struct AEGP_EffectSuite3 {
  SPAPI A_Err (*AEGP_GetLayerNumEffects)(AEGP_LayerH, A_long *);
  SPAPI A_Err (*AEGP_GetLayerEffectByIndex)(AEGP_PluginID, AEGP_LayerH, AEGP_EffectIndex, AEGP_EffectRefH *);
  SPAPI A_Err (*AEGP_GetInstalledKeyFromLayerEffect)(AEGP_EffectRefH, AEGP_InstalledEffectKey *);
  SPAPI A_Err (*AEGP_GetEffectParamUnionByIndex)(AEGP_PluginID, AEGP_EffectRefH, PF_ParamIndex, PF_ParamType *, PF_ParamDefUnion *);
  SPAPI A_Err (*AEGP_GetEffectFlags)(AEGP_EffectRefH, AEGP_EffectFlags *);
  SPAPI A_Err (*AEGP_SetEffectFlags)(AEGP_EffectRefH, AEGP_EffectFlags, AEGP_EffectFlags);
  SPAPI A_Err (*AEGP_ReorderEffect)(AEGP_EffectRefH, A_long);
  SPAPI A_Err (*AEGP_EffectCallGeneric)(AEGP_PluginID, AEGP_EffectRefH, const A_Time *, PF_Cmd, void *);
  SPAPI A_Err (*AEGP_DisposeEffect)(AEGP_EffectRefH);
  SPAPI A_Err (*AEGP_ApplyEffect)(AEGP_PluginID, AEGP_LayerH, AEGP_InstalledEffectKey, AEGP_EffectRefH *);
  SPAPI A_Err (*AEGP_DeleteLayerEffect)(AEGP_EffectRefH);
  SPAPI A_Err (*AEGP_GetNumInstalledEffects)(A_long *);
  SPAPI A_Err (*AEGP_GetNextInstalledEffect)(AEGP_InstalledEffectKey, AEGP_InstalledEffectKey *);
  SPAPI A_Err (*AEGP_GetEffectName)(AEGP_InstalledEffectKey, A_char *);
  SPAPI A_Err (*AEGP_GetEffectMatchName)(AEGP_InstalledEffectKey, A_char *);
  SPAPI A_Err (*AEGP_GetEffectCategory)(AEGP_InstalledEffectKey, A_char *);
  SPAPI A_Err (*AEGP_DuplicateEffect)(AEGP_EffectRefH, AEGP_EffectRefH *);
} AEGP_EffectSuite3;

#define kAEGPStreamSuiteVersion3 8

typedef struct AEGP_StreamSuite3 {
  SPAPI A_Err (*AEGP_IsStreamLegal)(AEGP_LayerH, AEGP_LayerStream, A_Boolean *);
  SPAPI A_Err (*AEGP_CanVaryOverTime)(AEGP_StreamRefH, A_Boolean *);
  SPAPI A_Err (*AEGP_GetValidInterpolations)(AEGP_StreamRefH, AEGP_KeyInterpolationMask *);
  SPAPI A_Err (*AEGP_GetNewLayerStream)(AEGP_PluginID, AEGP_LayerH, AEGP_LayerStream, AEGP_StreamRefH *);
  SPAPI A_Err (*AEGP_GetEffectNumParamStreams)(AEGP_EffectRefH, A_long *);
  SPAPI A_Err (*AEGP_GetNewEffectStreamByIndex)(AEGP_PluginID, AEGP_EffectRefH, PF_ParamIndex, AEGP_StreamRefH *);
  SPAPI A_Err (*AEGP_GetNewMaskStream)(AEGP_PluginID, AEGP_MaskRefH, AEGP_MaskStream, AEGP_StreamRefH *);
  SPAPI A_Err (*AEGP_DisposeStream)(AEGP_StreamRefH);
  SPAPI A_Err (*AEGP_GetStreamName)(AEGP_StreamRefH, A_Boolean, A_char *);
  SPAPI A_Err (*AEGP_GetStreamUnitsText)(AEGP_StreamRefH, A_Boolean, A_char *);
  SPAPI A_Err (*AEGP_GetStreamProperties)(AEGP_StreamRefH, AEGP_StreamFlags *, A_FpLong *, A_FpLong *);
  SPAPI A_Err (*AEGP_IsStreamTimevarying)(AEGP_StreamRefH, A_Boolean *);
  SPAPI A_Err (*AEGP_GetStreamType)(AEGP_StreamRefH, AEGP_StreamType *);
  SPAPI A_Err (*AEGP_GetNewStreamValue)(AEGP_PluginID, AEGP_StreamRefH, AEGP_LTimeMode, const A_Time *, A_Boolean, AEGP_StreamValue2 *);
  SPAPI A_Err (*AEGP_DisposeStreamValue)(AEGP_StreamValue2 *);
  SPAPI A_Err (*AEGP_SetStreamValue)(AEGP_PluginID, AEGP_StreamRefH, AEGP_StreamValue2 *);
  SPAPI A_Err (*AEGP_GetLayerStreamValue)(AEGP_LayerH, AEGP_LayerStream, AEGP_LTimeMode, const A_Time *, A_Boolean, AEGP_StreamVal2 *, AEGP_StreamType *);
  SPAPI A_Err (*AEGP_GetExpressionState)(AEGP_PluginID, AEGP_StreamRefH, A_Boolean *);
  SPAPI A_Err (*AEGP_SetExpressionState)(AEGP_PluginID, AEGP_StreamRefH, A_Boolean);
  SPAPI A_Err (*AEGP_GetExpression)(AEGP_PluginID, AEGP_StreamRefH, AEGP_MemHandle *);
  SPAPI A_Err (*AEGP_SetExpression)(AEGP_PluginID, AEGP_StreamRefH, const A_char *);
  SPAPI A_Err (*AEGP_DuplicateStreamRef)(AEGP_PluginID, AEGP_StreamRefH, AEGP_StreamRefH *);
} AEGP_StreamSuite3;

#define kAEGPStreamSuiteVersion4 9

typedef struct AEGP_StreamSuite4 {
  SPAPI A_Err (*AEGP_IsStreamLegal)(AEGP_LayerH, AEGP_LayerStream, A_Boolean *);
  SPAPI A_Err (*AEGP_CanVaryOverTime)(AEGP_StreamRefH, A_Boolean *);
  SPAPI A_Err (*AEGP_GetValidInterpolations)(AEGP_StreamRefH, AEGP_KeyInterpolationMask *);
  SPAPI A_Err (*AEGP_GetNewLayerStream)(AEGP_PluginID, AEGP_LayerH, AEGP_LayerStream, AEGP_StreamRefH *);
  SPAPI A_Err (*AEGP_GetEffectNumParamStreams)(AEGP_EffectRefH, A_long *);
  SPAPI A_Err (*AEGP_GetNewEffectStreamByIndex)(AEGP_PluginID, AEGP_EffectRefH, PF_ParamIndex, AEGP_StreamRefH *);
  SPAPI A_Err (*AEGP_GetNewMaskStream)(AEGP_PluginID, AEGP_MaskRefH, AEGP_MaskStream, AEGP_StreamRefH *);
  SPAPI A_Err (*AEGP_DisposeStream)(AEGP_StreamRefH);
  SPAPI A_Err (*AEGP_GetStreamName)(AEGP_PluginID, AEGP_StreamRefH, A_Boolean, AEGP_MemHandle *);
  SPAPI A_Err (*AEGP_GetStreamUnitsText)(AEGP_StreamRefH, A_Boolean, A_char *);
  SPAPI A_Err (*AEGP_GetStreamProperties)(AEGP_StreamRefH, AEGP_StreamFlags *, A_FpLong *, A_FpLong *);
  SPAPI A_Err (*AEGP_IsStreamTimevarying)(AEGP_StreamRefH, A_Boolean *);
  SPAPI A_Err (*AEGP_GetStreamType)(AEGP_StreamRefH, AEGP_StreamType *);
  SPAPI A_Err (*AEGP_GetNewStreamValue)(AEGP_PluginID, AEGP_StreamRefH, AEGP_LTimeMode, const A_Time *, A_Boolean, AEGP_StreamValue2 *);
  SPAPI A_Err (*AEGP_DisposeStreamValue)(AEGP_StreamValue2 *);
  SPAPI A_Err (*AEGP_SetStreamValue)(AEGP_PluginID, AEGP_StreamRefH, AEGP_StreamValue2 *);
  SPAPI A_Err (*AEGP_GetLayerStreamValue)(AEGP_LayerH, AEGP_LayerStream, AEGP_LTimeMode, const A_Time *, A_Boolean, AEGP_StreamVal2 *, AEGP_StreamType *);
  SPAPI A_Err (*AEGP_GetExpressionState)(AEGP_PluginID, AEGP_StreamRefH, A_Boolean *);
  SPAPI A_Err (*AEGP_SetExpressionState)(AEGP_PluginID, AEGP_StreamRefH, A_Boolean);
  SPAPI A_Err (*AEGP_GetExpression)(AEGP_PluginID, AEGP_StreamRefH, AEGP_MemHandle *);
  SPAPI A_Err (*AEGP_SetExpression)(AEGP_PluginID, AEGP_StreamRefH, const A_char *);
  SPAPI A_Err (*AEGP_DuplicateStreamRef)(AEGP_PluginID, AEGP_StreamRefH, AEGP_StreamRefH *);
} AEGP_StreamSuite4;

#define kAEGPDynamicStreamSuiteVersion3 3

typedef struct AEGP_DynamicStreamSuite3 {
  SPAPI A_Err (*AEGP_GetNewStreamRefForLayer)(AEGP_PluginID, AEGP_LayerH, AEGP_StreamRefH *);
  SPAPI A_Err (*AEGP_GetStreamDepth)(AEGP_StreamRefH, A_long *);
  SPAPI A_Err (*AEGP_GetStreamGroupingType)(AEGP_StreamRefH, AEGP_StreamGroupingType *);
  SPAPI A_Err (*AEGP_GetNumStreamsInGroup)(AEGP_StreamRefH, A_long *);
  SPAPI A_Err (*AEGP_GetDynamicStreamFlags)(AEGP_StreamRefH, AEGP_DynStreamFlags *);
  SPAPI A_Err (*AEGP_SetDynamicStreamFlag)(AEGP_StreamRefH, AEGP_DynStreamFlags, A_Boolean, A_Boolean);
  SPAPI A_Err (*AEGP_GetNewStreamRefByIndex)(AEGP_PluginID, AEGP_StreamRefH, A_long, AEGP_StreamRefH *);
  SPAPI A_Err (*AEGP_GetNewStreamRefByMatchname)(AEGP_PluginID, AEGP_StreamRefH, const A_char *, AEGP_StreamRefH *);
  SPAPI A_Err (*AEGP_DeleteStream)(AEGP_StreamRefH);
  SPAPI A_Err (*AEGP_ReorderStream)(AEGP_StreamRefH, A_long);
  SPAPI A_Err (*AEGP_DuplicateStream)(AEGP_PluginID, AEGP_StreamRefH, A_long *);
  SPAPI A_Err (*AEGP_SetStreamName)(AEGP_StreamRefH, const A_char *);
  SPAPI A_Err (*AEGP_CanAddStream)(AEGP_StreamRefH, const A_char *, A_Boolean *);
  SPAPI A_Err (*AEGP_AddStream)(AEGP_PluginID, AEGP_StreamRefH, const A_char *, AEGP_StreamRefH *);
  SPAPI A_Err (*AEGP_GetMatchName)(AEGP_StreamRefH, A_char *);
  SPAPI A_Err (*AEGP_GetNewParentStreamRef)(AEGP_PluginID, AEGP_StreamRefH, AEGP_StreamRefH *);
  SPAPI A_Err (*AEGP_GetStreamIsModified)(AEGP_StreamRefH, A_Boolean *);
  SPAPI A_Err (*AEGP_GetStreamIndexInParent)(AEGP_StreamRefH, A_long *);
} AEGP_DynamicStreamSuite3;

#define kAEGPLayerSuiteVersion7 13

typedef struct AEGP_LayerSuite7 {
  SPAPI A_Err (*AEGP_GetCompNumLayers)(AEGP_CompH, A_long *);
  SPAPI A_Err (*AEGP_GetCompLayerByIndex)(AEGP_CompH, A_long, AEGP_LayerH *);
  SPAPI A_Err (*AEGP_GetActiveLayer)(AEGP_LayerH *);
  SPAPI A_Err (*AEGP_GetLayerIndex)(AEGP_LayerH, A_long *);
  SPAPI A_Err (*AEGP_GetLayerSourceItem)(AEGP_LayerH, AEGP_ItemH *);
  SPAPI A_Err (*AEGP_GetLayerSourceItemID)(AEGP_LayerH, A_long *);
  SPAPI A_Err (*AEGP_GetLayerParentComp)(AEGP_LayerH, AEGP_CompH *);
  SPAPI A_Err (*AEGP_GetLayerName)(AEGP_PluginID, AEGP_LayerH, AEGP_MemHandle *, AEGP_MemHandle *);
  SPAPI A_Err (*AEGP_GetLayerQuality)(AEGP_LayerH, AEGP_LayerQuality *);
  SPAPI A_Err (*AEGP_SetLayerQuality)(AEGP_LayerH, AEGP_LayerQuality);
  SPAPI A_Err (*AEGP_GetLayerFlags)(AEGP_LayerH, AEGP_LayerFlags *);
  SPAPI A_Err (*AEGP_SetLayerFlag)(AEGP_LayerH, AEGP_LayerFlags, A_Boolean);
  SPAPI A_Err (*AEGP_IsLayerVideoReallyOn)(AEGP_LayerH, A_Boolean *);
  SPAPI A_Err (*AEGP_IsLayerAudioReallyOn)(AEGP_LayerH, A_Boolean *);
  SPAPI A_Err (*AEGP_GetLayerCurrentTime)(AEGP_LayerH, AEGP_LTimeMode, A_Time *);
  SPAPI A_Err (*AEGP_GetLayerInPoint)(AEGP_LayerH, AEGP_LTimeMode, A_Time *);
  SPAPI A_Err (*AEGP_GetLayerDuration)(AEGP_LayerH, AEGP_LTimeMode, A_Time *);
  SPAPI A_Err (*AEGP_SetLayerInPointAndDuration)(AEGP_LayerH, AEGP_LTimeMode, const A_Time *, const A_Time *);
  SPAPI A_Err (*AEGP_GetLayerOffset)(AEGP_LayerH, A_Time *);
  SPAPI A_Err (*AEGP_SetLayerOffset)(AEGP_LayerH, const A_Time *);
  SPAPI A_Err (*AEGP_GetLayerStretch)(AEGP_LayerH, A_Ratio *);
  SPAPI A_Err (*AEGP_SetLayerStretch)(AEGP_LayerH, const A_Ratio *);
  SPAPI A_Err (*AEGP_GetLayerTransferMode)(AEGP_LayerH, AEGP_LayerTransferMode *);
  SPAPI A_Err (*AEGP_SetLayerTransferMode)(AEGP_LayerH, const AEGP_LayerTransferMode *);
  SPAPI A_Err (*AEGP_IsAddLayerValid)(AEGP_ItemH, AEGP_CompH, A_Boolean *);
  SPAPI A_Err (*AEGP_AddLayer)(AEGP_ItemH, AEGP_CompH, AEGP_LayerH *);
  SPAPI A_Err (*AEGP_ReorderLayer)(AEGP_LayerH, A_long);
  SPAPI A_Err (*AEGP_GetLayerMaskedBounds)(AEGP_LayerH, AEGP_LTimeMode, const A_Time *, A_FloatRect *);
  SPAPI A_Err (*AEGP_GetLayerObjectType)(AEGP_LayerH, AEGP_ObjectType *);
  SPAPI A_Err (*AEGP_IsLayer3D)(AEGP_LayerH, A_Boolean *);
  SPAPI A_Err (*AEGP_IsLayer2D)(AEGP_LayerH, A_Boolean *);
  SPAPI A_Err (*AEGP_IsVideoActive)(AEGP_LayerH, AEGP_LTimeMode, const A_Time *, A_Boolean *);
  SPAPI A_Err (*AEGP_IsLayerUsedAsTrackMatte)(AEGP_LayerH, A_Boolean, A_Boolean *);
  SPAPI A_Err (*AEGP_DoesLayerHaveTrackMatte)(AEGP_LayerH, A_Boolean *);
  SPAPI A_Err (*AEGP_ConvertCompToLayerTime)(AEGP_LayerH, const A_Time *, A_Time *);
  SPAPI A_Err (*AEGP_ConvertLayerToCompTime)(AEGP_LayerH, const A_Time *, A_Time *);
  SPAPI A_Err (*AEGP_GetLayerDancingRandValue)(AEGP_LayerH, const A_Time *, A_long *);
  SPAPI A_Err (*AEGP_GetLayerID)(AEGP_LayerH, AEGP_LayerIDVal *);
  SPAPI A_Err (*AEGP_GetLayerToWorldXform)(AEGP_LayerH, const A_Time *, A_Matrix4 *);
  SPAPI A_Err (*AEGP_GetLayerToWorldXformFromView)(AEGP_LayerH, const A_Time *, const A_Time *, A_Matrix4 *);
  SPAPI A_Err (*AEGP_SetLayerName)(AEGP_LayerH, const A_UTF16Char *);
  SPAPI A_Err (*AEGP_GetLayerParent)(const AEGP_LayerH, AEGP_LayerH *);
  SPAPI A_Err (*AEGP_SetLayerParent)(AEGP_LayerH, const AEGP_LayerH);
  SPAPI A_Err (*AEGP_DeleteLayer)(AEGP_LayerH);
  SPAPI A_Err (*AEGP_DuplicateLayer)(AEGP_LayerH, AEGP_LayerH *);
  SPAPI A_Err (*AEGP_GetLayerFromLayerID)(AEGP_CompH, AEGP_LayerIDVal, AEGP_LayerH *);
  SPAPI A_Err (*AEGP_GetLayerLabel)(AEGP_LayerH, AEGP_LabelID *);
  SPAPI A_Err (*AEGP_SetLayerLabel)(AEGP_LayerH, AEGP_LabelID);
} AEGP_LayerSuite7;

#define kAEGPCompSuiteVersion9 19

typedef struct AEGP_CompSuite9 {
  SPAPI A_Err (*AEGP_GetCompFromItem)(AEGP_ItemH, AEGP_CompH *);
  SPAPI A_Err (*AEGP_GetItemFromComp)(AEGP_CompH, AEGP_ItemH *);
  SPAPI A_Err (*AEGP_GetCompDownsampleFactor)(AEGP_CompH, AEGP_DownsampleFactor *);
  SPAPI A_Err (*AEGP_SetCompDownsampleFactor)(AEGP_CompH, const AEGP_DownsampleFactor *);
  SPAPI A_Err (*AEGP_GetCompBGColor)(AEGP_CompH, AEGP_ColorVal *);
  SPAPI A_Err (*AEGP_SetCompBGColor)(AEGP_CompH, const AEGP_ColorVal *);
  SPAPI A_Err (*AEGP_GetCompFlags)(AEGP_CompH, AEGP_CompFlags *);
  SPAPI A_Err (*AEGP_GetCompFramerate)(AEGP_CompH, A_FpLong *);
  SPAPI A_Err (*AEGP_SetCompFrameRate)(AEGP_CompH, const A_FpLong *);
  SPAPI A_Err (*AEGP_GetCompShutterAnglePhase)(AEGP_CompH, A_Ratio *, A_Ratio *);
  SPAPI A_Err (*AEGP_GetCompShutterFrameRange)(AEGP_CompH, const A_Time *, A_Time *, A_Time *);
  SPAPI A_Err (*AEGP_GetCompSuggestedMotionBlurSamples)(AEGP_CompH, A_long *);
  SPAPI A_Err (*AEGP_SetCompSuggestedMotionBlurSamples)(AEGP_CompH, A_long);
  SPAPI A_Err (*AEGP_GetCompWorkAreaStart)(AEGP_CompH, A_Time *);
  SPAPI A_Err (*AEGP_GetCompWorkAreaDuration)(AEGP_CompH, A_Time *);
  SPAPI A_Err (*AEGP_SetCompWorkAreaStartAndDuration)(AEGP_CompH, const A_Time *, const A_Time *);
  SPAPI A_Err (*AEGP_CreateSolidInComp)(const A_UTF16Char *, A_long, A_long, const AEGP_ColorVal *, AEGP_CompH, const A_Time *, AEGP_LayerH *);
  SPAPI A_Err (*AEGP_CreateCameraInComp)(const A_UTF16Char *, A_FloatPoint, AEGP_CompH, AEGP_LayerH *);
  SPAPI A_Err (*AEGP_CreateLightInComp)(const A_UTF16Char *, A_FloatPoint, AEGP_CompH, AEGP_LayerH *);
  SPAPI A_Err (*AEGP_CreateComp)(AEGP_ItemH, const A_UTF16Char *, A_long, A_long, const A_Ratio *, const A_Time *, const A_Ratio *, AEGP_CompH *);
  SPAPI A_Err (*AEGP_GetNewCollectionFromCompSelection)(AEGP_PluginID, AEGP_CompH, AEGP_Collection2H *);
  SPAPI A_Err (*AEGP_SetSelection)(AEGP_CompH, AEGP_Collection2H);
  SPAPI A_Err (*AEGP_GetCompDisplayStartTime)(AEGP_CompH, A_Time *);
  SPAPI A_Err (*AEGP_SetCompDisplayStartTime)(AEGP_CompH, const A_Time *);
  SPAPI A_Err (*AEGP_SetCompDuration)(AEGP_CompH, const A_Time *);
  SPAPI A_Err (*AEGP_CreateNullInComp)(const A_UTF16Char *, AEGP_CompH, const A_Time *, AEGP_LayerH *);
  SPAPI A_Err (*AEGP_SetCompPixelAspectRatio)(AEGP_CompH, const A_Ratio *);
  SPAPI A_Err (*AEGP_CreateTextLayerInComp)(AEGP_CompH, A_Boolean, AEGP_LayerH *);
  SPAPI A_Err (*AEGP_CreateBoxTextLayerInComp)(AEGP_CompH, A_Boolean, A_FloatPoint, AEGP_LayerH *);
  SPAPI A_Err (*AEGP_SetCompDimensions)(AEGP_CompH, A_long, A_long);
  SPAPI A_Err (*AEGP_DuplicateComp)(AEGP_CompH, AEGP_CompH *);
  SPAPI A_Err (*AEGP_GetCompFrameDuration)(AEGP_CompH, A_Time *);
  SPAPI A_Err (*AEGP_GetMostRecentlyUsedComp)(AEGP_CompH *);
  SPAPI A_Err (*AEGP_CreateVectorLayerInComp)(AEGP_CompH, AEGP_LayerH *);
  SPAPI A_Err (*AEGP_GetNewCompMarkerStream)(AEGP_PluginID, AEGP_CompH, AEGP_StreamRefH *);
  SPAPI A_Err (*AEGP_GetCompDisplayDropFrame)(AEGP_CompH, A_Boolean *);
  SPAPI A_Err (*AEGP_SetCompDisplayDropFrame)(AEGP_CompH, A_Boolean);
} AEGP_CompSuite9;

#define kAEGPItemSuiteVersion8 13

typedef struct AEGP_ItemSuite8 {
  SPAPI A_Err (*AEGP_GetFirstProjItem)(AEGP_ProjectH, AEGP_ItemH *);
  SPAPI A_Err (*AEGP_GetNextProjItem)(AEGP_ProjectH, AEGP_ItemH, AEGP_ItemH *);
  SPAPI A_Err (*AEGP_GetActiveItem)(AEGP_ItemH *);
  SPAPI A_Err (*AEGP_IsItemSelected)(AEGP_ItemH, A_Boolean *);
  SPAPI A_Err (*AEGP_SelectItem)(AEGP_ItemH, A_Boolean, A_Boolean);
  SPAPI A_Err (*AEGP_GetItemType)(AEGP_ItemH, AEGP_ItemType *);
  SPAPI A_Err (*AEGP_GetTypeName)(AEGP_ItemType, A_char *);
  SPAPI A_Err (*AEGP_GetItemName)(AEGP_PluginID, AEGP_ItemH, AEGP_MemHandle *);
  SPAPI A_Err (*AEGP_SetItemName)(AEGP_ItemH, const A_UTF16Char *);
  SPAPI A_Err (*AEGP_GetItemID)(AEGP_ItemH, A_long *);
  SPAPI A_Err (*AEGP_GetItemFlags)(AEGP_ItemH, AEGP_ItemFlags *);
  SPAPI A_Err (*AEGP_SetItemUseProxy)(AEGP_ItemH, A_Boolean);
  SPAPI A_Err (*AEGP_GetItemParentFolder)(AEGP_ItemH, AEGP_ItemH *);
  SPAPI A_Err (*AEGP_SetItemParentFolder)(AEGP_ItemH, AEGP_ItemH);
  SPAPI A_Err (*AEGP_GetItemDuration)(AEGP_ItemH, A_Time *);
  SPAPI A_Err (*AEGP_GetItemCurrentTime)(AEGP_ItemH, A_Time *);
  SPAPI A_Err (*AEGP_GetItemDimensions)(AEGP_ItemH, A_long *, A_long *);
  SPAPI A_Err (*AEGP_GetItemPixelAspectRatio)(AEGP_ItemH, A_Ratio *);
  SPAPI A_Err (*AEGP_DeleteItem)(AEGP_ItemH);
  SPAPI A_Err (*AEGP_CreateNewFolder)(const A_UTF16Char *, AEGP_ItemH, AEGP_ItemH *);
  SPAPI A_Err (*AEGP_SetItemCurrentTime)(AEGP_ItemH, const A_Time *);
  SPAPI A_Err (*AEGP_GetItemCommentLength)(AEGP_ItemH, A_u_long *);
  SPAPI A_Err (*AEGP_GetItemComment)(AEGP_ItemH, A_u_long, A_char *);
  SPAPI A_Err (*AEGP_SetItemComment)(AEGP_ItemH, const A_char *);
  SPAPI A_Err (*AEGP_GetItemLabel)(AEGP_ItemH, AEGP_LabelID *);
  SPAPI A_Err (*AEGP_SetItemLabel)(AEGP_ItemH, AEGP_LabelID);
  SPAPI A_Err (*AEGP_GetItemMRUView)(AEGP_ItemH, AEGP_ItemViewP *);
} AEGP_ItemSuite8;

#define kAEGPKeyframeSuiteVersion4 4

typedef struct AEGP_KeyframeSuite4 {
  SPAPI A_Err (*AEGP_GetStreamNumKFs)(AEGP_StreamRefH, A_long *);
  SPAPI A_Err (*AEGP_GetKeyframeTime)(AEGP_StreamRefH, AEGP_KeyframeIndex, AEGP_LTimeMode, A_Time *);
  SPAPI A_Err (*AEGP_InsertKeyframe)(AEGP_StreamRefH, AEGP_LTimeMode, const A_Time *, AEGP_KeyframeIndex *);
  SPAPI A_Err (*AEGP_DeleteKeyframe)(AEGP_StreamRefH, AEGP_KeyframeIndex);
  SPAPI A_Err (*AEGP_GetNewKeyframeValue)(AEGP_PluginID, AEGP_StreamRefH, AEGP_KeyframeIndex, AEGP_StreamValue2 *);
  SPAPI A_Err (*AEGP_SetKeyframeValue)(AEGP_StreamRefH, AEGP_KeyframeIndex, const AEGP_StreamValue2 *);
  SPAPI A_Err (*AEGP_GetStreamValueDimensionality)(AEGP_StreamRefH, A_short *);
  SPAPI A_Err (*AEGP_GetStreamTemporalDimensionality)(AEGP_StreamRefH, A_short *);
  SPAPI A_Err (*AEGP_GetNewKeyframeSpatialTangents)(AEGP_PluginID, AEGP_StreamRefH, AEGP_KeyframeIndex, AEGP_StreamValue2 *, AEGP_StreamValue2 *);
  SPAPI A_Err (*AEGP_SetKeyframeSpatialTangents)(AEGP_StreamRefH, AEGP_KeyframeIndex, const AEGP_StreamValue2 *, const AEGP_StreamValue2 *);
  SPAPI A_Err (*AEGP_GetKeyframeTemporalEase)(AEGP_StreamRefH, AEGP_KeyframeIndex, A_long, AEGP_KeyframeEase *, AEGP_KeyframeEase *);
  SPAPI A_Err (*AEGP_SetKeyframeTemporalEase)(AEGP_StreamRefH, AEGP_KeyframeIndex, A_long, const AEGP_KeyframeEase *, const AEGP_KeyframeEase *);
  SPAPI A_Err (*AEGP_GetKeyframeFlags)(AEGP_StreamRefH, AEGP_KeyframeIndex, AEGP_KeyframeFlags *);
  SPAPI A_Err (*AEGP_SetKeyframeFlag)(AEGP_StreamRefH, AEGP_KeyframeIndex, AEGP_KeyframeFlags, A_Boolean);
  SPAPI A_Err (*AEGP_GetKeyframeInterpolation)(AEGP_StreamRefH, AEGP_KeyframeIndex, AEGP_KeyframeInterpolationType *, AEGP_KeyframeInterpolationType *);
  SPAPI A_Err (*AEGP_SetKeyframeInterpolation)(AEGP_StreamRefH, AEGP_KeyframeIndex, AEGP_KeyframeInterpolationType, AEGP_KeyframeInterpolationType);
  SPAPI A_Err (*AEGP_StartAddKeyframes)(AEGP_StreamRefH, AEGP_AddKeyframesInfoH *);
  SPAPI A_Err (*AEGP_AddKeyframes)(AEGP_AddKeyframesInfoH, AEGP_LTimeMode, const A_Time *, A_long *);
  SPAPI A_Err (*AEGP_SetAddKeyframe)(AEGP_AddKeyframesInfoH, A_long, const AEGP_StreamValue2 *);
  SPAPI A_Err (*AEGP_EndAddKeyframes)(A_Boolean, AEGP_AddKeyframesInfoH);
} AEGP_KeyframeSuite4;

#define kAEGPMaskSuiteVersion5 6

typedef struct AEGP_MaskSuite5 {
  SPAPI A_Err (*AEGP_GetLayerNumMasks)(AEGP_LayerH, A_long *);
  SPAPI A_Err (*AEGP_GetLayerMaskByIndex)(AEGP_LayerH, AEGP_MaskIndex, AEGP_MaskRefH *);
  SPAPI A_Err (*AEGP_DisposeMask)(AEGP_MaskRefH);
  SPAPI A_Err (*AEGP_GetMaskInvert)(AEGP_MaskRefH, A_Boolean *);
  SPAPI A_Err (*AEGP_SetMaskInvert)(AEGP_MaskRefH, A_Boolean);
  SPAPI A_Err (*AEGP_GetMaskMode)(AEGP_MaskRefH, PF_MaskMode *);
  SPAPI A_Err (*AEGP_SetMaskMode)(AEGP_MaskRefH, PF_MaskMode);
  SPAPI A_Err (*AEGP_GetMaskMotionBlurState)(AEGP_MaskRefH, AEGP_MaskMBlur *);
  SPAPI A_Err (*AEGP_SetMaskMotionBlurState)(AEGP_MaskRefH, AEGP_MaskMBlur);
  SPAPI A_Err (*AEGP_GetMaskID)(AEGP_MaskRefH, AEGP_MaskIDVal *);
  SPAPI A_Err (*AEGP_CreateNewMask)(AEGP_LayerH, AEGP_MaskRefH *, A_long *);
  SPAPI A_Err (*AEGP_DeleteMaskFromLayer)(AEGP_MaskRefH);
  SPAPI A_Err (*AEGP_GetMaskColor)(AEGP_MaskRefH, AEGP_ColorVal *);
  SPAPI A_Err (*AEGP_SetMaskColor)(AEGP_MaskRefH, const AEGP_ColorVal *);
  SPAPI A_Err (*AEGP_GetMaskLockState)(AEGP_MaskRefH, A_Boolean *);
  SPAPI A_Err (*AEGP_SetMaskLockState)(AEGP_MaskRefH, A_Boolean);
  SPAPI A_Err (*AEGP_GetMaskIsRotoBezier)(AEGP_MaskRefH, A_Boolean *);
  SPAPI A_Err (*AEGP_SetMaskIsRotoBezier)(AEGP_MaskRefH, A_Boolean);
  SPAPI A_Err (*AEGP_DuplicateMask)(AEGP_MaskRefH, AEGP_MaskRefH *);
} AEGP_MaskSuite5;

#define kAEGPUtilitySuiteVersion3 7

typedef struct AEGP_UtilitySuite3 {
  SPAPI A_Err (*AEGP_ReportInfo)(AEGP_PluginID, const A_char *);
  SPAPI A_Err (*AEGP_GetDriverPluginInitFuncVersion)(A_short *, A_short *);
  SPAPI A_Err (*AEGP_GetDriverImplementationVersion)(A_short *, A_short *);
  SPAPI A_Err (*AEGP_StartQuietErrors)(AEGP_ErrReportState *);
  SPAPI A_Err (*AEGP_EndQuietErrors)(A_Boolean, AEGP_ErrReportState *);
  SPAPI A_Err (*AEGP_StartUndoGroup)(const A_char *);
  SPAPI A_Err (*AEGP_EndUndoGroup)();
  SPAPI A_Err (*AEGP_RegisterWithAEGP)(AEGP_GlobalRefcon, const A_char *, AEGP_PluginID *);
  SPAPI A_Err (*AEGP_GetMainHWND)(void *);
  SPAPI A_Err (*AEGP_ShowHideAllFloaters)(A_Boolean);
  SPAPI A_Err (*AEGP_PaintPalGetForeColor)(AEGP_ColorVal *);
  SPAPI A_Err (*AEGP_PaintPalGetBackColor)(AEGP_ColorVal *);
  SPAPI A_Err (*AEGP_PaintPalSetForeColor)(const AEGP_ColorVal *);
  SPAPI A_Err (*AEGP_PaintPalSetBackColor)(const AEGP_ColorVal *);
  SPAPI A_Err (*AEGP_CharPalGetFillColor)(A_Boolean *, AEGP_ColorVal *);
  SPAPI A_Err (*AEGP_CharPalGetStrokeColor)(A_Boolean *, AEGP_ColorVal *);
  SPAPI A_Err (*AEGP_CharPalSetFillColor)(const AEGP_ColorVal *);
  SPAPI A_Err (*AEGP_CharPalSetStrokeColor)(const AEGP_ColorVal *);
  SPAPI A_Err (*AEGP_CharPalIsFillColorUIFrontmost)(A_Boolean *);
  SPAPI A_Err (*AEGP_ConvertFpLongToHSFRatio)(A_FpLong, A_Ratio *);
  SPAPI A_Err (*AEGP_ConvertHSFRatioToFpLong)(A_Ratio, A_FpLong *);
  SPAPI A_Err (*AEGP_CauseIdleRoutinesToBeCalled)();
  SPAPI A_Err (*AEGP_GetSuppressInteractiveUI)(A_Boolean *);
  SPAPI A_Err (*AEGP_WriteToOSConsole)(const A_char *);
  SPAPI A_Err (*AEGP_WriteToDebugLog)(const A_char *, const A_char *, const A_char *);
} AEGP_UtilitySuite3;

#define kAEGPUtilitySuiteVersion5 11

typedef struct AEGP_UtilitySuite5 {
  SPAPI A_Err (*AEGP_ReportInfo)(AEGP_PluginID, const A_char *);
  SPAPI A_Err (*AEGP_GetDriverPluginInitFuncVersion)(A_short *, A_short *);
  SPAPI A_Err (*AEGP_GetDriverImplementationVersion)(A_short *, A_short *);
  SPAPI A_Err (*AEGP_StartQuietErrors)(AEGP_ErrReportState *);
  SPAPI A_Err (*AEGP_EndQuietErrors)(A_Boolean, AEGP_ErrReportState *);
  SPAPI A_Err (*AEGP_GetLastErrorMessage)(A_long, A_char *, A_Err *);
  SPAPI A_Err (*AEGP_StartUndoGroup)(const A_char *);
  SPAPI A_Err (*AEGP_EndUndoGroup)();
  SPAPI A_Err (*AEGP_RegisterWithAEGP)(AEGP_GlobalRefcon, const A_char *, AEGP_PluginID *);
  SPAPI A_Err (*AEGP_GetMainHWND)(void *);
  SPAPI A_Err (*AEGP_ShowHideAllFloaters)(A_Boolean);
  SPAPI A_Err (*AEGP_PaintPalGetForeColor)(AEGP_ColorVal *);
  SPAPI A_Err (*AEGP_PaintPalGetBackColor)(AEGP_ColorVal *);
  SPAPI A_Err (*AEGP_PaintPalSetForeColor)(const AEGP_ColorVal *);
  SPAPI A_Err (*AEGP_PaintPalSetBackColor)(const AEGP_ColorVal *);
  SPAPI A_Err (*AEGP_CharPalGetFillColor)(A_Boolean *, AEGP_ColorVal *);
  SPAPI A_Err (*AEGP_CharPalGetStrokeColor)(A_Boolean *, AEGP_ColorVal *);
  SPAPI A_Err (*AEGP_CharPalSetFillColor)(const AEGP_ColorVal *);
  SPAPI A_Err (*AEGP_CharPalSetStrokeColor)(const AEGP_ColorVal *);
  SPAPI A_Err (*AEGP_CharPalIsFillColorUIFrontmost)(A_Boolean *);
  SPAPI A_Err (*AEGP_ConvertFpLongToHSFRatio)(A_FpLong, A_Ratio *);
  SPAPI A_Err (*AEGP_ConvertHSFRatioToFpLong)(A_Ratio, A_FpLong *);
  SPAPI A_Err (*AEGP_CauseIdleRoutinesToBeCalled)();
  SPAPI A_Err (*AEGP_GetSuppressInteractiveUI)(A_Boolean *);
  SPAPI A_Err (*AEGP_WriteToOSConsole)(const A_char *);
  SPAPI A_Err (*AEGP_WriteToDebugLog)(const A_char *, const A_char *, const A_char *);
  SPAPI A_Err (*AEGP_IsScriptingAvailable)(A_Boolean *);
  SPAPI A_Err (*AEGP_ExecuteScript)(AEGP_PluginID, const A_char *, const A_Boolean, AEGP_MemHandle *, AEGP_MemHandle *);
  SPAPI A_Err (*AEGP_HostIsActivated)(A_Boolean *);
  SPAPI A_Err (*AEGP_GetPluginPlatformRef)(AEGP_PluginID, void **);
  SPAPI A_Err (*AEGP_UpdateFontList)();
} AEGP_UtilitySuite5;

#define kAEGPIterateSuiteVersion1 1

typedef struct AEGP_IterateSuite1 {
  SPAPI A_Err (*AEGP_GetNumThreads)(A_long *);
  SPAPI A_Err (*AEGP_IterateGeneric)(A_long, void *, A_Err (*)(void *, A_long, A_long, A_long));
} AEGP_IterateSuite1;

#define kAEGPPersistentDataSuiteVersion3 3

typedef struct AEGP_PersistentDataSuite3 {
  SPAPI A_Err (*AEGP_GetApplicationBlob)(AEGP_PersistentBlobH *);
  SPAPI A_Err (*AEGP_GetNumSections)(AEGP_PersistentBlobH, A_long *);
  SPAPI A_Err (*AEGP_GetSectionKeyByIndex)(AEGP_PersistentBlobH, A_long, A_long, A_char *);
  SPAPI A_Err (*AEGP_DoesKeyExist)(AEGP_PersistentBlobH, const A_char *, const A_char *, A_Boolean *);
  SPAPI A_Err (*AEGP_GetNumKeys)(AEGP_PersistentBlobH, const A_char *, A_long *);
  SPAPI A_Err (*AEGP_GetValueKeyByIndex)(AEGP_PersistentBlobH, const A_char *, A_long, A_long, A_char *);
  SPAPI A_Err (*AEGP_GetDataHandle)(AEGP_PluginID, AEGP_PersistentBlobH, const A_char *, const A_char *, AEGP_MemHandle, AEGP_MemHandle *);
  SPAPI A_Err (*AEGP_GetData)(AEGP_PersistentBlobH, const A_char *, const A_char *, A_u_long, const void *, void *);
  SPAPI A_Err (*AEGP_GetString)(AEGP_PersistentBlobH, const A_char *, const A_char *, const A_char *, A_u_long, A_char *, A_u_long *);
  SPAPI A_Err (*AEGP_GetLong)(AEGP_PersistentBlobH, const A_char *, const A_char *, A_long, A_long *);
  SPAPI A_Err (*AEGP_GetFpLong)(AEGP_PersistentBlobH, const A_char *, const A_char *, A_FpLong, A_FpLong *);
  SPAPI A_Err (*AEGP_SetDataHandle)(AEGP_PersistentBlobH, const A_char *, const A_char *, const AEGP_MemHandle);
  SPAPI A_Err (*AEGP_SetData)(AEGP_PersistentBlobH, const A_char *, const A_char *, A_u_long, const void *);
  SPAPI A_Err (*AEGP_SetString)(AEGP_PersistentBlobH, const A_char *, const A_char *, const A_char *);
  SPAPI A_Err (*AEGP_SetLong)(AEGP_PersistentBlobH, const A_char *, const A_char *, A_long);
  SPAPI A_Err (*AEGP_SetFpLong)(AEGP_PersistentBlobH, const A_char *, const A_char *, A_FpLong);
  SPAPI A_Err (*AEGP_DeleteEntry)(AEGP_PersistentBlobH, const A_char *, const A_char *);
  SPAPI A_Err (*AEGP_GetPrefsDirectory)(AEGP_MemHandle *);
} AEGP_PersistentDataSuite3;
