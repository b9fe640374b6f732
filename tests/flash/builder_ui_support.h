// The Flash Builder's custom controls in a fake host: the builder host of
// the parameter tests (values, handles, global record with presets) plus
// the sequence record, host colours, the drawing reference and DRAWBOT.
#pragma once
#include <map>
#include <vector>

#include "builder_host_support.h"
#include "flash/builder_globals.h"
#include "flash/petal_buttons.h"
#include "flash/shape_curve.h"
#include "ui/fake_drawbot_support.h"

namespace vlam_test {

using vlam::ShapeCurve;

class BuilderUiHost {
 public:
  BuilderUiHost();
  ~BuilderUiHost();
  BuilderUiHost(const BuilderUiHost &) = delete;
  BuilderUiHost &operator=(const BuilderUiHost &) = delete;

  vlam::FakeBuilderHost builder;
  FakeDrawbot drawbot;

  // An event on parameter `param`, whose control's top left is (left, top).
  PF_EventExtra Event(PF_EventType type, PF_ParamIndex param, A_long x, A_long y,
                      PF_Modifiers modifiers = PF_Mod_NONE) const;
  // Sends it through the effect's entry point with the current values.
  PF_Err Send(PF_EventExtra &event);

  ShapeCurve &Curve(PF_ParamIndex profile);  // a profile parameter's value
  vlam::BuilderGlobals &Globals() { return *builder.Globals(); }
  vlam::PetalVariants &Variants();
  A_long Popup(PF_ParamIndex index) const { return builder.values[index].u.pd.value; }

  A_long left = 20;
  A_long top = 300;
  A_long width = 320;
  A_long height = 120;

  PFAppSuite4 app_suite{};
  PF_EffectCustomUISuite1 custom_ui_suite{};
};

// Fields of packed curve records, read as values.
inline double PointX(const ShapeCurve &curve, int i) { return curve.points[i].x; }
inline double PointY(const ShapeCurve &curve, int i) { return curve.points[i].y; }

}  // namespace vlam_test
