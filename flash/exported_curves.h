// Copies of the profile curves that a design export hands to the Render
// effect.
//
// The design record carries pointers to its two curves, but the parameter
// values they come from are checked in again before the export returns, and
// the host may move or free them. So each export copies both curves into
// storage of the calling thread, one pair per design slot, and points the
// record there. The Render effect collects and then renders within one call on
// one thread (its helpers on other threads only read while that thread waits
// for them), and the next export into the same slot on that thread comes only
// with the next collection, so the copies stay unchanged for the whole render
// call that asked for them. Concurrent renders on other threads have copies of
// their own.
#pragma once
#include "AE_EffectCBSuites.h"
#include "flash/shape_curve.h"

namespace vlam {

enum class ExportedProfile { Main, Petal };

// Copies the curve held by `value` (a profile parameter's value handle) into
// this thread's copy for the design slot (0-3) and returns the copy. A missing
// or short value gives an empty curve; a damaged one is mended. Null for a
// slot outside 0-3.
const ShapeCurve* KeepExportedCurve(int slot, ExportedProfile which, PF_Handle value,
                                    const PF_HandleSuite1& handles);

}  // namespace vlam
