#include "host/image/PixelMemory.h"

#include <malloc.h>
#include <sys/mman.h>

#include <bit>
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
// Blocks this large are mapped on their own, aligned to and advised for the
// processor's large pages: touching a fresh 4 KiB page costs a page fault,
// which on a virtual machine can cost more than clearing the page itself.
constexpr std::size_t kLargePage = std::size_t{2} << 20;

// The size a block of `bytes` is made with. Large blocks are rounded up to
// an eighth of their power of two, so that buffers of nearly the same size
// (a flash's rectangle from frame to frame) share kept blocks; at most an
// eighth is wasted.
std::size_t capacityFor(std::size_t bytes) {
  const std::size_t size = (bytes + 63) / 64 * 64;
  if (size < kKeptFrom) return size;
  const std::size_t step = std::bit_floor(size) / 8;
  return (size + step - 1) / step * step;
}

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

// Under the address sanitizer every block comes from and goes back to the
// allocator, so a use after free is still caught.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kKeepBlocks = false;
#else
constexpr bool kKeepBlocks = true;
#endif

// A mapping of `capacity` bytes (a multiple of 64 KiB at least) starting on
// a large-page boundary: the mapping is made one large page longer and the
// ends beyond the aligned block are given back.
void *mapLarge(std::size_t capacity) {
  const std::size_t length = capacity + kLargePage;
  void *mapped = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapped == MAP_FAILED) throw std::bad_alloc();
  const auto start = reinterpret_cast<std::uintptr_t>(mapped);
  const std::uintptr_t aligned = (start + kLargePage - 1) / kLargePage * kLargePage;
  if (aligned > start) ::munmap(mapped, aligned - start);
  const std::size_t tail = start + length - (aligned + capacity);
  if (tail > 0) ::munmap(reinterpret_cast<void *>(aligned + capacity), tail);
  void *block = reinterpret_cast<void *>(aligned);
  ::madvise(block, capacity, MADV_HUGEPAGE); // advice only: without large pages the block still works
  return block;
}

bool mappedOnItsOwn(std::size_t capacity) { return kKeepBlocks && capacity >= kLargePage; }

} // namespace

void *allocatePixels(std::size_t bytes) {
  const std::size_t capacity = capacityFor(bytes);
  if (kKeepBlocks && capacity >= kKeptFrom)
    if (void *block = keptBlocks().take(capacity)) return block;
  if (mappedOnItsOwn(capacity)) return mapLarge(capacity);
  void *block = std::aligned_alloc(64, capacity);
  if (!block) throw std::bad_alloc();
  return block;
}

void freePixels(void *block, std::size_t bytes) noexcept {
  if (!block) return;
  const std::size_t capacity = capacityFor(bytes);
  if (kKeepBlocks && capacity >= kKeptFrom && keptBlocks().keep(block, capacity)) return;
  if (mappedOnItsOwn(capacity))
    ::munmap(block, capacity);
  else
    std::free(block);
}

void keepFreedMemory() noexcept {
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
  ::mallopt(M_MMAP_THRESHOLD, 32 << 20); // the largest the allocator takes
  ::mallopt(M_TRIM_THRESHOLD, 512 << 20);
#endif
}

} // namespace vlam::host
