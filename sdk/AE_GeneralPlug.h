// General plug-in (AEGP) API: project objects and the suites that reach them.
// Earlier versions of these suites are declared in AE_GeneralPlugOld.h,
// included at the end.
#pragma once
#include "A.h"
#include "AE_Effect.h"
#include "SPBasic.h"

typedef A_long AEGP_PluginID;
typedef struct _AEGP_GlobalRefcon *AEGP_GlobalRefcon;
typedef struct _AEGP_IdleRefcon *AEGP_IdleRefcon;

typedef struct _AEGP_Project **AEGP_ProjectH;
typedef struct _AEGP_Item **AEGP_ItemH;
typedef struct _AEGP_Comp **AEGP_CompH;
typedef struct _AEGP_Layer **AEGP_LayerH;
typedef struct _AEGP_Effect **AEGP_EffectRefH;
typedef struct _AEGPp_Stream **AEGP_StreamRefH;
typedef struct _AEGP_Mask **AEGP_MaskRefH;
typedef struct _AEGP_PersistentBlob **AEGP_PersistentBlobH;
typedef struct _AEGP_MaskOutline **AEGP_MaskOutlineValH;
typedef struct _AEGP_TextDocument **AEGP_TextDocumentH;
typedef struct _AEGP_MarkerVal *AEGP_MarkerValP;
typedef struct _AEGP_Collection2 **AEGP_Collection2H;
typedef struct _AEGP_ItemView *AEGP_ItemViewP;
typedef struct PR_RenderContext **PR_RenderContextH;

typedef A_long AEGP_InstalledEffectKey;
#define AEGP_InstalledEffectKey_NONE 0
typedef A_long AEGP_EffectIndex;
typedef A_long AEGP_MaskIndex;
typedef A_long AEGP_KeyframeIndex;
typedef A_long AEGP_LayerIDVal;
typedef A_long AEGP_MaskIDVal;

#define AEGP_MAX_PATH_SIZE 260
#define AEGP_MAX_PROJ_NAME_SIZE 48
#define AEGP_MAX_ITEM_NAME_SIZE 32
#define AEGP_MAX_LAYER_NAME_SIZE 32
#define AEGP_MAX_MASK_NAME_SIZE 32
#define AEGP_MAX_EFFECT_NAME_SIZE 48
#define AEGP_MAX_EFFECT_MATCH_NAME_SIZE 48
#define AEGP_MAX_EFFECT_CATEGORY_NAME_SIZE 32
#define AEGP_MAX_STREAM_NAME_SIZE 32
#define AEGP_MAX_STREAM_UNITS_SIZE 32
#define AEGP_MAX_STREAM_MATCH_NAME_SIZE 40
#define AEGP_MAX_PLUGIN_NAME_SIZE 32
#define AEGP_MAX_TYPE_NAME_SIZE 32

enum {
  AEGP_LTimeMode_LayerTime = 0,
  AEGP_LTimeMode_CompTime = 1
};
typedef A_short AEGP_LTimeMode;

enum {
  AEGP_EffectFlags_NONE = 0,
  AEGP_EffectFlags_ACTIVE = 1,
  AEGP_EffectFlags_AUDIO_ONLY = 2,
  AEGP_EffectFlags_AUDIO_TOO = 4,
  AEGP_EffectFlags_MISSING = 8
};
typedef A_long AEGP_EffectFlags;

enum {
  AEGP_DynStreamFlag_ACTIVE_EYEBALL = 1,
  AEGP_DynStreamFlag_HIDDEN = 2,
  AEGP_DynStreamFlag_DISABLED = 16,
  AEGP_DynStreamFlag_ELIDED = 32,
  AEGP_DynStreamFlag_SHOWN_WHEN_EMPTY = 1024,
  AEGP_DynStreamFlag_SKIP_REVEAL_WHEN_UNHIDDEN = 65536
};
typedef A_u_long AEGP_DynStreamFlags;

enum {
  AEGP_LayerStream_NONE = -1,
  AEGP_LayerStream_ANCHORPOINT = 0,
  AEGP_LayerStream_BEGIN = 0,
  AEGP_LayerStream_POSITION = 1,
  AEGP_LayerStream_SCALE = 2,
  AEGP_LayerStream_ROTATE_Z = 3,
  AEGP_LayerStream_ROTATION = 3,
  AEGP_LayerStream_OPACITY = 4,
  AEGP_LayerStream_AUDIO = 5,
  AEGP_LayerStream_MARKER = 6,
  AEGP_LayerStream_TIME_REMAP = 7,
  AEGP_LayerStream_ROTATE_X = 8,
  AEGP_LayerStream_ROTATE_Y = 9,
  AEGP_LayerStream_ORIENTATION = 10,
  AEGP_LayerStream_ZOOM = 11,
  AEGP_LayerStream_DEPTH_OF_FIELD = 12,
  AEGP_LayerStream_FOCUS_DISTANCE = 13,
  AEGP_LayerStream_APERTURE = 14,
  AEGP_LayerStream_BLUR_LEVEL = 15,
  AEGP_LayerStream_INTENSITY = 16,
  AEGP_LayerStream_COLOR = 17,
  AEGP_LayerStream_CONE_ANGLE = 18,
  AEGP_LayerStream_CONE_FEATHER = 19,
  AEGP_LayerStream_SHADOW_DARKNESS = 20,
  AEGP_LayerStream_SHADOW_DIFFUSION = 21,
  AEGP_LayerStream_ACCEPTS_SHADOWS = 22,
  AEGP_LayerStream_ACCEPTS_LIGHTS = 23,
  AEGP_LayerStream_AMBIENT_COEFF = 24,
  AEGP_LayerStream_DIFFUSE_COEFF = 25,
  AEGP_LayerStream_SPECULAR_INTENSITY = 26,
  AEGP_LayerStream_SPECULAR_SHININESS = 27,
  AEGP_LayerStream_CASTS_SHADOWS = 28,
  AEGP_LayerStream_LIGHT_TRANSMISSION = 29,
  AEGP_LayerStream_METAL = 30,
  AEGP_LayerStream_SOURCE_TEXT = 31,
  AEGP_LayerStream_IRIS_SHAPE = 32,
  AEGP_LayerStream_IRIS_ROTATION = 33,
  AEGP_LayerStream_IRIS_ROUNDNESS = 34,
  AEGP_LayerStream_IRIS_ASPECT_RATIO = 35,
  AEGP_LayerStream_IRIS_DIFFRACTION_FRINGE = 36,
  AEGP_LayerStream_IRIS_HIGHLIGHT_GAIN = 37,
  AEGP_LayerStream_IRIS_HIGHLIGHT_THRESHOLD = 38,
  AEGP_LayerStream_IRIS_HIGHLIGHT_SATURATION = 39,
  AEGP_LayerStream_LIGHT_FALLOFF_TYPE = 40,
  AEGP_LayerStream_LIGHT_FALLOFF_START = 41,
  AEGP_LayerStream_LIGHT_FALLOFF_DISTANCE = 42,
  AEGP_LayerStream_REFLECTION_INTENSITY = 43,
  AEGP_LayerStream_REFLECTION_SHARPNESS = 44,
  AEGP_LayerStream_REFLECTION_ROLLOFF = 45,
  AEGP_LayerStream_TRANSPARENCY_COEFF = 46,
  AEGP_LayerStream_TRANSPARENCY_ROLLOFF = 47,
  AEGP_LayerStream_INDEX_OF_REFRACTION = 48,
  AEGP_LayerStream_EXTRUSION_BEVEL_STYLE = 49,
  AEGP_LayerStream_EXTRUSION_BEVEL_DIRECTION = 50,
  AEGP_LayerStream_EXTRUSION_BEVEL_DEPTH = 51,
  AEGP_LayerStream_EXTRUSION_HOLE_BEVEL_DEPTH = 52,
  AEGP_LayerStream_EXTRUSION_DEPTH = 53,
  AEGP_LayerStream_PLANE_CURVATURE = 54,
  AEGP_LayerStream_PLANE_SUBDIVISION = 55,
  AEGP_LayerStream_END = 56,
  AEGP_LayerStream_NUMTYPES = 56
};
typedef A_long AEGP_LayerStream;

enum {
  AEGP_MaskStream_BEGIN = 400,
  AEGP_MaskStream_OUTLINE = 400,
  AEGP_MaskStream_OPACITY = 401,
  AEGP_MaskStream_FEATHER = 402,
  AEGP_MaskStream_EXPANSION = 403,
  AEGP_MaskStream_END = 404
};
typedef A_long AEGP_MaskStream;

enum {
  AEGP_StreamType_NO_DATA = 0,
  AEGP_StreamType_ThreeD_SPATIAL = 1,
  AEGP_StreamType_ThreeD = 2,
  AEGP_StreamType_TwoD_SPATIAL = 3,
  AEGP_StreamType_TwoD = 4,
  AEGP_StreamType_OneD = 5,
  AEGP_StreamType_COLOR = 6,
  AEGP_StreamType_ARB = 7,
  AEGP_StreamType_MARKER = 8,
  AEGP_StreamType_LAYER_ID = 9,
  AEGP_StreamType_MASK_ID = 10,
  AEGP_StreamType_MASK = 11,
  AEGP_StreamType_TEXT_DOCUMENT = 12
};
typedef A_long AEGP_StreamType;

enum {
  AEGP_StreamGroupingType_NONE = -1,
  AEGP_StreamGroupingType_LEAF = 0,
  AEGP_StreamGroupingType_NAMED_GROUP = 1,
  AEGP_StreamGroupingType_INDEXED_GROUP = 2
};
typedef A_long AEGP_StreamGroupingType;

typedef A_long AEGP_StreamFlags;
typedef A_long AEGP_KeyInterpolationMask;

enum {
  AEGP_KeyframeFlag_NONE = 0,
  AEGP_KeyframeFlag_TEMPORAL_CONTINUOUS = 1,
  AEGP_KeyframeFlag_TEMPORAL_AUTOBEZIER = 2,
  AEGP_KeyframeFlag_SPATIAL_CONTINUOUS = 4,
  AEGP_KeyframeFlag_SPATIAL_AUTOBEZIER = 8,
  AEGP_KeyframeFlag_ROVING = 16
};
typedef A_long AEGP_KeyframeFlags;

typedef struct {
  A_FpLong speedF;
  A_FpLong influenceF;
} AEGP_KeyframeEase;

typedef struct _AEGP_AddKeyframesInfo **AEGP_AddKeyframesInfoH;

enum {
  AEGP_FilmSizeUnits_NONE = 0,
  AEGP_FilmSizeUnits_HORIZONTAL = 1,
  AEGP_FilmSizeUnits_VERTICAL = 2,
  AEGP_FilmSizeUnits_DIAGONAL = 3
};
typedef A_long AEGP_FilmSizeUnits;

enum {
  AEGP_CameraType_NONE = -1,
  AEGP_CameraType_PERSPECTIVE = 0,
  AEGP_CameraType_ORTHOGRAPHIC = 1,
  AEGP_CameraType_NUM_TYPES = 2
};
typedef A_u_long AEGP_CameraType;

enum {
  AEGP_PersistentType_MACHINE_SPECIFIC = 0,
  AEGP_PersistentType_MACHINE_INDEPENDENT = 1,
  AEGP_PersistentType_MACHINE_INDEPENDENT_RENDER = 2,
  AEGP_PersistentType_MACHINE_INDEPENDENT_OUTPUT = 3,
  AEGP_PersistentType_MACHINE_INDEPENDENT_COMPOSITION = 4,
  AEGP_PersistentType_MACHINE_SPECIFIC_TEXT = 5,
  AEGP_PersistentType_MACHINE_SPECIFIC_PAINT = 6,
  AEGP_PersistentType_MACHINE_SPECIFIC_EFFECTS = 7,
  AEGP_PersistentType_MACHINE_SPECIFIC_EXPRESSION_SNIPPETS = 8,
  AEGP_PersistentType_MACHINE_SPECIFIC_SCRIPT_SNIPPETS = 9,
  AEGP_PersistentType_NUMTYPES = 10
};
typedef A_long AEGP_PersistentType;

enum {
  AEGP_KeyInterp_NONE = 0,
  AEGP_KeyInterp_LINEAR = 1,
  AEGP_KeyInterp_BEZIER = 2,
  AEGP_KeyInterp_HOLD = 3
};
typedef A_long AEGP_KeyframeInterpolationType;

enum {
  AEGP_LayerQual_NONE = -1,
  AEGP_LayerQual_WIREFRAME = 0,
  AEGP_LayerQual_DRAFT = 1,
  AEGP_LayerQual_BEST = 2
};
typedef A_short AEGP_LayerQuality;

typedef A_long AEGP_LayerFlags;
typedef A_long AEGP_TransferFlags;
typedef A_long AEGP_TrackMatte;
typedef A_long AEGP_ObjectType;
typedef A_char AEGP_LabelID;
typedef A_long AEGP_CompFlags;
typedef A_long AEGP_ItemFlags;
typedef A_u_char AEGP_MaskMBlur;

enum {
  AEGP_ItemType_NONE = 0,
  AEGP_ItemType_FOLDER = 1,
  AEGP_ItemType_COMP = 2,
  AEGP_ItemType_SOLID_defunct = 3,
  AEGP_ItemType_FOOTAGE = 4,
  AEGP_ItemType_NUM_TYPES1 = 5
};
typedef A_short AEGP_ItemType;

typedef struct {
  PF_TransferMode mode;
  AEGP_TransferFlags flags;
  AEGP_TrackMatte track_matte;
} AEGP_LayerTransferMode;

typedef struct {
  A_short xS;
  A_short yS;
} AEGP_DownsampleFactor;

typedef struct {
  A_long reservedAL[12];
} AEGP_ErrReportState;

typedef A_FpLong AEGP_OneDVal;
typedef struct {
  A_FpLong x, y;
} AEGP_TwoDVal;
typedef struct {
  A_FpLong x, y, z;
} AEGP_ThreeDVal;
typedef A_FpLong AEGP_FourDVal[4];
typedef struct {
  A_FpLong alphaF, redF, greenF, blueF;
} AEGP_ColorVal;
typedef A_Handle AEGP_ArbBlockVal;

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

// Entry point of a general plug-in, and the hooks it may register.
typedef A_Err(AEGP_PluginInitFuncPrototype)(struct SPBasicSuite *pica_basicP, A_long major_versionL,
                                            A_long minor_versionL, AEGP_PluginID aegp_plugin_id,
                                            AEGP_GlobalRefcon *global_refconP);
typedef AEGP_PluginInitFuncPrototype *AEGP_PluginInitFunc;

typedef A_u_long AEGP_HookPriority;
enum {
  AEGP_HP_BeforeAE = 1,
  AEGP_HP_AfterAE = 2
};

typedef A_long AEGP_Command;
typedef A_LegacyEnumType AEGP_WindowType;
typedef struct _AEGP_CommandRefcon *AEGP_CommandRefcon;
typedef struct _AEGP_UpdateMenuRefcon *AEGP_UpdateMenuRefcon;
typedef struct _AEGP_DeathRefcon *AEGP_DeathRefcon;
typedef struct _AEGP_VersionRefcon *AEGP_VersionRefcon;
typedef struct _AEGP_AboutStringRefcon *AEGP_AboutStringRefcon;
typedef struct _AEGP_AboutRefcon *AEGP_AboutRefcon;
typedef struct _AEGP_IORefcon *AEGP_IORefcon;

typedef A_Err (*AEGP_CommandHook)(AEGP_GlobalRefcon plugin_refconP, AEGP_CommandRefcon refconP,
                                  AEGP_Command command, AEGP_HookPriority hook_priority,
                                  A_Boolean already_handledB, A_Boolean *handledPB);
typedef A_Err (*AEGP_UpdateMenuHook)(AEGP_GlobalRefcon plugin_refconP, AEGP_UpdateMenuRefcon refconP,
                                     AEGP_WindowType active_window);
typedef A_Err (*AEGP_DeathHook)(AEGP_GlobalRefcon plugin_refconP, AEGP_DeathRefcon refconP);
typedef A_Err (*AEGP_VersionHook)(AEGP_GlobalRefcon plugin_refconP, AEGP_VersionRefcon refconP,
                                  A_u_long *pf_interface_versionPLu);
typedef A_Err (*AEGP_AboutStringHook)(AEGP_GlobalRefcon plugin_refconP, AEGP_AboutStringRefcon refconP,
                                      A_char *about_stringZ);
typedef A_Err (*AEGP_AboutHook)(AEGP_GlobalRefcon plugin_refconP, AEGP_AboutRefcon refconP);
typedef A_Err (*AEGP_IdleHook)(AEGP_GlobalRefcon plugin_refconP, AEGP_IdleRefcon refconP,
                               A_long *max_sleepPL);

// Entry tables of artisans, file importers and trackers; this project never
// registers one, so they stay incomplete here.
typedef struct PR_ArtisanEntryPoints PR_ArtisanEntryPoints;
typedef struct AEIO_ModuleInfo AEIO_ModuleInfo;
typedef struct AEIO_FunctionBlock4 AEIO_FunctionBlock4;
typedef struct PT_TrackerEntryPoints PT_TrackerEntryPoints;

// ---------------------------------------------------------------------------
// Effect-side access to the project.

#define kAEGPPFInterfaceSuite "AEGP PF Interface Suite"
#define kAEGPPFInterfaceSuiteVersion1 1

typedef struct AEGP_PFInterfaceSuite1 {
  SPAPI A_Err (*AEGP_GetEffectLayer)(PF_ProgPtr, AEGP_LayerH *);
  SPAPI A_Err (*AEGP_GetNewEffectForEffect)(AEGP_PluginID, PF_ProgPtr, AEGP_EffectRefH *);
  SPAPI A_Err (*AEGP_ConvertEffectToCompTime)(PF_ProgPtr, A_long, A_u_long, A_Time *);
  SPAPI A_Err (*AEGP_GetEffectCamera)(PF_ProgPtr, const A_Time *, AEGP_LayerH *);
  SPAPI A_Err (*AEGP_GetEffectCameraMatrix)(PF_ProgPtr, const A_Time *, A_Matrix4 *, A_FpLong *, A_short *, A_short *);
} AEGP_PFInterfaceSuite1;

// ---------------------------------------------------------------------------
// Effects on layers.

#define kAEGPEffectSuite "AEGP Effect Suite"

// ---------------------------------------------------------------------------
// Streams (parameter, layer and mask properties).

#define kAEGPStreamSuite "AEGP Stream Suite"
#define kAEGPDynamicStreamSuite "AEGP Dynamic Stream Suite"
#define kAEGPDynamicStreamSuiteVersion4 5

typedef struct AEGP_DynamicStreamSuite4 {
  SPAPI A_Err (*AEGP_GetNewStreamRefForLayer)(AEGP_PluginID, AEGP_LayerH, AEGP_StreamRefH *);
  SPAPI A_Err (*AEGP_GetNewStreamRefForMask)(AEGP_PluginID, AEGP_MaskRefH, AEGP_StreamRefH *);
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
  SPAPI A_Err (*AEGP_SetStreamName)(AEGP_StreamRefH, const A_UTF16Char *);
  SPAPI A_Err (*AEGP_CanAddStream)(AEGP_StreamRefH, const A_char *, A_Boolean *);
  SPAPI A_Err (*AEGP_AddStream)(AEGP_PluginID, AEGP_StreamRefH, const A_char *, AEGP_StreamRefH *);
  SPAPI A_Err (*AEGP_GetMatchName)(AEGP_StreamRefH, A_char *);
  SPAPI A_Err (*AEGP_GetNewParentStreamRef)(AEGP_PluginID, AEGP_StreamRefH, AEGP_StreamRefH *);
  SPAPI A_Err (*AEGP_GetStreamIsModified)(AEGP_StreamRefH, A_Boolean *);
  SPAPI A_Err (*AEGP_GetStreamIndexInParent)(AEGP_StreamRefH, A_long *);
  SPAPI A_Err (*AEGP_IsSeparationLeader)(AEGP_StreamRefH, A_Boolean *);
  SPAPI A_Err (*AEGP_AreDimensionsSeparated)(AEGP_StreamRefH, A_Boolean *);
  SPAPI A_Err (*AEGP_SetDimensionsSeparated)(AEGP_StreamRefH, A_Boolean);
  SPAPI A_Err (*AEGP_GetSeparationFollower)(AEGP_StreamRefH, A_short, AEGP_StreamRefH *);
  SPAPI A_Err (*AEGP_IsSeparationFollower)(AEGP_StreamRefH, A_Boolean *);
  SPAPI A_Err (*AEGP_GetSeparationLeader)(AEGP_StreamRefH, AEGP_StreamRefH *);
  SPAPI A_Err (*AEGP_GetSeparationDimension)(AEGP_StreamRefH, A_short *);
} AEGP_DynamicStreamSuite4;

// ---------------------------------------------------------------------------
// Layers, compositions, items, cameras.

#define kAEGPLayerSuite "AEGP Layer Suite"
#define kAEGPCompSuite "AEGP Comp Suite"
#define kAEGPItemSuite "AEGP Item Suite"
#define kAEGPCameraSuite "AEGP Camera Suite"
#define kAEGPCameraSuiteVersion2 2

typedef struct AEGP_CameraSuite2 {
  SPAPI A_Err (*AEGP_GetCamera)(PR_RenderContextH, const A_Time *, AEGP_LayerH *);
  SPAPI A_Err (*AEGP_GetCameraType)(AEGP_LayerH, AEGP_CameraType *);
  SPAPI A_Err (*AEGP_GetDefaultCameraDistanceToImagePlane)(AEGP_CompH, A_FpLong *);
  SPAPI A_Err (*AEGP_GetCameraFilmSize)(AEGP_LayerH, AEGP_FilmSizeUnits *, A_FpLong *);
  SPAPI A_Err (*AEGP_SetCameraFilmSize)(AEGP_LayerH, AEGP_FilmSizeUnits, A_FpLong *);
} AEGP_CameraSuite2;

// ---------------------------------------------------------------------------
// Keyframes and masks.

#define kAEGPKeyframeSuite "AEGP Keyframe Suite"
#define kAEGPMaskSuite "AEGP Layer Mask Suite"

// ---------------------------------------------------------------------------
// Utilities: messages, undo groups, scripts.

#define kAEGPUtilitySuite "AEGP Utility Suite"

// ---------------------------------------------------------------------------
// Hooks, memory, threads, persistent settings.

#define kAEGPRegisterSuite "AEGP Register Suite"
#define kAEGPRegisterSuiteVersion5 6

typedef struct AEGP_RegisterSuite5 {
  SPAPI A_Err (*AEGP_RegisterCommandHook)(AEGP_PluginID, AEGP_HookPriority, AEGP_Command, AEGP_CommandHook, AEGP_CommandRefcon);
  SPAPI A_Err (*AEGP_RegisterUpdateMenuHook)(AEGP_PluginID, AEGP_UpdateMenuHook, AEGP_UpdateMenuRefcon);
  SPAPI A_Err (*AEGP_RegisterDeathHook)(AEGP_PluginID, AEGP_DeathHook, AEGP_DeathRefcon);
  SPAPI A_Err (*AEGP_RegisterVersionHook)(AEGP_PluginID, AEGP_VersionHook, AEGP_VersionRefcon);
  SPAPI A_Err (*AEGP_RegisterAboutStringHook)(AEGP_PluginID, AEGP_AboutStringHook, AEGP_AboutStringRefcon);
  SPAPI A_Err (*AEGP_RegisterAboutHook)(AEGP_PluginID, AEGP_AboutHook, AEGP_AboutRefcon);
  SPAPI A_Err (*AEGP_RegisterArtisan)(A_Version, A_Version, AEGP_PluginID, void *, const A_char *, const A_char *, PR_ArtisanEntryPoints *);
  SPAPI A_Err (*AEGP_RegisterIO)(AEGP_PluginID, AEGP_IORefcon, const AEIO_ModuleInfo *, const AEIO_FunctionBlock4 *);
  SPAPI A_Err (*AEGP_RegisterIdleHook)(AEGP_PluginID, AEGP_IdleHook, AEGP_IdleRefcon);
  SPAPI A_Err (*AEGP_RegisterTracker)(A_Version, A_Version, AEGP_PluginID, const AEGP_GlobalRefcon, const A_char *, const A_char *, const PT_TrackerEntryPoints *);
  SPAPI A_Err (*AEGP_RegisterInteractiveArtisan)(A_Version, A_Version, AEGP_PluginID, void *, const A_char *, const A_char *, PR_ArtisanEntryPoints *);
  SPAPI A_Err (*AEGP_RegisterPresetLocalizationString)(const A_char *, const A_char *);
} AEGP_RegisterSuite5;

#define kAEGPMemorySuite "AEGP Memory Suite"

enum {
  AEGP_MemFlag_NONE = 0,
  AEGP_MemFlag_CLEAR = 1,
  AEGP_MemFlag_QUIET = 2
};
typedef A_long AEGP_MemFlag;
typedef A_u_long AEGP_MemSize;

#define kAEGPMemorySuiteVersion1 1

typedef struct AEGP_MemorySuite1 {
  SPAPI A_Err (*AEGP_NewMemHandle)(AEGP_PluginID, const A_char *, AEGP_MemSize, AEGP_MemFlag, AEGP_MemHandle *);
  SPAPI A_Err (*AEGP_FreeMemHandle)(AEGP_MemHandle);
  SPAPI A_Err (*AEGP_LockMemHandle)(AEGP_MemHandle, void **);
  SPAPI A_Err (*AEGP_UnlockMemHandle)(AEGP_MemHandle);
  SPAPI A_Err (*AEGP_GetMemHandleSize)(AEGP_MemHandle, AEGP_MemSize *);
  SPAPI A_Err (*AEGP_ResizeMemHandle)(const A_char *, AEGP_MemSize, AEGP_MemHandle);
  SPAPI A_Err (*AEGP_SetMemReportingOn)(A_Boolean);
  SPAPI A_Err (*AEGP_GetMemStats)(AEGP_PluginID, A_long *, A_long *);
} AEGP_MemorySuite1;

#define kAEGPIterateSuite "AEGP Iterate Suite"
#define kAEGPPersistentDataSuite "AEGP Persistent Data Suite"
#define kAEGPPersistentDataSuiteVersion4 4

typedef struct AEGP_PersistentDataSuite4 {
  SPAPI A_Err (*AEGP_GetApplicationBlob)(AEGP_PersistentType, AEGP_PersistentBlobH *);
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
  SPAPI A_Err (*AEGP_GetTime)(AEGP_PersistentBlobH, const A_char *, const A_char *, const A_Time *, A_Time *);
  SPAPI A_Err (*AEGP_GetARGB)(AEGP_PersistentBlobH, const A_char *, const A_char *, const PF_PixelFloat *, PF_PixelFloat *);
  SPAPI A_Err (*AEGP_SetDataHandle)(AEGP_PersistentBlobH, const A_char *, const A_char *, const AEGP_MemHandle);
  SPAPI A_Err (*AEGP_SetData)(AEGP_PersistentBlobH, const A_char *, const A_char *, A_u_long, const void *);
  SPAPI A_Err (*AEGP_SetString)(AEGP_PersistentBlobH, const A_char *, const A_char *, const A_char *);
  SPAPI A_Err (*AEGP_SetLong)(AEGP_PersistentBlobH, const A_char *, const A_char *, A_long);
  SPAPI A_Err (*AEGP_SetFpLong)(AEGP_PersistentBlobH, const A_char *, const A_char *, A_FpLong);
  SPAPI A_Err (*AEGP_SetTime)(AEGP_PersistentBlobH, const A_char *, const A_char *, const A_Time *);
  SPAPI A_Err (*AEGP_SetARGB)(AEGP_PersistentBlobH, const A_char *, const A_char *, const PF_PixelFloat *);
  SPAPI A_Err (*AEGP_DeleteEntry)(AEGP_PersistentBlobH, const A_char *, const A_char *);
  SPAPI A_Err (*AEGP_GetPrefsDirectory)(AEGP_MemHandle *);
} AEGP_PersistentDataSuite4;

#include "AE_GeneralPlugOld.h"
