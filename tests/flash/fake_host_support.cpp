// The render tests' fake host also serves the flash tests, which draw into host buffers.
#include "render/render_host_support.cpp"  // NOLINT(bugprone-suspicious-include)
