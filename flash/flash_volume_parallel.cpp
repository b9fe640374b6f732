// The body and spark passes on the host's worker threads. Iterations record
// their splats into their own slots; the slots are then drawn in horizontal
// bands, each band replaying every slot in iteration order, so the bytes are
// those of one thread drawing everything in order, whatever the threads do.
#include <new>

#include "AE_GeneralPlug.h"
#include "flash/flash_volume.h"
#include "frame/row_bands.h"
#include "frame/scoped_suite.h"
#include "render/world_buffer.h"

namespace vlam {
namespace {

enum class Work { kBody, kSpark, kBands };

struct PassJob {
  FlashVolume* volume;
  std::vector<SplatSlot>* slots;
  Work work;
  A_long iterations;
};

// Runs on a host thread: nothing may escape into the host. A slot that runs
// out of memory keeps the error and the pass draws nothing.
A_Err RunIteration(void* refcon, A_long /*thread_index*/, A_long i, A_long /*iterations*/) {
  PassJob& job = *static_cast<PassJob*>(refcon);
  if (i < 0 || i >= job.iterations) return A_Err_NONE;
  try {
    switch (job.work) {
      case Work::kBody:
        job.volume->CollectBodyIteration(i, job.iterations, (*job.slots)[static_cast<size_t>(i)]);
        break;
      case Work::kSpark:
        job.volume->CollectSpark(static_cast<A_u_long>(i), (*job.slots)[static_cast<size_t>(i)]);
        break;
      case Work::kBands:
        job.volume->DrawBand(i);
        break;
    }
  } catch (const std::bad_alloc&) {
    if (job.work != Work::kBands) (*job.slots)[static_cast<size_t>(i)].err = PF_Err_OUT_OF_MEMORY;
  } catch (...) {
    if (job.work != Work::kBands)
      (*job.slots)[static_cast<size_t>(i)].err = PF_Err_INTERNAL_STRUCT_DAMAGED;
  }
  return A_Err_NONE;
}

PF_Err Iterate(const AEGP_IterateSuite1* suite, PassJob& job) {
  return suite->AEGP_IterateGeneric(job.iterations, &job, RunIteration);
}

A_long HostThreads(const AEGP_IterateSuite1* suite) {
  const A_long n = AskHostThreadCount(*suite);
  return n < 1 ? 1 : n;
}

}  // namespace

PF_Err FlashVolume::RunBodyPass(A_long iterations) {
  if (!Ready()) return PF_Err_NONE;
  ScopedSuite<AEGP_IterateSuite1> suite(target_->InData()->pica_basicP, kAEGPIterateSuite,
                                        kAEGPIterateSuiteVersion1);
  const A_long threads = HostThreads(suite.get());
  if (iterations < 1) iterations = threads;
  PF_Err err = PF_Err_NONE;
  if (!PrepareSlots(iterations)) return PF_Err_OUT_OF_MEMORY;
  PassJob job{this, &slots_, Work::kBody, iterations};
  err = Iterate(suite.get(), job);
  if (err == PF_Err_NONE) err = DrawSlots(iterations < threads ? iterations : threads);
  return err;
}

PF_Err FlashVolume::RunSparkPass(A_long threads) {
  if (!Ready() || sparkCount_ == 0) return PF_Err_NONE;
  ScopedSuite<AEGP_IterateSuite1> suite(target_->InData()->pica_basicP, kAEGPIterateSuite,
                                        kAEGPIterateSuiteVersion1);
  if (threads < 1) threads = HostThreads(suite.get());
  if (sparkCount_ > 0x7fffffffu) return PF_Err_OUT_OF_MEMORY;
  const A_long count = static_cast<A_long>(sparkCount_);
  if (!PrepareSlots(count)) return PF_Err_OUT_OF_MEMORY;
  PassJob job{this, &slots_, Work::kSpark, count};
  PF_Err err = Iterate(suite.get(), job);
  if (err == PF_Err_NONE) err = DrawSlots(threads);
  return err;
}

bool FlashVolume::PrepareSlots(A_long count) {
  try {
    slots_.resize(static_cast<size_t>(count));
    for (SplatSlot& slot : slots_)
      slot.Reset(static_cast<A_long>(width_), static_cast<A_long>(height_));
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

PF_Err FlashVolume::DrawSlots(A_long threads) {
  for (const SplatSlot& slot : slots_)
    if (slot.err != PF_Err_NONE) return slot.err;
  for (const SplatSlot& slot : slots_) {
    marks_.Merge(slot.marks);
    reach_.Merge(slot.reach);
  }
  if (threads < 1) threads = 1;
  A_long height = static_cast<A_long>(height_);
  try {
    BalanceBands(slots_, height, threads, bandBounds_);
  } catch (const std::bad_alloc&) {
    return PF_Err_OUT_OF_MEMORY;
  }
  if (threads == 1) {
    DrawBand(0);
    return PF_Err_NONE;
  }
  ScopedSuite<AEGP_IterateSuite1> suite(target_->InData()->pica_basicP, kAEGPIterateSuite,
                                        kAEGPIterateSuiteVersion1);
  PassJob job{this, &slots_, Work::kBands, threads};
  return Iterate(suite.get(), job);
}

void FlashVolume::DrawSlotNow(SplatSlot& slot) {
  marks_.Merge(slot.marks);
  reach_.Merge(slot.reach);
  const RasterTarget whole = RasterTarget::Whole(target_->World());
  for (const Splat& s : slot.splats) DrawSplat(whole, s);
}

void FlashVolume::DrawBand(A_long band) const {
  const size_t i = static_cast<size_t>(band);
  if (i + 1 >= bandBounds_.size()) return;
  const RasterTarget whole = RasterTarget::Whole(target_->World());
  DrawSlotsInBand(slots_, whole.Band(bandBounds_[i], bandBounds_[i + 1]));
}

}  // namespace vlam
