// User-visible error texts in out_data->return_msg.
#pragma once
#include "AE_Effect.h"

namespace vlam {

// Sets PF_OutFlag_DISPLAY_ERROR_MESSAGE and writes the message through the
// host's sprintf with the format "%s".
void ReportErrorMessage(const PF_InData *in_data, PF_OutData *out_data, const char *message);

}  // namespace vlam
