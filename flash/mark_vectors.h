// The rows and columns of a buffer that received splats, and the dirty
// rectangle read from them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "A.h"

namespace vlam {

struct DirtyRect {
  A_long x0;  // first marked column
  A_long y0;  // first marked row
  A_long x1;  // last marked column
  A_long y1;  // last marked row
  A_long width;
  A_long height;
};

class MarkVectors {
 public:
  // Sizes both vectors and clears every bit.
  void Reset(A_long width, A_long height);
  void Clear();

  // Marks column x and row y, each only when it lies in the buffer.
  void Mark(A_long x, A_long y) {
    if (static_cast<uint32_t>(x) < static_cast<uint32_t>(width_))
      columns_[static_cast<uint32_t>(x) >> 6] |= uint64_t{1} << (x & 63);
    if (static_cast<uint32_t>(y) < static_cast<uint32_t>(height_))
      rows_[static_cast<uint32_t>(y) >> 6] |= uint64_t{1} << (y & 63);
  }
  // Adds the marks of another set of the same size.
  void Merge(const MarkVectors& other);

  bool ColumnMarked(A_long x) const { return Bit(columns_, width_, x); }
  bool RowMarked(A_long y) const { return Bit(rows_, height_, y); }
  A_long Width() const { return width_; }
  A_long Height() const { return height_; }

  // Updates the first and last marked column and row; a direction without a
  // mark keeps the values the rectangle held. Width and height are set.
  void DirtyRectangle(DirtyRect& rect) const;
  // The rectangle grown by p on every side, clamped to 0 and to the width and
  // height.
  void DirtyRectanglePadded(DirtyRect& rect, A_long p) const;

  // Plain copies of the bits, one bool per column and per row.
  std::vector<bool> ColumnBits() const;
  std::vector<bool> RowBits() const;

 private:
  static bool Bit(const std::vector<uint64_t>& v, A_long n, A_long i) {
    return static_cast<uint32_t>(i) < static_cast<uint32_t>(n) &&
           ((v[static_cast<uint32_t>(i) >> 6] >> (i & 63)) & 1u);
  }

  std::vector<uint64_t> columns_;
  std::vector<uint64_t> rows_;
  A_long width_ = 0;
  A_long height_ = 0;
};

// The dirty rectangle with both bit vectors, handed to the later passes.
struct MarksCopy {
  DirtyRect rect;
  std::vector<bool> columns;
  std::vector<bool> rows;
};

}  // namespace vlam
