// The Render effect's global record: its plug-in ID, the four built-in
// profile curves that randomise a flash's shape, the distance table the flash
// passes test cells with, and the tone table of the "Normalised" mode.
// Allocated at global setup, freed at global setdown.
#pragma once
#include <cstddef>
#include <cstdint>

#include "AE_Effect.h"
#include "flash/distance_table.h"
#include "flash/shape_curve.h"

namespace vlam {

inline constexpr int kRenderDefaultCurveCount = 4;
// Slot of the petal profile; slots 0-2 are the main-shape variants.
inline constexpr int kRenderPetalCurveSlot = 3;
inline constexpr int kRenderDistanceEntries = kRenderDistanceTableSize * kRenderDistanceTableSize;
inline constexpr int kToneTableSize = 2048;

#pragma pack(push, 4)
struct RenderGlobals {
  std::uint32_t pluginId;  // from AEGP_RegisterWithAEGP under "zk_Vlam"
  ShapeCurve defaultCurves[kRenderDefaultCurveCount];
  // 121 x 121 entries allocated beside the record; owned by it until setdown.
  std::uint16_t *distanceTable;
  float toneTable[kToneTableSize];
};
#pragma pack(pop)

static_assert(sizeof(RenderGlobals) == 10332);
static_assert(offsetof(RenderGlobals, pluginId) == 0);
static_assert(offsetof(RenderGlobals, defaultCurves) == 4);
static_assert(offsetof(RenderGlobals, distanceTable) == 2132);
static_assert(offsetof(RenderGlobals, toneTable) == 2140);

// The texts of the four built-in curves, in slot order.
extern const char *const kRenderDefaultCurveTexts[kRenderDefaultCurveCount];

// Fills a zeroed record: empty curves of capacity 32, the plug-in ID (the
// registration's error is returned, the rest is still built), the parsed
// curves, a newly allocated distance table (PF_Err_OUT_OF_MEMORY when it
// cannot be had) and the tone table. A refused utility suite throws
// A_Err_MISSING_SUITE.
PF_Err FillRenderGlobals(const PF_InData *in_data, RenderGlobals &globals);

// Frees what the record owns beside itself (the distance table).
void FreeRenderGlobalsTables(RenderGlobals &globals);

// PF_Cmd_GLOBAL_SETUP's record and PF_Cmd_GLOBAL_SETDOWN's release. A record
// that cannot be locked is given back at once (after its message), so no
// uncleared record is left for the setdown.
PF_Err CreateRenderGlobals(PF_InData *in_data, PF_OutData *out_data);
PF_Err ReleaseRenderGlobals(PF_InData *in_data, PF_OutData *out_data);

// The global record locked for the length of a scope. A missing record, one
// smaller than RenderGlobals or a failed lock leaves get() null.
class LockedRenderGlobals {
 public:
  explicit LockedRenderGlobals(const PF_InData *in_data);
  ~LockedRenderGlobals();
  LockedRenderGlobals(const LockedRenderGlobals &) = delete;
  LockedRenderGlobals &operator=(const LockedRenderGlobals &) = delete;

  RenderGlobals *get() const { return globals_; }

 private:
  const PF_InData *in_data_;
  RenderGlobals *globals_ = nullptr;
};

}  // namespace vlam
