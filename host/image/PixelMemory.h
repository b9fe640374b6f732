#pragma once
#include <cstddef>

namespace vlam::host {

// Memory for image pixels, 64-byte aligned. Large blocks that are freed are
// kept (up to a fixed total) and handed out again for the next block of about
// the same size (sizes are rounded up to an eighth of their power of two): a
// frame makes and drops many buffers, and taking fresh pages from the system
// for each costs more than the work done in them. Blocks of 2 MiB and more
// are mapped on large-page boundaries and advised for large pages, so that
// fresh ones fault in a page per 2 MiB rather than per 4 KiB.
// Thread-safe. Blocks come back uncleared; `bytes` must be the size asked for.
void *allocatePixels(std::size_t bytes);
void freePixels(void *block, std::size_t bytes) noexcept;

// Asks the C allocator of the process (which plug-ins share) to keep freed
// memory for the next frame rather than give it back to the system: buffers
// up to 32 MiB come from its heap instead of mappings of their own, and the
// heap is not trimmed until 512 MiB lie free at its top. Fresh pages cost a
// page fault each, which on virtual machines costs more than the work done
// in the page. Called when a host starts; the settings are process-wide.
void keepFreedMemory() noexcept;

} // namespace vlam::host
