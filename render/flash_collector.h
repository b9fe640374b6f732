// Collecting: the Render effect asks every active Flash Builder and Flash
// Instance on its own layer, in stack order, to describe itself into the
// exchange block.
#pragma once
#include "AE_Effect.h"
#include "instance/exchange_block.h"

namespace vlam {

// Head 0, every design slot and instance slot zero bytes, instance count 0.
void ClearExchangeBlock(ExchangeBlock &block);

// Who collects, and so what the walk asks and reports.
struct CollectOptions {
  // Also call Render effects, which answer by setting the head field's first
  // byte: the Relighter learns so that its layer carries one.
  bool askRender;
  // Leave the instance limit message in the return message.
  bool reportLimit;
};
inline constexpr CollectOptions kRenderCollecting{false, true};
inline constexpr CollectOptions kRelightCollecting{true, false};

// Walks the layer's effects: a builder writes its design slot (a later one
// with the same identifier overwrites an earlier one), an instance the next
// instance slot; a 17th instance is not asked (the count stays at 16) and,
// when reporting, leaves "Vlam supports a maximum of 16 instances" in the
// return message, without an error. Switched off effects are skipped. Once a
// host call fails no further effect is asked, but every effect reference
// obtained is disposed; the first error is returned. A refused suite throws
// A_Err_MISSING_SUITE.
PF_Err CollectFlashes(const PF_InData *in_data, PF_OutData *out_data, ExchangeBlock &block,
                      const CollectOptions &options = kRenderCollecting);

}  // namespace vlam
