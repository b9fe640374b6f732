#include <gtest/gtest.h>

#include <array>
#include <cfloat>
#include <cmath>
#include <vector>

#include "flash/depth_buffer.h"
#include "flash/distance_table.h"
#include "flash/mark_vectors.h"

namespace vlam {
namespace {

TEST(DistanceTable, LookupBeyondTheTable) {
  std::vector<uint16_t> t(kRenderDistanceTableSize * kRenderDistanceTableSize);
  FillDistanceTable(t.data(), kRenderDistanceTableSize);
  // The entries themselves are checked exhaustively with the Render effect's
  // global setup; here the lookup around and beyond them.
  EXPECT_EQ(DistanceLookup(t.data(), 121, -3, 4), 5);
  EXPECT_EQ(DistanceLookup(t.data(), 121, 7, -120), t[7 * 121 + 120]);
  // Offsets past the table are computed, not read past its end.
  EXPECT_EQ(DistanceLookup(t.data(), 121, 300, -400), 500);
  EXPECT_EQ(DistanceLookup(t.data(), 121, 121, 0), 121);
  // A half rounds away from zero: sqrt(0.25 + ...) never hits exactly .5 for
  // integers, so check the rule on a value just past .5: sqrt(42.25+) = 6.5+.
  EXPECT_EQ(DistanceLookup(t.data(), 121, 4, 5), 6);  // 6.403
  EXPECT_EQ(DistanceLookup(t.data(), 121, 5, 5), 7);  // 7.071
}

TEST(DepthBuffer, KeepsTheNearestReadsLargestOutsideAndGrows) {
  DepthBuffer d;
  d.Reset(4, 3, 0, 0);
  EXPECT_EQ(d.Read(0, 0), FLT_MAX);
  for (const DepthPoint& p :
       {DepthPoint{1, 1, 10.0f}, {1, 1, 12.0f}, {1, 1, 8.0f}, {4, 1, 1.0f}, {-1, 1, 1.0f}})
    d.KeepNearest(p.x, p.y, p.z);
  EXPECT_EQ(d.Read(1, 1), 8.0f);
  EXPECT_EQ(d.Read(4, 1), FLT_MAX);
  EXPECT_EQ(d.Read(0, -1), FLT_MAX);
  EXPECT_TRUE(d.Occluded(9.0f, 1.9, 1.2));
  EXPECT_FALSE(d.Occluded(8.0f, 1.9, 1.2));  // equal depth is not behind
  EXPECT_FALSE(d.Occluded(9.0f, 2.1, 1.2));
  EXPECT_FALSE(d.Occluded(1e30f, 7.0, 1.0));  // outside
  EXPECT_FALSE(d.Occluded(1e30f, INFINITY, NAN));
  // Reset clears everything; the origin is taken off before indexing.
  d.Reset(2, 2, 10, 20);
  EXPECT_EQ(d.Read(1, 1), FLT_MAX);
  d.KeepNearest(11, 21, 3.0f);
  EXPECT_EQ(d.Read(11, 21), 3.0f);
  EXPECT_TRUE(d.Occluded(4.0f, 11.5, 21.5));

  // The buffer stores only the window written so far; growing it in any
  // direction, one point at a time or for a batch at once, keeps every depth.
  const std::vector<DepthPoint> points = {{5, 4, 3.0f},  {2, 2, 7.0f}, {9, 8, 1.0f},  {5, 4, 2.0f},
                                          {0, 9, 6.0f},  {12, 3, 1.0f}, {9, 0, 4.0f}, {2, 2, 9.0f},
                                          {-3, 5, 1.0f}, {5, 4, 2.5f}};
  DepthBuffer single, batch;
  for (DepthBuffer* b : {&single, &batch}) b->Reset(10, 10, 0, 0);
  for (const DepthPoint& p : points) single.KeepNearest(p.x, p.y, p.z);
  batch.KeepNearest(points);
  for (A_long y = -1; y <= 10; ++y)
    for (A_long x = -1; x <= 10; ++x) ASSERT_EQ(single.Read(x, y), batch.Read(x, y)) << x << "," << y;
  const DepthPoint nearest[] = {{5, 4, 2.0f}, {2, 2, 7.0f}, {0, 9, 6.0f}, {9, 0, 4.0f}, {1, 1, FLT_MAX}};
  for (const DepthPoint& p : nearest) EXPECT_EQ(batch.Read(p.x, p.y), p.z) << p.x << "," << p.y;
  // A pixel never written holds the largest finite float: only an infinite
  // depth lies behind it.
  EXPECT_TRUE(batch.Occluded(INFINITY, 1.5, 1.5));
  EXPECT_FALSE(batch.Occluded(FLT_MAX, 1.5, 1.5));
}

using Box = std::array<A_long, 4>;
Box Corners(const DirtyRect& r) { return {r.x0, r.y0, r.x1, r.y1}; }

// The dirty rectangle from the marks, padded and clamped to the buffer.
TEST(MarkVectors, DirtyRectangleFromTheMarksPaddedAndClampedMergeAndBits) {
  MarkVectors m;
  m.Reset(200, 100);
  DirtyRect r{-5, -6, -7, -8, 0, 0};
  m.DirtyRectangle(r);
  // No marks: the rectangle keeps what it held.
  EXPECT_EQ(Corners(r), (Box{-5, -6, -7, -8}));
  EXPECT_EQ(std::pair(r.width, r.height), (std::pair<A_long, A_long>(200, 100)));
  // The last is outside on both axes: no mark.
  for (const auto& [x, y] : {std::pair{130, 70}, {64, 99}, {199, 3}, {-1, 200}}) m.Mark(x, y);
  m.DirtyRectangle(r);
  EXPECT_EQ(Corners(r), (Box{64, 3, 199, 99}));
  EXPECT_TRUE(m.ColumnMarked(130) && m.RowMarked(70));
  EXPECT_FALSE(m.ColumnMarked(131) || m.RowMarked(-1));
  // A column inside with its row outside marks the column only.
  MarkVectors one;
  one.Reset(10, 10);
  one.Mark(4, 50);
  DirtyRect s{1, 2, 3, 4, 0, 0};
  one.DirtyRectangle(s);
  EXPECT_EQ(Corners(s), (Box{4, 2, 4, 4}));

  m.Reset(50, 40);
  for (const auto& [x, y] : {std::pair{3, 30}, {45, 10}}) m.Mark(x, y);
  m.DirtyRectanglePadded(r, 8);
  EXPECT_EQ(Corners(r), (Box{0, 2, 50, 38}));
  m.DirtyRectanglePadded(r, 0);
  EXPECT_EQ(Corners(r), (Box{3, 10, 45, 30}));

  // Merging and bit copies.
  MarkVectors a, b;
  a.Reset(70, 5);
  b.Reset(70, 5);
  a.Mark(1, 1);
  b.Mark(69, 4);
  a.Merge(b);
  std::vector<bool> cols(70), rows(5);
  cols[1] = cols[69] = rows[1] = rows[4] = true;
  EXPECT_EQ(a.ColumnBits(), cols);
  EXPECT_EQ(a.RowBits(), rows);
  a.Clear();
  r = DirtyRect{7, 7, 7, 7, 0, 0};
  a.DirtyRectangle(r);
  EXPECT_EQ(Corners(r), (Box{7, 7, 7, 7}));
}

}  // namespace
}  // namespace vlam
