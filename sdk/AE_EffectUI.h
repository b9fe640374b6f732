// Effect API: custom UI events (PF_Cmd_EVENT), the window context they
// happen in, and the host's coordinate callbacks.
#pragma once
#include "AE_Effect.h"
#include "adobesdk/DrawbotSuite.h"

enum {
  PF_Window_NONE = -1,
  PF_Window_COMP = 0,
  PF_Window_LAYER,
  PF_Window_EFFECT,
  PF_Window_PREVIEW
};
typedef A_long PF_WindowType;

enum {
  PF_Event_NONE = -1,
  PF_Event_NEW_CONTEXT = 0,
  PF_Event_ACTIVATE,
  PF_Event_DO_CLICK,
  PF_Event_DRAG,
  PF_Event_DRAW,
  PF_Event_DEACTIVATE,
  PF_Event_CLOSE_CONTEXT,
  PF_Event_IDLE,
  PF_Event_KEYDOWN_OBSOLETE,
  PF_Event_ADJUST_CURSOR,
  PF_Event_KEYDOWN,
  PF_Event_MOUSE_EXITED,
  PF_Event_NUM_EVENTS
};
typedef A_long PF_EventType;

enum {
  PF_EI_NONE = 0,
  PF_EI_DONT_DRAW = 1L << 0
};
typedef A_long PF_EventInFlags;

enum {
  PF_EO_NONE = 0,
  PF_EO_HANDLED_EVENT = 1L << 0,
  PF_EO_ALWAYS_UPDATE = 1L << 1,
  PF_EO_NEVER_UPDATE = 1L << 2,
  PF_EO_UPDATE_NOW = 1L << 3
};
typedef A_long PF_EventOutFlags;

enum {
  PF_Mod_NONE = 0x0000,
  PF_Mod_CMD_CTRL_KEY = 0x0100,
  PF_Mod_SHIFT_KEY = 0x0200,
  PF_Mod_CAPS_LOCK_KEY = 0x0400,
  PF_Mod_OPT_ALT_KEY = 0x0800,
  PF_Mod_MAC_CONTROL_KEY = 0x1000
};
typedef A_long PF_Modifiers;

enum {
  PF_Cursor_NONE = 0,
  PF_Cursor_CUSTOM,
  PF_Cursor_ARROW,
  PF_Cursor_HOLLOW_ARROW,
  PF_Cursor_WATCH_N_WAIT,
  PF_Cursor_MAGNIFY,
  PF_Cursor_MAGNIFY_PLUS,
  PF_Cursor_MAGNIFY_MINUS,
  PF_Cursor_CROSSHAIRS,
  PF_Cursor_CROSS_RECT,
  PF_Cursor_CROSS_OVAL,
  PF_Cursor_CROSS_ROTATE,
  PF_Cursor_PAN,
  PF_Cursor_EYEDROPPER,
  PF_Cursor_HAND,
  PF_Cursor_PEN,
  PF_Cursor_PEN_ADD,
  PF_Cursor_PEN_DELETE,
  PF_Cursor_PEN_CLOSE,
  PF_Cursor_PEN_DRAG,
  PF_Cursor_PEN_CORNER,
  PF_Cursor_RESIZE_VERTICAL,
  PF_Cursor_RESIZE_HORIZONTAL,
  PF_Cursor_FINGER_POINTER,
  PF_Cursor_SCALE_HORIZ,
  PF_Cursor_SCALE_DIAG_LR,
  PF_Cursor_SCALE_VERT,
  PF_Cursor_SCALE_DIAG_UR,
  PF_Cursor_ROT_TOP,
  PF_Cursor_ROT_TOP_RIGHT,
  PF_Cursor_ROT_RIGHT,
  PF_Cursor_ROT_BOT_RIGHT,
  PF_Cursor_ROT_BOTTOM,
  PF_Cursor_ROT_BOT_LEFT,
  PF_Cursor_ROT_LEFT,
  PF_Cursor_ROT_TOP_LEFT,
  PF_Cursor_DRAG_CENTER,
  PF_Cursor_COPY,
  PF_Cursor_ALIAS,
  PF_Cursor_CONTEXT,
  PF_Cursor_SLIP_EDIT,
  PF_Cursor_CAMERA_ORBIT_CAMERA,
  PF_Cursor_CAMERA_PAN_CAMERA,
  PF_Cursor_CAMERA_DOLLY_CAMERA,
  PF_Cursor_ROTATE_X,
  PF_Cursor_ROTATE_Y,
  PF_Cursor_ROTATE_Z,
  PF_Cursor_ARROW_X,
  PF_Cursor_ARROW_Y,
  PF_Cursor_ARROW_Z,
  PF_Cursor_SCISSORS,
  PF_Cursor_FAT_EYEDROPPER,
  PF_Cursor_FINGER_POINTER_SCRUB,
  PF_Cursor_HORZ_I_BEAM,
  PF_Cursor_VERT_I_BEAM,
  PF_Cursor_HORZ_BOX_I_BEAM,
  PF_Cursor_VERT_BOX_I_BEAM,
  PF_Cursor_I_BEAM_0,
  PF_Cursor_I_BEAM_11_25,
  PF_Cursor_I_BEAM_22_5,
  PF_Cursor_I_BEAM_33_75,
  PF_Cursor_I_BEAM_45,
  PF_Cursor_I_BEAM_56_25,
  PF_Cursor_I_BEAM_67_5,
  PF_Cursor_I_BEAM_78_75,
  PF_Cursor_I_BEAM_90,
  PF_Cursor_I_BEAM_101_25,
  PF_Cursor_I_BEAM_112_5,
  PF_Cursor_I_BEAM_123_75,
  PF_Cursor_I_BEAM_135,
  PF_Cursor_I_BEAM_146_25,
  PF_Cursor_I_BEAM_157_5,
  PF_Cursor_I_BEAM_168_75,
  PF_Cursor_CROSSHAIRS_PICKUP,
  PF_Cursor_ARROW_SELECTOR,
  PF_Cursor_LAYER_MOVE,
  PF_Cursor_MOVE_START_MARGIN,
  PF_Cursor_MOVE_END_MARGIN,
  PF_Cursor_SOLID_ARROW,
  PF_Cursor_HOLLOW_ARROW_PLUS,
  PF_Cursor_BRUSH_CENTER,
  PF_Cursor_CLONE_SOURCE,
  PF_Cursor_CLONE_SOURCE_OFFSET,
  PF_Cursor_HOLLOW_LAYER_MOVE,
  PF_Cursor_MOVE_TRACK_SEARCH_REGION,
  PF_Cursor_MOVE_TRACK_ATTACH_POINT,
  PF_Cursor_COLOR_CUBE_CROSS_SECTION,
  PF_Cursor_PEN_CORNER_ROTOBEZ_TENSION,
  PF_Cursor_PIN,
  PF_Cursor_PIN_ADD,
  PF_Cursor_MESH_ADD,
  PF_Cursor_MARQUEE,
  PF_Cursor_CROSS_ROUNDED_RECT,
  PF_Cursor_CROSS_POLYGON,
  PF_Cursor_CROSS_STAR,
  PF_Cursor_PIN_STARCH,
  PF_Cursor_PIN_OVERLAP,
  PF_Cursor_STOPWATCH,
  PF_Cursor_DRAG_DOT,
  PF_Cursor_DRAG_CIRCLE,
  PF_Cursor_DIRECT_SELECT,
  PF_Cursor_DRAG_COPY_MOVE,
  PF_Cursor_DRAG_COPY_ROTATE,
  PF_Cursor_CAMERA_MAYA,
  PF_Cursor_RESIZE_HORIZONTAL_LEFT,
  PF_Cursor_RESIZE_HORIZONTAL_RIGHT,
  PF_Cursor_FEATHER,
  PF_Cursor_FEATHER_ADD,
  PF_Cursor_FEATHER_DELETE,
  PF_Cursor_FEATHER_MOVE,
  PF_Cursor_FEATHER_TENSION,
  PF_Cursor_FEATHER_MARQUEE,
  PF_Cursor_LASSO_ARROW,
  PF_Cursor_DRAG_NO_DROP,
  PF_Cursor_DRAG_COPY,
  PF_Cursor_DRAG_LINK,
  PF_Cursor_PIN_BEND,
  PF_Cursor_PIN_ADVANCED,
  PF_Cursor_CAMERA_ORBIT_CURSOR,
  PF_Cursor_CAMERA_ORBIT_SCENE,
  PF_Cursor_CAMERA_PAN_CURSOR,
  PF_Cursor_CAMERA_DOLLY_TOWARDS_CURSOR,
  PF_Cursor_CAMERA_DOLLY_TO_CURSOR
};
typedef A_long PF_CursorType;

enum {
  PF_CustomEFlag_NONE = 0,
  PF_CustomEFlag_COMP = 1L << 0,
  PF_CustomEFlag_LAYER = 1L << 1,
  PF_CustomEFlag_EFFECT = 1L << 2,
  PF_CustomEFlag_PREVIEW = 1L << 3
};
typedef A_long PF_CustomEventFlags;

enum {
  PF_UIAlignment_NONE = 0,
  PF_UIAlignment_TOP = 1L << 0,
  PF_UIAlignment_LEFT = 1L << 1,
  PF_UIAlignment_BOTTOM = 1L << 2,
  PF_UIAlignment_RIGHT = 1L << 3
};
typedef A_long PF_UIAlignment;

// What an effect registers through register_ui: the windows it draws in.
struct PF_CustomUIInfo {
  A_long reserved;
  PF_CustomEventFlags events;
  A_long comp_ui_width;
  A_long comp_ui_height;
  PF_UIAlignment comp_ui_alignment;
  A_long layer_ui_width;
  A_long layer_ui_height;
  PF_UIAlignment layer_ui_alignment;
  A_long preview_ui_width;
  A_long preview_ui_height;
  PF_UIAlignment preview_ui_alignment;
};

typedef struct _PF_ContextRefcon *PF_ContextRefcon;

// The window a custom-UI event happens in.
typedef struct PF_Context {
  A_u_long magic;
  PF_WindowType w_type;
  PF_ContextRefcon reserved_flt;
  A_intptr_t plugin_state[4];
  DRAWBOT_DrawRef reserved_drawref;
  void *reserved_paneP;
  void *reserved_job_manageP;
} PF_Context, *PF_ContextPtr, **PF_ContextH;

enum {
  PF_EA_NONE = 0,
  PF_EA_PARAM_TITLE,
  PF_EA_CONTROL
};
typedef A_long PF_EffectArea;

// In the effect-controls panel: which parameter the event is about and where
// its control lies.
typedef struct {
  PF_ParamIndex index;
  PF_EffectArea area;
  PF_UnionableRect current_frame;
  PF_UnionableRect param_title_frame;
  A_long horiz_offset;
} PF_EffectWindowInfo;

typedef struct {
  A_u_long when;
  PF_Point screen_point;
  A_long num_clicks;
  PF_Modifiers modifiers;
  A_intptr_t continue_refcon[4];
  PF_Boolean send_drag;
  PF_Boolean last_time;
} PF_DoClickEventInfo;

typedef struct {
  PF_UnionableRect update_rect;
  A_long depth;
} PF_DrawEventInfo;

typedef A_u_long PF_KeyCode;

typedef struct {
  A_u_long when;
  PF_Point screen_point;
  PF_KeyCode keycode;
  PF_Modifiers modifiers;
} PF_KeyDownEvent;

typedef struct {
  PF_Point screen_point;
  PF_Modifiers modifiers;
  PF_CursorType set_cursor;
} PF_AdjustCursorEventInfo;

typedef union {
  PF_DoClickEventInfo do_click;
  PF_DrawEventInfo draw;
  PF_KeyDownEvent key_down;
  PF_AdjustCursorEventInfo adjust_cursor;
} PF_EventUnion;

// Coordinate conversions between layer, comp and window space; every point
// is in 16.16 fixed point. `refcon` is handed back to each callback.
typedef struct {
  void *refcon;
  PF_Err (*layer_to_comp)(void *refcon, PF_ContextH context, A_long curr_time,
                          A_long time_scale, PF_FixedPoint *pt);
  PF_Err (*comp_to_layer)(void *refcon, PF_ContextH context, A_long curr_time,
                          A_long time_scale, PF_FixedPoint *pt);
  PF_Err (*get_comp2layer_xform)(void *refcon, PF_ContextH context, A_long curr_time,
                                 A_long time_scale, A_long *exists, PF_FloatMatrix *comp2layer);
  PF_Err (*get_layer2comp_xform)(void *refcon, PF_ContextH context, A_long curr_time,
                                 A_long time_scale, PF_FloatMatrix *layer2comp);
  PF_Err (*source_to_frame)(void *refcon, PF_ContextH context, PF_FixedPoint *pt);
  PF_Err (*frame_to_source)(void *refcon, PF_ContextH context, PF_FixedPoint *pt);
  PF_Err (*info_draw_color)(void *refcon, PF_Pixel color);
  PF_Err (*info_draw_text)(void *refcon, const A_char *text1Z0, const A_char *text2Z0);
} PF_EventCallbacks;

typedef struct {
  PF_ContextH contextH;
  PF_EventType e_type;
  PF_EventUnion u;
  PF_EffectWindowInfo effect_win;
  PF_EventCallbacks cbs;
  PF_EventInFlags evt_in_flags;
  PF_EventOutFlags evt_out_flags;
} PF_EventExtra;
