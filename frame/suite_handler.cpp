#include "frame/suite_handler.h"

#include "AE_Effect.h"
#include "frame/host_error.h"

namespace vlam {

SuiteHandler::~SuiteHandler() {
  // Release in the reverse order of acquisition.
  for (auto it = held_.rbegin(); it != held_.rend(); ++it) {
    basic_->ReleaseSuite(it->name.c_str(), it->version);
  }
}

const void *SuiteHandler::Acquire(const char *name, A_long version) {
  for (const Held &held : held_) {
    if (held.version == version && held.name == name) {
      return held.suite;
    }
  }
  if (basic_ == nullptr) {
    ThrowHostError(PF_Err_BAD_CALLBACK_PARAM);
  }
  // Everything that can throw happens before the acquisition, so an acquired
  // suite is always recorded and later released.
  Held entry{name, version, nullptr};
  held_.reserve(held_.size() + 1);
  if (basic_->AcquireSuite(name, version, &entry.suite) != kSPNoError || entry.suite == nullptr) {
    ThrowHostError(PF_Err_BAD_CALLBACK_PARAM);
  }
  held_.push_back(std::move(entry));
  return held_.back().suite;
}

}  // namespace vlam
