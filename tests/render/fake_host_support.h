// A small stand-in for the host: the suite broker with the world, fill matte
// and iterate suites, and the utility callbacks' copy. The iterate suite runs
// iterations on real threads, taking them in a shuffled order, so tests see
// the scheduling freedom a real host has.
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "AE_Effect.h"
#include "AE_EffectCB.h"
#include "AE_EffectPixelFormat.h"
#include "SPBasic.h"

namespace vlam::testing {

class FakeHost {
 public:
  FakeHost();
  ~FakeHost();
  FakeHost(const FakeHost&) = delete;
  FakeHost& operator=(const FakeHost&) = delete;

  PF_InData* InData() { return &in_data_; }

  // Threads the iterate suite reports and runs iterations on.
  void SetThreads(A_long n) { threads_ = n; }
  // Seed of the shuffled iteration order.
  void SetShuffleSeed(uint32_t seed) { shuffleSeed_ = seed; }
  // The next PF_NewWorld calls answer with this error (0: succeed).
  void FailNewWorlds(PF_Err err) { newWorldError_ = err; }
  // AEGP_IterateGeneric answers with this error after running.
  void FailIterate(A_Err err) { iterateError_ = err; }
  // Acquiring this suite fails.
  void RefuseSuite(const std::string& name) { refused_.insert(name); }

  int LiveWorlds() const { return static_cast<int>(worlds_.size()); }
  int OpenSuites() const { return openSuites_; }
  int IterateCalls() const { return iterateCalls_; }
  // Pixel format of a world made here.
  PF_PixelFormat FormatOf(const PF_EffectWorld& w) const;

  // The host currently answering callbacks.
  static FakeHost* Current();

 private:
  friend struct FakeHostCallbacks;

  struct Allocation {
    std::vector<unsigned char> bytes;
    PF_PixelFormat format;
  };

  PF_InData in_data_{};
  SPBasicSuite basic_{};
  PF_UtilCallbacks utils_{};
  std::map<const void*, Allocation> worlds_;
  std::set<std::string> refused_;
  A_long threads_ = 2;
  uint32_t shuffleSeed_ = 1;
  PF_Err newWorldError_ = PF_Err_NONE;
  A_Err iterateError_ = A_Err_NONE;
  int openSuites_ = 0;
  int iterateCalls_ = 0;
  FakeHost* previous_ = nullptr;
};

// The camera matrix the host reports for a composition without a camera
// layer: no rotation, placed over the centre at the distance where the
// layer plane is seen one to one.
A_Matrix4 DefaultCameraMatrix(double width, double height, double zoom);

// Pixel size of a host pixel format.
size_t PixelBytes(PF_PixelFormat format);

}  // namespace vlam::testing
