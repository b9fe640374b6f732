// Splitting an image's rows into contiguous bands run on the host's threads.
#pragma once
#include "AE_GeneralPlug.h"

namespace vlam {

// Asks for the host's own thread count.
inline constexpr A_long kHostThreadCount = 99999;

// The host's thread count, or 0 when the host cannot tell.
A_long AskHostThreadCount(const AEGP_IterateSuite1 &suite);

// Called once per band with the first and last row (inclusive) and the
// index of the last iteration (with fewer rows than iterations a band can be
// empty: last_row < first_row). Bands never overlap, so a band function may
// write its own rows of a shared image without locks. Its result is ignored.
using RowBandFunction = A_Err (*)(void *user_data, A_long first_row, A_long last_row,
                                  A_long last_iteration);

// The rows of band `iteration` out of `iterations`: height total / n each,
// the last band taking the remainder.
struct RowBand {
  A_long first_row;
  A_long last_row;
};
RowBand RowBandOf(A_long total_rows, A_long iterations, A_long iteration);

// Runs `band` over `total_rows` rows on `thread_count` iterations of
// AEGP_IterateGeneric (kHostThreadCount: the host's count) and returns the
// iterator's error.
A_Err RunRowBands(const PF_InData *owner, A_long total_rows, A_long thread_count, void *user_data,
                  RowBandFunction band);

}  // namespace vlam
