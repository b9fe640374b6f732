// Global and sequence records kept in host handles (PF Handle Suite).
#pragma once
#include "AE_Effect.h"

namespace vlam {

struct SequenceRecordSetup {
  A_u_long size;              // bytes of the record
  const void *initial;        // its initial contents, `size` bytes
  bool replace_existing;      // dispose a handle already in out_data first
  const char *alloc_message;  // shown when the handle cannot be made
  const char *lock_message;   // shown when it cannot be locked
};

// Makes a new sequence record in out_data->sequence_data. An allocation
// failure returns PF_Err_INTERNAL_STRUCT_DAMAGED, a lock failure
// PF_Err_OUT_OF_MEMORY (the handle then stays in out_data); both show their
// message.
PF_Err CreateSequenceRecord(const PF_InData *in_data, PF_OutData *out_data,
                            const SequenceRecordSetup &setup);

// Disposes the effect's sequence handle, if it has one, and clears it.
PF_Err DisposeSequenceRecord(PF_InData *in_data, PF_OutData *out_data);

struct GlobalRecordSetup {
  A_u_long size;
  const char *alloc_message;  // null: no message on allocation failure
  PF_Err alloc_error;
  const char *lock_message;  // null: no message on lock failure
  PF_Err lock_error;
};

// Allocates a zero-filled global record, stores it in out_data->global_data
// and hands it, locked, to `fill`; unlocks afterwards. `fill` may be null.
using GlobalRecordFill = PF_Err (*)(const PF_InData *in_data, void *record, void *context);
PF_Err CreateGlobalRecord(const PF_InData *in_data, PF_OutData *out_data,
                          const GlobalRecordSetup &setup, GlobalRecordFill fill, void *context);

// Disposes in_data->global_data if set and clears both global-data fields.
PF_Err DisposeGlobalRecord(PF_InData *in_data, PF_OutData *out_data);

}  // namespace vlam
