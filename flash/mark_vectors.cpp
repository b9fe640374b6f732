#include "flash/mark_vectors.h"

#include <bit>

namespace vlam {

namespace {

size_t Words(A_long bits) { return bits > 0 ? (static_cast<size_t>(bits) + 63) / 64 : 0; }

// First and last set bit; false when none is set.
bool Span(const std::vector<uint64_t>& v, A_long& first, A_long& last) {
  size_t lo = 0;
  while (lo < v.size() && v[lo] == 0) ++lo;
  if (lo == v.size()) return false;
  size_t hi = v.size() - 1;
  while (v[hi] == 0) --hi;
  first = static_cast<A_long>(lo * 64 + std::countr_zero(v[lo]));
  last = static_cast<A_long>(hi * 64 + 63 - std::countl_zero(v[hi]));
  return true;
}

std::vector<bool> Bits(const std::vector<uint64_t>& v, A_long n) {
  std::vector<bool> out(n > 0 ? static_cast<size_t>(n) : 0);
  for (size_t i = 0; i < out.size(); ++i) out[i] = (v[i >> 6] >> (i & 63)) & 1u;
  return out;
}

}  // namespace

void MarkVectors::Reset(A_long width, A_long height) {
  width_ = width > 0 ? width : 0;
  height_ = height > 0 ? height : 0;
  columns_.assign(Words(width_), 0);
  rows_.assign(Words(height_), 0);
}

void MarkVectors::Clear() {
  columns_.assign(columns_.size(), 0);
  rows_.assign(rows_.size(), 0);
}

void MarkVectors::Merge(const MarkVectors& other) {
  for (size_t i = 0; i < columns_.size() && i < other.columns_.size(); ++i)
    columns_[i] |= other.columns_[i];
  for (size_t i = 0; i < rows_.size() && i < other.rows_.size(); ++i) rows_[i] |= other.rows_[i];
}

void MarkVectors::DirtyRectangle(DirtyRect& rect) const {
  A_long first, last;
  if (Span(columns_, first, last)) {
    rect.x0 = first;
    rect.x1 = last;
  }
  if (Span(rows_, first, last)) {
    rect.y0 = first;
    rect.y1 = last;
  }
  rect.width = width_;
  rect.height = height_;
}

void MarkVectors::DirtyRectanglePadded(DirtyRect& rect, A_long p) const {
  DirtyRectangle(rect);
  rect.x0 -= p;
  rect.y0 -= p;
  rect.x1 += p;
  rect.y1 += p;
  if (rect.x0 < 0) rect.x0 = 0;
  if (rect.y0 < 0) rect.y0 = 0;
  if (rect.x1 > width_) rect.x1 = width_;
  if (rect.y1 > height_) rect.y1 = height_;
}

std::vector<bool> MarkVectors::ColumnBits() const { return Bits(columns_, width_); }
std::vector<bool> MarkVectors::RowBits() const { return Bits(rows_, height_); }

}  // namespace vlam
