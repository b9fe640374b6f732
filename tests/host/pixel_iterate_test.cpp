// The per-depth iterate suites: which pixels the pixel function sees, with
// which coordinates and source pixels, and how a cancelled render stops them.
// The three depths share one iteration (checked here through the float
// suite); the module calls none of them, and that the host's pool runs work
// on several threads at once is checked through the AEGP iterate suite,
// which it does call.
#include "host_support.h"

#include <atomic>
#include <tuple>

using namespace vlam;

namespace {

PF_PixelFloat *at(const PF_EffectWorld &w, int x, int y) {
  char *row = reinterpret_cast<char *>(w.data) + std::ptrdiff_t{w.rowbytes} * y;
  return reinterpret_cast<PF_PixelFloat *>(row) + x;
}

// What the pixel function saw.
struct Visits {
  const PF_EffectWorld *dst = nullptr;
  std::vector<std::atomic<int>> count;
  std::atomic<int> badOut{0};
  int failRowA = -1, failRowB = -1;
  explicit Visits(const PF_EffectWorld &d)
      : dst(&d), count(static_cast<std::size_t>(d.width * d.height)) {}
  int total() const {
    int n = 0;
    for (const auto &c : count) n += c.load();
    return n;
  }
};

// Records the visit, checks that `out` is the destination pixel at (x, y),
// writes the source pixel with its blue plus one.
PF_Err visit(void *refcon, A_long x, A_long y, PF_PixelFloat *in, PF_PixelFloat *out) {
  Visits &v = *static_cast<Visits *>(refcon);
  if (x < 0 || y < 0 || x >= v.dst->width || y >= v.dst->height) {
    ++v.badOut;
    return PF_Err_NONE;
  }
  ++v.count[static_cast<std::size_t>(y * v.dst->width + x)];
  if (out != at(*v.dst, x, y)) ++v.badOut;
  if (y == v.failRowA && x == 2) return 7;
  if (y == v.failRowB && x == 2) return 9;
  *out = *in;
  out->blue = in->blue + 1;
  return PF_Err_NONE;
}

class PixelIterate : public test::HostTest {
protected:
  PF_InData in{};
  const PF_iterateFloatSuite1 *s = suite<PF_iterateFloatSuite1>(kPFIterateFloatSuite, 1);
  std::vector<PF_EffectWorld> made;

  // A float buffer whose pixel (x, y) holds red x, green y, blue 10.
  PF_EffectWorld &world(int w, int h, host::PixelDepth depth = host::PixelDepth::Float32) {
    PF_EffectWorld &world = made.emplace_back();
    host.worlds().create(w, h, depth, world);
    if (depth == host::PixelDepth::Float32)
      for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) *at(world, x, y) = {1, float(x), float(y), 10};
    return world;
  }
  void TearDown() override {
    for (PF_EffectWorld &w : made) host.worlds().dispose(w);
    HostTest::TearDown();
  }
};

TEST_F(PixelIterate, EveryPixelOnceTheOverlappingPixelsOnlyAndErrorsAndCancellationStop) {
  ASSERT_NE(s, nullptr);
  made.reserve(8);
  PF_EffectWorld &src = world(37, 23), &dst = world(37, 23);
  Visits v(dst);
  ASSERT_EQ(s->iterate(&in, 0, 23, &src, nullptr, &v, visit, &dst), PF_Err_NONE);
  EXPECT_EQ(v.badOut.load(), 0) << "x, y and the output pixel agree";
  for (int y = 0; y < 23; ++y)
    for (int x = 0; x < 37; ++x) {
      ASSERT_EQ(v.count[static_cast<std::size_t>(y * 37 + x)].load(), 1) << x << "," << y;
      const PF_PixelFloat p = *at(dst, x, y);
      ASSERT_EQ(std::tuple(p.red, p.green, p.blue), std::tuple(float(x), float(y), 11.0f))
          << "the source pixel at the same place was handed in";
    }
  // An origin far outside: no pixel overlaps; a smaller source: only its pixels.
  Visits none(dst);
  for (const PF_Point far : {PF_Point{INT32_MIN, 0}, PF_Point{0, INT32_MAX}})
    ASSERT_EQ(s->iterate_origin(&in, 0, 10, &src, nullptr, &far, &none, visit, &dst), PF_Err_NONE);
  EXPECT_EQ(none.total(), 0);
  Visits overlap(dst);
  ASSERT_EQ(s->iterate(&in, 0, 4, &world(6, 4), nullptr, &overlap, visit, &dst), PF_Err_NONE);
  EXPECT_EQ(overlap.total(), 6 * 4);
  EXPECT_EQ(overlap.badOut.load(), 0);
  // A destination with no rows, like one with no columns, leaves nothing to do.
  PF_EffectWorld noRows = dst, noColumns = dst;
  noRows.height = 0;
  noColumns.width = 0;
  for (PF_EffectWorld *empty : {&noRows, &noColumns})
    EXPECT_EQ(s->iterate(&in, 0, 0, nullptr, nullptr, &none, visit, empty), PF_Err_NONE);
  // A buffer of another depth is refused.
  PF_EffectWorld &deep = world(37, 23, host::PixelDepth::Bits16);
  EXPECT_EQ(s->iterate(&in, 0, 10, &src, nullptr, &none, visit, &deep), PF_Err_BAD_CALLBACK_PARAM);
  // Errors and cancellation stop the iteration.
  Visits failing(dst);
  failing.failRowA = 11;
  failing.failRowB = 4;
  EXPECT_EQ(s->iterate(&in, 0, 23, &src, nullptr, &failing, visit, &dst), 9) << "row 4's";
  host.cancelRequested = true;
  Visits cancelled(dst);
  EXPECT_EQ(s->iterate(&in, 0, 23, &src, nullptr, &cancelled, visit, &dst), PF_Interrupt_CANCEL);
  EXPECT_EQ(cancelled.total(), 0);
  host.cancelRequested = false;
}

} // namespace
