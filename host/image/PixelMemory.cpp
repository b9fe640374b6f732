#include "host/image/PixelMemory.h"

#include <cstdlib>
#include <mutex>
#include <new>
#include <utility>
#include <vector>

namespace vlam::host {
namespace {

// Smaller blocks are left to the allocator, which keeps them itself.
constexpr std::size_t kKeptFrom = std::size_t{1} << 20;
// At most this much freed memory waits for reuse: a few full-frame float
// buffers, well inside the memory a frame needs anyway.
constexpr std::size_t kKeptAtMost = std::size_t{768} << 20;

std::size_t rounded(std::size_t bytes) { return (bytes + 63) / 64 * 64; }

class KeptBlocks {
public:
  void *take(std::size_t bytes) {
    std::lock_guard lock(mutex_);
    for (auto it = blocks_.begin(); it != blocks_.end(); ++it)
      if (it->second == bytes) {
        void *block = it->first;
        kept_ -= bytes;
        blocks_.erase(it);
        return block;
      }
    return nullptr;
  }
  bool keep(void *block, std::size_t bytes) {
    std::lock_guard lock(mutex_);
    if (kept_ + bytes > kKeptAtMost) return false;
    try {
      blocks_.emplace_back(block, bytes);
    } catch (const std::bad_alloc &) {
      return false;
    }
    kept_ += bytes;
    return true;
  }
private:
  std::mutex mutex_;
  std::vector<std::pair<void *, std::size_t>> blocks_;
  std::size_t kept_ = 0;
};

// Never destroyed: images may be freed while the program exits.
KeptBlocks &keptBlocks() {
  static KeptBlocks *blocks = new KeptBlocks;
  return *blocks;
}

// Under the address sanitizer every block goes back to the allocator, so a
// use after free is still caught.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kKeepBlocks = false;
#else
constexpr bool kKeepBlocks = true;
#endif

} // namespace

void *allocatePixels(std::size_t bytes) {
  const std::size_t size = rounded(bytes);
  if (kKeepBlocks && size >= kKeptFrom)
    if (void *block = keptBlocks().take(size)) return block;
  void *block = std::aligned_alloc(64, size);
  if (!block) throw std::bad_alloc();
  return block;
}

void freePixels(void *block, std::size_t bytes) noexcept {
  if (!block) return;
  const std::size_t size = rounded(bytes);
  if (kKeepBlocks && size >= kKeptFrom && keptBlocks().keep(block, size)) return;
  std::free(block);
}

} // namespace vlam::host
