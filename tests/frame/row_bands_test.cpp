#include "frame/row_bands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <stdexcept>
#include <vector>

#include "frame/fake_host_support.h"

namespace vlam_test {
namespace {

struct Band {
  A_long first, last, last_iteration;
  bool operator==(const Band &) const = default;
};

struct Recorder {
  std::mutex mutex;
  std::vector<Band> bands;
};

A_Err Record(void *user, A_long first, A_long last, A_long last_iteration) {
  auto *recorder = static_cast<Recorder *>(user);
  std::lock_guard<std::mutex> lock(recorder->mutex);
  recorder->bands.push_back({first, last, last_iteration});
  return A_Err_NONE;
}

std::vector<Band> Sorted(std::vector<Band> bands) {
  std::sort(bands.begin(), bands.end(), [](const Band &a, const Band &b) {
    return a.first < b.first || (a.first == b.first && a.last < b.last);
  });
  return bands;
}

// Bands of rows, last to last iteration, for a count asked for or the host's
// thread count (at least one band when the host reports none).
TEST(RowBands, BandsThreadCountsExceptionsAndAMissingSuite) {
  struct Case {
    A_long rows, threads, host_threads;
    std::vector<Band> bands;
  };
  const Case cases[] = {
      {10, 4, 3, {{0, 1, 3}, {2, 3, 3}, {4, 5, 3}, {6, 9, 3}}},
      {9, vlam::kHostThreadCount, 3, {{0, 2, 2}, {3, 5, 2}, {6, 8, 2}}},
      {5, vlam::kHostThreadCount, 0, {{0, 4, 0}}},
  };
  for (const Case &c : cases) {
    FakeEffectHost host;
    host.host_threads = c.host_threads;
    Recorder recorder;
    ASSERT_EQ(vlam::RunRowBands(&host.in_data, c.rows, c.threads, &recorder, Record), A_Err_NONE);
    EXPECT_EQ(Sorted(recorder.bands), c.bands);
    EXPECT_EQ(host.calls, std::vector<std::string>{"IterateGeneric " + std::to_string(c.bands.size())});
    EXPECT_EQ(host.registry.outstanding(), 0);
  }
  // Fewer rows than threads leave empty bands and cover every row.
  EXPECT_EQ(vlam::RowBandOf(2, 4, 0).last_row, -1);
  EXPECT_EQ(vlam::RowBandOf(2, 4, 3).first_row, 0);
  EXPECT_EQ(vlam::RowBandOf(2, 4, 3).last_row, 1);
  FakeEffectHost host;
  auto throwing = [](void *, A_long, A_long, A_long) -> A_Err {
    throw std::runtime_error("band failed");
  };
  EXPECT_EQ(vlam::RunRowBands(&host.in_data, 4, 2, nullptr, throwing), A_Err_NONE);
  // Without the iterate suite, 13 is thrown.
  host.registry.Withdraw(kAEGPIterateSuite, kAEGPIterateSuiteVersion1);
  Recorder recorder;
  EXPECT_THROW(vlam::RunRowBands(&host.in_data, 4, 2, &recorder, Record), A_long);
}

}  // namespace
}  // namespace vlam_test
