#include "host/effect/CallFrame.h"

#include <mutex>
#include <unordered_set>

namespace vlam::host {
namespace {

std::mutex &framesMutex() {
  static std::mutex m;
  return m;
}
std::unordered_set<CallFrame *> &liveFrames() {
  static std::unordered_set<CallFrame *> frames;
  return frames;
}

} // namespace

CallFrame *frameFromRef(PF_ProgPtr ref) {
  auto *frame = reinterpret_cast<CallFrame *>(ref);
  std::lock_guard lock(framesMutex());
  return liveFrames().count(frame) ? frame : nullptr;
}

FrameRegistration::FrameRegistration(CallFrame &frame) : frame_(&frame) {
  std::lock_guard lock(framesMutex());
  liveFrames().insert(frame_);
}

FrameRegistration::~FrameRegistration() {
  std::lock_guard lock(framesMutex());
  liveFrames().erase(frame_);
}

} // namespace vlam::host
