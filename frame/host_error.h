// Host error codes travelling as exceptions from deep inside a command to
// the entry function, which returns them as the command's result.
#pragma once
#include "AE_Effect.h"
#include "A.h"

namespace vlam {

// The thrown type: the host's integer error code (PF_Err and A_Err alike).
using HostError = A_long;

[[noreturn]] inline void ThrowHostError(A_long code) { throw HostError{code}; }

// Keeps the first error of a sequence of host calls.
inline void KeepFirstError(A_long &first, A_long next) {
  if (first == 0) {
    first = next;
  }
}

}  // namespace vlam
