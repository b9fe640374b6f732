#include "frame/error_message.h"

#include <cstring>

#include "AE_EffectCB.h"

namespace vlam {

void ReportErrorMessage(const PF_InData *in_data, PF_OutData *out_data, const char *message) {
  out_data->out_flags |= PF_OutFlag_DISPLAY_ERROR_MESSAGE;
  if (in_data->utils != nullptr && in_data->utils->ansi.sprintf != nullptr) {
    in_data->utils->ansi.sprintf(out_data->return_msg, "%s", message);
    return;
  }
  // Without the host's sprintf the message still reaches the host, cut to
  // the buffer.
  std::strncpy(out_data->return_msg, message, sizeof out_data->return_msg - 1);
  out_data->return_msg[sizeof out_data->return_msg - 1] = '\0';
}

}  // namespace vlam
