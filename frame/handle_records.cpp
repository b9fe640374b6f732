#include "frame/handle_records.h"

#include <cstring>

#include "AE_EffectCBSuites.h"
#include "frame/error_message.h"
#include "frame/scoped_suite.h"

namespace vlam {
namespace {

// The sequence handle the host handed us: out_data's when the host filled
// it in, in_data's otherwise.
PF_Handle CurrentSequenceHandle(const PF_InData *in_data, const PF_OutData *out_data) {
  return out_data->sequence_data != nullptr ? out_data->sequence_data : in_data->sequence_data;
}

}  // namespace

PF_Err CreateSequenceRecord(const PF_InData *in_data, PF_OutData *out_data,
                            const SequenceRecordSetup &setup) {
  ScopedSuite<PF_HandleSuite1> handles(in_data->pica_basicP, kPFHandleSuite,
                                       kPFHandleSuiteVersion1);
  if (setup.replace_existing) {
    if (PF_Handle old = CurrentSequenceHandle(in_data, out_data)) {
      handles->host_dispose_handle(old);
      out_data->sequence_data = nullptr;
    }
  }
  PF_Handle handle = handles->host_new_handle(setup.size);
  out_data->sequence_data = handle;
  if (handle == nullptr) {
    ReportErrorMessage(in_data, out_data, setup.alloc_message);
    return PF_Err_INTERNAL_STRUCT_DAMAGED;
  }
  void *record = handles->host_lock_handle(handle);
  if (record == nullptr) {
    ReportErrorMessage(in_data, out_data, setup.lock_message);
    return PF_Err_OUT_OF_MEMORY;
  }
  std::memcpy(record, setup.initial, setup.size);
  handles->host_unlock_handle(handle);
  return PF_Err_NONE;
}

PF_Err DisposeSequenceRecord(PF_InData *in_data, PF_OutData *out_data) {
  PF_Handle handle = CurrentSequenceHandle(in_data, out_data);
  if (handle == nullptr) {
    return PF_Err_NONE;
  }
  ScopedSuite<PF_HandleSuite1> handles(in_data->pica_basicP, kPFHandleSuite,
                                       kPFHandleSuiteVersion1);
  handles->host_dispose_handle(handle);
  out_data->sequence_data = nullptr;
  in_data->sequence_data = nullptr;
  return PF_Err_NONE;
}

PF_Err CreateGlobalRecord(const PF_InData *in_data, PF_OutData *out_data,
                          const GlobalRecordSetup &setup, GlobalRecordFill fill, void *context) {
  ScopedSuite<PF_HandleSuite1> handles(in_data->pica_basicP, kPFHandleSuite,
                                       kPFHandleSuiteVersion1);
  PF_Handle handle = handles->host_new_handle(setup.size);
  if (handle == nullptr) {
    if (setup.alloc_message != nullptr) {
      ReportErrorMessage(in_data, out_data, setup.alloc_message);
    }
    return setup.alloc_error;
  }
  out_data->global_data = handle;
  void *record = handles->host_lock_handle(handle);
  if (record == nullptr) {
    if (setup.lock_message != nullptr) {
      ReportErrorMessage(in_data, out_data, setup.lock_message);
    }
    return setup.lock_error;
  }
  std::memset(record, 0, setup.size);
  PF_Err err = PF_Err_NONE;
  try {
    err = fill != nullptr ? fill(in_data, record, context) : PF_Err_NONE;
  } catch (...) {
    handles->host_unlock_handle(handle);
    throw;
  }
  handles->host_unlock_handle(handle);
  return err;
}

PF_Err DisposeGlobalRecord(PF_InData *in_data, PF_OutData *out_data) {
  if (in_data->global_data == nullptr) {
    return PF_Err_NONE;
  }
  ScopedSuite<PF_HandleSuite1> handles(in_data->pica_basicP, kPFHandleSuite,
                                       kPFHandleSuiteVersion1);
  handles->host_dispose_handle(in_data->global_data);
  in_data->global_data = nullptr;
  out_data->global_data = nullptr;
  return PF_Err_NONE;
}

}  // namespace vlam
