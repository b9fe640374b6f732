// The try block every effect entry function runs its command switch in.
#pragma once
#include "AE_Effect.h"
#include "frame/host_error.h"

namespace vlam {

// Runs one command. A thrown host error code becomes the command's result;
// any other exception is stopped here as well (it must never cross the C
// entry point) and reported as PF_Err_INTERNAL_STRUCT_DAMAGED.
template <typename Command>
PF_Err RunEffectCommand(Command &&command) noexcept {
  try {
    return command();
  } catch (HostError code) {
    return code;
  } catch (...) {
    return PF_Err_INTERNAL_STRUCT_DAMAGED;
  }
}

// Commands the host can send at all; anything else is answered at once.
inline bool IsKnownCommand(PF_Cmd cmd) { return cmd >= PF_Cmd_ABOUT && cmd <= PF_Cmd_SMART_RENDER; }

// One effect's command table.
using EffectDispatch = PF_Err (*)(PF_Cmd cmd, PF_InData *in_data, PF_OutData *out_data,
                                  PF_ParamDef *params[], void *extra);

// The body of every effect entry function: unknown commands return
// PF_Err_NONE untouched, known ones run through the effect's table inside
// the entry's try block.
inline PF_Err RunEffectEntry(EffectDispatch dispatch, PF_Cmd cmd, PF_InData *in_data,
                             PF_OutData *out_data, PF_ParamDef *params[], void *extra) noexcept {
  if (!IsKnownCommand(cmd)) {
    return PF_Err_NONE;
  }
  return RunEffectCommand([&] { return dispatch(cmd, in_data, out_data, params, extra); });
}

}  // namespace vlam
