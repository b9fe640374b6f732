#include "frame/arbitrary_handler.h"

#include <algorithm>
#include <cstring>

namespace vlam {

namespace {

// Locks a handle for one scope; yields null for a null handle or a failed lock.
class LockedBlock {
 public:
  LockedBlock(const PF_HandleSuite1* suite, PF_Handle handle)
      : suite_(suite), handle_(handle), data_(suite && handle ? suite->host_lock_handle(handle) : nullptr) {}
  ~LockedBlock() {
    if (data_) suite_->host_unlock_handle(handle_);
  }
  LockedBlock(const LockedBlock&) = delete;
  LockedBlock& operator=(const LockedBlock&) = delete;
  void* get() const { return data_; }

 private:
  const PF_HandleSuite1* suite_;
  PF_Handle handle_;
  void* data_;
};

}  // namespace

ArbitraryHandler::ArbitraryHandler(PF_InData* in_data) {
  basic_suite_ = in_data ? in_data->pica_basicP : nullptr;
  AcquireHandleSuite();
}

ArbitraryHandler::~ArbitraryHandler() { ReleaseHandleSuite(); }

void ArbitraryHandler::AcquireHandleSuite() {
  if (!basic_suite_) return;
  const void* suite = nullptr;
  if (basic_suite_->AcquireSuite(kPFHandleSuite, kPFHandleSuiteVersion1, &suite) == kSPNoError) {
    handle_suite_ = static_cast<const PF_HandleSuite1*>(suite);
  }
}

void ArbitraryHandler::ReleaseHandleSuite() {
  if (basic_suite_ && handle_suite_) basic_suite_->ReleaseSuite(kPFHandleSuite, kPFHandleSuiteVersion1);
  handle_suite_ = nullptr;
  basic_suite_ = nullptr;
}

PF_Err ArbitraryHandler::Attach(PF_InData* in_data) {
  ReleaseHandleSuite();
  basic_suite_ = in_data ? in_data->pica_basicP : nullptr;
  AcquireHandleSuite();
  return PF_Err_NONE;
}

PF_Err ArbitraryHandler::Detach() {
  ReleaseHandleSuite();
  return PF_Err_NONE;
}

void ArbitraryHandler::MendValue(void*) {}

PF_ArbitraryH ArbitraryHandler::NewBlock() const {
  return handle_suite_ ? handle_suite_->host_new_handle(value_size_) : nullptr;
}

PF_Err ArbitraryHandler::DisposeValue(PF_ArbitraryH valueH) {
  if (valueH && handle_suite_) handle_suite_->host_dispose_handle(valueH);
  return PF_Err_NONE;
}

PF_Err ArbitraryHandler::CopyValue(PF_ArbitraryH srcH, PF_ArbitraryH* dstPH) {
  if (!dstPH) return PF_Err_BAD_CALLBACK_PARAM;
  PF_Err err = NewValue(dstPH);
  if (!srcH) return err;
  const LockedBlock src(handle_suite_, srcH);
  if (!src.get()) return PF_Err_OUT_OF_MEMORY;
  if (*dstPH) {
    const LockedBlock dst(handle_suite_, *dstPH);
    if (dst.get()) {
      std::memcpy(dst.get(), src.get(), value_size_);
    } else {
      err = PF_Err_OUT_OF_MEMORY;
    }
  }
  return err;
}

PF_Err ArbitraryHandler::FlatSize(PF_ArbitraryH, A_u_long* sizeP) {
  if (sizeP) *sizeP = value_size_;
  return PF_Err_NONE;
}

PF_Err ArbitraryHandler::Flatten(PF_ArbitraryH valueH, A_u_long bufferSize, void* buffer) {
  if (bufferSize != value_size_ || !buffer) return PF_Err_NONE;
  const LockedBlock value(handle_suite_, valueH);
  if (value.get()) std::memcpy(buffer, value.get(), value_size_);
  return PF_Err_NONE;
}

PF_Err ArbitraryHandler::Unflatten(A_u_long bufferSize, const void* flat, PF_ArbitraryH* valuePH) {
  if (!valuePH) return PF_Err_BAD_CALLBACK_PARAM;
  // Flat bytes of another size cannot be this value: the parameter gets the
  // default instead of no value at all.
  if (bufferSize != value_size_ || !flat) return NewValue(valuePH);
  PF_ArbitraryH valueH = NewBlock();
  if (!valueH) return PF_Err_OUT_OF_MEMORY;
  {
    const LockedBlock value(handle_suite_, valueH);
    if (!value.get()) {
      handle_suite_->host_dispose_handle(valueH);
      return PF_Err_OUT_OF_MEMORY;
    }
    std::memcpy(value.get(), flat, value_size_);
    MendValue(value.get());
  }
  *valuePH = valueH;
  return PF_Err_NONE;
}

PF_Err ArbitraryHandler::Interpolate(PF_ArbitraryH leftH, PF_ArbitraryH, PF_FpLong, PF_ArbitraryH* resultPH) {
  if (!resultPH) return PF_Err_BAD_CALLBACK_PARAM;
  // Values are not blended: the result is the left key's value. A host that
  // leaves the result to the effect gets a new value to hold it.
  if (!*resultPH) {
    const PF_Err err = NewValue(resultPH);
    if (err != PF_Err_NONE || !*resultPH) return err != PF_Err_NONE ? err : PF_Err_OUT_OF_MEMORY;
  }
  const LockedBlock result(handle_suite_, *resultPH);
  const LockedBlock left(handle_suite_, leftH);
  if (result.get() && left.get()) std::memcpy(result.get(), left.get(), value_size_);
  return PF_Err_NONE;
}

PF_Err ArbitraryHandler::Compare(PF_ArbitraryH, PF_ArbitraryH, PF_ArbCompareResult* resultP) {
  if (resultP) *resultP = PF_ArbCompare_EQUAL;
  return PF_Err_NONE;
}

PF_Err ArbitraryHandler::PrintSize(A_u_long* sizeP) {
  if (sizeP) *sizeP = kArbitraryPrintSize;
  return PF_Err_NONE;
}

PF_Err ArbitraryHandler::Print(A_u_long bufferSize, A_char* buffer) {
  // Bounded by the buffer the host gave, which may be smaller than announced.
  if (!buffer || bufferSize == 0) return PF_Err_NONE;
  const std::size_t n = std::min<std::size_t>(sizeof kArbitraryPrintText - 1, bufferSize - 1);
  std::memcpy(buffer, kArbitraryPrintText, n);
  buffer[n] = '\0';
  return PF_Err_NONE;
}

PF_Err ArbitraryHandler::Scan(const A_char*, A_u_long, PF_ArbitraryH*) { return PF_Err_NONE; }

PF_Err RouteArbitraryCallback(PF_ArbParamsExtra* extra) {
  if (!extra) return PF_Err_BAD_CALLBACK_PARAM;
  // Every variant of the union starts with the refcon.
  auto* handler = static_cast<ArbitraryHandler*>(extra->u.new_func_params.refconPV);
  if (!handler) return PF_Err_BAD_CALLBACK_PARAM;
  auto& u = extra->u;
  switch (extra->which_function) {
    case PF_Arbitrary_NEW_FUNC:
      return handler->NewValue(u.new_func_params.arbPH);
    case PF_Arbitrary_DISPOSE_FUNC:
      return handler->DisposeValue(u.dispose_func_params.arbH);
    case PF_Arbitrary_COPY_FUNC:
      return handler->CopyValue(u.copy_func_params.src_arbH, u.copy_func_params.dst_arbPH);
    case PF_Arbitrary_FLAT_SIZE_FUNC:
      return handler->FlatSize(u.flat_size_func_params.arbH, u.flat_size_func_params.flat_data_sizePLu);
    case PF_Arbitrary_FLATTEN_FUNC:
      return handler->Flatten(u.flatten_func_params.arbH, u.flatten_func_params.buf_sizeLu,
                              u.flatten_func_params.flat_dataPV);
    case PF_Arbitrary_UNFLATTEN_FUNC:
      return handler->Unflatten(u.unflatten_func_params.buf_sizeLu, u.unflatten_func_params.flat_dataPV,
                                u.unflatten_func_params.arbPH);
    case PF_Arbitrary_INTERP_FUNC:
      return handler->Interpolate(u.interp_func_params.left_arbH, u.interp_func_params.right_arbH,
                                  u.interp_func_params.tF, u.interp_func_params.interpPH);
    case PF_Arbitrary_COMPARE_FUNC:
      return handler->Compare(u.compare_func_params.a_arbH, u.compare_func_params.b_arbH,
                              u.compare_func_params.compareP);
    case PF_Arbitrary_PRINT_SIZE_FUNC:
      return handler->PrintSize(u.print_size_func_params.print_sizePLu);
    case PF_Arbitrary_PRINT_FUNC:
      return handler->Print(u.print_func_params.print_sizeLu, u.print_func_params.print_bufferPC);
    case PF_Arbitrary_SCAN_FUNC:
      return handler->Scan(u.scan_func_params.bufPC, u.scan_func_params.bytes_to_scanLu,
                           u.scan_func_params.arbPH);
    default:
      return PF_Err_UNRECOGNIZED_PARAM_TYPE;
  }
}

}  // namespace vlam
