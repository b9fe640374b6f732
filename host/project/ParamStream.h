#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace vlam::host {

class ArbitraryValue;

// A parameter's value in host units, independent of the effect API's
// fixed-point encodings: up to four numbers whose meaning depends on the
// parameter type (a slider's value, a point's x and y, a 3D point's x, y, z,
// a colour's alpha, red, green, blue as 0-1 floats, a fixed-point value as its
// real number), plus the flattened bytes of an arbitrary-data value or, for a
// value the effect made, its live handle.
struct ParamValue {
  std::array<double, 4> number{};
  std::shared_ptr<const std::vector<std::uint8_t>> flat; // arbitrary data only
  std::shared_ptr<const ArbitraryValue> arb;             // arbitrary data: the effect's handle

  static ParamValue scalar(double v) {
    ParamValue p;
    p.number[0] = v;
    return p;
  }
  bool operator==(const ParamValue &other) const;
};

enum class Interpolation { Linear, Hold };

// One key: its time in the composition's time base (ticks of 1/time_scale
// seconds), its value, and how the stretch up to the next key is filled.
struct Keyframe {
  std::int64_t ticks = 0;
  ParamValue value;
  Interpolation interpolation = Interpolation::Linear;
};

// The value of a parameter over time: a constant, or a sorted list of keys.
// Before the first key the first key's value holds, after the last key the
// last key's value; between keys the earlier key's interpolation decides.
// Types that cannot blend (popups, checkboxes, arbitrary data) always hold.
class ParamStream {
public:
  ParamStream() = default;
  explicit ParamStream(ParamValue value) : value_(std::move(value)) {}

  const ParamValue &staticValue() const { return value_; }
  void setStaticValue(ParamValue value) { value_ = std::move(value); }

  bool animated() const { return !keys_.empty(); }
  const std::vector<Keyframe> &keys() const { return keys_; }

  // Inserts a key, or replaces the value and interpolation of the key at the
  // same time. Returns the key's index.
  std::size_t setKey(Keyframe key);
  bool removeKey(std::size_t index);
  void clearKeys() { keys_.clear(); }

  // Value at a time. `blendable` is false for types that only hold.
  ParamValue valueAt(std::int64_t ticks, bool blendable) const;

  // Sets the value at a time: the static value when not animated, else the
  // key at that time (added with the interpolation of its neighbourhood).
  void setValueAt(std::int64_t ticks, ParamValue value);

private:
  ParamValue value_;
  std::vector<Keyframe> keys_;
};

} // namespace vlam::host
