// Copies of the profile curves that a design export hands to the Render
// effect.
//
// The design record carries pointers to its two curves, but the parameter
// values they come from are checked in again before the export returns, and
// the host may move or free them. So each export copies both curves into
// storage of the calling thread, kept per exchange table and design slot,
// and points the record there.
//
// Why that keeps them valid for the whole render call that asked: the Render
// (or Relighter) effect collects into a table on its own stack and then
// renders within the same call on the same thread; its helpers on other
// threads only read while that thread waits for them. The copies for that
// table change only when the same thread exports into the same table again,
// which happens with the next collection, after the call is over. A render
// nested inside it on the same thread (a layer checked out mid-render that
// carries its own Render effect) collects into another table and so into
// other copies; concurrent renders on other threads have copies of their own.
// Each thread keeps the copies of its 16 most recently used tables.
#pragma once
#include "AE_EffectCBSuites.h"
#include "flash/shape_curve.h"

namespace vlam {

enum class ExportedProfile { Main, Petal };

inline constexpr int kExportTablesPerThread = 16;

// Copies the curve held by `value` (a profile parameter's value handle) into
// this thread's copy for (table, design slot 0-3) and returns the copy. A
// missing or short value gives an empty curve; a damaged one is mended. Null
// for a slot outside 0-3.
const ShapeCurve* KeepExportedCurve(const void* table, int slot, ExportedProfile which, PF_Handle value,
                                    const PF_HandleSuite1& handles);

}  // namespace vlam
