#pragma once
#include "host/project/ParamStream.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vlam::host {

// One vertex of a mask path in layer pixels (full resolution); the tangents
// are offsets from the vertex to its incoming and outgoing Bezier handles.
struct MaskVertex {
  double x = 0, y = 0;
  double inX = 0, inY = 0;
  double outX = 0, outY = 0;
  bool operator==(const MaskVertex &) const = default;
};

// A mask's outline at one time: cubic Bezier segments from each vertex to
// the next (and from the last back to the first when closed).
struct MaskShape {
  std::vector<MaskVertex> vertices;
  bool closed = true;
  bool operator==(const MaskShape &) const = default;
};

struct MaskShapeKey {
  std::int64_t ticks = 0;
  MaskShape shape;
  Interpolation interpolation = Interpolation::Linear;
};

// The outline over time, keyed like parameter streams. Two keys with the
// same vertex count and closedness blend vertex by vertex; otherwise the
// earlier key holds until the next.
class MaskShapeStream {
public:
  MaskShapeStream() = default;
  explicit MaskShapeStream(MaskShape shape) : value_(std::move(shape)) {}

  const MaskShape &staticValue() const { return value_; }
  bool animated() const { return !keys_.empty(); }
  const std::vector<MaskShapeKey> &keys() const { return keys_; }
  void setKey(MaskShapeKey key); // keeps the keys sorted, replaces a key at the same time
  MaskShape valueAt(std::int64_t ticks) const;

private:
  MaskShape value_;
  std::vector<MaskShapeKey> keys_;
};

// One mask of a layer. Feather holds x and y radii in layer pixels
// (number[0], number[1]); opacity is in percent (number[0]).
struct LayerMask {
  std::uint32_t id = 0; // the mask's ID (AEGP_MaskIDVal, PF_PathID), unique in the process
  std::string name;
  bool inverted = false;
  MaskShapeStream shape;
  ParamStream feather;
  ParamStream opacity{ParamValue::scalar(100.0)};
};

} // namespace vlam::host
