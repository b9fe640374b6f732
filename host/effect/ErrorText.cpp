#include "host/effect/ErrorText.h"

#include <AE_Effect.h>

namespace vlam::host {

std::string errorText(long code) {
  const char *meaning = nullptr;
  switch (code) {
  case A_Err_GENERIC: meaning = "generic error"; break;
  case A_Err_STRUCT: meaning = "bad structure"; break;
  case A_Err_PARAMETER: meaning = "bad parameter"; break;
  case PF_Err_OUT_OF_MEMORY: meaning = "out of memory"; break;
  case A_Err_WRONG_THREAD: meaning = "wrong thread"; break;
  case A_Err_CONST_PROJECT_MODIFICATION: meaning = "project change not allowed now"; break;
  case A_Err_MISSING_SUITE: meaning = "missing suite"; break;
  case PF_Err_INTERNAL_STRUCT_DAMAGED: meaning = "internal structure damaged"; break;
  case PF_Err_INVALID_INDEX: meaning = "invalid index"; break;
  case PF_Err_UNRECOGNIZED_PARAM_TYPE: meaning = "unrecognised parameter type"; break;
  case PF_Err_INVALID_CALLBACK: meaning = "invalid callback"; break;
  case PF_Err_BAD_CALLBACK_PARAM: meaning = "bad callback parameter"; break;
  case PF_Interrupt_CANCEL: meaning = "cancelled"; break;
  default: break;
  }
  return std::to_string(code) + (meaning ? std::string(" (") + meaning + ")" : "");
}

std::string commandText(long cmd) {
  const char *name = nullptr;
  switch (cmd) {
#define VLAM_COMMAND(c)                                                                                                \
  case PF_Cmd_##c: name = "PF_Cmd_" #c; break;
    VLAM_COMMAND(ABOUT)
    VLAM_COMMAND(GLOBAL_SETUP)
    VLAM_COMMAND(GLOBAL_SETDOWN)
    VLAM_COMMAND(PARAMS_SETUP)
    VLAM_COMMAND(SEQUENCE_SETUP)
    VLAM_COMMAND(SEQUENCE_RESETUP)
    VLAM_COMMAND(SEQUENCE_FLATTEN)
    VLAM_COMMAND(SEQUENCE_SETDOWN)
    VLAM_COMMAND(DO_DIALOG)
    VLAM_COMMAND(FRAME_SETUP)
    VLAM_COMMAND(RENDER)
    VLAM_COMMAND(FRAME_SETDOWN)
    VLAM_COMMAND(USER_CHANGED_PARAM)
    VLAM_COMMAND(UPDATE_PARAMS_UI)
    VLAM_COMMAND(EVENT)
    VLAM_COMMAND(GET_EXTERNAL_DEPENDENCIES)
    VLAM_COMMAND(COMPLETELY_GENERAL)
    VLAM_COMMAND(QUERY_DYNAMIC_FLAGS)
    VLAM_COMMAND(AUDIO_RENDER)
    VLAM_COMMAND(AUDIO_SETUP)
    VLAM_COMMAND(AUDIO_SETDOWN)
    VLAM_COMMAND(ARBITRARY_CALLBACK)
    VLAM_COMMAND(SMART_PRE_RENDER)
    VLAM_COMMAND(SMART_RENDER)
    VLAM_COMMAND(GET_FLATTENED_SEQUENCE_DATA)
    VLAM_COMMAND(TRANSLATE_PARAMS_TO_PREFS)
    VLAM_COMMAND(SMART_RENDER_GPU)
    VLAM_COMMAND(GPU_DEVICE_SETUP)
    VLAM_COMMAND(GPU_DEVICE_SETDOWN)
#undef VLAM_COMMAND
  default: break;
  }
  return (name ? std::string(name) + " (" + std::to_string(cmd) + ")" : "command " + std::to_string(cmd));
}

} // namespace vlam::host
