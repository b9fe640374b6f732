#pragma once
#include "host/project/ParamStream.h"

#include <nlohmann/json.hpp>

#include <cstddef>

namespace vlam::host {

class Host;
class EffectInstance;
class Composition;

// Arbitrary-data values in scene files. The host asks the effect to flatten
// a value (and to unflatten one it reads, so the effect mends damaged bytes).
// A Flash Builder profile curve is written in its text form,
// "[x:0;y:0.75],[x:1;y:0.75]", whenever that text gives back the same bytes;
// any other value as {"flat": "<hexadecimal bytes>"}. A curve is read from
// either form. A value the effect never made is null.
nlohmann::ordered_json arbitraryStreamToJson(Host &host, const EffectInstance &effect, std::size_t index);
ParamStream arbitraryStreamFromJson(Host &host, const EffectInstance &effect, std::size_t index,
                                    const nlohmann::ordered_json &json);

// One value in the scene file's form (curve text, {"flat": ...} or null).
nlohmann::ordered_json arbitraryValueToJson(Host &host, const EffectInstance &effect, std::size_t index,
                                            const ParamValue &value);

// One value's flattened bytes (empty for a value without a handle). Throws
// HostError when the effect cannot flatten it.
std::vector<std::uint8_t> flattenArbitrary(Host &host, const EffectInstance &effect, std::size_t index,
                                           const ParamValue &value);

} // namespace vlam::host
