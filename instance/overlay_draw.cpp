#include "instance/overlay_draw.h"

#include "AE_EffectCBSuites.h"

#include "frame/comp_camera_host.h"
#include "frame/fixed_point.h"
#include "frame/scoped_suite.h"
#include "instance/barrel_outline.h"
#include "instance/instance_param_ids.h"
#include "ui/drawbot_objects.h"
#include "ui/flash_colors.h"
#include "ui/painter.h"

namespace vlam {
namespace {

constexpr DRAWBOT_ColorRGBA kBarrelRed{1.0f, 0.0f, 0.0f, 1.0f};

PF_WindowType WindowOf(const PF_EventExtra &event) {
  if (event.contextH == nullptr || *event.contextH == nullptr) {
    return PF_Window_NONE;
  }
  return (*event.contextH)->w_type;
}

const PF_ParamDef *ParamAt(PF_ParamDef *params[], PF_ParamIndex index) {
  return params != nullptr ? params[index] : nullptr;
}

BarrelPose ReadBarrelPose(PF_ParamDef *params[]) {
  BarrelPose pose;
  if (const PF_ParamDef *p = ParamAt(params, kInstanceAimSystem)) pose.aim_system = p->u.pd.value;
  if (const PF_ParamDef *p = ParamAt(params, kInstanceBarrelShape)) pose.barrel_shape = p->u.pd.value;
  if (const PF_ParamDef *p = ParamAt(params, kInstancePosition)) {
    pose.position[0] = p->u.point3d_d.x_value;
    pose.position[1] = p->u.point3d_d.y_value;
    pose.position[2] = p->u.point3d_d.z_value;
  }
  if (const PF_ParamDef *p = ParamAt(params, kInstanceAim)) {
    pose.aim[0] = DoubleFromFixed(p->u.td.x_value);
    pose.aim[1] = DoubleFromFixed(p->u.td.y_value);
  }
  if (const PF_ParamDef *p = ParamAt(params, kInstancePointAway)) pose.point_away = p->u.bd.value != 0;
  if (const PF_ParamDef *p = ParamAt(params, kInstanceSweep)) pose.sweep = p->u.ad.value;
  if (const PF_ParamDef *p = ParamAt(params, kInstanceTilt)) pose.tilt = p->u.ad.value;
  if (const PF_ParamDef *p = ParamAt(params, kInstanceRoll)) pose.roll = p->u.ad.value;
  return pose;
}

double LayerPixelAspect(const PF_InData *in_data) {
  const PF_RationalScale &r = in_data->pixel_aspect_ratio;
  const double aspect = r.den != 0 ? static_cast<double>(r.num) / r.den : 1.0;
  return aspect > 0.0 ? aspect : 1.0;
}

// Layer pixels to window pixels through the host's callbacks (16.16 fixed
// point both ways): layer to comp in the comp window, then source to frame.
PF_Err ToWindow(const PF_InData *in_data, const PF_EventExtra &event, bool comp_window, double *x,
                double *y) {
  PF_FixedPoint point{FixedFromDouble(*x), FixedFromDouble(*y)};
  const PF_EventCallbacks &cbs = event.cbs;
  PF_Err err = PF_Err_NONE;
  if (comp_window && cbs.layer_to_comp != nullptr) {
    err = cbs.layer_to_comp(cbs.refcon, event.contextH, in_data->current_time,
                            static_cast<A_long>(in_data->time_scale), &point);
  }
  if (err == PF_Err_NONE && cbs.source_to_frame != nullptr) {
    err = cbs.source_to_frame(cbs.refcon, event.contextH, &point);
  }
  *x = DoubleFromFixed(point.x);
  *y = DoubleFromFixed(point.y);
  return err;
}

void DrawBarrel(Painter &painter, const PF_InData *in_data, PF_ParamDef *params[],
                const PF_EventExtra &event, bool comp_window) {
  const std::vector<PenStep> steps =
      BarrelSteps(BuildCompCamera(in_data), ReadBarrelPose(params), in_data->width,
                  in_data->height, LayerPixelAspect(in_data));
  const DRAWBOT_PathP path = painter.Path();
  for (const PenStep &step : steps) {
    double x = step.x;
    double y = step.y;
    painter.KeepError(ToWindow(in_data, event, comp_window, &x, &y));
    if (step.move) {
      painter.MoveTo(path, static_cast<float>(x), static_cast<float>(y));
    } else {
      painter.LineTo(path, static_cast<float>(x), static_cast<float>(y));
    }
    if (!painter.ok()) {
      return;
    }
  }
  painter.Stroke(painter.Pen(kBarrelRed, 1.0f), path);
}

// The title strip in the colour of the instance's flash design.
void DrawTitleStrip(Painter &painter, PF_ParamDef *params[], const PF_EventExtra &event) {
  const PF_ParamDef *identifier = ParamAt(params, kInstanceFlashIdentifier);
  DRAWBOT_ColorRGBA color{};
  if (identifier != nullptr && FlashColorOf(identifier->u.pd.value, &color)) {
    painter.PaintRect(color, TitleStripRect(event.effect_win.param_title_frame));
  }
}

}  // namespace

PF_Err DrawInstanceOverlay(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                           PF_EventExtra *event) {
  if (event == nullptr || event->evt_in_flags != 0) {
    return PF_Err_NONE;
  }
  return RunDrawingEvent([&]() -> PF_Err {
    const ScopedSuite<PF_HandleSuite1> handles(in_data->pica_basicP, kPFHandleSuite,
                                               kPFHandleSuiteVersion1);
    const ScopedDrawbotSuites suites(in_data, out_data);
    if (suites.error() != PF_Err_NONE) {
      return suites.error();
    }
    const DrawingTarget target = GetDrawingTarget(in_data, suites.get(), event->contextH);
    Painter painter(suites.get(), target);
    const PF_WindowType window = WindowOf(*event);
    if (painter.ok()) {
      if (window == PF_Window_EFFECT) {
        if (event->effect_win.index == kInstanceTitle) {
          DrawTitleStrip(painter, params, *event);
        }
      } else if (window == PF_Window_COMP || window == PF_Window_LAYER) {
        DrawBarrel(painter, in_data, params, *event, window == PF_Window_COMP);
      }
    }
    event->evt_out_flags = PF_EO_HANDLED_EVENT;
    return painter.error();
  });
}

}  // namespace vlam
