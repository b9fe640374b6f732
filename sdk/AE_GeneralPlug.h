// General plug-in (AEGP) API: project objects and the suites that reach them.
// Where a suite is used at two versions, the later table only appends, so
// the earlier version is declared as the same table.
#pragma once
#include "AE_Effect.h"
#include "SPBasic.h"

typedef A_long AEGP_PluginID;
typedef void *AEGP_GlobalRefcon;
typedef void *AEGP_IdleRefcon;

typedef struct _AEGP_ProjectH *AEGP_ProjectH;
typedef struct _AEGP_ItemH *AEGP_ItemH;
typedef struct _AEGP_CompH *AEGP_CompH;
typedef struct _AEGP_LayerH *AEGP_LayerH;
typedef struct _AEGP_EffectRefH *AEGP_EffectRefH;
typedef struct _AEGP_StreamRefH *AEGP_StreamRefH;
typedef struct _AEGP_MaskRefH *AEGP_MaskRefH;
typedef struct _AEGP_MemHandle *AEGP_MemHandle;
typedef struct _AEGP_PersistentBlobH *AEGP_PersistentBlobH;
typedef struct _AEGP_ErrReportH *AEGP_ErrReportH;
typedef struct _AEGP_MaskOutlineValH *AEGP_MaskOutlineValH;
typedef struct _AEGP_TextDocumentH *AEGP_TextDocumentH;
typedef struct _AEGP_MarkerVal *AEGP_MarkerValP;
typedef struct _AEGP_AddKeyframesInfo *AEGP_AddKeyframesInfoH;
typedef struct _PR_RenderContext *PR_RenderContextH;

typedef A_long AEGP_InstalledEffectKey;
#define AEGP_InstalledEffectKey_NONE 0
typedef A_long AEGP_EffectIndex;
typedef A_long AEGP_MaskIndex;
typedef A_long AEGP_KeyframeIndex;
typedef A_long AEGP_LayerIDVal;
typedef A_long AEGP_MaskIDVal;

#define AEGP_MAX_EFFECT_NAME_SIZE 47
#define AEGP_MAX_EFFECT_MATCH_NAME_SIZE 47
#define AEGP_MAX_EFFECT_CATEGORY_NAME_SIZE 47
#define AEGP_MAX_ITEM_NAME_SIZE 31
#define AEGP_MAX_STREAM_MATCH_NAME_SIZE 39
#define AEGP_MAX_PLUGIN_NAME_SIZE 31

enum {
  AEGP_LTimeMode_LayerTime = 0,
  AEGP_LTimeMode_CompTime = 1
};
typedef A_long AEGP_LTimeMode;

enum {
  AEGP_EffectFlags_NONE = 0L,
  AEGP_EffectFlags_ACTIVE = 1L << 0,
  AEGP_EffectFlags_AUDIO_ONLY = 1L << 1,
  AEGP_EffectFlags_AUDIO_TOO = 1L << 2,
  AEGP_EffectFlags_MISSING = 1L << 3
};
typedef A_long AEGP_EffectFlags;

enum {
  AEGP_DynStreamFlag_ACTIVE_EYEBALL = 1L << 0,
  AEGP_DynStreamFlag_HIDDEN = 1L << 1,
  AEGP_DynStreamFlag_DISABLED = 1L << 2,
  AEGP_DynStreamFlag_ELIDED = 1L << 3,
  AEGP_DynStreamFlag_SHOWN_WHEN_EMPTY = 1L << 4,
  AEGP_DynStreamFlag_SKIP_REVEAL_WHEN_UNHIDDEN = 1L << 5
};
typedef A_u_long AEGP_DynStreamFlags;

enum {
  AEGP_LayerStream_NONE = -1,
  AEGP_LayerStream_ANCHORPOINT = 0,
  AEGP_LayerStream_POSITION,
  AEGP_LayerStream_SCALE,
  AEGP_LayerStream_ROTATION,
  AEGP_LayerStream_ROTATE_Z = AEGP_LayerStream_ROTATION,
  AEGP_LayerStream_OPACITY,
  AEGP_LayerStream_AUDIO,
  AEGP_LayerStream_MARKER,
  AEGP_LayerStream_TIME_REMAP,
  AEGP_LayerStream_ROTATE_X,
  AEGP_LayerStream_ROTATE_Y,
  AEGP_LayerStream_ORIENTATION,
  AEGP_LayerStream_ZOOM,
  AEGP_LayerStream_DEPTH_OF_FIELD,
  AEGP_LayerStream_FOCUS_DISTANCE,
  AEGP_LayerStream_APERTURE,
  AEGP_LayerStream_BLUR_LEVEL,
  AEGP_LayerStream_NUM_TYPES
};
typedef A_long AEGP_LayerStream;

enum {
  AEGP_MaskStream_OUTLINE = 0x2400,
  AEGP_MaskStream_OPACITY,
  AEGP_MaskStream_FEATHER,
  AEGP_MaskStream_EXPANSION
};
typedef A_long AEGP_MaskStream;

enum {
  AEGP_StreamType_NO_DATA = 0,
  AEGP_StreamType_ThreeD_SPATIAL,
  AEGP_StreamType_ThreeD,
  AEGP_StreamType_TwoD_SPATIAL,
  AEGP_StreamType_TwoD,
  AEGP_StreamType_OneD,
  AEGP_StreamType_COLOR,
  AEGP_StreamType_ARB,
  AEGP_StreamType_MARKER,
  AEGP_StreamType_LAYER_ID,
  AEGP_StreamType_MASK_ID,
  AEGP_StreamType_MASK,
  AEGP_StreamType_TEXT_DOCUMENT
};
typedef A_long AEGP_StreamType;

enum {
  AEGP_StreamGroupingType_NONE = -1,
  AEGP_StreamGroupingType_LEAF = 0,
  AEGP_StreamGroupingType_NAMED_GROUP,
  AEGP_StreamGroupingType_INDEXED_GROUP
};
typedef A_long AEGP_StreamGroupingType;

enum {
  AEGP_FilmSizeUnits_NONE = 0,
  AEGP_FilmSizeUnits_HORIZONTAL,
  AEGP_FilmSizeUnits_VERTICAL,
  AEGP_FilmSizeUnits_DIAGONAL
};
typedef A_long AEGP_FilmSizeUnits;

enum {
  AEGP_CameraType_NONE = -1,
  AEGP_CameraType_PERSPECTIVE = 0,
  AEGP_CameraType_ORTHOGRAPHIC
};
typedef A_long AEGP_CameraType;

enum {
  AEGP_PersistentType_MACHINE_SPECIFIC = 0,
  AEGP_PersistentType_MACHINE_INDEPENDENT,
  AEGP_PersistentType_MACHINE_INDEPENDENT_RENDER,
  AEGP_PersistentType_MACHINE_INDEPENDENT_OUTPUT,
  AEGP_PersistentType_MACHINE_INDEPENDENT_COMPOSITION,
  AEGP_PersistentType_MACHINE_SPECIFIC_TEXT,
  AEGP_PersistentType_MACHINE_SPECIFIC_PAINT
};
typedef A_long AEGP_PersistentType;

enum {
  AEGP_KeyInterp_NONE = 0,
  AEGP_KeyInterp_LINEAR,
  AEGP_KeyInterp_BEZIER,
  AEGP_KeyInterp_HOLD
};
typedef A_long AEGP_KeyframeInterpolationType;

typedef A_FpLong AEGP_OneDVal;
typedef struct {
  A_FpLong x, y;
} AEGP_TwoDVal;
typedef struct {
  A_FpLong x, y, z;
} AEGP_ThreeDVal;
typedef A_FpLong AEGP_FourDVal[4];
typedef struct {
  A_FpLong alpha, red, green, blue;
} AEGP_ColorVal;
typedef PF_Handle AEGP_ArbBlockVal;

typedef union {
  AEGP_FourDVal four_d;
  AEGP_ThreeDVal three_d;
  AEGP_TwoDVal two_d;
  AEGP_OneDVal one_d;
  AEGP_ColorVal color;
  AEGP_ArbBlockVal arbH;
  AEGP_MarkerValP markerP;
  AEGP_LayerIDVal layer_id;
  AEGP_MaskIDVal mask_id;
  AEGP_MaskOutlineValH mask;
  AEGP_TextDocumentH text_documentH;
} AEGP_StreamVal2;

typedef struct {
  AEGP_StreamRefH streamH;
  AEGP_StreamVal2 val;
} AEGP_StreamValue2;

// Entry point of a general plug-in and its idle hook.
typedef A_Err (*AEGP_PluginInitFuncPrototype)(struct SPBasicSuite *pica_basicP,
                                              A_long major_versionL, A_long minor_versionL,
                                              AEGP_PluginID aegp_plugin_id,
                                              AEGP_GlobalRefcon *global_refconP);
typedef A_Err (*AEGP_IdleHook)(AEGP_GlobalRefcon plugin_refconP, AEGP_IdleRefcon refconP,
                               A_long *max_sleepPL);

// ---------------------------------------------------------------------------
// Effect-side access to the project.

#define kAEGPPFInterfaceSuite "AEGP PF Interface Suite"
#define kAEGPPFInterfaceSuiteVersion1 1

typedef struct AEGP_PFInterfaceSuite1 {
  SPAPI A_Err (*AEGP_GetEffectLayer)(PF_ProgPtr effect_ppb_ref, AEGP_LayerH *layerPH);
  SPAPI A_Err (*AEGP_GetNewEffectForEffect)(AEGP_PluginID aegp_plugin_id,
                                            PF_ProgPtr effect_ppb_ref,
                                            AEGP_EffectRefH *effectPH);
  SPAPI A_Err (*AEGP_ConvertEffectToCompTime)(PF_ProgPtr effect_ppb_ref, A_long what_timeL,
                                              A_u_long time_scaleLu, A_Time *comp_timePT);
  SPAPI A_Err (*AEGP_GetEffectCamera)(PF_ProgPtr effect_ppb_ref, const A_Time *comp_timePT,
                                      AEGP_LayerH *camera_layerPH);
  SPAPI A_Err (*AEGP_GetEffectCameraMatrix)(PF_ProgPtr effect_ppb_ref,
                                            const A_Time *comp_timePT,
                                            A_Matrix4 *camera_matrixP,
                                            A_FpLong *dst_to_planePF, A_short *plane_widthPL,
                                            A_short *plane_heightPL);
} AEGP_PFInterfaceSuite1;

// ---------------------------------------------------------------------------
// Effects on layers.

#define kAEGPEffectSuite "AEGP Effect Suite"
#define kAEGPEffectSuiteVersion3 3

typedef struct AEGP_EffectSuite3 {
  SPAPI A_Err (*AEGP_GetLayerNumEffects)(AEGP_LayerH layerH, A_long *num_effectsPL);
  SPAPI A_Err (*AEGP_GetLayerEffectByIndex)(AEGP_PluginID aegp_plugin_id, AEGP_LayerH layerH,
                                            AEGP_EffectIndex layer_effect_indexL,
                                            AEGP_EffectRefH *effectPH);
  SPAPI A_Err (*AEGP_GetInstalledKeyFromLayerEffect)(AEGP_EffectRefH effect_refH,
                                                     AEGP_InstalledEffectKey *installed_keyP);
  SPAPI A_Err (*AEGP_GetEffectParamUnionByIndex)(AEGP_PluginID aegp_plugin_id,
                                                 AEGP_EffectRefH effectH,
                                                 PF_ParamIndex param_index,
                                                 PF_ParamType *param_typeP,
                                                 PF_ParamDefUnion *uP0);
  SPAPI A_Err (*AEGP_GetEffectFlags)(AEGP_EffectRefH effect_refH,
                                     AEGP_EffectFlags *effect_flagsP);
  SPAPI A_Err (*AEGP_SetEffectFlags)(AEGP_EffectRefH effect_refH, AEGP_EffectFlags mask,
                                     AEGP_EffectFlags effect_flags);
  SPAPI A_Err (*AEGP_ReorderEffect)(AEGP_EffectRefH effect_refH, A_long effect_indexL);
  SPAPI A_Err (*AEGP_EffectCallGeneric)(AEGP_PluginID aegp_plugin_id,
                                        AEGP_EffectRefH effectH, const A_Time *timePT,
                                        PF_Cmd effect_cmd, void *effect_extraPV);
  SPAPI A_Err (*AEGP_DisposeEffect)(AEGP_EffectRefH effectH);
  SPAPI A_Err (*AEGP_ApplyEffect)(AEGP_PluginID aegp_plugin_id, AEGP_LayerH layerH,
                                  AEGP_InstalledEffectKey installed_key,
                                  AEGP_EffectRefH *effect_refPH);
  SPAPI A_Err (*AEGP_DeleteLayerEffect)(AEGP_EffectRefH effect_refH);
  SPAPI A_Err (*AEGP_GetNumInstalledEffects)(A_long *num_installed_effectsPL);
  SPAPI A_Err (*AEGP_GetNextInstalledEffect)(AEGP_InstalledEffectKey key,
                                             AEGP_InstalledEffectKey *next_keyPH);
  SPAPI A_Err (*AEGP_GetEffectName)(AEGP_InstalledEffectKey installed_key, A_char *nameZ);
  SPAPI A_Err (*AEGP_GetEffectMatchName)(AEGP_InstalledEffectKey installed_key,
                                         A_char *match_nameZ);
  SPAPI A_Err (*AEGP_GetEffectCategory)(AEGP_InstalledEffectKey installed_key,
                                        A_char *categoryZ);
  SPAPI A_Err (*AEGP_DuplicateEffect)(AEGP_EffectRefH original_effect_refH,
                                      AEGP_EffectRefH *duplicate_effect_refPH);
} AEGP_EffectSuite3;

// ---------------------------------------------------------------------------
// Streams (parameter, layer and mask properties).

#define kAEGPStreamSuite "AEGP Stream Suite"
#define kAEGPStreamSuiteVersion8 8
#define kAEGPStreamSuiteVersion9 9

typedef struct AEGP_StreamSuite9 {
  SPAPI A_Err (*AEGP_IsStreamLegal)(AEGP_LayerH layerH, AEGP_LayerStream which_stream,
                                    A_Boolean *is_legalP);
  SPAPI A_Err (*AEGP_CanVaryOverTime)(AEGP_StreamRefH streamH, A_Boolean *can_varyPB);
  SPAPI A_Err (*AEGP_GetNewLayerStream)(AEGP_PluginID aegp_plugin_id, AEGP_LayerH layerH,
                                        AEGP_LayerStream which_stream,
                                        AEGP_StreamRefH *streamPH);
  SPAPI A_Err (*AEGP_GetEffectNumParamStreams)(AEGP_EffectRefH effect_refH,
                                               A_long *num_paramsPL);
  SPAPI A_Err (*AEGP_GetNewEffectStreamByIndex)(AEGP_PluginID aegp_plugin_id,
                                                AEGP_EffectRefH effect_refH,
                                                PF_ParamIndex param_index,
                                                AEGP_StreamRefH *streamPH);
  SPAPI A_Err (*AEGP_GetNewMaskStream)(AEGP_PluginID aegp_plugin_id, AEGP_MaskRefH mask_refH,
                                       AEGP_MaskStream which_stream,
                                       AEGP_StreamRefH *mask_strmPH);
  SPAPI A_Err (*AEGP_DisposeStream)(AEGP_StreamRefH streamH);
  SPAPI A_Err (*AEGP_GetStreamType)(AEGP_StreamRefH streamH, AEGP_StreamType *stream_typeP);
  SPAPI A_Err (*AEGP_GetNewStreamValue)(AEGP_PluginID aegp_plugin_id, AEGP_StreamRefH streamH,
                                        AEGP_LTimeMode time_mode, const A_Time *timePT,
                                        A_Boolean pre_expressionB,
                                        AEGP_StreamValue2 *valueP);
  SPAPI A_Err (*AEGP_DisposeStreamValue)(AEGP_StreamValue2 *valueP);
  SPAPI A_Err (*AEGP_SetStreamValue)(AEGP_PluginID aegp_plugin_id, AEGP_StreamRefH streamH,
                                     AEGP_StreamValue2 *valueP);
  SPAPI A_Err (*AEGP_GetLayerStreamValue)(AEGP_LayerH layerH, AEGP_LayerStream which_stream,
                                          AEGP_LTimeMode time_mode, const A_Time *timePT,
                                          A_Boolean pre_expressionB,
                                          AEGP_StreamVal2 *stream_valP,
                                          AEGP_StreamType *stream_typeP0);
  SPAPI A_Err (*AEGP_DuplicateStreamRef)(AEGP_PluginID aegp_plugin_id, AEGP_StreamRefH streamH,
                                         AEGP_StreamRefH *dup_streamPH);
} AEGP_StreamSuite9;
typedef AEGP_StreamSuite9 AEGP_StreamSuite8;

#define kAEGPDynamicStreamSuite "AEGP Dynamic Stream Suite"
#define kAEGPDynamicStreamSuiteVersion3 3
#define kAEGPDynamicStreamSuiteVersion5 5

typedef struct AEGP_DynamicStreamSuite5 {
  SPAPI A_Err (*AEGP_GetNewStreamRefForLayer)(AEGP_PluginID aegp_plugin_id, AEGP_LayerH layerH,
                                              AEGP_StreamRefH *streamPH);
  SPAPI A_Err (*AEGP_GetNewStreamRefForMask)(AEGP_PluginID aegp_plugin_id, AEGP_MaskRefH maskH,
                                             AEGP_StreamRefH *streamPH);
  SPAPI A_Err (*AEGP_GetStreamDepth)(AEGP_StreamRefH streamH, A_long *depthPL);
  SPAPI A_Err (*AEGP_GetStreamGroupingType)(AEGP_StreamRefH streamH,
                                            AEGP_StreamGroupingType *group_typeP);
  SPAPI A_Err (*AEGP_GetNumStreamsInGroup)(AEGP_StreamRefH streamH, A_long *num_streamsPL);
  SPAPI A_Err (*AEGP_GetDynamicStreamFlags)(AEGP_StreamRefH streamH,
                                            AEGP_DynStreamFlags *flagsP);
  SPAPI A_Err (*AEGP_SetDynamicStreamFlag)(AEGP_StreamRefH streamH,
                                           AEGP_DynStreamFlags one_flag, A_Boolean undoableB,
                                           A_Boolean setB);
  SPAPI A_Err (*AEGP_GetNewStreamRefByIndex)(AEGP_PluginID aegp_plugin_id,
                                             AEGP_StreamRefH parent_groupH, A_long indexL,
                                             AEGP_StreamRefH *streamPH);
  SPAPI A_Err (*AEGP_GetNewStreamRefByMatchname)(AEGP_PluginID aegp_plugin_id,
                                                 AEGP_StreamRefH parent_groupH,
                                                 const A_char *match_nameZ,
                                                 AEGP_StreamRefH *streamPH);
  SPAPI A_Err (*AEGP_DeleteStream)(AEGP_StreamRefH streamH);
  SPAPI A_Err (*AEGP_ReorderStream)(AEGP_StreamRefH streamH, A_long new_indexL);
  SPAPI A_Err (*AEGP_DuplicateStream)(AEGP_PluginID aegp_plugin_id, AEGP_StreamRefH streamH,
                                      A_long *new_indexPL0);
  SPAPI A_Err (*AEGP_SetStreamName)(AEGP_StreamRefH streamH, const A_UTF16Char *nameZ);
  SPAPI A_Err (*AEGP_CanAddStream)(AEGP_StreamRefH group_streamH, const A_char *match_nameZ,
                                   A_Boolean *can_addPB);
  SPAPI A_Err (*AEGP_AddStream)(AEGP_PluginID aegp_plugin_id, AEGP_StreamRefH indexed_grpH,
                                const A_char *match_nameZ, AEGP_StreamRefH *streamPH0);
  SPAPI A_Err (*AEGP_GetMatchName)(AEGP_StreamRefH streamH, A_char *nameZ);
  SPAPI A_Err (*AEGP_GetNewParentStreamRef)(AEGP_PluginID aegp_plugin_id,
                                            AEGP_StreamRefH streamH,
                                            AEGP_StreamRefH *parent_streamPH);
  SPAPI A_Err (*AEGP_GetStreamIsModified)(AEGP_StreamRefH streamH, A_Boolean *modifiedPB);
  SPAPI A_Err (*AEGP_GetStreamIndexInParent)(AEGP_StreamRefH streamH, A_long *indexPL);
} AEGP_DynamicStreamSuite5;
typedef AEGP_DynamicStreamSuite5 AEGP_DynamicStreamSuite3;

// ---------------------------------------------------------------------------
// Layers, compositions, items, cameras.

#define kAEGPLayerSuite "AEGP Layer Suite"
#define kAEGPLayerSuiteVersion13 13

typedef struct AEGP_LayerSuite13 {
  SPAPI A_Err (*AEGP_GetCompNumLayers)(AEGP_CompH compH, A_long *num_layersPL);
  SPAPI A_Err (*AEGP_GetCompLayerByIndex)(AEGP_CompH compH, A_long layer_indexL,
                                          AEGP_LayerH *layerPH);
  SPAPI A_Err (*AEGP_GetActiveLayer)(AEGP_LayerH *layerPH);
  SPAPI A_Err (*AEGP_GetLayerIndex)(AEGP_LayerH layerH, A_long *layer_indexPL);
  SPAPI A_Err (*AEGP_GetLayerSourceItem)(AEGP_LayerH layerH, AEGP_ItemH *source_itemPH);
  SPAPI A_Err (*AEGP_GetLayerSourceItemID)(AEGP_LayerH layerH, A_long *source_item_idPL);
  SPAPI A_Err (*AEGP_GetLayerParentComp)(AEGP_LayerH layerH, AEGP_CompH *compPH);
  SPAPI A_Err (*AEGP_GetLayerName)(AEGP_PluginID aegp_plugin_id, AEGP_LayerH layerH,
                                   AEGP_MemHandle *layer_namePH0,
                                   AEGP_MemHandle *source_namePH0);
  SPAPI A_Err (*AEGP_GetLayerQuality)(AEGP_LayerH layerH, A_long *qualityP);
  SPAPI A_Err (*AEGP_SetLayerQuality)(AEGP_LayerH layerH, A_long quality);
  SPAPI A_Err (*AEGP_GetLayerFlags)(AEGP_LayerH layerH, A_long *layer_flagsP);
  SPAPI A_Err (*AEGP_SetLayerFlag)(AEGP_LayerH layerH, A_long single_flag, A_Boolean valueB);
  SPAPI A_Err (*AEGP_IsLayerVideoReallyOn)(AEGP_LayerH layerH, A_Boolean *onPB);
  SPAPI A_Err (*AEGP_IsLayerAudioReallyOn)(AEGP_LayerH layerH, A_Boolean *onPB);
  SPAPI A_Err (*AEGP_GetLayerCurrentTime)(AEGP_LayerH layerH, AEGP_LTimeMode time_mode,
                                          A_Time *curr_timePT);
} AEGP_LayerSuite13;

#define kAEGPCompSuite "AEGP Comp Suite"
#define kAEGPCompSuiteVersion19 19

typedef struct AEGP_CompSuite19 {
  SPAPI A_Err (*AEGP_GetCompFromItem)(AEGP_ItemH itemH, AEGP_CompH *compPH);
  SPAPI A_Err (*AEGP_GetItemFromComp)(AEGP_CompH compH, AEGP_ItemH *itemPH);
  SPAPI A_Err (*AEGP_GetCompDownsampleFactor)(AEGP_CompH compH, A_long *dsfPL);
  SPAPI A_Err (*AEGP_SetCompDownsampleFactor)(AEGP_CompH compH, A_long dsf);
  SPAPI A_Err (*AEGP_GetCompBGColor)(AEGP_CompH compH, AEGP_ColorVal *bg_colorP);
  SPAPI A_Err (*AEGP_SetCompBGColor)(AEGP_CompH compH, const AEGP_ColorVal *bg_colorP);
  SPAPI A_Err (*AEGP_GetCompFlags)(AEGP_CompH compH, A_long *comp_flagsP);
  SPAPI A_Err (*AEGP_GetShowLayerNameOrSourceName)(AEGP_CompH compH,
                                                   A_Boolean *layer_names_shownPB);
  SPAPI A_Err (*AEGP_SetShowLayerNameOrSourceName)(AEGP_CompH compH,
                                                   A_Boolean layer_names_shownB);
  SPAPI A_Err (*AEGP_GetShowBlendModes)(AEGP_CompH compH, A_Boolean *blend_modes_shownPB);
  SPAPI A_Err (*AEGP_SetShowBlendModes)(AEGP_CompH compH, A_Boolean blend_modes_shownB);
  SPAPI A_Err (*AEGP_GetCompFramerate)(AEGP_CompH compH, A_FpLong *fpsPF);
} AEGP_CompSuite19;

#define kAEGPItemSuite "AEGP Item Suite"
#define kAEGPItemSuiteVersion13 13

typedef struct AEGP_ItemSuite13 {
  SPAPI A_Err (*AEGP_GetFirstProjItem)(AEGP_ProjectH projectH, AEGP_ItemH *itemPH);
  SPAPI A_Err (*AEGP_GetNextProjItem)(AEGP_ProjectH projectH, AEGP_ItemH itemH,
                                      AEGP_ItemH *next_itemPH);
  SPAPI A_Err (*AEGP_GetActiveItem)(AEGP_ItemH *itemPH);
  SPAPI A_Err (*AEGP_IsItemSelected)(AEGP_ItemH itemH, A_Boolean *selectedPB);
  SPAPI A_Err (*AEGP_SelectItem)(AEGP_ItemH itemH, A_Boolean selectB,
                                 A_Boolean deselect_othersB);
  SPAPI A_Err (*AEGP_GetItemType)(AEGP_ItemH itemH, A_long *item_typeP);
  SPAPI A_Err (*AEGP_GetTypeName)(A_long item_type, A_char *nameZ);
  SPAPI A_Err (*AEGP_GetItemName)(AEGP_PluginID aegp_plugin_id, AEGP_ItemH itemH,
                                  AEGP_MemHandle *unicode_namePH);
  SPAPI A_Err (*AEGP_SetItemName)(AEGP_ItemH itemH, const A_UTF16Char *nameZ);
  SPAPI A_Err (*AEGP_GetItemID)(AEGP_ItemH itemH, A_long *item_idPL);
  SPAPI A_Err (*AEGP_GetItemFlags)(AEGP_ItemH itemH, A_long *item_flagsP);
  SPAPI A_Err (*AEGP_SetItemUseProxy)(AEGP_ItemH itemH, A_Boolean use_proxyB);
  SPAPI A_Err (*AEGP_GetItemParentFolder)(AEGP_ItemH itemH, AEGP_ItemH *parent_folder_itemPH);
  SPAPI A_Err (*AEGP_SetItemParentFolder)(AEGP_ItemH itemH, AEGP_ItemH parent_folder_itemH);
  SPAPI A_Err (*AEGP_GetItemDuration)(AEGP_ItemH itemH, A_Time *durationPT);
  SPAPI A_Err (*AEGP_GetItemCurrentTime)(AEGP_ItemH itemH, A_Time *curr_timePT);
  SPAPI A_Err (*AEGP_GetItemDimensions)(AEGP_ItemH itemH, A_long *widthPL, A_long *heightPL);
  SPAPI A_Err (*AEGP_GetItemPixelAspectRatio)(AEGP_ItemH itemH,
                                              A_Ratio *pix_aspect_ratioPRt);
} AEGP_ItemSuite13;

#define kAEGPCameraSuite "AEGP Camera Suite"
#define kAEGPCameraSuiteVersion2 2

typedef struct AEGP_CameraSuite2 {
  SPAPI A_Err (*AEGP_GetCamera)(PR_RenderContextH render_contextH,
                                const A_Time *comp_timeP, AEGP_LayerH *camera_layerPH);
  SPAPI A_Err (*AEGP_GetCameraType)(AEGP_LayerH camera_layerH, AEGP_CameraType *camera_typeP);
  SPAPI A_Err (*AEGP_GetDefaultCameraDistanceToImagePlane)(AEGP_CompH compH,
                                                           A_FpLong *dist_to_planePF);
  SPAPI A_Err (*AEGP_GetCameraFilmSize)(AEGP_LayerH camera_layerH,
                                        AEGP_FilmSizeUnits *film_size_unitsP,
                                        A_FpLong *film_sizePF0);
  SPAPI A_Err (*AEGP_SetCameraFilmSize)(AEGP_LayerH camera_layerH,
                                        AEGP_FilmSizeUnits film_size_units,
                                        A_FpLong *film_sizePF0);
} AEGP_CameraSuite2;

// ---------------------------------------------------------------------------
// Keyframes.

#define kAEGPKeyframeSuite "AEGP Keyframe Suite"
#define kAEGPKeyframeSuiteVersion4 4

typedef struct AEGP_KeyframeSuite4 {
  SPAPI A_Err (*AEGP_GetStreamNumKFs)(AEGP_StreamRefH streamH, A_long *num_kfsPL);
  SPAPI A_Err (*AEGP_GetKeyframeTime)(AEGP_StreamRefH streamH, AEGP_KeyframeIndex key_index,
                                      AEGP_LTimeMode time_mode, A_Time *timePT);
  SPAPI A_Err (*AEGP_InsertKeyframe)(AEGP_StreamRefH streamH, AEGP_LTimeMode time_mode,
                                     const A_Time *timePT, AEGP_KeyframeIndex *key_indexP);
  SPAPI A_Err (*AEGP_DeleteKeyframe)(AEGP_StreamRefH streamH, AEGP_KeyframeIndex key_index);
  SPAPI A_Err (*AEGP_GetNewKeyframeValue)(AEGP_PluginID aegp_plugin_id,
                                          AEGP_StreamRefH streamH,
                                          AEGP_KeyframeIndex key_index,
                                          AEGP_StreamValue2 *valueP);
  SPAPI A_Err (*AEGP_SetKeyframeValue)(AEGP_StreamRefH streamH, AEGP_KeyframeIndex key_index,
                                       const AEGP_StreamValue2 *valueP);
  SPAPI A_Err (*AEGP_GetStreamValueDimensionality)(AEGP_StreamRefH streamH,
                                                   A_short *value_dimPS);
  SPAPI A_Err (*AEGP_GetStreamTemporalDimensionality)(AEGP_StreamRefH streamH,
                                                      A_short *temporal_dimPS);
  SPAPI A_Err (*AEGP_GetNewKeyframeSpatialTangents)(AEGP_PluginID aegp_plugin_id,
                                                    AEGP_StreamRefH streamH,
                                                    AEGP_KeyframeIndex key_index,
                                                    AEGP_StreamValue2 *in_tanP0,
                                                    AEGP_StreamValue2 *out_tanP0);
  SPAPI A_Err (*AEGP_SetKeyframeInterpolation)(AEGP_StreamRefH streamH,
                                               AEGP_KeyframeIndex key_index,
                                               AEGP_KeyframeInterpolationType in_interp,
                                               AEGP_KeyframeInterpolationType out_interp);
} AEGP_KeyframeSuite4;

// ---------------------------------------------------------------------------
// Masks of a layer.

#define kAEGPMaskSuite "AEGP Layer Mask Suite"
#define kAEGPMaskSuiteVersion6 6

typedef struct AEGP_MaskSuite6 {
  SPAPI A_Err (*AEGP_GetLayerNumMasks)(AEGP_LayerH aegp_layerH, A_long *num_masksPL);
  SPAPI A_Err (*AEGP_GetLayerMaskByIndex)(AEGP_LayerH aegp_layerH, AEGP_MaskIndex mask_indexL,
                                          AEGP_MaskRefH *maskPH);
  SPAPI A_Err (*AEGP_DisposeMask)(AEGP_MaskRefH mask_refH);
  SPAPI A_Err (*AEGP_GetMaskInvert)(AEGP_MaskRefH mask_refH, A_Boolean *invertPB);
  SPAPI A_Err (*AEGP_SetMaskInvert)(AEGP_MaskRefH mask_refH, A_Boolean invertB);
  SPAPI A_Err (*AEGP_GetMaskID)(AEGP_MaskRefH mask_refH, AEGP_MaskIDVal *id_valP);
} AEGP_MaskSuite6;

// ---------------------------------------------------------------------------
// Utilities: messages, undo groups, scripts, registration.

#define kAEGPUtilitySuite "AEGP Utility Suite"
#define kAEGPUtilitySuiteVersion7 7
#define kAEGPUtilitySuiteVersion11 11

typedef struct AEGP_UtilitySuite11 {
  SPAPI A_Err (*AEGP_ReportInfo)(AEGP_PluginID aegp_plugin_id, const A_char *info_stringZ);
  SPAPI A_Err (*AEGP_GetDriverPluginInitFuncVersion)(A_short *plugin_init_major_versionPS,
                                                     A_short *plugin_init_minor_versionPS);
  SPAPI A_Err (*AEGP_GetDriverImplementationVersion)(A_short *major_versionPS,
                                                     A_short *minor_versionPS);
  SPAPI A_Err (*AEGP_StartQuietErrors)(AEGP_ErrReportH *err_stateP);
  SPAPI A_Err (*AEGP_EndQuietErrors)(A_Boolean report_quieted_errorsB,
                                     AEGP_ErrReportH *err_stateP);
  SPAPI A_Err (*AEGP_GetLastErrorMessage)(A_long buffer_size, A_char *error_string,
                                          A_Err *error_num);
  SPAPI A_Err (*AEGP_StartUndoGroup)(const A_char *undo_nameZ);
  SPAPI A_Err (*AEGP_EndUndoGroup)(void);
  SPAPI A_Err (*AEGP_RegisterWithAEGP)(AEGP_GlobalRefcon global_refcon,
                                       const A_char *plugin_nameZ,
                                       AEGP_PluginID *plugin_id);
  SPAPI A_Err (*AEGP_GetMainHWND)(void *main_hwnd);
  SPAPI A_Err (*AEGP_ShowHideAllFloaters)(A_Boolean include_tool_palB);
  SPAPI A_Err (*AEGP_ExecuteScript)(AEGP_PluginID aegp_plugin_id, const A_char *scriptZ,
                                    const A_Boolean platform_encodingB,
                                    AEGP_MemHandle *resultPH0, AEGP_MemHandle *error_stringPH0);
  SPAPI A_Err (*AEGP_HostIsActivated)(A_Boolean *is_activatedPB);
} AEGP_UtilitySuite11;
typedef AEGP_UtilitySuite11 AEGP_UtilitySuite7;

// ---------------------------------------------------------------------------
// Hooks, memory, threads, persistent settings.

#define kAEGPRegisterSuite "AEGP Register Suite"
#define kAEGPRegisterSuiteVersion6 6

typedef A_Err (*AEGP_DeathHook)(AEGP_GlobalRefcon plugin_refconP, void *refconP);

typedef struct AEGP_RegisterSuite6 {
  SPAPI A_Err (*AEGP_RegisterCommandHook)(AEGP_PluginID aegp_plugin_id, A_long hook_priority,
                                          A_long command, void *command_hook_func,
                                          void *refconP);
  SPAPI A_Err (*AEGP_RegisterUpdateMenuHook)(AEGP_PluginID aegp_plugin_id,
                                             void *update_menu_hook_func, void *refconP);
  SPAPI A_Err (*AEGP_RegisterDeathHook)(AEGP_PluginID aegp_plugin_id,
                                        AEGP_DeathHook death_hook_func, void *refconP);
  SPAPI A_Err (*AEGP_RegisterVersionHook)(AEGP_PluginID aegp_plugin_id,
                                          void *version_hook_func, void *refconP);
  SPAPI A_Err (*AEGP_RegisterAboutStringHook)(AEGP_PluginID aegp_plugin_id,
                                              void *about_string_hook_func, void *refconP);
  SPAPI A_Err (*AEGP_RegisterAboutHook)(AEGP_PluginID aegp_plugin_id, void *about_hook_func,
                                        void *refconP);
  SPAPI A_Err (*AEGP_RegisterArtisan)(void);
  SPAPI A_Err (*AEGP_RegisterIO)(void);
  SPAPI A_Err (*AEGP_RegisterIdleHook)(AEGP_PluginID aegp_plugin_id,
                                       AEGP_IdleHook idle_hook_func, AEGP_IdleRefcon refconP);
} AEGP_RegisterSuite6;

#define kAEGPMemorySuite "AEGP Memory Suite"
#define kAEGPMemorySuiteVersion1 1

enum {
  AEGP_MemFlag_NONE = 0,
  AEGP_MemFlag_CLEAR = 1L << 0,
  AEGP_MemFlag_QUIET = 1L << 1
};
typedef A_long AEGP_MemFlag;
typedef A_u_longlong AEGP_MemSize;

typedef struct AEGP_MemorySuite1 {
  SPAPI A_Err (*AEGP_NewMemHandle)(AEGP_PluginID plugin_id, const A_char *whatZ,
                                   AEGP_MemSize size, AEGP_MemFlag flags,
                                   AEGP_MemHandle *memPH);
  SPAPI A_Err (*AEGP_FreeMemHandle)(AEGP_MemHandle memH);
  SPAPI A_Err (*AEGP_LockMemHandle)(AEGP_MemHandle memH, void **ptr_to_ptr);
  SPAPI A_Err (*AEGP_UnlockMemHandle)(AEGP_MemHandle memH);
  SPAPI A_Err (*AEGP_GetMemHandleSize)(AEGP_MemHandle memH, AEGP_MemSize *sizeP);
  SPAPI A_Err (*AEGP_ResizeMemHandle)(const A_char *whatZ, AEGP_MemSize new_size,
                                      AEGP_MemHandle memH);
  SPAPI A_Err (*AEGP_SetMemReportingOn)(A_Boolean turn_OnB);
  SPAPI A_Err (*AEGP_GetMemStats)(AEGP_PluginID plugin_id, A_long *countPL, A_long *sizePL);
} AEGP_MemorySuite1;

#define kAEGPIterateSuite "AEGP Iterate Suite"
#define kAEGPIterateSuiteVersion1 1

// The number of threads AEGP_IterateGeneric should use when asked for the
// host's own count.
#define AEGP_Iterate_NUM_THREADS_DEFAULT 99999

typedef struct AEGP_IterateSuite1 {
  SPAPI A_Err (*AEGP_GetNumThreads)(A_long *num_threadsPL);
  SPAPI A_Err (*AEGP_IterateGeneric)(A_long iterationsL, void *refconPV,
                                     A_Err (*fn_func)(void *refconPV, A_long thread_indexL,
                                                      A_long i, A_long iterationsL));
} AEGP_IterateSuite1;

#define kAEGPPersistentDataSuite "AEGP Persistent Data Suite"
#define kAEGPPersistentDataSuiteVersion3 3
#define kAEGPPersistentDataSuiteVersion4 4

typedef struct AEGP_PersistentDataSuite3 {
  SPAPI A_Err (*AEGP_GetApplicationBlob)(AEGP_PersistentBlobH *blobPH);
  SPAPI A_Err (*AEGP_GetNumSections)(AEGP_PersistentBlobH blobH, A_long *num_sectionPL);
  SPAPI A_Err (*AEGP_GetSectionKeyByIndex)(AEGP_PersistentBlobH blobH, A_long section_index,
                                           A_long max_section_size, A_char *section_keyZ);
  SPAPI A_Err (*AEGP_DoesKeyExist)(AEGP_PersistentBlobH blobH, const A_char *section_keyZ,
                                   const A_char *value_keyZ, A_Boolean *existsPB);
  SPAPI A_Err (*AEGP_GetNumKeys)(AEGP_PersistentBlobH blobH, const A_char *section_keyZ,
                                 A_long *num_keysPL);
  SPAPI A_Err (*AEGP_GetValueKeyByIndex)(AEGP_PersistentBlobH blobH,
                                         const A_char *section_keyZ, A_long key_index,
                                         A_long max_key_size, A_char *value_keyZ);
  SPAPI A_Err (*AEGP_GetDataHandle)(AEGP_PluginID plugin_id, AEGP_PersistentBlobH blobH,
                                    const A_char *section_keyZ, const A_char *value_keyZ,
                                    AEGP_MemHandle defaultH0, AEGP_MemHandle *valuePH);
  SPAPI A_Err (*AEGP_GetData)(AEGP_PersistentBlobH blobH, const A_char *section_keyZ,
                              const A_char *value_keyZ, A_u_long data_sizeLu,
                              const void *defaultPV0, void *bufPV);
  SPAPI A_Err (*AEGP_GetString)(AEGP_PluginID plugin_id, AEGP_PersistentBlobH blobH,
                                const A_char *section_keyZ, const A_char *value_keyZ,
                                const A_char *defaultZ0, A_u_long buf_sizeLu, A_char *bufZ,
                                A_u_long *actual_buf_sizeLu0);
  SPAPI A_Err (*AEGP_GetLong)(AEGP_PersistentBlobH blobH, const A_char *section_keyZ,
                              const A_char *value_keyZ, A_long defaultL, A_long *valuePL);
  SPAPI A_Err (*AEGP_GetFpLong)(AEGP_PersistentBlobH blobH, const A_char *section_keyZ,
                                const A_char *value_keyZ, A_FpLong defaultF,
                                A_FpLong *valuePF);
  SPAPI A_Err (*AEGP_SetDataHandle)(AEGP_PersistentBlobH blobH, const A_char *section_keyZ,
                                    const A_char *value_keyZ, const AEGP_MemHandle valueH);
  SPAPI A_Err (*AEGP_SetData)(AEGP_PersistentBlobH blobH, const A_char *section_keyZ,
                              const A_char *value_keyZ, A_u_long data_sizeLu,
                              const void *dataPV);
  SPAPI A_Err (*AEGP_SetString)(AEGP_PersistentBlobH blobH, const A_char *section_keyZ,
                                const A_char *value_keyZ, const A_char *strZ);
  SPAPI A_Err (*AEGP_SetLong)(AEGP_PersistentBlobH blobH, const A_char *section_keyZ,
                              const A_char *value_keyZ, A_long valueL);
  SPAPI A_Err (*AEGP_SetFpLong)(AEGP_PersistentBlobH blobH, const A_char *section_keyZ,
                                const A_char *value_keyZ, A_FpLong valueF);
  SPAPI A_Err (*AEGP_DeleteEntry)(AEGP_PersistentBlobH blobH, const A_char *section_keyZ,
                                  const A_char *value_keyZ);
  SPAPI A_Err (*AEGP_GetPrefsDirectory)(AEGP_MemHandle *unicode_pathPH);
} AEGP_PersistentDataSuite3;

typedef struct AEGP_PersistentDataSuite4 {
  SPAPI A_Err (*AEGP_GetApplicationBlob)(AEGP_PersistentType blob_type,
                                         AEGP_PersistentBlobH *blobPH);
  SPAPI A_Err (*AEGP_GetNumSections)(AEGP_PersistentBlobH blobH, A_long *num_sectionPL);
  SPAPI A_Err (*AEGP_GetSectionKeyByIndex)(AEGP_PersistentBlobH blobH, A_long section_index,
                                           A_long max_section_size, A_char *section_keyZ);
  SPAPI A_Err (*AEGP_DoesKeyExist)(AEGP_PersistentBlobH blobH, const A_char *section_keyZ,
                                   const A_char *value_keyZ, A_Boolean *existsPB);
  SPAPI A_Err (*AEGP_GetNumKeys)(AEGP_PersistentBlobH blobH, const A_char *section_keyZ,
                                 A_long *num_keysPL);
  SPAPI A_Err (*AEGP_GetValueKeyByIndex)(AEGP_PersistentBlobH blobH,
                                         const A_char *section_keyZ, A_long key_index,
                                         A_long max_key_size, A_char *value_keyZ);
  SPAPI A_Err (*AEGP_GetDataHandle)(AEGP_PluginID plugin_id, AEGP_PersistentBlobH blobH,
                                    const A_char *section_keyZ, const A_char *value_keyZ,
                                    AEGP_MemHandle defaultH0, AEGP_MemHandle *valuePH);
  SPAPI A_Err (*AEGP_GetData)(AEGP_PersistentBlobH blobH, const A_char *section_keyZ,
                              const A_char *value_keyZ, A_u_long data_sizeLu,
                              const void *defaultPV0, void *bufPV);
  SPAPI A_Err (*AEGP_GetString)(AEGP_PluginID plugin_id, AEGP_PersistentBlobH blobH,
                                const A_char *section_keyZ, const A_char *value_keyZ,
                                const A_char *defaultZ0, A_u_long buf_sizeLu, A_char *bufZ,
                                A_u_long *actual_buf_sizeLu0);
  SPAPI A_Err (*AEGP_GetLong)(AEGP_PersistentBlobH blobH, const A_char *section_keyZ,
                              const A_char *value_keyZ, A_long defaultL, A_long *valuePL);
  SPAPI A_Err (*AEGP_GetFpLong)(AEGP_PersistentBlobH blobH, const A_char *section_keyZ,
                                const A_char *value_keyZ, A_FpLong defaultF,
                                A_FpLong *valuePF);
  SPAPI A_Err (*AEGP_GetTime)(AEGP_PersistentBlobH blobH, const A_char *section_keyZ,
                              const A_char *value_keyZ, const A_Time *defaultPT0,
                              A_Time *valuePT);
  SPAPI A_Err (*AEGP_SetDataHandle)(AEGP_PersistentBlobH blobH, const A_char *section_keyZ,
                                    const A_char *value_keyZ, const AEGP_MemHandle valueH);
  SPAPI A_Err (*AEGP_SetData)(AEGP_PersistentBlobH blobH, const A_char *section_keyZ,
                              const A_char *value_keyZ, A_u_long data_sizeLu,
                              const void *dataPV);
  SPAPI A_Err (*AEGP_SetString)(AEGP_PersistentBlobH blobH, const A_char *section_keyZ,
                                const A_char *value_keyZ, const A_char *strZ);
  SPAPI A_Err (*AEGP_SetLong)(AEGP_PersistentBlobH blobH, const A_char *section_keyZ,
                              const A_char *value_keyZ, A_long valueL);
  SPAPI A_Err (*AEGP_SetFpLong)(AEGP_PersistentBlobH blobH, const A_char *section_keyZ,
                                const A_char *value_keyZ, A_FpLong valueF);
  SPAPI A_Err (*AEGP_SetTime)(AEGP_PersistentBlobH blobH, const A_char *section_keyZ,
                              const A_char *value_keyZ, const A_Time *valuePT);
  SPAPI A_Err (*AEGP_DeleteEntry)(AEGP_PersistentBlobH blobH, const A_char *section_keyZ,
                                  const A_char *value_keyZ);
  SPAPI A_Err (*AEGP_GetPrefsDirectory)(AEGP_MemHandle *unicode_pathPH);
} AEGP_PersistentDataSuite4;
