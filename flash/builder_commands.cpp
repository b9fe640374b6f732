// The Flash Builder's commands behind its entry function.
#include "flash/builder_commands.h"

#include "flash/builder_global_data.h"
#include "flash/builder_globals.h"
#include "flash/builder_params.h"
#include "flash/builder_ui_events.h"
#include "flash/design_export.h"
#include "flash/petal_controls.h"
#include "flash/shape_arb_handlers.h"
#include "frame/arbitrary_handler.h"
#include "frame/handle_records.h"
#include "frame/scoped_suite.h"

namespace vlam {

static_assert(kBuilderGlobalsSize == sizeof(BuilderGlobals));

PF_Err CreateBuilderGlobals(PF_InData *in_data, PF_OutData *out_data) {
  SettingsPresetStore presets(in_data);
  return CreateBuilderGlobals(in_data, out_data, presets);
}

PF_Err ReleaseBuilderGlobals(PF_InData *in_data, PF_OutData *out_data) {
  SettingsPresetStore presets(in_data);
  return ReleaseBuilderGlobals(in_data, out_data, presets);
}

PF_Err BuilderParamsSetup(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef * /*params*/[]) {
  const ScopedSuite<PF_HandleSuite1> handles(in_data->pica_basicP, kPFHandleSuite, kPFHandleSuiteVersion1);
  const BuilderGlobalsLock globals(in_data, *handles.get());
  if (!globals.get()) return PF_Err_INTERNAL_STRUCT_DAMAGED;
  return AddBuilderParams(in_data, out_data, globals.get()->mainHandler, globals.get()->petalHandler);
}

PF_Err BuilderUpdateParamsUI(PF_InData *in_data, PF_OutData * /*out_data*/, PF_ParamDef *params[]) {
  return UpdatePetalControls(in_data, params);
}

PF_Err BuilderEvent(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                    void *event_extra) {
  return BuilderUiEvent(in_data, out_data, params, static_cast<PF_EventExtra *>(event_extra));
}

PF_Err BuilderCompletelyGeneral(PF_InData *in_data, PF_OutData * /*out_data*/, PF_ParamDef * /*params*/[],
                                void *extra) {
  return ExportFlashDesign(in_data, static_cast<FlashDesignTable *>(extra));
}

PF_Err BuilderArbitraryCallback(PF_InData * /*in_data*/, PF_OutData * /*out_data*/, void *extra) {
  return RouteArbitraryCallback(static_cast<PF_ArbParamsExtra *>(extra));
}

PF_Err CreateBuilderSequence(PF_InData *in_data, PF_OutData *out_data) {
  static constexpr A_u_char kInitial[kBuilderSequenceSize] = {};
  const SequenceRecordSetup setup{kBuilderSequenceSize, kInitial, false,
                                "Could not initialise sequence data",
                                "Could not initialise sequence data"};
  return CreateSequenceRecord(in_data, out_data, setup);
}

}  // namespace vlam
