#include "host/memory/HandleTable.h"

#include <cstdlib>
#include <cstring>

namespace vlam::host {

HandleTable::~HandleTable() {
  for (auto &[handle, block] : blocks_) {
    std::free(block->data);
    delete block;
  }
}

HandleTable::Block *HandleTable::find(void **handle) const {
  auto it = blocks_.find(handle);
  if (it == blocks_.end()) {
    ++badCalls_;
    return nullptr;
  }
  return it->second;
}

void **HandleTable::allocate(std::uint64_t size) {
  if (size > (std::uint64_t{1} << 40)) return nullptr;
  void *data = std::calloc(1, size ? static_cast<std::size_t>(size) : 1);
  if (!data) return nullptr;
  auto *block = new Block{data, size, 0};
  auto handle = reinterpret_cast<void **>(block);
  std::lock_guard lock(mutex_);
  blocks_.emplace(handle, block);
  return handle;
}

bool HandleTable::dispose(void **handle) {
  Block *block = nullptr;
  {
    std::lock_guard lock(mutex_);
    block = find(handle);
    if (!block) return false;
    blocks_.erase(handle);
  }
  std::free(block->data);
  delete block;
  return true;
}

bool HandleTable::known(void **handle) const {
  std::lock_guard lock(mutex_);
  return blocks_.count(handle) > 0;
}

bool HandleTable::resize(void **handle, std::uint64_t size) {
  if (size > (std::uint64_t{1} << 40)) return false;
  std::lock_guard lock(mutex_);
  Block *block = find(handle);
  if (!block) return false;
  void *grown = std::calloc(1, size ? static_cast<std::size_t>(size) : 1);
  if (!grown) return false;
  std::memcpy(grown, block->data, static_cast<std::size_t>(size < block->size ? size : block->size));
  std::free(block->data);
  block->data = grown;
  block->size = size;
  return true;
}

std::uint64_t HandleTable::size(void **handle) const {
  std::lock_guard lock(mutex_);
  Block *block = find(handle);
  return block ? block->size : 0;
}

void *HandleTable::lock(void **handle) {
  std::lock_guard lock(mutex_);
  Block *block = find(handle);
  if (!block) return nullptr;
  ++block->locks;
  return block->data;
}

bool HandleTable::unlock(void **handle) {
  std::lock_guard lock(mutex_);
  Block *block = find(handle);
  if (!block) return false;
  if (block->locks > 0) --block->locks;
  return true;
}

std::size_t HandleTable::liveCount() const {
  std::lock_guard lock(mutex_);
  return blocks_.size();
}

std::size_t HandleTable::badHandleCalls() const {
  std::lock_guard lock(mutex_);
  return badCalls_;
}

} // namespace vlam::host
