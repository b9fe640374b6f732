#include "flash/exported_curves.h"

#include <cstring>

#include "flash/flash_design.h"

namespace vlam {

namespace {

struct ThreadCurves {
  ShapeCurve main[kFlashDesignSlots];
  ShapeCurve petal[kFlashDesignSlots];
};

thread_local ThreadCurves t_curves;

}  // namespace

const ShapeCurve* KeepExportedCurve(int slot, ExportedProfile which, PF_Handle value,
                                    const PF_HandleSuite1& handles) {
  if (slot < 0 || slot >= kFlashDesignSlots) return nullptr;
  ShapeCurve& copy = which == ExportedProfile::Main ? t_curves.main[slot] : t_curves.petal[slot];
  ResetShapeCurve(copy, 0);
  if (value && handles.host_get_handle_size(value) >= sizeof(ShapeCurve)) {
    if (const void* data = handles.host_lock_handle(value)) {
      std::memcpy(&copy, data, sizeof copy);
      handles.host_unlock_handle(value);
      MendShapeCurve(copy);
    }
  }
  return &copy;
}

}  // namespace vlam
