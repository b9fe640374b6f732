#pragma once
#include "host/effect/CallFrame.h"

#include <AE_Effect.h>

namespace vlam::host {

// Arbitrary-data parameter values. The project keeps each value as the
// flattened bytes the effect made (ParamValue::flat); a call that hands the
// parameter to the effect gets a handle of the effect's own making
// (PF_Arbitrary_UNFLATTEN_FUNC, or PF_Arbitrary_COPY_FUNC of the default
// while the value was never changed), owned by the call and disposed of
// (PF_Arbitrary_DISPOSE_FUNC) when it ends. A value the effect marks changed
// is flattened back into the project.

// Replaces `def`'s value with the call's own handle for parameter `index`
// at a time.
void attachArbitraryValue(CallFrame &frame, std::size_t index, std::int64_t ticks, PF_ParamDef &def);
// Flattens parameter `index` of the call into the instance's stream.
void keepArbitraryValue(CallFrame &frame, std::size_t index, const PF_ParamDef &def);
// Disposes of every handle the call was given.
void disposeArbitraryValues(CallFrame &frame);

} // namespace vlam::host
