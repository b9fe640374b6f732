// The same fake host serves the flash tests, which draw into host buffers.
#include "render/fake_host_support.cpp"
