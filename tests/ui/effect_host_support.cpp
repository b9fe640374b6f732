// This folder's tests run on the module's one fake host, which lives with
// the frame's tests; this compiles it into this folder's test program.
#include "frame/fake_host_support.cpp"  // NOLINT(bugprone-suspicious-include)
