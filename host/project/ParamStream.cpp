#include "host/project/ParamStream.h"

#include <algorithm>

namespace vlam::host {

bool ParamValue::operator==(const ParamValue &other) const {
  if (number != other.number) return false;
  if (arb != other.arb) return false; // arbitrary values compare by identity
  if (!flat || !other.flat) return !flat && !other.flat;
  return *flat == *other.flat;
}

std::size_t ParamStream::setKey(Keyframe key) {
  auto at = std::lower_bound(keys_.begin(), keys_.end(), key.ticks,
                             [](const Keyframe &k, std::int64_t t) { return k.ticks < t; });
  if (at != keys_.end() && at->ticks == key.ticks) {
    *at = std::move(key);
  } else {
    at = keys_.insert(at, std::move(key));
  }
  return static_cast<std::size_t>(at - keys_.begin());
}

bool ParamStream::removeKey(std::size_t index) {
  if (index >= keys_.size()) return false;
  keys_.erase(keys_.begin() + static_cast<std::ptrdiff_t>(index));
  return true;
}

ParamValue ParamStream::valueAt(std::int64_t ticks, bool blendable) const {
  if (keys_.empty()) return value_;
  if (ticks <= keys_.front().ticks) return keys_.front().value;
  if (ticks >= keys_.back().ticks) return keys_.back().value;
  auto next = std::upper_bound(keys_.begin(), keys_.end(), ticks,
                               [](std::int64_t t, const Keyframe &k) { return t < k.ticks; });
  const Keyframe &a = *(next - 1);
  const Keyframe &b = *next;
  if (!blendable || a.interpolation == Interpolation::Hold) return a.value;
  const double f = static_cast<double>(ticks - a.ticks) / static_cast<double>(b.ticks - a.ticks);
  ParamValue out = a.value;
  for (std::size_t i = 0; i < out.number.size(); ++i)
    out.number[i] = a.value.number[i] + (b.value.number[i] - a.value.number[i]) * f;
  return out;
}

void ParamStream::setValueAt(std::int64_t ticks, ParamValue value) {
  if (keys_.empty()) {
    value_ = std::move(value);
    return;
  }
  Interpolation interpolation = keys_.front().interpolation;
  auto at = std::upper_bound(keys_.begin(), keys_.end(), ticks,
                             [](std::int64_t t, const Keyframe &k) { return t < k.ticks; });
  if (at != keys_.begin()) interpolation = (at - 1)->interpolation;
  setKey({ticks, std::move(value), interpolation});
}

} // namespace vlam::host
