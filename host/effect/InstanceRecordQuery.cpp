#include "host/effect/InstanceRecordQuery.h"

#include "host/Host.h"
#include "host/effect/EffectRunner.h"

#include <cstring>
#include <vector>

namespace vlam::host {
namespace {

// The exchange block: a 968-byte design table whose instance count sits at
// offset 964, then sixteen 108-byte instance slots.
constexpr std::size_t kBlockSize = 2696;
constexpr std::size_t kInstanceCountOffset = 964;
constexpr std::size_t kFirstSlotOffset = 968;

template <class T> T field(const std::uint8_t *record, std::size_t offset) {
  T value;
  std::memcpy(&value, record + offset, sizeof value);
  return value;
}

} // namespace

std::optional<InstanceRecordFields> queryInstanceRecord(Host &host, EffectInstance &effect, std::int64_t ticks,
                                                        PF_Err *err) {
  std::vector<std::uint8_t> block(kBlockSize, 0);
  const std::int32_t count = 1;
  std::memcpy(block.data() + kInstanceCountOffset, &count, sizeof count);
  CallOptions options;
  options.ticks = ticks;
  options.settings = host.activeRender;
  options.extra = block.data();
  const PF_Err result = host.runner().call(effect.installed(), &effect, PF_Cmd_COMPLETELY_GENERAL, options).err;
  if (err) *err = result;
  if (result != PF_Err_NONE) return std::nullopt;
  const std::uint8_t *r = block.data() + kFirstSlotOffset;
  InstanceRecordFields f;
  f.designIndex = field<std::uint32_t>(r, 0);
  f.seed = field<std::int32_t>(r, 4);
  f.randomness = field<double>(r, 8);
  f.triggerLevel = field<double>(r, 16);
  f.ezAim = field<std::uint8_t>(r, 24);
  f.position = {field<double>(r, 28), field<double>(r, 36), field<double>(r, 44)};
  f.pointAway = field<std::uint8_t>(r, 52);
  f.aimA = field<double>(r, 56);
  f.aimB = field<double>(r, 64);
  f.roll = field<double>(r, 72);
  f.postScale = field<double>(r, 80);
  f.brightness = field<double>(r, 88);
  f.defocus = field<double>(r, 96);
  f.maskId = field<std::uint32_t>(r, 104);
  return f;
}

} // namespace vlam::host
