#include "modules/selector_invalidate.h"

#include "frame/scoped_suite.h"

namespace vlam {

PF_Err InvalidateButton(const PF_InData *in_data, PF_ContextH context, const ButtonGrid &grid,
                        A_long button) {
  ScopedSuite<PFAppSuite4> app(in_data->pica_basicP, kPFAppSuite, kPFAppSuiteVersion4);
  const PF_Rect rect = grid.InvalidationRect(button);
  return app->PF_InvalidateRect(context, &rect);
}

}  // namespace vlam
