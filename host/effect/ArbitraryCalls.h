#pragma once
#include <AE_Effect.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace vlam::host {

class Host;
class ArbitraryValue;
struct InstalledEffect;

// The host's side of an arbitrary-data parameter: every operation on a value
// goes to the effect as PF_Cmd_ARBITRARY_CALLBACK with the parameter's id and
// refcon, as the host does.
//
// Disposal: PF_Arbitrary_DISPOSE_FUNC hands the handle to the effect, which
// frees it (the module's handlers do). The host frees a handle itself only
// when the effect cannot be asked (no longer set up) or reports an error;
// it never frees one after a successful dispose call, since the block may
// already belong to someone else by then.
class ArbitraryCalls {
public:
  // `index` must name an arbitrary-data parameter of a set-up effect for the
  // calls to reach it; otherwise they fail with PF_Err_BAD_CALLBACK_PARAM.
  ArbitraryCalls(Host &host, InstalledEffect &effect, std::size_t index)
      : host_(host), effect_(effect), index_(index) {}

  PF_Err makeNew(PF_Handle &out);                        // NEW_FUNC
  PF_Err copy(PF_Handle source, PF_Handle &out);         // COPY_FUNC
  PF_Err flatten(PF_Handle value, std::vector<std::uint8_t> &out); // FLAT_SIZE_FUNC + FLATTEN_FUNC
  PF_Err unflatten(const std::vector<std::uint8_t> &bytes, PF_Handle &out); // UNFLATTEN_FUNC
  void dispose(PF_Handle value);                         // DISPOSE_FUNC

  // A value owning `handle` (disposed through this parameter when it dies);
  // nullptr for a null handle.
  std::shared_ptr<const ArbitraryValue> adopt(PF_Handle handle);

  // The largest flattened value the host accepts from an effect.
  static constexpr std::uint64_t kMaxFlatSize = 64u << 20;

private:
  bool reachable() const;
  PF_Err run(PF_ArbParamsExtra &extra);
  // A handle an effect returned must be one of the host's live blocks;
  // anything else is dropped.
  PF_Err checkReturned(PF_Err err, PF_Handle &out);

  Host &host_;
  InstalledEffect &effect_;
  std::size_t index_;
};

} // namespace vlam::host
