// The Flash Builder's answer to PF_Cmd_COMPLETELY_GENERAL: its design,
// written into the slot of its "Flash Identifier" in the caller's table.
#pragma once
#include "AE_Effect.h"
#include "flash/flash_design.h"

namespace vlam {

// Fills the design slot from the parameters at the current time and marks it
// valid. With "Petal Configuration" at None the petal fields (offsets 48-91
// and 100-131) keep what the slot held (zeros after ClearExchangeBlock); the
// layout pointer then points at the empty layout. An identifier outside
// "Flash A" to "Flash D" writes nothing. A refused handle suite throws
// A_Err_MISSING_SUITE.
PF_Err ExportFlashDesign(PF_InData* in_data, FlashDesignTable* table);

// Half away from zero, as "Max Sparks" is exported; NaN gives 0 and values
// beyond the 32-bit range saturate.
std::int32_t RoundHalfAwayFromZero(double value);

}  // namespace vlam
