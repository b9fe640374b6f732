// Splats recorded by one iteration of a parallel flash pass, and their
// replay into horizontal bands of the accumulation buffer.
//
// The body and spark passes run on the host's worker threads. Instead of
// adding into the shared buffer as they go (which would make the sums depend
// on which thread got there first), every iteration records its splats and
// marks in its own slot. The slots are then drawn band by band: each band
// owns a range of rows, walks all slots in iteration order and draws only its
// own rows. Every pixel therefore receives its additions in exactly the order
// a single thread drawing all iterations one after the other would give it,
// whatever the number of threads and however the host schedules them.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "AE_Effect.h"
#include "flash/brushes.h"
#include "flash/mark_vectors.h"

namespace vlam {

struct Splat {
  enum Kind : A_long { kSoft = 0, kSquare = 1, kPoint = 2 };
  A_long kind;
  A_long x;
  A_long y;
  A_long size;   // brush size; unused for points
  float factor;  // hardness of a soft brush, weight of a point
  float red;
  float green;
  float blue;
};

// The splats of one slot in order, stored in fixed blocks: a growing list
// never moves what it holds (a vector would copy it on every doubling and
// touch twice the memory), and a cleared list keeps its blocks for the next
// pass.
class SplatList {
 public:
  void push_back(const Splat& s) {
    if (size_ == blocks_.size() * kBlock) blocks_.push_back(std::make_unique_for_overwrite<Splat[]>(kBlock));
    blocks_[size_ / kBlock][size_ % kBlock] = s;
    ++size_;
  }
  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  void clear() { size_ = 0; }

  class const_iterator {
   public:
    const_iterator(const SplatList* list, size_t i) : list_(list), i_(i) {}
    const Splat& operator*() const { return list_->blocks_[i_ / kBlock][i_ % kBlock]; }
    const_iterator& operator++() {
      ++i_;
      return *this;
    }
    bool operator!=(const const_iterator& o) const { return i_ != o.i_; }

   private:
    const SplatList* list_;
    size_t i_;
  };
  const_iterator begin() const { return const_iterator(this, 0); }
  const_iterator end() const { return const_iterator(this, size_); }

 private:
  static constexpr size_t kBlock = 2048;  // 64 KB

  std::vector<std::unique_ptr<Splat[]>> blocks_;
  size_t size_ = 0;
};

// A rectangle, inclusive on every side, holding every pixel that the splats
// added so far may change; empty (x1 < x0) until the first splat. Centres
// beyond kFarAway draw nothing and are left out.
struct SplatReach {
  A_long x0 = 0;
  A_long y0 = 0;
  A_long x1 = -1;
  A_long y1 = -1;

  bool Empty() const { return x1 < x0 || y1 < y0; }
  // A brush of `size` (1 for a point) at (x, y): both brushes and the small
  // stamps stay within size / 2 + 1 pixels of the centre.
  void Add(A_long x, A_long y, A_long size) {
    if (x < -kFarAway || x > kFarAway || y < -kFarAway || y > kFarAway) return;
    const A_long reach = (size < kMaxBrushSize ? size : kMaxBrushSize) / 2 + 1;
    Merge(SplatReach{x - reach, y - reach, x + reach, y + reach});
  }
  void Merge(const SplatReach& o) {
    if (o.Empty()) return;
    if (Empty()) {
      *this = o;
      return;
    }
    if (o.x0 < x0) x0 = o.x0;
    if (o.y0 < y0) y0 = o.y0;
    if (o.x1 > x1) x1 = o.x1;
    if (o.y1 > y1) y1 = o.y1;
  }
};

// What one iteration produced. `err` is set when it could not finish (no
// memory); such a pass draws nothing.
struct SplatSlot {
  SplatList splats;
  MarkVectors marks;
  SplatReach reach;
  PF_Err err = PF_Err_NONE;

  void Reset(A_long width, A_long height) {
    splats.clear();
    marks.Reset(width, height);
    reach = SplatReach{};
    err = PF_Err_NONE;
  }
};

// Draws one recorded splat.
void DrawSplat(const RasterTarget& t, const Splat& s);

// Rows [first, last] a splat may change.
void SplatRows(const Splat& s, A_long& first, A_long& last);

// Splits the rows 0..height-1 into `bands` contiguous ranges of about equal
// drawing work; bounds has bands + 1 entries, band i being rows
// [bounds[i], bounds[i + 1]).
void BalanceBands(const std::vector<SplatSlot>& slots, A_long height, A_long bands,
                  std::vector<A_long>& bounds);

// Draws every splat of every slot, in slot order, that touches the rows of
// `band`.
void DrawSlotsInBand(const std::vector<SplatSlot>& slots, const RasterTarget& band);

// Where the passes deliver their splats: straight into the buffer (the core,
// drawn on one thread only), or into a slot to be drawn later.
struct DirectSink {
  RasterTarget target;
  MarkVectors* marks;
  SplatReach* reach;

  void Mark(A_long x, A_long y) { marks->Mark(x, y); }
  void Soft(A_long x, A_long y, A_long size, const PF_PixelFloat& c, float hardness) {
    if (size > 0) reach->Add(x, y, size);
    SoftBrush(target, x, y, size, c, hardness);
  }
  void Square(A_long x, A_long y, A_long size, const PF_PixelFloat& c) {
    if (size > 0) reach->Add(x, y, size);
    SquareBrush(target, x, y, size, c);
  }
};

struct RecordSink {
  SplatSlot* slot;

  void Mark(A_long x, A_long y) { slot->marks.Mark(x, y); }
  void Soft(A_long x, A_long y, A_long size, const PF_PixelFloat& c, float hardness) {
    if (size > 0) Record({Splat::kSoft, x, y, size, hardness, c.red, c.green, c.blue});
  }
  void Square(A_long x, A_long y, A_long size, const PF_PixelFloat& c) {
    if (size > 0) Record({Splat::kSquare, x, y, size, 0.0f, c.red, c.green, c.blue});
  }
  void Point(A_long x, A_long y, const PF_PixelFloat& c, float w) {
    Record({Splat::kPoint, x, y, 1, w, c.red, c.green, c.blue});
  }

 private:
  void Record(const Splat& s) {
    slot->splats.push_back(s);
    slot->reach.Add(s.x, s.y, s.size);
  }
};

}  // namespace vlam
