#include "flash/exported_curves.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "flash/flash_design.h"

namespace vlam {

namespace {

struct TableCopies {
  const void* table = nullptr;
  std::uint64_t lastUse = 0;
  ShapeCurve main[kFlashDesignSlots];
  ShapeCurve petal[kFlashDesignSlots];
};

// Heap blocks, so that a copy keeps its address while the list grows.
thread_local std::vector<std::unique_ptr<TableCopies>> t_tables;
thread_local std::uint64_t t_clock = 0;

TableCopies& CopiesFor(const void* table) {
  ++t_clock;
  TableCopies* oldest = nullptr;
  for (const auto& entry : t_tables) {
    if (entry->table == table) {
      entry->lastUse = t_clock;
      return *entry;
    }
    if (!oldest || entry->lastUse < oldest->lastUse) oldest = entry.get();
  }
  if (t_tables.size() < kExportTablesPerThread) {
    t_tables.push_back(std::make_unique<TableCopies>());
    oldest = t_tables.back().get();
  }
  oldest->table = table;
  oldest->lastUse = t_clock;
  return *oldest;
}

}  // namespace

const ShapeCurve* KeepExportedCurve(const void* table, int slot, ExportedProfile which, PF_Handle value,
                                    const PF_HandleSuite1& handles) {
  if (slot < 0 || slot >= kFlashDesignSlots) return nullptr;
  TableCopies& copies = CopiesFor(table);
  ShapeCurve& copy = which == ExportedProfile::Main ? copies.main[slot] : copies.petal[slot];
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
