#pragma once
#include <nlohmann/json.hpp>

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vlam::host {

// The host's description of the records the Vlam effects exchange through
// PF_Cmd_COMPLETELY_GENERAL: field names, offsets and types as the bytes are
// laid out (packed, little-endian, 64-bit pointers). The host never sees the
// module's declarations; tests check these sizes against what the module
// writes.
enum class FieldType { U8, I16, I32, U32, F32, F64, F64x3, PixelFloat, Pointer };

struct RecordField {
  const char *name;
  std::size_t offset;
  FieldType type;
};

namespace records {
inline constexpr std::size_t kFlashDesignSize = 240;
inline constexpr std::size_t kDesignTableSize = 968;
inline constexpr std::size_t kDesignsOffset = 4;
inline constexpr std::size_t kDesignSlots = 4;
inline constexpr std::size_t kInstanceCountOffset = 964;
inline constexpr std::size_t kInstanceRecordSize = 108;
inline constexpr std::size_t kInstancesOffset = 968;
inline constexpr std::size_t kInstanceSlots = 16;
inline constexpr std::size_t kExchangeBlockSize = 2696;
inline constexpr std::size_t kPetalLayoutSize = 68;
inline constexpr std::size_t kPetalLayoutMaxPetals = 8;
// Fields of a design the inspection follows.
inline constexpr std::size_t kDesignValidOffset = 0;
inline constexpr std::size_t kDesignMainProfileOffset = 20;
inline constexpr std::size_t kDesignPetalProfileOffset = 64;
inline constexpr std::size_t kDesignPetalLayoutOffset = 92;
inline constexpr std::size_t kInstanceDesignIndexOffset = 0;
inline constexpr std::size_t kInstanceTriggerLevelOffset = 16;
} // namespace records

std::span<const RecordField> flashDesignFields();
std::span<const RecordField> instanceRecordFields();

// Every field of a record by name; pointers as true/false (set or null).
nlohmann::ordered_json recordJson(std::span<const std::uint8_t> bytes, std::span<const RecordField> fields);

// Little-endian reads at an offset (the caller keeps within the bytes).
template <class T> T readAt(std::span<const std::uint8_t> bytes, std::size_t offset);

} // namespace vlam::host
