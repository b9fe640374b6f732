#pragma once
#include <cstddef>

namespace vlam::host {

// Memory for image pixels, 64-byte aligned. Large blocks that are freed are
// kept (up to a fixed total) and handed out again for the next block of the
// same size: a frame makes and drops many full-frame buffers, and taking
// fresh pages from the system for each costs more than the work done in them.
// Thread-safe. Blocks come back uncleared; `bytes` must be the size asked for.
void *allocatePixels(std::size_t bytes);
void freePixels(void *block, std::size_t bytes) noexcept;

} // namespace vlam::host
