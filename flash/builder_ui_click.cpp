// Clicks on the builder's curve editors and petal buttons.
#include <cmath>
#include <cstring>

#include "flash/builder_params.h"
#include "flash/curve_editing.h"
#include "flash/petal_buttons.h"
#include "flash/profile_control.h"
#include "flash/profile_layout.h"
#include "flash/builder_ui_events.h"
#include "frame/error_message.h"
#include "frame/scoped_suite.h"
#include "ui/locked_sequence.h"

namespace vlam {
namespace {

constexpr PF_Modifiers kAlt = PF_Mod_OPT_ALT_KEY;
constexpr PF_Modifiers kAltShift = PF_Mod_OPT_ALT_KEY | PF_Mod_SHIFT_KEY;
constexpr PF_Modifiers kCtrl = PF_Mod_CMD_CTRL_KEY;

void StartDrag(PF_DoClickEventInfo &click, A_intptr_t reference) {
  click.send_drag = 1;
  click.continue_refcon[0] = reference;
}

void ClickCurveArea(const ProfileLayout &layout, ShapeCurve &curve, PF_DoClickEventInfo &click) {
  const double fx = layout.CurveX(click.screen_point.h);
  const double fy = layout.CurveY(click.screen_point.v);
  if (click.modifiers == PF_Mod_NONE) {
    const int k = PickCurvePoint(curve, fx, fy);
    if (k >= 0) {
      StartDrag(click, k);
    }
  } else if (click.modifiers == kAlt) {
    const int k = InsertCurvePoint(curve, fx, fy);
    if (k >= 0) {
      StartDrag(click, k);
    }
  } else if (click.modifiers == kAltShift) {
    DeleteCurvePoint(curve, PickCurvePoint(curve, fx, fy));
  }
}

void ClickPresetStrip(const PF_InData *in_data, const PF_HandleSuite1 &handles,
                      const ProfileControl &control, const ProfileLayout &layout,
                      ShapeCurve &curve, const PF_DoClickEventInfo &click) {
  const A_long k = layout.PresetButtons().HitTest(click.screen_point.h, click.screen_point.v);
  if (k < 0) {
    return;
  }
  const BuilderGlobalsLock globals(in_data, handles);
  if (globals.get() == nullptr) {
    return;
  }
  ShapeCurve &slot = PresetSlotsOf(*globals.get(), control)[k];
  if (click.modifiers == kCtrl) {
    // The first slot holds the plain shape and cannot be overwritten.
    if (k >= 1) {
      std::memcpy(&slot, &curve, sizeof slot);
    }
  } else {
    std::memcpy(&curve, &slot, sizeof curve);
  }
}

PF_Err ClickProfile(const PF_InData *in_data, PF_ParamDef *params[], PF_EventExtra *event,
                    const ProfileControl &control) {
  ScopedSuite<PF_HandleSuite1> handles(in_data->pica_basicP, kPFHandleSuite, kPFHandleSuiteVersion1);
  PF_DoClickEventInfo &click = event->u.do_click;
  const PF_Rect &frame = event->effect_win.current_frame;
  const double diameter = DiameterOf(params, control);
  const ProfileLayout layout(frame.left, frame.top, diameter);
  const A_long x = click.screen_point.h;
  const A_long y = click.screen_point.v;
  {
    const LockedCurve curve(*handles.get(), EventParam(params, control.profile));
    if (curve.get() != nullptr && layout.curve.Contains(x, y)) {
      ClickCurveArea(layout, *curve.get(), click);
    } else if (curve.get() != nullptr && layout.presets.Contains(x, y)) {
      ClickPresetStrip(in_data, *handles.get(), control, layout, *curve.get(), click);
    } else if (layout.handle_column.Contains(x, y)) {
      const double handle = HandleFromDiameter(diameter);
      if (std::abs(layout.HandleFraction(y) - handle) <= 0.1) {
        StartDrag(click, kHandleDragMarker);
      }
    }
  }
  MarkChanged(params, control.profile);
  event->evt_out_flags |= PF_EO_HANDLED_EVENT;
  return PF_Err_NONE;
}

PF_Err ClickPetals(const PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                   PF_EventExtra *event) {
  ScopedSuite<PF_HandleSuite1> handles(in_data->pica_basicP, kPFHandleSuite, kPFHandleSuiteVersion1);
  const LockedSequence<PetalVariants> variants(in_data, *handles.get());
  if (variants.get() == nullptr) {
    ReportErrorMessage(in_data, out_data, "Could not retrieve sequence data");
    return PF_Err_OUT_OF_MEMORY;
  }
  const PF_Rect &frame = event->effect_win.current_frame;
  const PF_Point &point = event->u.do_click.screen_point;
  const A_long k = PetalButtons(frame.left, frame.top, true).HitTest(point.h, point.v);
  PF_ParamDef *configuration = EventParam(params, kBuilderPetalConfiguration);
  if (k >= 0 && configuration != nullptr) {
    configuration->u.pd.value =
        PetalClickValue(static_cast<int>(k), configuration->u.pd.value, *variants.get());
    MarkChanged(params, kBuilderPetalConfiguration);
  }
  event->evt_out_flags |= PF_EO_HANDLED_EVENT;
  return PF_Err_NONE;
}

}  // namespace

PF_Err BuilderClick(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                    PF_EventExtra *event) {
  const PF_ParamIndex param = event->effect_win.index;
  if (param == kBuilderPetalConfiguration) {
    return ClickPetals(in_data, out_data, params, event);
  }
  if (const ProfileControl *control = ProfileControlOf(param)) {
    return ClickProfile(in_data, params, event, *control);
  }
  return PF_Err_NONE;
}

}  // namespace vlam
