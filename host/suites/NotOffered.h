#pragma once
#include "host/Host.h"

#include <string>

namespace vlam::host {

// What a suite function the host does not offer yet answers: an error code,
// and a trace line so that a user can see what was asked for.
inline A_Err notOffered(const char *name) {
  if (Host *host = Host::currentOrNull()) host->monitor().note(std::string("not offered: ") + name);
  return A_Err_PARAMETER;
}

// The same for effect callbacks, which answer PF_Err_INVALID_CALLBACK.
inline A_long callbackNotOffered(const char *name) {
  notOffered(name);
  return 515; // PF_Err_INVALID_CALLBACK
}

} // namespace vlam::host

// Defines a suite function that only answers notOffered(); the arguments
// are the function's parameter types.
#define VLAM_NOT_OFFERED(name, ...) \
  A_Err name(__VA_ARGS__) { return ::vlam::host::notOffered(#name); }

#define VLAM_CALLBACK_NOT_OFFERED(name, ...) \
  PF_Err name(__VA_ARGS__) { return ::vlam::host::callbackNotOffered(#name); }

// A designated initializer for a suite member the host does not offer: a
// function of the member's own signature that answers notOffered() under
// the member's name. Every member of a published table is set, so a plug-in
// never calls through a null slot.
#define VLAM_UNOFFERED(member) \
  .member = [](auto...) -> A_long { return ::vlam::host::notOffered(#member); }
