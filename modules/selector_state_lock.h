// The Module Selector's button state, locked in its sequence record for one
// event.
#pragma once
#include "frame/scoped_suite.h"
#include "modules/selector_state.h"
#include "ui/locked_sequence.h"

namespace vlam {

// Without a usable sequence record the buttons still work on a scratch
// state that is forgotten after the event. A refused handle suite throws
// A_Err_MISSING_SUITE.
class LockedSelectorState {
 public:
  explicit LockedSelectorState(const PF_InData *in_data)
      : handles_(in_data->pica_basicP, kPFHandleSuite, kPFHandleSuiteVersion1),
        sequence_(in_data, *handles_.get()) {}

  SelectorState &get() { return sequence_.get() != nullptr ? *sequence_.get() : scratch_; }

 private:
  ScopedSuite<PF_HandleSuite1> handles_;
  LockedSequence<SelectorState> sequence_;
  SelectorState scratch_ = kInitialSelectorState;
};

}  // namespace vlam
