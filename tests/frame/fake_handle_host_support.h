// A small stand-in for the host's PF Handle Suite, published on a fake suite
// broker, enough for code that makes, locks and disposes handles. Header only, so that the
// test programs of several folders can share it. One instance is current at a
// time; the suite functions are plain function pointers and find it there.
#pragma once
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "AE_Effect.h"
#include "AE_EffectCBSuites.h"
#include "SPBasic.h"
#include "frame/suite_registry_support.h"

namespace vlam {

class FakeHandleHost {
 public:
  FakeHandleHost() {
    previous_ = current_;
    current_ = this;
    registry.Publish(kPFHandleSuite, kPFHandleSuiteVersion1, &handles_);
    in_data_.pica_basicP = registry.basic();
  }
  ~FakeHandleHost() {
    for (auto& [h, b] : blocks_) std::free(b->data);
    current_ = previous_;
  }
  FakeHandleHost(const FakeHandleHost&) = delete;
  FakeHandleHost& operator=(const FakeHandleHost&) = delete;

  vlam_test::FakeSuiteRegistry registry;  // offers the handle suite
  PF_InData* InData() { return &in_data_; }
  const PF_HandleSuite1* Handles() { return &handles_; }

  // Fault injection.
  bool failNewHandle = false;
  bool failLock = false;
  bool throwOnNewHandle = false;  // a non-integer exception from the host
  int fillByte = 0;               // what new handles hold, to catch unwritten bytes

  // Book-keeping for assertions.
  int LiveHandles() const { return static_cast<int>(blocks_.size()); }
  int LockCount(PF_Handle h) const {
    const auto it = blocks_.find(h);
    return it == blocks_.end() ? -1 : it->second->locks;
  }
  bool Owns(PF_Handle h) const { return blocks_.count(h) != 0; }
  int lockCalls = 0, unlockCalls = 0;
  int disposedLocked = 0;           // handles freed while still locked
  std::vector<PF_Handle> disposed;  // in the order of disposal
  std::vector<char> Bytes(PF_Handle h) const {
    const Block& b = *blocks_.at(h);
    const char* data = static_cast<const char*>(b.data);
    return std::vector<char>(data, data + b.size);
  }

  // A handle holding a copy of the given bytes, as the host would own it.
  PF_Handle MakeHandle(const void* bytes, std::size_t size) {
    PF_Handle h = NewHandle(size);
    std::memcpy(*h, bytes, size);
    return h;
  }

 private:
  struct Block {
    void* data = nullptr;  // *handle, as the effect API defines handles
    std::size_t size = 0;
    int locks = 0;
  };

  static PF_Handle NewHandle(A_HandleSize size) {
    if (current_->throwOnNewHandle) throw std::bad_alloc();
    if (current_->failNewHandle) return nullptr;
    auto block = std::make_unique<Block>();
    block->data = std::calloc(1, size ? size : 1);
    std::memset(block->data, current_->fillByte, size);
    block->size = size;
    PF_Handle h = &block->data;
    current_->blocks_[h] = std::move(block);
    return h;
  }
  static void* Lock(PF_Handle h) {
    if (current_->failLock || !current_->Owns(h)) return nullptr;
    ++current_->lockCalls;
    ++current_->blocks_[h]->locks;
    return *h;
  }
  static void Unlock(PF_Handle h) {
    ++current_->unlockCalls;
    if (current_->Owns(h)) --current_->blocks_[h]->locks;
  }
  static void Dispose(PF_Handle h) {
    const auto it = current_->blocks_.find(h);
    if (it == current_->blocks_.end()) std::abort();  // disposing what the host never made
    if (it->second->locks != 0) ++current_->disposedLocked;
    std::free(it->second->data);
    current_->blocks_.erase(it);
    current_->disposed.push_back(h);
  }
  static A_HandleSize Size(PF_Handle h) {
    return current_->Owns(h) ? static_cast<A_HandleSize>(current_->blocks_[h]->size) : 0;
  }

  static inline FakeHandleHost* current_ = nullptr;
  FakeHandleHost* previous_ = nullptr;
  PF_HandleSuite1 handles_{&NewHandle, &Lock, &Unlock, &Dispose, &Size, nullptr};
  PF_InData in_data_{};
  std::map<PF_Handle, std::unique_ptr<Block>> blocks_;
};

}  // namespace vlam
