#include "host/effect/ArbitraryCalls.h"

#include "host/Host.h"
#include "host/effect/EffectRunner.h"
#include "host/project/ArbitraryValue.h"

#include <cstring>

namespace vlam::host {

bool ArbitraryCalls::reachable() const {
  return effect_.globalSetupDone && !effect_.globalSetupError && index_ < effect_.params.size() &&
         effect_.params[index_].type() == PF_Param_ARBITRARY_DATA;
}

PF_Err ArbitraryCalls::run(PF_ArbParamsExtra &extra) {
  if (!reachable()) return PF_Err_BAD_CALLBACK_PARAM;
  const PF_ParamDef &def = effect_.params[index_].def();
  extra.id = def.u.arb_d.id;
  // Every variant of the union starts with the refcon.
  extra.u.new_func_params.refconPV = def.u.arb_d.refconPV;
  CallOptions options;
  options.extra = &extra;
  return host_.runner().call(effect_, nullptr, PF_Cmd_ARBITRARY_CALLBACK, options).err;
}

PF_Err ArbitraryCalls::checkReturned(PF_Err err, PF_Handle &out) {
  if (out && !host_.handles().known(reinterpret_cast<void **>(out))) {
    host_.report(effect_.name(), "the arbitrary-data callback returned a handle the host never made",
                 PF_Err_INTERNAL_STRUCT_DAMAGED);
    out = nullptr;
    return err ? err : PF_Err_INTERNAL_STRUCT_DAMAGED;
  }
  if (err && out) {
    dispose(out); // a value that came with an error is not kept
    out = nullptr;
  }
  return err;
}

PF_Err ArbitraryCalls::makeNew(PF_Handle &out) {
  out = nullptr;
  PF_ArbParamsExtra extra;
  std::memset(&extra, 0, sizeof extra);
  extra.which_function = PF_Arbitrary_NEW_FUNC;
  extra.u.new_func_params.arbPH = &out;
  return checkReturned(run(extra), out);
}

PF_Err ArbitraryCalls::copy(PF_Handle source, PF_Handle &out) {
  out = nullptr;
  PF_ArbParamsExtra extra;
  std::memset(&extra, 0, sizeof extra);
  extra.which_function = PF_Arbitrary_COPY_FUNC;
  extra.u.copy_func_params.src_arbH = source;
  extra.u.copy_func_params.dst_arbPH = &out;
  return checkReturned(run(extra), out);
}

PF_Err ArbitraryCalls::flatten(PF_Handle value, std::vector<std::uint8_t> &out) {
  out.clear();
  PF_ArbParamsExtra extra;
  std::memset(&extra, 0, sizeof extra);
  A_u_long size = 0;
  extra.which_function = PF_Arbitrary_FLAT_SIZE_FUNC;
  extra.u.flat_size_func_params.arbH = value;
  extra.u.flat_size_func_params.flat_data_sizePLu = &size;
  if (PF_Err err = run(extra)) return err;
  if (size > kMaxFlatSize) return PF_Err_OUT_OF_MEMORY;
  out.assign(size, 0);
  std::memset(&extra, 0, sizeof extra);
  extra.which_function = PF_Arbitrary_FLATTEN_FUNC;
  extra.u.flatten_func_params.arbH = value;
  extra.u.flatten_func_params.buf_sizeLu = size;
  extra.u.flatten_func_params.flat_dataPV = out.data();
  const PF_Err err = run(extra);
  if (err) out.clear();
  return err;
}

PF_Err ArbitraryCalls::unflatten(const std::vector<std::uint8_t> &bytes, PF_Handle &out) {
  out = nullptr;
  if (bytes.size() > kMaxFlatSize) return PF_Err_OUT_OF_MEMORY;
  PF_ArbParamsExtra extra;
  std::memset(&extra, 0, sizeof extra);
  extra.which_function = PF_Arbitrary_UNFLATTEN_FUNC;
  extra.u.unflatten_func_params.buf_sizeLu = static_cast<A_u_long>(bytes.size());
  extra.u.unflatten_func_params.flat_dataPV = bytes.data();
  extra.u.unflatten_func_params.arbPH = &out;
  return checkReturned(run(extra), out);
}

void ArbitraryCalls::dispose(PF_Handle value) {
  if (!value) return;
  auto **handle = reinterpret_cast<void **>(value);
  if (!reachable()) {
    // The effect is gone (or never came up): the host frees the block.
    if (host_.handles().known(handle)) host_.handles().dispose(handle);
    return;
  }
  PF_ArbParamsExtra extra;
  std::memset(&extra, 0, sizeof extra);
  extra.which_function = PF_Arbitrary_DISPOSE_FUNC;
  extra.u.dispose_func_params.arbH = value;
  if (run(extra) != PF_Err_NONE && host_.handles().known(handle)) host_.handles().dispose(handle);
}

std::shared_ptr<const ArbitraryValue> ArbitraryCalls::adopt(PF_Handle handle) {
  if (!handle) return nullptr;
  Host *host = &host_;
  InstalledEffect *effect = &effect_;
  const std::size_t index = index_;
  return std::make_shared<const ArbitraryValue>(handle, [host, effect, index](PF_Handle h) {
    // A value outliving its host (process teardown) is left alone.
    if (Host::currentOrNull() == host) ArbitraryCalls(*host, *effect, index).dispose(h);
  });
}

} // namespace vlam::host
