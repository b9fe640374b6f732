#pragma once
#include <nlohmann/json.hpp>

#include <cstdint>

namespace vlam::host {

class Host;
class Layer;
class EffectInstance;

// What the Vlam effects on a layer tell each other at a time, obtained as the
// Render effect obtains it: PF_Cmd_COMPLETELY_GENERAL into each Flash Builder
// and Flash Instance with an exchange block as the extra pointer.

// True for the effects this inspection asks.
bool isFlashBuilder(const EffectInstance &effect);
bool isFlashInstance(const EffectInstance &effect);

// A Flash Builder alone: the slot its "Flash Identifier" writes, its exported
// design by field name, both curves as text and its petal layout. {"slot": null}
// when it writes no slot; {"error": code} when the call fails.
nlohmann::ordered_json inspectFlashBuilder(Host &host, EffectInstance &builder, std::int64_t ticks);

// A Flash Instance alone: its record by field name, and the keys of "Trigger".
nlohmann::ordered_json inspectFlashInstance(Host &host, EffectInstance &instance, std::int64_t ticks);

// The whole layer collected into one block as the Render effect does: the four
// design slots, the instance count and every instance slot, and for each
// instance what the render derives when it fires (when the module tells).
nlohmann::ordered_json inspectCollected(Host &host, Layer &layer, std::int64_t ticks);

} // namespace vlam::host
