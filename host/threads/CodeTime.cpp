#include "host/threads/CodeTime.h"

namespace vlam::host {
namespace {

// Scopes nest: a host callback inside an entry point, module functions the
// host calls inside that callback.
constinit thread_local CodeScope::Side current = CodeScope::Side::Host;

} // namespace

CodeScope::CodeScope(Side side) noexcept : previous_(current) { current = side; }

CodeScope::~CodeScope() { current = previous_; }

bool runningModuleCode() noexcept { return current == CodeScope::Side::Module; }

} // namespace vlam::host
