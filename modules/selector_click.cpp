// Clicks on the Module Selector's buttons.
#include "frame/scoped_suite.h"
#include "modules/effect_inserter.h"
#include "modules/selector_events.h"
#include "modules/selector_invalidate.h"
#include "modules/selector_rows.h"
#include "modules/selector_state_lock.h"
#include "modules/vlam_utils_suite.h"

namespace vlam {
namespace {

struct ModuleButtonAction {
  const char *match_name;
  PlaceMode mode;
  const char *anchor;
  const char *fallback;
};

// "Modules" buttons 0-2. New builders and instances go after the last of
// their kind (else after the last Module Selector); a Relighter goes just
// before the first Render effect.
constexpr ModuleButtonAction kModuleActions[] = {
    {"zk_VlamFlash", PlaceMode::kAfterLast, "zk_VlamFlash", "zk_VlamMod"},
    {"zk_VlamInstance", PlaceMode::kAfterLast, "zk_VlamInstance", "zk_VlamMod"},
    {"zk_VlamRelighter", PlaceMode::kBeforeFirst, "zk_Vlam", nullptr},
};

// Presses the hit button (or clears the row) and asks for the repaint.
PF_Err PressButton(const PF_InData *in_data, PF_EventExtra *event, const ButtonGrid &grid,
                   A_long hit, SelectorButtonState &pair) {
  PF_Err err = PF_Err_NONE;
  if (hit >= 0) {
    err = InvalidateButton(in_data, event->contextH, grid, hit);
    pair = SelectorButtonState{2, hit};
  } else {
    pair = SelectorButtonState{0, -1};
  }
  event->evt_out_flags |= PF_EO_UPDATE_NOW;
  return err;
}

PF_Err ClickModules(const PF_InData *in_data, PF_EventExtra *event, SelectorButtonState &pair) {
  const ButtonGrid grid = LayOutSelectorRow(event->effect_win, *SelectorRowOf(kSelectorModules));
  EffectInserter inserter(in_data);
  inserter.FindLayer();
  const PF_Point &point = event->u.do_click.screen_point;
  const A_long hit = grid.HitTest(point.h, point.v);
  const PF_Err err = PressButton(in_data, event, grid, hit, pair);
  if (hit >= 0) {
    // What applying and filing report is not the click's result: the effect
    // is either there or not, and the panel shows which.
    const ModuleButtonAction &action = kModuleActions[hit];
    static_cast<void>(inserter.Apply(action.match_name));
    static_cast<void>(inserter.Place(action.mode, action.anchor, action.fallback));
  }
  return err;
}

PF_Err ClickUtilities(const PF_InData *in_data, PF_EventExtra *event, SelectorButtonState &pair) {
  const ButtonGrid grid = LayOutSelectorRow(event->effect_win, *SelectorRowOf(kSelectorUtilities));
  const PF_Point &point = event->u.do_click.screen_point;
  const A_long hit = grid.HitTest(point.h, point.v);
  PF_Err err = PressButton(in_data, event, grid, hit, pair);
  if (hit == 0) {
    ScopedSuite<VlamUtilsSuite1> utils(in_data->pica_basicP, kVlamUtilsSuite,
                                       kVlamUtilsSuiteVersion1);
    if (err == PF_Err_NONE) {
      err = utils->RequestCommand(kGrainPrecompCommand);
    }
  }
  return err;
}

}  // namespace

PF_Err SelectorClick(PF_InData *in_data, PF_EventExtra *event) {
  event->evt_out_flags = PF_EO_NONE;
  LockedSelectorState locked(in_data);
  SelectorState &state = locked.get();

  PF_Err err = PF_Err_NONE;
  const PF_ParamIndex param = event->effect_win.index;
  if (param == kSelectorModules) {
    err = ClickModules(in_data, event, SelectorPairOf(state, param));
  } else if (param == kSelectorUtilities) {
    err = ClickUtilities(in_data, event, SelectorPairOf(state, param));
  }
  event->evt_out_flags |= PF_EO_HANDLED_EVENT;
  return err;
}

}  // namespace vlam
