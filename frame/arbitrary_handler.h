// Arbitrary-data parameter values that are one fixed-size block of plain
// bytes: creating, copying, flattening and unflattening them for the host.
// A handler object is the parameter's refcon; the host hands it back with
// every PF_Cmd_ARBITRARY_CALLBACK and RouteArbitraryCallback picks the
// operation.
#pragma once
#include "AE_Effect.h"
#include "AE_EffectCBSuites.h"
#include "SPBasic.h"

namespace vlam {

class ArbitraryHandler {
 public:
  // Takes in_data's basic suite and, when there is one, the PF Handle Suite.
  explicit ArbitraryHandler(PF_InData* in_data);
  ArbitraryHandler(const ArbitraryHandler&) = delete;
  ArbitraryHandler& operator=(const ArbitraryHandler&) = delete;

  // Drops the suites held and takes them again from another in_data.
  virtual PF_Err Attach(PF_InData* in_data);
  virtual PF_Err Detach();
  virtual ~ArbitraryHandler();

  // A fresh value holding the subclass's default. No handle when the host
  // cannot make one.
  virtual PF_Err NewValue(PF_ArbitraryH* valuePH) = 0;
  // Disposes the value: the host hands the handle over with this call.
  virtual PF_Err DisposeValue(PF_ArbitraryH valueH);
  virtual PF_Err CopyValue(PF_ArbitraryH srcH, PF_ArbitraryH* dstPH);
  virtual PF_Err FlatSize(PF_ArbitraryH valueH, A_u_long* sizeP);
  virtual PF_Err Flatten(PF_ArbitraryH valueH, A_u_long bufferSize, void* buffer);
  virtual PF_Err Unflatten(A_u_long bufferSize, const void* flat, PF_ArbitraryH* valuePH);
  virtual PF_Err Interpolate(PF_ArbitraryH leftH, PF_ArbitraryH rightH, PF_FpLong t, PF_ArbitraryH* resultPH);
  virtual PF_Err Compare(PF_ArbitraryH aH, PF_ArbitraryH bH, PF_ArbCompareResult* resultP);
  virtual PF_Err PrintSize(A_u_long* sizeP);
  virtual PF_Err Print(A_u_long bufferSize, A_char* buffer);
  virtual PF_Err Scan(const A_char* text, A_u_long length, PF_ArbitraryH* valuePH);

  A_u_long ValueSize() const { return value_size_; }

 protected:
  // Called on every value made from flat bytes, which come from a project
  // file and so may be damaged: brings the block back within the value's
  // invariants. The base class accepts any bytes.
  virtual void MendValue(void* block);

  const PF_HandleSuite1* Handles() const { return handle_suite_; }
  void SetValueSize(A_u_long size) { value_size_ = size; }
  // A new handle of the value size, or null.
  PF_ArbitraryH NewBlock() const;

 private:
  void AcquireHandleSuite();
  void ReleaseHandleSuite();

  SPBasicSuite* basic_suite_ = nullptr;
  const PF_HandleSuite1* handle_suite_ = nullptr;
  A_u_long value_size_ = 0;  // bytes of one value; set by the subclass
};

static_assert(sizeof(ArbitraryHandler) <= 32, "a handler object lives in a 32-byte host handle");

// PF_Cmd_ARBITRARY_CALLBACK: runs the operation the record's selector names on
// the handler that is the record's refcon. An unknown selector gives
// PF_Err_UNRECOGNIZED_PARAM_TYPE, a record without a handler PF_Err_BAD_CALLBACK_PARAM.
PF_Err RouteArbitraryCallback(PF_ArbParamsExtra* extra);

// Text shown for a value the host asks to print: copy and paste as text is not supported.
inline constexpr char kArbitraryPrintText[] = "NO COPY PASTE DATA";
inline constexpr A_u_long kArbitraryPrintSize = 512;

}  // namespace vlam
