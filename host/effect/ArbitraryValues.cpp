#include "host/effect/ArbitraryValues.h"

#include "host/Host.h"
#include "host/effect/EffectRunner.h"

#include <mutex>

namespace vlam::host {
namespace {

// A flattened value larger than this is refused (no effect's value comes
// near it; a damaged size must not become a huge allocation).
constexpr A_u_long kMaxFlatSize = 1u << 24;

std::mutex &arbitraryMutex() {
  static std::mutex m;
  return m;
}

// The parameter's id as defined (a call's own copy carries change flags in
// the same field).
A_long paramId(CallFrame &frame, std::size_t index) { return frame.instance->param(index).def().uu.id; }

PF_Err arbitraryCall(CallFrame &frame, A_long id, PF_FunctionSelector which, PF_ArbParamsExtra &extra) {
  extra.id = id;
  extra.which_function = which;
  CallOptions options;
  options.extra = &extra;
  return frame.host->runner().call(*frame.installed, nullptr, PF_Cmd_ARBITRARY_CALLBACK, options).err;
}

} // namespace

void attachArbitraryValue(CallFrame &frame, std::size_t index, std::int64_t ticks, PF_ParamDef &def) {
  if (def.param_type != PF_Param_ARBITRARY_DATA || !frame.instance || !frame.host) return;
  def.u.arb_d.value = nullptr;
  const ParamValue value = frame.instance->streams[index].valueAt(ticks, false);
  PF_ArbParamsExtra extra{};
  PF_ArbitraryH handle = nullptr;
  PF_Err err = PF_Err_NONE;
  if (value.flat && !value.flat->empty()) {
    extra.u.unflatten_func_params.refconPV = def.u.arb_d.refconPV;
    extra.u.unflatten_func_params.buf_sizeLu = static_cast<A_u_long>(value.flat->size());
    extra.u.unflatten_func_params.flat_dataPV = value.flat->data();
    extra.u.unflatten_func_params.arbPH = &handle;
    err = arbitraryCall(frame, paramId(frame, index), PF_Arbitrary_UNFLATTEN_FUNC, extra);
  } else if (def.u.arb_d.dephault) {
    // A copy, so that an effect changing the value in place never changes
    // the default every instance starts from.
    extra.u.copy_func_params.refconPV = def.u.arb_d.refconPV;
    extra.u.copy_func_params.src_arbH = def.u.arb_d.dephault;
    extra.u.copy_func_params.dst_arbPH = &handle;
    err = arbitraryCall(frame, paramId(frame, index), PF_Arbitrary_COPY_FUNC, extra);
  }
  if (err || !handle) return;
  def.u.arb_d.value = handle;
  std::lock_guard lock(arbitraryMutex());
  frame.arbitraryValues.push_back({handle, def.u.arb_d.refconPV, paramId(frame, index)});
}

void keepArbitraryValue(CallFrame &frame, std::size_t index, const PF_ParamDef &def) {
  if (def.param_type != PF_Param_ARBITRARY_DATA || !frame.instance || !def.u.arb_d.value) return;
  PF_ArbParamsExtra extra{};
  A_u_long size = 0;
  extra.u.flat_size_func_params.refconPV = def.u.arb_d.refconPV;
  extra.u.flat_size_func_params.arbH = def.u.arb_d.value;
  extra.u.flat_size_func_params.flat_data_sizePLu = &size;
  if (arbitraryCall(frame, paramId(frame, index), PF_Arbitrary_FLAT_SIZE_FUNC, extra) || size == 0 || size > kMaxFlatSize) return;
  auto bytes = std::make_shared<std::vector<std::uint8_t>>(size);
  extra = PF_ArbParamsExtra{};
  extra.u.flatten_func_params.refconPV = def.u.arb_d.refconPV;
  extra.u.flatten_func_params.arbH = def.u.arb_d.value;
  extra.u.flatten_func_params.buf_sizeLu = size;
  extra.u.flatten_func_params.flat_dataPV = bytes->data();
  if (arbitraryCall(frame, paramId(frame, index), PF_Arbitrary_FLATTEN_FUNC, extra)) return;
  ParamValue value;
  value.flat = std::move(bytes);
  frame.instance->streams[index].setValueAt(frame.ticks, value);
}

void disposeArbitraryValues(CallFrame &frame) {
  std::vector<CallFrame::ArbitraryValue> values;
  {
    std::lock_guard lock(arbitraryMutex());
    values.swap(frame.arbitraryValues);
  }
  for (const auto &v : values) {
    PF_ArbParamsExtra extra{};
    extra.u.dispose_func_params.refconPV = v.refcon;
    extra.u.dispose_func_params.arbH = v.handle;
    arbitraryCall(frame, v.id, PF_Arbitrary_DISPOSE_FUNC, extra);
  }
}

} // namespace vlam::host
