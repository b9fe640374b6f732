#include "frame/row_bands.h"

#include "frame/scoped_suite.h"

namespace vlam {
namespace {

struct RowBandJob {
  A_long total_rows;
  A_long thread_count;
  void *user_data;
  RowBandFunction band;
};

A_Err RunOneBand(void *refcon, A_long /*thread_index*/, A_long i, A_long /*iterations*/) {
  const RowBandJob &job = *static_cast<const RowBandJob *>(refcon);
  const RowBand rows = RowBandOf(job.total_rows, job.thread_count, i);
  // This runs on a host thread: nothing may escape back into the host.
  try {
    job.band(job.user_data, rows.first_row, rows.last_row, job.thread_count - 1);
  } catch (...) {
  }
  return A_Err_NONE;
}

}  // namespace

RowBand RowBandOf(A_long total_rows, A_long iterations, A_long iteration) {
  const A_long height = total_rows / iterations;
  const A_long first = height * iteration;
  const A_long last = iteration == iterations - 1 ? total_rows - 1 : first + height - 1;
  return RowBand{first, last};
}

A_long AskHostThreadCount(const AEGP_IterateSuite1 &suite) {
  A_long threads = 0;
  if (suite.AEGP_GetNumThreads(&threads) != A_Err_NONE) {
    return 0;
  }
  return threads;
}

A_Err RunRowBands(const PF_InData *owner, A_long total_rows, A_long thread_count, void *user_data,
                  RowBandFunction band) {
  ScopedSuite<AEGP_IterateSuite1> iterate(owner->pica_basicP, kAEGPIterateSuite,
                                          kAEGPIterateSuiteVersion1);
  A_long iterations = thread_count;
  if (iterations == kHostThreadCount) {
    iterations = AskHostThreadCount(*iterate.get());
  }
  // A host reporting no threads still gets the work done in one band.
  if (iterations < 1) {
    iterations = 1;
  }
  RowBandJob job{total_rows, iterations, user_data, band};
  return iterate->AEGP_IterateGeneric(iterations, &job, RunOneBand);
}

}  // namespace vlam
