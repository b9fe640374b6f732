// The Flash Builder's commands as far as the frame provides them:
// BuilderGlobals is allocated at its full size and zero-filled, the effect
// has only its input, and it answers no design yet.
#include "flash/builder_commands.h"

#include "frame/effect_setup.h"
#include "frame/handle_records.h"

namespace vlam {

PF_Err CreateBuilderGlobals(PF_InData *in_data, PF_OutData *out_data) {
  const GlobalRecordSpec spec{kBuilderGlobalsSize, "Could not initialise global data",
                              PF_Err_OUT_OF_MEMORY, nullptr, PF_Err_OUT_OF_MEMORY};
  return CreateGlobalRecord(in_data, out_data, spec, nullptr, nullptr);
}

PF_Err ReleaseBuilderGlobals(PF_InData *in_data, PF_OutData *out_data) {
  return DisposeGlobalRecord(in_data, out_data);
}

PF_Err BuilderParamsSetup(PF_InData * /*in_data*/, PF_OutData *out_data,
                          PF_ParamDef * /*params*/[]) {
  return SetupInputOnly(out_data);
}

PF_Err BuilderUpdateParamsUI(PF_InData * /*in_data*/, PF_OutData * /*out_data*/,
                             PF_ParamDef * /*params*/[]) {
  return PF_Err_NONE;
}

PF_Err BuilderEvent(PF_InData * /*in_data*/, PF_OutData * /*out_data*/, PF_ParamDef * /*params*/[],
                    void * /*event_extra*/) {
  return PF_Err_NONE;
}

PF_Err BuilderCompletelyGeneral(PF_InData * /*in_data*/, PF_OutData * /*out_data*/,
                                PF_ParamDef * /*params*/[], void * /*extra*/) {
  return PF_Err_NONE;
}

PF_Err BuilderArbitraryCallback(PF_InData * /*in_data*/, PF_OutData * /*out_data*/,
                                void * /*extra*/) {
  return PF_Err_NONE;
}

PF_Err CreateBuilderSequence(PF_InData *in_data, PF_OutData *out_data) {
  static constexpr A_u_char kInitial[kBuilderSequenceSize] = {};
  const SequenceRecordSpec spec{kBuilderSequenceSize, kInitial, false,
                                "Could not initialise sequence data",
                                "Could not initialise sequence data"};
  return CreateSequenceRecord(in_data, out_data, spec);
}

}  // namespace vlam
