// Effect API: custom UI events (PF_Cmd_EVENT) and custom-UI registration.
#pragma once
#include "AE_Effect.h"

enum {
  PF_Window_NONE = -1,
  PF_Window_COMP = 0,
  PF_Window_LAYER,
  PF_Window_EFFECT
};
typedef A_long PF_WindowType;

enum {
  PF_Event_NEW_CONTEXT = 0,
  PF_Event_ACTIVATE,
  PF_Event_DO_CLICK,
  PF_Event_DRAG,
  PF_Event_DRAW,
  PF_Event_DEACTIVATE,
  PF_Event_CLOSE_CONTEXT,
  PF_Event_IDLE,
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
  PF_Cursor_CUSTOM = -1,
  PF_Cursor_NONE = 0,
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
  PF_Cursor_FINGER_POINTER
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
typedef struct {
  A_u_long magic;
  PF_WindowType w_type;
  PF_ContextRefcon reserved_flt;
  A_long reserved_wref;
  A_long reserved_idx;
  void *reserved_layer_ref;
  void *reserved_view_ref;
  PF_ParamIndex param_index;
  A_long reserved[4];
} PF_Context, *PF_ContextPtr, **PF_ContextH;

enum {
  PF_EA_NONE = 0,
  PF_EA_PARAM_TITLE,
  PF_EA_CONTROL
};
typedef A_long PF_EffectArea;

typedef struct {
  PF_ParamIndex index;
  PF_EffectArea area;
  PF_Rect current_frame;
  PF_Rect param_title_frame;
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
  PF_Rect update_rect;
  A_long depth;
} PF_DrawEventInfo;

typedef struct {
  A_u_long when;
  PF_Point screen_point;
  A_long char_code;
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

typedef void *PF_EventRefcon;

enum {
  PF_InfoDrawColor_NONE = 0
};
typedef struct {
  A_u_short red, green, blue;
} PF_InfoDrawColor;

// Coordinate conversions between layer, comp and window space; every point
// is in 16.16 fixed point.
typedef struct {
  PF_EventRefcon refcon;
  PF_Err (*layer_to_comp)(PF_EventRefcon refcon, PF_ContextH context, A_long curr_time,
                          A_long time_scale, PF_FixedPoint *pt);
  PF_Err (*comp_to_layer)(PF_EventRefcon refcon, PF_ContextH context, A_long curr_time,
                          A_long time_scale, PF_FixedPoint *pt);
  PF_Err (*get_comp2layer_xform)(PF_EventRefcon refcon, PF_ContextH context, A_long curr_time,
                                 A_long time_scale, A_long *exists, PF_FloatMatrix *comp2layer);
  PF_Err (*get_layer2comp_xform)(PF_EventRefcon refcon, PF_ContextH context, A_long curr_time,
                                 A_long time_scale, PF_FloatMatrix *layer2comp);
  PF_Err (*source_to_frame)(PF_EventRefcon refcon, PF_ContextH context, PF_FixedPoint *pt);
  PF_Err (*frame_to_source)(PF_EventRefcon refcon, PF_ContextH context, PF_FixedPoint *pt);
  PF_Err (*info_draw_color)(PF_EventRefcon refcon, PF_Pixel color);
  PF_Err (*info_draw_text)(PF_EventRefcon refcon, const A_char *text1Z0, const A_char *text2Z0);
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
