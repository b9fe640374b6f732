#pragma once
#include "host/Host.h"
#include "host/threads/CodeTime.h"

#include <A.h>

#include <new>

namespace vlam::host {

// The frame of every host function a plug-in calls: finds the live host,
// lets the call monitor count, trace and fail the call, runs the body, and
// turns any exception into an error code so that none crosses back into the
// plug-in.
template <class Body> A_Err hostCall(const char *name, Body &&body) noexcept {
  const CodeScope hostCode(CodeScope::Side::Host);
  try {
    Host *host = Host::currentOrNull();
    if (!host) return A_Err_GENERIC;
    if (A_Err injected = host->monitor().enter(name)) return injected;
    return body(*host);
  } catch (const std::bad_alloc &) {
    return A_Err_ALLOC;
  } catch (...) {
    return A_Err_GENERIC;
  }
}

// For host functions without an error result: `fallback` when the call
// fails or is made to fail.
template <class T, class Body> T hostCallValue(const char *name, T fallback, Body &&body) noexcept {
  const CodeScope hostCode(CodeScope::Side::Host);
  try {
    Host *host = Host::currentOrNull();
    if (!host || host->monitor().enter(name)) return fallback;
    return body(*host);
  } catch (...) {
    return fallback;
  }
}

} // namespace vlam::host
