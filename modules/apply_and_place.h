// Applying an installed effect to a layer and moving it next to its kind.
#pragma once
#include "AE_GeneralPlug.h"
#include "frame/suite_handler.h"

namespace vlam {

enum class Placement : A_long {
  kTop = 0,           // index 0
  kBeforeAnchor = 1,  // directly before the first effect matching the anchor
  kAfterAnchor = 2,   // directly after it
};

// Applies the installed effect whose match name equals `match_name` (exact
// bytes) to the layer and moves it by `placement`; without an anchor on the
// layer it goes to the top. Nothing happens when no such effect is
// installed. Returns the first host error; once one is met the remaining
// host steps are skipped, but the new effect's reference is always disposed.
A_Err ApplyAndPlace(SuiteHandler &suites, AEGP_LayerH layer, const char *match_name,
                    Placement placement, const char *anchor_match_name);

}  // namespace vlam
