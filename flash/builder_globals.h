// The Flash Builder's global data: its two curve handlers, a distance table,
// the user's curve presets and the petal layout table. One host handle,
// allocated at global setup and kept locked until global setdown.
#pragma once
#include <cstddef>
#include <cstdint>

#include "AE_Effect.h"
#include "AE_EffectCBSuites.h"
#include "flash/curve_presets.h"
#include "flash/petal_layout.h"
#include "flash/shape_curve.h"

namespace vlam {

class MainShapeArbHandler;
class PetalShapeArbHandler;

inline constexpr int kDistanceTableSize = 61;

#pragma pack(push, 4)
struct BuilderGlobals {
  PF_Handle mainHandlerH;             // 32-byte handle holding the handler object
  MainShapeArbHandler* mainHandler;   // that object, locked until setdown
  PF_Handle petalHandlerH;
  PetalShapeArbHandler* petalHandler;
  std::int16_t distances[kDistanceTableSize][kDistanceTableSize];  // sqrt(i^2 + j^2), rounded
  PresetSlots mainPresets;            // capacity 16 each
  PresetSlots petalPresets;           // capacity 8 each
  PetalLayout petalLayouts[kPetalLayoutEntries];
  std::int16_t petalRows[kPetalConfigurationCount];
  std::int16_t petalVariants[kPetalConfigurationCount];
};
#pragma pack(pop)

static_assert(sizeof(BuilderGlobals) == 13924);
static_assert(offsetof(BuilderGlobals, mainHandlerH) == 0);
static_assert(offsetof(BuilderGlobals, mainHandler) == 8);
static_assert(offsetof(BuilderGlobals, petalHandlerH) == 16);
static_assert(offsetof(BuilderGlobals, petalHandler) == 24);
static_assert(offsetof(BuilderGlobals, distances) == 32);
static_assert(offsetof(BuilderGlobals, mainPresets) == 7476);
static_assert(offsetof(BuilderGlobals, petalPresets) == 10136);
static_assert(offsetof(BuilderGlobals, petalLayouts) == 12796);
static_assert(offsetof(BuilderGlobals, petalRows) == 13884);
static_assert(offsetof(BuilderGlobals, petalVariants) == 13904);

// The layout table's view of the globals.
inline PetalLayoutTable PetalTableOf(BuilderGlobals& g) {
  return PetalLayoutTable{g.petalLayouts, g.petalRows, g.petalVariants};
}

// Locks the effect's global record for one scope and unlocks it again.
// Besides these scoped locks the record holds one lock of its own from global
// setup to global setdown, so that its address, and pointers into it handed
// to other effects (the petal layout entry of a design), stay put for as long
// as the effect is loaded. get() is null without global data, for a handle
// too small to be the record, or when the lock fails.
class BuilderGlobalsLock {
 public:
  BuilderGlobalsLock(const PF_InData* in_data, const PF_HandleSuite1& handles)
      : handles_(handles), record_(in_data ? in_data->global_data : nullptr),
        globals_(record_ && handles.host_get_handle_size(record_) >= sizeof(BuilderGlobals)
                     ? static_cast<BuilderGlobals*>(handles.host_lock_handle(record_))
                     : nullptr) {}
  ~BuilderGlobalsLock() {
    if (globals_) handles_.host_unlock_handle(record_);
  }
  BuilderGlobalsLock(const BuilderGlobalsLock&) = delete;
  BuilderGlobalsLock& operator=(const BuilderGlobalsLock&) = delete;
  BuilderGlobals* get() const { return globals_; }

 private:
  const PF_HandleSuite1& handles_;
  PF_Handle record_;
  BuilderGlobals* globals_;
};

// Fills everything that needs no host: the distance table, empty preset slots
// (count 0, capacity 32, signatures 0) and the petal layout table. The handler
// fields are cleared; the presets are loaded separately.
void InitBuilderTables(BuilderGlobals& g);

}  // namespace vlam
