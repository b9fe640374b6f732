#include "modules/selector_rows.h"

namespace vlam {
namespace {

constexpr const char *kModuleLabels[] = {"Add Flash Builder", "Add Instance", "Add Relighter"};
constexpr const char *kUtilityLabels[] = {"Add Grain Precomp"};

constexpr SelectorRow kModulesRow{3, kModuleLabels};
constexpr SelectorRow kUtilitiesRow{1, kUtilityLabels};

}  // namespace

const SelectorRow *SelectorRowOf(PF_ParamIndex param) {
  switch (param) {
    case kSelectorModules:
      return &kModulesRow;
    case kSelectorUtilities:
      return &kUtilitiesRow;
    default:
      return nullptr;
  }
}

SelectorButtonState &SelectorPairOf(SelectorState &state, PF_ParamIndex param) {
  return param == kSelectorUtilities ? state.utilities : state.modules;
}

ButtonGrid LayOutSelectorRow(const PF_EffectWindowInfo &window, const SelectorRow &row) {
  return ButtonGrid(static_cast<float>(window.current_frame.left),
                    static_cast<float>(window.current_frame.top), kSelectorGridSetup,
                    row.button_count);
}

}  // namespace vlam
