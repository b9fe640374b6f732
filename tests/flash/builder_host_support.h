// The render tests' fake host serving one Flash Builder: its parameter values
// (defaults to begin with) and the global record with curve presets. The
// builder's custom controls add the sequence record.
#pragma once
#include <vector>

#include "AE_EffectUI.h"
#include "flash/builder_globals.h"
#include "flash/builder_params.h"
#include "flash/petal_buttons.h"
#include "flash/shape_curve.h"
#include "render/render_host_support.h"
#include "ui/ui_event_support.h"

namespace vlam {

class FakeBuilderHost : public vlam_render_test::RenderTestHost {
 public:
  FakeBuilderHost();
  ~FakeBuilderHost() override;

  PF_InData* InData() { return &in_data; }
  PF_OutData* OutData() { return &out_data; }
  // Sends `cmd` through the builder's entry point; global setup's data is
  // kept in in_data.
  PF_Err Run(PF_Cmd cmd, void* extra = nullptr, PF_ParamDef** params = nullptr);

  // Runs global setup (presets from the host's settings) and keeps the
  // global data in in_data.
  PF_Err GlobalSetup();
  // The global record (held in place by its own lock between commands).
  BuilderGlobals* Globals();

  // The current values, index 0-34 (the two profile values made by the
  // handlers once global setup has run).
  void SetFloat(PF_ParamIndex index, double v) { values[index].u.fs_d.value = v; }
  void SetPopup(PF_ParamIndex index, A_long v) { values[index].u.pd.value = v; }
};

}  // namespace vlam

namespace vlam_test {

using vlam::ShapeCurve;

class BuilderUiHost {
 public:
  BuilderUiHost();
  ~BuilderUiHost() { builder.Run(PF_Cmd_SEQUENCE_SETDOWN); }

  vlam::FakeBuilderHost builder;
  FakeDrawbot& drawbot = builder.drawbot;

  // An event on parameter `param`, whose 320 x 120 control's top left is
  // (20, 300).
  PF_EventExtra Event(PF_EventType type, PF_ParamIndex param, A_long x, A_long y,
                      PF_Modifiers modifiers = PF_Mod_NONE) const {
    return MakeUiEvent(type, param, PF_Rect{20, 300, 340, 420}, x, y, modifiers);
  }
  // Sends it through the effect's entry point with the current values.
  PF_Err Send(PF_EventExtra &event);

  ShapeCurve &Curve(PF_ParamIndex profile) {  // a profile parameter's value
    return *static_cast<ShapeCurve *>(*builder.values[profile].u.arb_d.value);
  }
  vlam::BuilderGlobals &Globals() { return *builder.Globals(); }
  vlam::PetalVariants &Variants() {
    return *static_cast<vlam::PetalVariants *>(*builder.in_data.sequence_data);
  }
  A_long Popup(PF_ParamIndex index) const { return builder.values[index].u.pd.value; }
};

// Fields of packed curve records, read as values.
inline double PointX(const ShapeCurve &curve, int i) { return curve.points[i].x; }
inline double PointY(const ShapeCurve &curve, int i) { return curve.points[i].y; }

}  // namespace vlam_test
