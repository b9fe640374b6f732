// The Flash Builder effect's commands behind its entry function.
#pragma once
#include "AE_Effect.h"

namespace vlam {

inline constexpr A_u_long kBuilderGlobalsSize = 13924;
inline constexpr A_u_long kBuilderSequenceSize = 16;

// BuilderGlobals: creation at global setup, release at global setdown.
PF_Err CreateBuilderGlobals(PF_InData *in_data, PF_OutData *out_data);
PF_Err ReleaseBuilderGlobals(PF_InData *in_data, PF_OutData *out_data);

PF_Err BuilderParamsSetup(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[]);
PF_Err BuilderUpdateParamsUI(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[]);
PF_Err BuilderEvent(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                    void *event_extra);
// Answers the Render effect's request for this builder's flash design.
PF_Err BuilderCompletelyGeneral(PF_InData *in_data, PF_OutData *out_data, PF_ParamDef *params[],
                                void *extra);
PF_Err BuilderArbitraryCallback(PF_InData *in_data, PF_OutData *out_data, void *extra);

// The 16-byte sequence record, all zero at creation.
PF_Err CreateBuilderSequence(PF_InData *in_data, PF_OutData *out_data);

}  // namespace vlam
