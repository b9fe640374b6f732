#include "ui/drawing_target.h"

#include "frame/scoped_suite.h"

namespace vlam {

DrawingTarget GetDrawingTarget(const PF_InData *in_data, const DrawbotSuites &suites,
                               PF_ContextH context) {
  ScopedSuite<PF_EffectCustomUISuite1> custom_ui(in_data->pica_basicP, kPFEffectCustomUISuite,
                                                 kPFEffectCustomUISuiteVersion1);
  DrawingTarget target;
  target.err = custom_ui->PF_GetDrawingReference(context, &target.draw_ref);
  if (target.err == PF_Err_NONE) {
    target.err = suites.drawbot_suiteP->GetSupplier(target.draw_ref, &target.supplier);
  }
  if (target.err == PF_Err_NONE) {
    target.err = suites.drawbot_suiteP->GetSurface(target.draw_ref, &target.surface);
  }
  return target;
}

}  // namespace vlam
