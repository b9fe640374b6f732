// The Module Selector's two button rows: which parameter holds which
// buttons, their labels and layout, and where their state is kept.
#pragma once
#include "AE_EffectUI.h"
#include "modules/selector_state.h"
#include "ui/button_grid.h"

namespace vlam {

enum SelectorParam : PF_ParamIndex {
  kSelectorInput = 0,
  kSelectorModules,
  kSelectorUtilities,
  kSelectorParamCount
};

// The buttons are laid out over 360 pixels, wider than the 320 the
// parameters declare, so the third button reaches past the declared width.
inline constexpr ButtonGridSetup kSelectorGridSetup{360.0f, 1, 5.0f, 19.0f};

struct SelectorRow {
  A_long button_count;
  const char *const *labels;
};

// The row drawn in a parameter's control; null for any other parameter.
const SelectorRow *SelectorRowOf(PF_ParamIndex param);

// The row's {state, index} pair in the sequence record.
SelectorButtonState &SelectorPairOf(SelectorState &state, PF_ParamIndex param);

// The row's buttons inside the control's current frame.
ButtonGrid LayOutSelectorRow(const PF_EffectWindowInfo &window, const SelectorRow &row);

}  // namespace vlam
