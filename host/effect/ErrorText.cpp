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

} // namespace vlam::host
