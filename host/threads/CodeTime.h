#pragma once

namespace vlam::host {

// Which code a thread is running: the module's (its entry points and the
// pixel and iteration functions the host calls on its workers) or the
// host's own, so that a profiler can tell the two apart (the frame benchmark
// samples it to split processor time between the effects and the host).
// Marking a scope costs two thread-local writes.
class CodeScope {
public:
  enum class Side : unsigned char { Host, Module };
  explicit CodeScope(Side side) noexcept;
  ~CodeScope();
  CodeScope(const CodeScope &) = delete;
  CodeScope &operator=(const CodeScope &) = delete;

private:
  Side previous_;
};

// True while this thread runs module code; safe to ask from a signal handler.
bool runningModuleCode() noexcept;

} // namespace vlam::host
