// The Flash Instance's answer to the Render and Relighter effects: its
// parameters at the asked time, as an InstanceRecord in the caller's
// exchange block.
#pragma once
#include "AE_Effect.h"
#include "instance/instance_settings.h"

namespace vlam {

// Checks the record's parameters out at in_data's current time and reads
// them; a parameter that cannot be read counts as 0, and the first such
// error goes to *err.
InstanceSettings ReadInstanceSettings(const PF_InData *in_data, PF_Err *err = nullptr);

// PF_Cmd_COMPLETELY_GENERAL: writes the record into slot (count - 1) of the
// exchange block `extra`, where count is the instance count the caller
// stored there. A missing block or a count outside 1-16 writes nothing and
// returns PF_Err_BAD_CALLBACK_PARAM; a parameter that cannot be read writes
// nothing and returns the host's error.
PF_Err AnswerInstanceRecord(const PF_InData *in_data, void *extra);

}  // namespace vlam
