#pragma once
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <unordered_map>

namespace vlam::host {

// Relocatable memory blocks as the effect API hands them out: a handle is a
// pointer to a master pointer, so `*handle` is the block's data. The table
// knows every live block, so that a stale or foreign handle from a plug-in is
// refused instead of freed or written through.
class HandleTable {
public:
  HandleTable() = default;
  ~HandleTable();
  HandleTable(const HandleTable &) = delete;
  HandleTable &operator=(const HandleTable &) = delete;

  // A zero-filled block of `size` bytes; nullptr when out of memory or when
  // an injected failure says so.
  void **allocate(std::uint64_t size);
  // False for an unknown handle (nothing happens then).
  bool dispose(void **handle);
  bool known(void **handle) const;
  // Resizes keeping the content (new bytes zeroed); the master pointer moves.
  bool resize(void **handle, std::uint64_t size);
  std::uint64_t size(void **handle) const; // 0 for unknown handles
  void *lock(void **handle);               // nullptr for unknown handles
  bool unlock(void **handle);

  std::size_t liveCount() const;
  // Calls on handles the table never gave out (or already freed).
  std::size_t badHandleCalls() const;

private:
  struct Block {
    void *data; // must stay first: the handle points here
    std::uint64_t size;
    int locks;
  };
  Block *find(void **handle) const;

  mutable std::mutex mutex_;
  std::unordered_map<void **, Block *> blocks_;
  mutable std::size_t badCalls_ = 0;
};

} // namespace vlam::host
